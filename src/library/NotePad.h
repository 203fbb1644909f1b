#pragma once

#include "app/ToolWindows.h"
#include "app/ToolWindow.h"
#include "platform/LineFile.h"

#include <QPlainTextEdit>
#include <optional>

// The notepad's text area: word-wrapped, and a text it cannot keep responsive (a line of more
// than MaxLine characters, or more than MaxSize bytes in all) is not pasted into it.
class NotesEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    static constexpr qsizetype MaxLine = 64 * 1024;
    static constexpr qint64 MaxSize = qint64(8) * 1024 * 1024;

    explicit NotesEdit(const QString &text, QWidget *parent);

    // Why lines cannot be shown here, or empty.
    static QString tooLarge(const QStringList &lines);
    // Why a text of size characters is more than the notepad holds, or empty.
    static QString tooMuch(qint64 size);
    // Wraps at word boundaries, or anywhere once a word is too long for that to stay quick
    // (a run of thousands of characters without a blank).
    void wrapFor(const QString &text);

protected:
    void insertFromMimeData(const QMimeData *source) override;
};

// The notepad: notes kept in "notes.txt" in the program folder, read when it is shown and
// written when it closes (and when the program ends with it open). Notes that could not be read
// are never replaced without the user's word, and notes that cannot be written are never
// dropped without it.
class TfNotePad : public ToolWindow, public ExitQuestion {
    Q_OBJECT
public:
    explicit TfNotePad(AppServices &services);

    static const QStringList WelcomeLines;
    static QString notesFile();

    QPlainTextEdit *notes() const { return mNP; }
    bool askToExit() override;

public slots:
    void LoadNotes();
    // False when the notes were not written and the notepad must stay open (the user chose
    // so, after being told why).
    bool SaveNotes();
    void Cut1Click();
    void Copy1Click();
    void Paste1Click();
    void doUndo();

protected:
    void showEvent(QShowEvent *e) override;
    void closeEvent(QCloseEvent *e) override;

private:
    QStringList lines() const;
    // The notes are written elsewhere, a file the user picks; false when cancelled or failed.
    bool saveElsewhere();
    void saved(const QStringList &lines);

    NotesEdit *mNP;
    // The edit control's undo is one level deep: a second undo takes the first one back.
    bool undoneLast_ = false;
    bool undoing_ = false;
    // The lines the file holds as last read or written here (nothing when there is no file, or
    // it could not be read), and the bytes of its lines that were not UTF-8.
    std::optional<QStringList> fileLines_;
    QHash<QString, QByteArray> raw_;
    // The file (or what stands in its place) exists but could not be read, and why when it is a
    // file that a save would replace.
    bool unread_ = false;
    QString unreadReason_;
};
