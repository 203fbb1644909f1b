#pragma once

#include "platform/Dialogs.h"

#include <QStringList>
#include <optional>
#include <deque>
#include <functional>

// Answers the program's dialogs from a script, and records what was asked.
class ScriptedDialogs : public Dialogs {
public:
    ScriptedDialogs() { install(this); }
    ~ScriptedDialogs() override { install(nullptr); }

    std::deque<Answer> answers;        // for ask()
    std::deque<int> choices;           // for choose(): the button's index; the cancel button when empty
    QStringList choiceButtons;         // the buttons of the last choose(), "|"-joined
    std::deque<QStringList> openNames; // for openFiles()
    std::deque<QString> saveNames;     // for saveFile(); an empty name cancels
    QStringList fileDialogFolders;     // the folder each file dialog opened in
    std::deque<std::optional<QString>> inputs; // for input()
    QStringList inputPrompts;          // "caption|prompt|preset" of each input box
    std::deque<PrintChoice> prints;    // for print()
    QString printFile;                 // a print goes to this PDF
    // Runs on each of the program's own modal dialogs before it "closes" with Accepted.
    std::function<void(QDialog *)> onExec;
    std::deque<int> execResults; // what exec() returns, in turn; Accepted when empty
    // Progress windows shown: their captions, and every percentage and text they were given.
    QStringList progressCaptions;
    QList<int> progressSteps;
    QStringList progressTexts;
    int progressOpen = 0; // progress windows still showing

    QStringList messages; // message() and error() texts, in order
    QStringList errors;   // error() texts
    QStringList questions;
    QStringList executed; // objectNames of the dialogs run by exec()
    bool selectionOffered = false;
    int offeredMinPage = 0, offeredMaxPage = 0; // the range printPages() offered

    void message(QWidget *, const QString &text) override;
    void error(QWidget *, const QString &text) override;
    Answer ask(QWidget *, const QString &text, bool withCancel, bool warning) override;
    // Answered from answers too: Ok or Yes is OK.
    bool confirm(QWidget *, const QString &text) override;
    int choose(QWidget *, const QString &text, const QStringList &buttons, int cancelIndex) override;
    // Answered from inputs; an empty optional cancels.
    bool input(QWidget *, const QString &caption, const QString &prompt, QString &value) override;
    QStringList openFiles(QWidget *, const QString &, const QString &, const QString &) override;
    QString saveFile(QWidget *, const QString &, const QString &, const QString &, const QString &) override;
    PrintChoice print(QWidget *, QPrinter &printer, bool selectionAvailable) override;
    PrintChoice printPages(QWidget *, QPrinter &printer, int minPage, int maxPage) override;
    bool printSetup(QWidget *, QPrinter &) override { return true; }
    bool color(QWidget *, QColor &) override { return false; }
    bool font(QWidget *, QFont &) override { return false; }
    int exec(QDialog *dialog) override;
    std::unique_ptr<Progress> progress(QWidget *, const QString &caption, const QString &text) override;
};
