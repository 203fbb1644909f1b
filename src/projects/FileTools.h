#pragma once

#include <QDialog>
#include <QStringList>

class AppServices;
class QTableWidget;

// Search and replace over a list of files, each read and written as a document is: its
// encoding and line endings kept, written by atomic replace after a "BAK" copy of the original.
// Matches are of the text exactly as given (letter case included).
namespace MultiFile {

struct Result {
    bool ok = false;
    int count = 0;
    QString error; // why the file could not be read or written
};

// The number of matches in one file.
Result count(const QString &path, const QString &find);
// Replaces every match in one file; a file without matches is left untouched (no backup).
Result replace(const QString &path, const QString &find, const QString &replacement);

} // namespace MultiFile

// The file tools: a list of files to work on, searched or replaced over at once, with each
// file's outcome in its "Result" cell.
class TfrmFileTools : public QDialog {
    Q_OBJECT
public:
    explicit TfrmFileTools(AppServices &services);

    static const QString FileFilter;

    QTableWidget *grid() const { return grdFiles; }
    QStringList files() const;
    QString result(int row) const; // row 0 is the first file

    // The last search text, for opening a file at its first match.
    const QString &searchText() const { return lastFind_; }

public slots:
    void btnSelectClick();
    void btnRemoveClick();
    void btnSearchClick();
    void btnReplaceClick();
    void RedrawGrid();
    void openRow(int row);

private:
    void setResult(int row, const QString &text);
    // The first row above naming the same file (however its name is spelt), or -1.
    int firstRowOfSameFile(int row) const;
    // True, with the row's result saying so, when the file was listed above already.
    bool sameFileAsAbove(int row);

    AppServices &services_;
    QTableWidget *grdFiles;
    QString lastFind_, lastReplace_;
};
