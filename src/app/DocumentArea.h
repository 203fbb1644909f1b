#pragma once

#include <QList>
#include <QMdiArea>

class DocumentHost;
class DocumentManager;
class HtmlDocument;
class TfHTML;

// The frame's area of document windows: a window (TfHTML) for each document the manager
// makes, shown and made active at once; the manager learns which one is active, and a
// window's close tells the manager the document is closing.
class DocumentArea : public QMdiArea {
    Q_OBJECT
public:
    DocumentArea(DocumentManager &manager, DocumentHost &host, QWidget *parent = nullptr);
    ~DocumentArea() override;

    TfHTML *activeWindow() const;
    // Every document window, in the order they were made.
    QList<TfHTML *> windows() const;
    TfHTML *window(const HtmlDocument *doc) const;
    DocumentManager &manager() const { return manager_; }

signals:
    void windowCreated(TfHTML *window);

private:
    void show(HtmlDocument *doc);

    DocumentManager &manager_;
    DocumentHost &host_;
};
