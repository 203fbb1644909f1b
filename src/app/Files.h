#pragma once

#include <QObject>
#include <QStringList>
#include <memory>

class QPrinter;
class TfHTML;
class TmdiMain;

// The frame's document commands: new, open, save, save as, close, print, clear, insert a
// text file and convert to text.
class FileCommands : public QObject {
    Q_OBJECT
public:
    explicit FileCommands(TmdiMain &frame);
    ~FileCommands() override;

    static const QString OpenFilter;
    static const QString SaveFilter;
    static const QString MissingTemplate;
    static const QString ClearQuestion;

    int newDocumentCount() const { return counter_; }
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

private:
    void rename(TfHTML *doc, const QString &path);

    TmdiMain &frame_;
    int counter_ = 0;
    std::unique_ptr<QPrinter> printer_;
};
