#pragma once

#include <QObject>
#include <QStringList>
#include <memory>

class AppServices;
class HtmlDocument;
class QPrinter;
class RecentFiles;
class TfHTML;

// The frame's document commands: new, open, save, save as, close, print, clear, insert a
// text file and convert to text. Documents come from the document manager; their windows
// from the document area.
class FileCommands : public QObject {
    Q_OBJECT
public:
    FileCommands(AppServices &services, RecentFiles &recent, QObject *parent = nullptr);
    ~FileCommands() override;

    static const QString OpenFilter;
    static const QString SaveFilter;
    static const QString MissingTemplate;
    static const QString ClearQuestion;

    // Binds the commands to the menus.
    void bindCommands();

    int newDocumentCount() const;
    QPrinter &printer();

    // Opens a file in a new document window; reports a file already open, missing or
    // unreadable. Returns the window, or nullptr.
    TfHTML *OpenDocument(const QString &name);
    // A new document window holding text, shown and active: untitled ("New HTML Document n")
    // unless caption names it.
    TfHTML *newFromText(const QString &text, const QString &caption);
    void MRUOpenChild(int index);
    // The lines that FilePrint prints for the active document.
    QStringList printLines(TfHTML *doc, bool selectionOnly) const;

public slots:
    void FileNew();
    void FileOpen();
    void FileSave();
    void FileSaveAs();
    void FileCloseChild();
    void CloseAll1Click();
    void FilePrint();
    void FilePrintSetup();
    void EditClear();
    void InsertFile1Click();
    void ExportasText1Click();
    void ConvertToText();

signals:
    // The recent-files list changed: the File menu shows it anew.
    void recentFilesChanged();

private:
    TfHTML *windowOf(HtmlDocument *doc) const;
    void remember(const QString &path);

    AppServices &services_;
    RecentFiles &recent_;
    std::unique_ptr<QPrinter> printer_;
};
