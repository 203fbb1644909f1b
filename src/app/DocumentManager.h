#pragma once

#include <QList>
#include <QObject>
#include <QString>

class HtmlDocument;

// The program's open documents: the list in the order they were made, the numbering of new
// untitled ones ("New HTML Document 1", 2, ...; numbers are not reused within a run), the one
// that is active, and the one way to open, create and close a document. The tab strip, the
// recent files, the recovery copies, the live preview and the status bar follow it through
// its signals; windows for its documents are made by whoever shows them (DocumentArea).
class DocumentManager : public QObject {
    Q_OBJECT
public:
    explicit DocumentManager(QObject *parent = nullptr);
    ~DocumentManager() override;

    const QList<HtmlDocument *> &documents() const { return documents_; }
    // The document whose caption is caption (a file's absolute path, or an untitled name),
    // or nullptr. Paths compare exactly, as the file system does.
    HtmlDocument *find(const QString &caption) const;
    HtmlDocument *active() const { return active_; }
    void setActive(HtmlDocument *doc);

    // How many untitled documents were made in this run (the number of the last one).
    int untitledCount() const { return untitled_; }

    // A new, untitled, empty document.
    HtmlDocument *newDocument();
    // A new document holding text: untitled ("New HTML Document n") unless caption names it
    // (a path, or an untitled name), and modified, as no file holds its text.
    HtmlDocument *newFromText(const QString &text, const QString &caption = QString());
    // Reads a file into a new document; nullptr with *error saying why when it cannot be
    // read. A file already open is not opened again (see find).
    HtmlDocument *open(const QString &path, QString *error);
    // The document is closing (its window's question was answered): it leaves the list. It is
    // deleted with the window that shows it, or now when none does.
    void close(HtmlDocument *doc);

signals:
    void created(HtmlDocument *doc);
    void activated(HtmlDocument *doc);
    void renamed(HtmlDocument *doc, const QString &oldCaption);
    void closing(HtmlDocument *doc);

private:
    HtmlDocument *add(HtmlDocument *doc);
    QString nextUntitledName();

    QList<HtmlDocument *> documents_;
    HtmlDocument *active_ = nullptr;
    int untitled_ = 0;
};
