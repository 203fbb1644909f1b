#include "ScriptedDialogs.h"

#include <QDialog>
#include <QPrinter>
#include <gtest/gtest.h>

void ScriptedDialogs::message(QWidget *, const QString &text)
{
    messages << text;
}

void ScriptedDialogs::error(QWidget *, const QString &text)
{
    messages << text;
    errors << text;
}

Dialogs::Answer ScriptedDialogs::ask(QWidget *, const QString &text, bool withCancel, bool)
{
    questions << text;
    if (answers.empty()) {
        ADD_FAILURE() << "unexpected question: " << text.toStdString();
        return withCancel ? Answer::Cancel : Answer::No;
    }
    const Answer a = answers.front();
    answers.pop_front();
    return a;
}

int ScriptedDialogs::choose(QWidget *, const QString &text, const QStringList &buttons, int cancelIndex)
{
    questions << text;
    choiceButtons = buttons;
    if (choices.empty())
        return cancelIndex;
    const int chosen = choices.front();
    choices.pop_front();
    return chosen;
}

QStringList ScriptedDialogs::openFiles(QWidget *, const QString &, const QString &dir, const QString &)
{
    fileDialogFolders << startFolder(dir);
    if (openNames.empty())
        return {};
    QStringList names = openNames.front();
    openNames.pop_front();
    if (!names.isEmpty())
        noteChosen(names.first());
    return names;
}

QString ScriptedDialogs::saveFile(QWidget *, const QString &, const QString &dir, const QString &, const QString &)
{
    fileDialogFolders << startFolder(dir);
    if (saveNames.empty()) {
        ADD_FAILURE() << "unexpected save dialog";
        return {};
    }
    QString name = saveNames.front();
    saveNames.pop_front();
    noteChosen(name);
    return name;
}

bool ScriptedDialogs::input(QWidget *, const QString &caption, const QString &prompt, QString &value)
{
    inputPrompts << caption + u'|' + prompt + u'|' + value;
    if (inputs.empty()) {
        ADD_FAILURE() << "unexpected input box: " << prompt.toStdString();
        return false;
    }
    const std::optional<QString> a = inputs.front();
    inputs.pop_front();
    if (a)
        value = *a;
    return a.has_value();
}

bool ScriptedDialogs::confirm(QWidget *parent, const QString &text)
{
    const Answer a = ask(parent, text, true, false);
    return a == Answer::Ok || a == Answer::Yes;
}

Dialogs::PrintChoice ScriptedDialogs::print(QWidget *, QPrinter &printer, bool selectionAvailable)
{
    selectionOffered = selectionAvailable;
    if (prints.empty())
        return {};
    PrintChoice c = prints.front();
    prints.pop_front();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(printFile);
    return c;
}

Dialogs::PrintChoice ScriptedDialogs::printPages(QWidget *parent, QPrinter &printer, int minPage, int maxPage)
{
    offeredMinPage = minPage;
    offeredMaxPage = maxPage;
    return print(parent, printer, false);
}

int ScriptedDialogs::exec(QDialog *dialog)
{
    executed << dialog->objectName();
    if (onExec)
        onExec(dialog);
    if (!execResults.empty()) {
        const int r = execResults.front();
        execResults.pop_front();
        return r;
    }
    return QDialog::Accepted;
}

namespace {
class RecordedProgress : public Dialogs::Progress {
public:
    explicit RecordedProgress(ScriptedDialogs &d) : d_(d) { ++d_.progressOpen; }
    ~RecordedProgress() override { --d_.progressOpen; }
    void setPercent(int percent) override { d_.progressSteps << percent; }
    void setText(const QString &text) override { d_.progressTexts << text; }

private:
    ScriptedDialogs &d_;
};
} // namespace

std::unique_ptr<Dialogs::Progress> ScriptedDialogs::progress(QWidget *, const QString &caption, const QString &text)
{
    progressCaptions << caption;
    progressTexts << text;
    return std::make_unique<RecordedProgress>(*this);
}
