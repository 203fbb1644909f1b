#pragma once

#include "app/ToolWindows.h"
#include "app/ToolWindow.h"

class QPlainTextEdit;

// The notepad: notes kept in "notes.txt" in the program folder, read at every showing and
// written at every close, and when the program ends with the notepad open.
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
    // False (after saying why) when the notes could not be written.
    bool SaveNotes();
    void Cut1Click();
    void Copy1Click();
    void Paste1Click();
    void doUndo();

protected:
    void showEvent(QShowEvent *e) override;
    void closeEvent(QCloseEvent *e) override;

private:
    QPlainTextEdit *mNP;
    // The edit control's undo is one level deep: a second undo takes the first one back.
    bool undoneLast_ = false;
    bool undoing_ = false;
    // A notes file that could not be read is not replaced unless the user changed the notes.
    bool unreadFile_ = false;
};
