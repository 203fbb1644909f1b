#include "NotePad.h"

#include "app/Services.h"
#include "platform/AppPaths.h"
#include "platform/Dialogs.h"
#include "platform/LineFile.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QShowEvent>

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

TfNotePad::TfNotePad(AppServices &services)
    : ToolWindow(services, QStringLiteral("TfNotePad"), QStringLiteral("Tolvenra NotePad"), QStringLiteral("NotePad"))
{
    mNP = new QPlainTextEdit(WelcomeLines.join(u'\n'), this);
    mNP->setObjectName(QStringLiteral("mNP"));
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif); // a like face where Arial is not installed
    mNP->setFont(font);
    mNP->setLineWrapMode(QPlainTextEdit::WidgetWidth);
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
    if (!e->spontaneous())
        LoadNotes();
    ToolWindow::showEvent(e);
}

void TfNotePad::LoadNotes()
{
    const QString file = notesFile();
    unreadFile_ = false;
    if (!QFileInfo::exists(file) && LineFile::notRegularReason(file).isEmpty())
        return; // no notes yet: the text stays as it is (the welcome text at first)
    bool ok = false;
    QString error;
    const QStringList lines = LineFile::read(file, &ok, &error);
    if (!ok) {
        unreadFile_ = QFileInfo(file).isFile(); // a folder in its place is not replaced anyway
        Dialogs::instance().error(this, tr("Unable to read the notes %1:\n%2").arg(file, error));
        return;
    }
    mNP->setPlainText(lines.join(u'\n'));
    mNP->document()->setModified(false);
    undoneLast_ = false;
}

bool TfNotePad::SaveNotes()
{
    if (unreadFile_ && !mNP->document()->isModified())
        return true; // the file that could not be read stays as it is
    const QString text = mNP->toPlainText();
    const QStringList lines = text.isEmpty() ? QStringList() : text.split(u'\n');
    QString error;
    if (!LineFile::write(notesFile(), lines, &error)) {
        Dialogs::instance().error(this, tr("Unable to save the notes %1:\n%2").arg(notesFile(), error));
        return false;
    }
    unreadFile_ = false;
    mNP->document()->setModified(false);
    return true;
}

void TfNotePad::closeEvent(QCloseEvent *e)
{
    // Notes that could not be written keep the notepad open, so nothing typed is lost.
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
