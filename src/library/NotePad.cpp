#include "NotePad.h"

#include "app/Services.h"
#include "platform/AppPaths.h"
#include "platform/Dialogs.h"
#include "platform/LineFile.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QShowEvent>
#include <QTextBlock>

const QStringList TfNotePad::WelcomeLines = {
    QStringLiteral("Welcome to the Tolvenra NotePad."),
    QString(),
    QStringLiteral("Hints:"),
    QString(),
    QStringLiteral("Click the right mouse button to perform Clipboard functions."),
    QString(),
    QStringLiteral("Your Notepad contents will be automatically saved between "),
    QStringLiteral("sessions."),
};

QString TfNotePad::notesFile()
{
    return AppPaths::programFile(QStringLiteral("notes.txt"));
}

// ---- the text area ----

namespace {
// Past this many characters without a blank, wrapping at word boundaries lays a line out in
// quadratic time (seconds for a word of 300,000 characters): such text wraps anywhere.
constexpr qsizetype LongRun = 10000;

qsizetype longestRun(QStringView text)
{
    qsizetype longest = 0, run = 0;
    for (const QChar c : text) {
        run = c.isSpace() ? 0 : run + 1;
        longest = qMax(longest, run);
    }
    return longest;
}
} // namespace

NotesEdit::NotesEdit(const QString &text, QWidget *parent) : QPlainTextEdit(text, parent)
{
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    wrapFor(text);
}

QString NotesEdit::tooLarge(const QStringList &lines)
{
    qint64 size = 0;
    for (const QString &line : lines) {
        if (line.size() > MaxLine)
            return tr("A line of the notes holds %1 characters; the notepad shows lines of up to %2 characters.")
                .arg(line.size())
                .arg(MaxLine);
        size += line.size() + 1;
    }
    return tooMuch(size);
}

QString NotesEdit::tooMuch(qint64 size)
{
    if (size > MaxSize)
        return tr("The notes hold %1 characters; the notepad holds up to %2 MB.").arg(size).arg(MaxSize / (1024 * 1024));
    return {};
}

void NotesEdit::wrapFor(const QString &text)
{
    setWordWrapMode(longestRun(text) > LongRun ? QTextOption::WrapAnywhere : QTextOption::WrapAtWordBoundaryOrAnywhere);
}

void NotesEdit::insertFromMimeData(const QMimeData *source)
{
    const QString text = source->text();
    // What the pasted text makes of the line it goes into, and of the whole.
    const QStringList pasted = text.split(u'\n');
    const qsizetype around = textCursor().block().length();
    QString why = tooLarge(pasted);
    if (why.isEmpty() && pasted.first().size() + around > MaxLine)
        why = tooLarge(QStringList{pasted.first() + textCursor().block().text()});
    if (why.isEmpty())
        why = tooMuch(qint64(document()->characterCount()) + text.size());
    if (!why.isEmpty()) {
        Dialogs::instance().message(this, why + tr("\n\nThe text was not pasted."));
        return;
    }
    if (longestRun(text) > LongRun)
        setWordWrapMode(QTextOption::WrapAnywhere);
    QPlainTextEdit::insertFromMimeData(source);
}

// ---- the window ----

TfNotePad::TfNotePad(AppServices &services)
    : ToolWindow(services, QStringLiteral("TfNotePad"), QStringLiteral("Tolvenra NotePad"), QStringLiteral("NotePad"))
{
    mNP = new NotesEdit(WelcomeLines.join(u'\n'), this);
    mNP->setObjectName(QStringLiteral("mNP"));
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif); // a like face where Arial is not installed
    mNP->setFont(font);
    mNP->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    mNP->setContextMenuPolicy(Qt::CustomContextMenu);
    setCentralWidget(mNP);
    connect(mNP, &QPlainTextEdit::textChanged, this, [this] {
        if (!undoing_)
            undoneLast_ = false;
    });

    QMenu *edit = menuBar()->addMenu(tr("&Edit"));
    auto add = [this](QMenu *menu, const char *name, const QString &caption, void (TfNotePad::*slot)(),
                      const QKeySequence &key = QKeySequence()) {
        QAction *a = menu->addAction(caption, this, slot);
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcut(key);
        return a;
    };
    add(edit, "Cut1", tr("Cu&t"), &TfNotePad::Cut1Click, QKeySequence(Qt::CTRL | Qt::Key_X));
    add(edit, "Copy1", tr("&Copy"), &TfNotePad::Copy1Click, QKeySequence(Qt::CTRL | Qt::Key_C));
    add(edit, "Paste1", tr("&Paste"), &TfNotePad::Paste1Click, QKeySequence(Qt::CTRL | Qt::Key_V));

    auto *popup = new QMenu(this);
    popup->setObjectName(QStringLiteral("PopupMenu1"));
    add(popup, "Undo1", tr("&Undo"), &TfNotePad::doUndo);
    add(popup, "Copy2", tr("&Copy"), &TfNotePad::Copy1Click);
    add(popup, "Cut2", tr("Cu&t"), &TfNotePad::Cut1Click);
    add(popup, "Paste2", tr("&Paste"), &TfNotePad::Paste1Click);
    connect(mNP, &QWidget::customContextMenuRequested, this,
            [this, popup](const QPoint &at) { popup->popup(mNP->viewport()->mapToGlobal(at)); });
    resize(360, 300);
}

void TfNotePad::showEvent(QShowEvent *e)
{
    // Shown again after its Keep on Top changed, it was not closed: its text stays.
    if (!e->spontaneous() && !reshowing())
        LoadNotes();
    ToolWindow::showEvent(e);
}

QStringList TfNotePad::lines() const
{
    const QString text = mNP->toPlainText();
    return text.isEmpty() ? QStringList() : text.split(u'\n');
}

void TfNotePad::LoadNotes()
{
    // Text not yet saved (a save the user put off) is never read over.
    if (mNP->document()->isModified())
        return;
    const QString file = notesFile();
    unreadReason_.clear();
    unread_ = false;
    if (!QFileInfo::exists(file) && LineFile::notRegularReason(file).isEmpty()) {
        fileLines_.reset();
        return; // no notes yet: the text stays as it is (the welcome text at first)
    }
    bool ok = false;
    QString error;
    LineFile::Kept kept = LineFile::readKept(file, &ok, &error);
    if (ok)
        error = NotesEdit::tooLarge(kept.lines);
    if (!ok || !error.isEmpty()) {
        fileLines_.reset();
        unread_ = true;
        // A folder in its place is not replaced anyway; a file is not replaced unasked.
        if (QFileInfo(file).isFile())
            unreadReason_ = error;
        Dialogs::instance().error(this, tr("Unable to read the notes %1:\n%2\n\nThe file is kept as it is.").arg(file, error));
        return;
    }
    const QString text = kept.lines.join(u'\n');
    mNP->wrapFor(text);
    mNP->setPlainText(text);
    mNP->document()->setModified(false);
    undoneLast_ = false;
    fileLines_ = kept.lines;
    raw_ = std::move(kept.raw);
}

void TfNotePad::saved(const QStringList &lines)
{
    fileLines_ = lines;
    unreadReason_.clear();
    unread_ = false;
    mNP->document()->setModified(false);
}

bool TfNotePad::saveElsewhere()
{
    const QString name = Dialogs::instance().saveFile(this, tr("Save the Notes As"), QFileInfo(notesFile()).path(),
                                                      QStringLiteral("Text Files (*.txt)|*.txt|All Files|*"),
                                                      QStringLiteral("txt"));
    if (name.isEmpty())
        return false;
    QString error;
    if (!LineFile::write(name, lines(), raw_, &error)) {
        Dialogs::instance().error(this, tr("Unable to save the notes %1:\n%2").arg(name, error));
        return false;
    }
    mNP->document()->setModified(false);
    return true;
}

bool TfNotePad::SaveNotes()
{
    const QStringList current = lines();
    if (fileLines_ && *fileLines_ == current)
        return true; // the file holds these notes already
    const QString file = notesFile();
    if (unread_ && !mNP->document()->isModified())
        return true; // the notes were not changed: what stands in the file's place stays
    if (!unreadReason_.isEmpty()) {
        // The user typed into the notepad while it could not show the file's notes.
        switch (Dialogs::instance().choose(
            this, tr("The notes %1 could not be read (%2), so the notepad did not show them.\n\n"
                     "Replace them with the notepad's text?")
                      .arg(file, unreadReason_),
            {tr("&Replace Them"), tr("Save &Elsewhere ..."), tr("&Don't Save"), tr("Cancel")}, 3)) {
        case 0: break;
        case 1: return saveElsewhere();
        case 2: return true;
        default: return false;
        }
    }
    for (;;) {
        QString error;
        if (LineFile::write(file, current, raw_, &error)) {
            saved(current);
            return true;
        }
        // Nothing is lost unasked: the notes stay in the notepad until the user decides.
        switch (Dialogs::instance().choose(
            this, tr("Unable to save the notes %1:\n%2").arg(file, error),
            {tr("&Try Again"), tr("Save &Elsewhere ..."), tr("&Don't Save"), tr("Cancel")}, 3)) {
        case 0: continue;
        case 1:
            if (saveElsewhere())
                return true;
            continue;
        case 2: return true;
        default: return false;
        }
    }
}

void TfNotePad::closeEvent(QCloseEvent *e)
{
    if (!SaveNotes()) {
        e->ignore();
        return;
    }
    ToolWindow::closeEvent(e);
}

bool TfNotePad::askToExit()
{
    return !isVisible() || SaveNotes();
}

void TfNotePad::Cut1Click() { mNP->cut(); }
void TfNotePad::Copy1Click() { mNP->copy(); }
void TfNotePad::Paste1Click() { mNP->paste(); }

void TfNotePad::doUndo()
{
    undoing_ = true;
    if (undoneLast_)
        mNP->redo();
    else
        mNP->undo();
    undoing_ = false;
    undoneLast_ = !undoneLast_;
}
