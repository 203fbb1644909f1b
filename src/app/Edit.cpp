#include "Edit.h"

#include "DocumentPolicy.h"
#include "Editor.h"
#include "ErrorBoundary.h"
#include "FindDialogs.h"
#include "Megares.h"
#include "Ubag.h"
#include "platform/Dialogs.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QPalette>

QString TfHTML::LastSearchText;

namespace {
const QString EditFilter = QStringLiteral("HTML Document|*.htm|Text File|*.txt|All Files|*.*");
} // namespace

TfHTML::TfHTML(DocumentHost *host, HtmlDocument *doc, QWidget *parent) : QMdiSubWindow(parent), host_(host), doc_(doc)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("fHTML"));
    txtHTML = new TEditor(this, doc_);
    setWidget(txtHTML);
    // The document goes with the window, after its editor.
    doc_->setParent(this);
    Prefs = new TBag(QStringLiteral("tolvopt.ini"), QStringLiteral("Edit Window"), this);
    Prefs->setObjectName(QStringLiteral("Prefs"));
    setWindowTitle(doc_->caption() + QLatin1String("[*]"));
    setWindowModified(doc_->isModified());
    txtHTML->releaseKeys(host_->frameShortcuts());
    buildMenus();

    connect(doc_, &HtmlDocument::modifiedChanged, this, [this](bool m) {
        setWindowModified(m);
        emit modifiedChanged(m);
    });
    connect(doc_, &HtmlDocument::captionChanged, this,
            [this](const QString &, const QString &caption) { setWindowTitle(caption + QLatin1String("[*]")); });
    connect(txtHTML, &TEditor::listItemDropped, this, [this] { host_->insertLastTagPair(); });
    connect(txtHTML, &TEditor::filesDropped, this, [this](const QStringList &p) { host_->openDroppedFiles(p); });
    txtHTML->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(txtHTML, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { PopupMenu1->popup(txtHTML->mapToGlobal(pos)); });
}

TfHTML::~TfHTML() = default;

void TfHTML::setCaption(const QString &caption)
{
    if (caption.isEmpty() || IsUntitled(caption)) {
        doc_->setPath(QString());
        doc_->setUntitledName(caption);
    } else {
        doc_->setPath(caption);
    }
}

void TfHTML::buildMenus()
{
    searchMenu_ = new QMenu(tr("&Search"), this);
    searchMenu_->setObjectName(QStringLiteral("MainMenu1"));
    auto *find = searchMenu_->addAction(tr("&Find"), this, &TfHTML::Find1Click);
    find->setObjectName(QStringLiteral("Find1"));
    find->setShortcut(QKeySequence(QStringLiteral("Ctrl+F")));
    find->setStatusTip(tr("Find text in the document"));
    findAgain_ = searchMenu_->addAction(tr("Find &Again"), this, &TfHTML::FindAgain1Click);
    findAgain_->setObjectName(QStringLiteral("FindAgain1"));
    findAgain_->setShortcut(QKeySequence(QStringLiteral("Ctrl+F3")));
    findAgain_->setStatusTip(tr("Find the last searched text again"));
    findAgain_->setEnabled(false);
    searchMenu_->addSeparator();
    auto *replace = searchMenu_->addAction(tr("&Replace"), this, &TfHTML::Replace1Click);
    replace->setObjectName(QStringLiteral("Replace1"));
    replace->setShortcut(QKeySequence(QStringLiteral("Ctrl+R")));
    replace->setStatusTip(tr("Replace text in the document"));
    // The keys work while this window has the focus, whether or not its menu is in the bar.
    for (QAction *a : {find, findAgain_, replace}) {
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(a);
    }

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    PopupMenu1->addAction(tr("&Undo"), this, &TfHTML::doUndo)->setObjectName(QStringLiteral("doUndo"));
    PopupMenu1->addAction(tr("&ReDo"), this, &TfHTML::ReDo1Click)->setObjectName(QStringLiteral("ReDo1"));
    PopupMenu1->addSeparator();
    PopupMenu1->addAction(tr("Repeat &Last Tag"), this, &TfHTML::RepeatLastTag1Click)
        ->setObjectName(QStringLiteral("RepeatLastTag1"));
    PopupMenu1->addSeparator();
    PopupMenu1->addAction(tr("Cu&t"), this, &TfHTML::Cut1Click)->setObjectName(QStringLiteral("Cut1"));
    PopupMenu1->addAction(tr("&Copy"), this, &TfHTML::Copy1Click)->setObjectName(QStringLiteral("Copy1"));
    PopupMenu1->addAction(tr("&Paste"), this, &TfHTML::Paste1Click)->setObjectName(QStringLiteral("Paste1"));
    PopupMenu1->addSeparator();
    PopupMenu1->addAction(tr("Find ..."), this, &TfHTML::Find1Click)->setObjectName(QStringLiteral("Find2"));
    PopupMenu1->addAction(tr("Replace ..."), this, &TfHTML::Replace1Click)->setObjectName(QStringLiteral("Replace2"));
}

bool TfHTML::saveTo(const QString &path)
{
    return DocumentPolicy::save(this, *doc_, path);
}

void TfHTML::checkDiskChange()
{
    // The questions may activate this window again.
    if (checkingDisk_)
        return;
    checkingDisk_ = true;
    DocumentPolicy::checkDiskChange(this, *doc_);
    checkingDisk_ = false;
}

void TfHTML::SetProperties()
{
    Prefs->Load();
    const int color = Prefs->GetInteger(QStringLiteral("Edit_Color"), ColorCode::WindowColor);
    txtHTML->setEditorColor(ColorCode::toColor(color));
    BagFont def;
    def.font = txtHTML->fixedFont();
    def.color = ColorCode::WindowTextColor;
    const BagFont f = Prefs->GetFont(QStringLiteral("Edit_Font"), def);
    TMegaRegistry &ini = host_->settings();
    txtHTML->setWordWrap(ini.readBool(Settings::WordWrap));
    txtHTML->setTabType(ini.readBool(Settings::SmartTabs)
                            ? TEditor::TabType::Smart
                            : TEditor::TabType::Real);
    const int tabSize = ini.readInt(Settings::TabSize);
    if (tabSize > 0)
        txtHTML->setTabWidth(tabSize);
    QFont font = txtHTML->fixedFont();
    font.setFamily(f.font.family());
    if (f.font.pointSize() > 0)
        font.setPointSize(f.font.pointSize());
    font.setBold(f.font.bold());
    font.setItalic(f.font.italic());
    txtHTML->setFixedFont(font, ColorCode::toColor(f.color));
}

void TfHTML::FormClose()
{
    if (closed_)
        return;
    closed_ = true;
    Prefs->PutInteger(QStringLiteral("Edit_Color"), ColorCode::fromColor(txtHTML->editorColor()));
    BagFont f;
    f.font = txtHTML->fixedFont();
    f.color = ColorCode::fromColor(txtHTML->fontColor());
    Prefs->PutFont(QStringLiteral("Edit_Font"), f);
    Prefs->Save();
}

void TfHTML::SetFocustoMe()
{
    host_->SelectTabName(caption());
}

void TfHTML::FormResize()
{
    if (host_->wordWrapChecked())
        txtHTML->setWrapReserve(2);
}

bool TfHTML::saveWithDialog()
{
    const QString name = Dialogs::instance().saveFile(this, tr("Save HTML Document As ..."), QString(), EditFilter,
                                                      QStringLiteral("htm"));
    if (name.isEmpty())
        return false;
    return saveTo(name);
}

bool TfHTML::askToSave()
{
    if (answered_ || !modified())
        return true;
    const auto answer =
        Dialogs::instance().ask(this, QStringLiteral("Save changes to : ") + caption(), true);
    if (answer == Dialogs::Answer::Cancel)
        return false;
    if (answer == Dialogs::Answer::Yes) {
        const bool saved = isUntitled() ? saveWithDialog() : saveTo(caption());
        if (!saved)
            return false; // cancelled or failed: the text stays, still modified
    }
    // A document whose user answered No is not asked again when the frame closes it.
    answered_ = true;
    return true;
}

bool TfHTML::FormQueryClose()
{
    if (!askToSave())
        return false;
    host_->RemovefromTabs(caption());
    return true;
}

void TfHTML::closeEvent(QCloseEvent *e)
{
    if (!FormQueryClose()) {
        e->ignore();
        return;
    }
    ErrorBoundary::run([this] { FormClose(); });
    QMdiSubWindow::closeEvent(e);
    emit closed(doc_);
}

void TfHTML::showEvent(QShowEvent *e)
{
    QMdiSubWindow::showEvent(e);
    // A broken font in the options file is reported; the window shows with the defaults.
    if (!e->spontaneous())
        ErrorBoundary::run([this] { SetProperties(); });
}

void TfHTML::resizeEvent(QResizeEvent *e)
{
    QMdiSubWindow::resizeEvent(e);
    FormResize();
}

void TfHTML::doUndo()
{
    txtHTML->undo();
}

void TfHTML::ReDo1Click()
{
    txtHTML->redo();
}

void TfHTML::Cut1Click()
{
    txtHTML->cut();
}

void TfHTML::Copy1Click()
{
    txtHTML->copy();
}

void TfHTML::Paste1Click()
{
    txtHTML->paste();
}

void TfHTML::Delete()
{
    if (txtHTML->hasSelectedText())
        txtHTML->removeSelectedText();
}

void TfHTML::RepeatLastTag1Click()
{
    // The remembered pair goes into the active document, as F4 does.
    host_->insertLastTagPair();
}

void TfHTML::Find1Click()
{
    if (!FindDialog1) {
        FindDialog1 = new FindDialog(this);
        connect(FindDialog1, &FindDialog::findNext, this, &TfHTML::doFind);
    }
    if (txtHTML->hasSelectedText() && !txtHTML->selectedText().contains(u'\n'))
        FindDialog1->setFindText(txtHTML->selectedText());
    else if (FindDialog1->findText().isEmpty())
        FindDialog1->setFindText(LastSearchText);
    FindDialog1->show();
    FindDialog1->raise();
    FindDialog1->activateWindow();
}

void TfHTML::doFind(const QString &text)
{
    if (FindDialog1)
        FindDialog1->hide();
    LastSearchText = text;
    if (txtHTML->findForward(text, false, false)) {
        findAgain_->setEnabled(true);
        if (mdiArea())
            mdiArea()->setActiveSubWindow(this);
        txtHTML->setFocus();
        if (FindDialog1)
            FindDialog1->show();
    } else {
        findAgain_->setEnabled(false);
        Dialogs::instance().message(this, QStringLiteral("Search string not found !"));
    }
}

void TfHTML::FindAgain1Click()
{
    if (txtHTML->findForward(LastSearchText, false, false)) {
        if (mdiArea())
            mdiArea()->setActiveSubWindow(this);
        txtHTML->setFocus();
    } else {
        findAgain_->setEnabled(false);
        Dialogs::instance().message(this, QStringLiteral("Search string not found !"));
    }
}

void TfHTML::Replace1Click()
{
    if (!ReplaceDialog1) {
        ReplaceDialog1 = new ReplaceDialog(this);
        connect(ReplaceDialog1, &ReplaceDialog::replaceRequested, this, &TfHTML::HandleReplace);
    }
    if (txtHTML->hasSelectedText() && !txtHTML->selectedText().contains(u'\n'))
        ReplaceDialog1->findEdit()->setText(txtHTML->selectedText());
    ReplaceDialog1->show();
    ReplaceDialog1->raise();
    ReplaceDialog1->activateWindow();
}

void TfHTML::HandleReplace(const QString &find, const QString &replacement, bool all, bool matchCase, bool wholeWord)
{
    const int n = txtHTML->replaceText(find, replacement, all, matchCase, wholeWord);
    if (n >= 1)
        host_->SetStatusText(QString::number(n) + QStringLiteral(" : occurences were replaced."));
    else
        host_->SetStatusText(QStringLiteral("Ready ..."));
}
