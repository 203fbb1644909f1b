#pragma once

#include <QObject>
#include <QString>

class TmdiMain;

// The one way commands put text into a document: a pair of texts wrapped around the selection
// of the active document, or inserted at its caret with the caret left between them. Applies
// the "Case" setting, remembers the pair for F4 and shows it in the status bar.
class TagEngine : public QObject {
    Q_OBJECT
public:
    explicit TagEngine(TmdiMain &frame);

    void InsertTag(const QString &openTag, const QString &closeTag);
    bool HasSelection() const;
    void DeleteSelection();
    void RepeatLastTag1Click();

    // Runs a command of the tag catalogue by its handler name; false for an unknown name.
    bool runCatalogueCommand(const QString &handler);
    // Binds every catalogue command to its menu items and buttons.
    void bindCatalogue();

private:
    TmdiMain &frame_;
};
