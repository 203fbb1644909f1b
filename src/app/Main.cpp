#include "Main.h"

#include "CommandRegistry.h"
#include "DocumentArea.h"
#include "DocumentManager.h"
#include "Editor.h"
#include "ErrorBoundary.h"
#include "Files.h"
#include "FrameState.h"
#include "HelpCommands.h"
#include "Megares.h"
#include "MenuExt.h"
#include "Recovery.h"
#include "SettingsTable.h"
#include "Startup.h"
#include "StatusPanels.h"
#include "TabStrip.h"
#include "TitleScreen.h"
#include "ToolWindows.h"
#include "WindowCommands.h"
#include "platform/AppPaths.h"
#include "platform/Dialogs.h"
#include "tags/Navigation.h"
#include "tags/TagEngine.h"
#include "tools/LivePreview.h"
#include "tools/Totd.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QProcess>
#include <QStatusTipEvent>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

namespace {
const QString Ready = QStringLiteral("Ready ...");

QString toolImagePath()
{
    return AppPaths::programFile(QStringLiteral("TolvImg"));
}

// The bookmark commands of the Tools menu: set and go to bookmarks 1 to 9.
struct BookmarkCommand {
    const char *set, *go;
};
constexpr BookmarkCommand bookmarkCommands[9] = {
    {"N110Click", "N111Click"}, {"N210Click", "N211Click"}, {"N34Click", "N35Click"},
    {"N41Click", "N42Click"},   {"N51Click", "N52Click"},   {"N61Click", "N62Click"},
    {"N71Click", "N72Click"},   {"N81Click", "N82Click"},   {"N91Click", "N92Click"},
};
} // namespace

TmdiMain::TmdiMain(const QStringList &arguments, QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("mdiMain"));
    setWindowTitle(QString::fromLatin1(Title));
    // Command-line names are taken from the folder the program was started in, before the
    // start-up folder becomes current.
    for (const QString &a : arguments)
        arguments_ << QFileInfo(a).absoluteFilePath();

    IniControl = new TMegaRegistry(QStringLiteral("Tolvenra HTML Editor Version 2"), QStringLiteral("Tolvenra Software"),
                                   QStringLiteral("TOLVENRA.INI"), this);
    IniControl->setObjectName(QStringLiteral("IniControl"));
    commands_ = new CommandRegistry(this);
    commands_->build();
    commands_->leaveEditingKeysToOtherWindows();

    manager_ = new DocumentManager(this);
    area_ = new DocumentArea(*manager_, *this, this);
    // File dialogs open beside the page being edited.
    Dialogs::setStartFolderSource([this] {
        const HtmlDocument *doc = manager_->active();
        return doc && !doc->isUntitled() ? QFileInfo(doc->path()).absolutePath() : QString();
    });
    TabSet1 = new TabStrip(this);
    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(area_, 1);
    layout->addWidget(TabSet1);
    setCentralWidget(central);

    panels_ = new StatusPanels(this, *this);
    state_ = new FrameState(this, *this, TabSet1);
    files_ = new FileCommands(*this, state_->recentFiles(), this);
    windowCommands_ = new WindowCommands(*area_, *TabSet1, commands_->menu(QStringLiteral("WindowMenu")), this);
    help_ = new HelpCommands(this);
    tags_ = new TagEngine(*this, this);
    navigation_ = new Navigation(*this, this);
    windows_ = new ToolWindows(*this, this);
    // Made after the document area, so it goes after the documents (a clean end removes their
    // copies).
    recovery_ = new RecoverySession([this](const QString &message) { SetStatusText(message); }, this);
    live_ = new LivePreview(*this, this);

    // The status bar shows a new user name at once.
    connect(IniControl, &TMegaRegistry::changed, this, [this](const QString &section, const QString &key) {
        if (section.compare(QLatin1String(Settings::UserName.section), Qt::CaseInsensitive) == 0 &&
            key.compare(QLatin1String(Settings::UserName.key), Qt::CaseInsensitive) == 0)
            panels_->showUserName();
    });
    connect(files_, &FileCommands::recentFilesChanged, state_, &FrameState::MRUDisplay);
    connect(manager_, &DocumentManager::created, recovery_, &RecoverySession::watch);
    connect(area_, &DocumentArea::windowCreated, this, &TmdiMain::watchWindow);
    connect(manager_, &DocumentManager::activated, this,
            [this](HtmlDocument *doc) { onDocumentActivated(doc ? area_->window(doc) : nullptr); });
    // Drop-down menus can be torn off into floating windows (a right click inside the menu).
    bpslMenuExt1 = new TbpslMenuExt(this, area_, commands_->menu(QStringLiteral("WindowMenu")));
    // Back from another program: the active document's file may have changed meanwhile.
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state == Qt::ApplicationActive)
            if (TfHTML *doc = activeDocument())
                doc->checkDiskChange();
    });

    bindCommands();
    // The program's own errors that no command catches are told to the user here.
    ErrorBoundary::setHandler([this](const QString &message) { AppException(message); });
    setAcceptDrops(true);
    resize(1024, 720);
    FormCreate();
}

TmdiMain::~TmdiMain()
{
    // The documents go with the document area after the frame's own parts: no more news of
    // their activation.
    disconnect(manager_, nullptr, this, nullptr);
    ErrorBoundary::setHandler(nullptr);
    Dialogs::setStartFolderSource(nullptr);
    Dialogs::setDefaultFolder(QString());
    // The tool windows (the preview's browser engine among them) go before the frame's parts
    // they use.
    windows_->destroyAll();
}

void TmdiMain::bindCommands()
{
    static constexpr CommandRegistry::Binding<TmdiMain> table[] = {
        {"FileExit", &TmdiMain::FileExit},
        {"EditUndo", &TmdiMain::EditUndo},
        {"EditRedoClick", &TmdiMain::EditRedoClick},
        {"EditCut", &TmdiMain::EditCut},
        {"EditCopy", &TmdiMain::EditCopy},
        {"EditPaste", &TmdiMain::EditPaste},
        {"EditDelete", &TmdiMain::EditDelete},
        {"HelpAbout", &TmdiMain::HelpAbout},
        {"ImageTools1Click", &TmdiMain::ImageTools1Click},
    };
    CommandRegistry &c = *commands_;
    c.bindAll(this, table);
    files_->bindCommands();
    state_->bindCommands();
    windowCommands_->bindCommands(c);
    help_->bindCommands(c);
    for (int n = 1; n <= 9; ++n) {
        c.bind(QString::fromLatin1(bookmarkCommands[n - 1].set), [this, n] {
            if (TfHTML *d = activeDocument())
                d->editor()->setBookmark(n);
        });
        c.bind(QString::fromLatin1(bookmarkCommands[n - 1].go), [this, n] {
            if (TfHTML *d = activeDocument())
                d->editor()->gotoBookmark(n);
        });
    }
    tags_->bindCatalogue(c);
    navigation_->bindCommands();
    registerToolWindows();
}

// The Edit menu acts on the active document window.
void TmdiMain::EditUndo() { if (TfHTML *d = activeDocument()) d->doUndo(); }
void TmdiMain::EditRedoClick() { if (TfHTML *d = activeDocument()) d->ReDo1Click(); }
void TmdiMain::EditCut() { if (TfHTML *d = activeDocument()) d->Cut1Click(); }
void TmdiMain::EditCopy() { if (TfHTML *d = activeDocument()) d->Copy1Click(); }
void TmdiMain::EditPaste() { if (TfHTML *d = activeDocument()) d->Paste1Click(); }
void TmdiMain::EditDelete() { if (TfHTML *d = activeDocument()) d->Delete(); }

void TmdiMain::HelpAbout()
{
    TAboutBox about(this);
    Dialogs::instance().exec(&about);
}

QList<QKeySequence> TmdiMain::frameShortcuts() const
{
    return commands_->shortcuts();
}

// ---- start-up and end -----------------------------------------------------------------------

void TmdiMain::FormCreate()
{
    // The application's hint, idle and error events: hints arrive as status-tip events (see
    // event()), errors through the application object, and idle needs no work.
    const QFileInfo tool(toolImagePath());
    if (QAction *a = commands_->action(QStringLiteral("ImageTools1Click")))
        a->setEnabled(tool.isFile() && tool.isExecutable());
    SetStatusText(Ready);
}

void TmdiMain::showEvent(QShowEvent *e)
{
    QMainWindow::showEvent(e);
    if (!started_)
        QTimer::singleShot(0, this, &TmdiMain::GetCommandLine);
}

void TmdiMain::GetCommandLine()
{
    if (started_)
        return;
    started_ = true;
    Startup(*this, *state_, *files_, *panels_, *recovery_).run(arguments_, earlyTitle_);
    earlyTitle_ = nullptr;
    emit started();
}

void TmdiMain::LoadIniSettings()
{
    state_->LoadIniSettings();
    panels_->showUserName();
}

void TmdiMain::doIniSettings() { state_->doIniSettings(); }
void TmdiMain::MRUDisplay() { state_->MRUDisplay(); }

void TmdiMain::DisplayTips()
{
    Startup(*this, *state_, *files_, *panels_, *recovery_).DisplayTips();
}

void TmdiMain::FileExit()
{
    // Settings that cannot be written are reported; the exit goes on.
    ErrorBoundary::run([this] { state_->saveAtExit(); });
    close();
}

void TmdiMain::closeEvent(QCloseEvent *e)
{
    // First every document is asked, first to last; one Cancel keeps everything open.
    const QList<TfHTML *> docs = documents();
    for (TfHTML *d : docs) {
        if (!d->askToSave()) {
            for (TfHTML *other : docs)
                other->clearAnswer();
            e->ignore();
            return;
        }
    }
    // Then the tool windows that hold unsaved data.
    if (!windows_->askToExit()) {
        for (TfHTML *other : docs)
            other->clearAnswer();
        e->ignore();
        return;
    }
    // Then each one closes; none asks again.
    for (TfHTML *d : docs)
        d->close();
    help_->close();
    windows_->closeAll();
    e->accept();
}

void TmdiMain::AppException(const QString &message)
{
    SetStatusText(QStringLiteral("An Internal Error was detected and corrected."));
    QApplication::beep();
    // Errors of the program's own kind carry a reason the user can act on (a settings file
    // that cannot be written, a broken font in the options file): say it.
    if (!message.isEmpty())
        Dialogs::instance().error(this, message);
}

// ---- status bar -----------------------------------------------------------------------------

void TmdiMain::SetStatusText(const QString &message) { panels_->SetStatusText(message); }
void TmdiMain::setStatusLine(const QString &text) { panels_->setStatusLine(text); }
QString TmdiMain::statusText() const { return panels_->statusText(); }
void TmdiMain::setLastTagPanel(const QString &text) { panels_->setLastTagPanel(text); }
void TmdiMain::ShowStatus() { panels_->ShowStatus(); }
void TmdiMain::AdjustControls() { panels_->AdjustControls(); }

bool TmdiMain::event(QEvent *e)
{
    // Hints of menu items and buttons show in the status line while the pointer rests on
    // them; when it leaves, the last status message comes back.
    if (e->type() == QEvent::StatusTip) {
        panels_->showTip(static_cast<QStatusTipEvent *>(e)->tip());
        return true;
    }
    return QMainWindow::event(e);
}

void TmdiMain::resizeEvent(QResizeEvent *e)
{
    QMainWindow::resizeEvent(e);
    panels_->AdjustControls();
}

// ---- documents ------------------------------------------------------------------------------

void TmdiMain::showHelpTopic(const QString &topic) { help_->showHelpTopic(topic); }
bool TmdiMain::wordWrapChecked() const { return state_->wordWrapChecked(); }
void TmdiMain::RemovefromTabs(const QString &name) { TabSet1->RemovefromTabs(name); }
void TmdiMain::SelectTabName(const QString &name) { TabSet1->SelectTabName(name); }
void TmdiMain::insertLastTagPair() { commands_->trigger(QStringLiteral("RepeatLastTag1Click")); }

TfHTML *TmdiMain::newDocumentFromText(const QString &text, const QString &caption)
{
    return files_->newFromText(text, caption);
}

TfHTML *TmdiMain::openDocument(const QString &path)
{
    return files_->OpenDocument(path);
}

void TmdiMain::watchWindow(TfHTML *doc)
{
    // The caret's position is shown soon after it moves, besides the regular refresh.
    connect(doc->editor(), &QsciScintilla::cursorPositionChanged, this, [this, doc] {
        if (doc == activeDocument())
            panels_->caretMoved();
    });
}

void TmdiMain::onDocumentActivated(TfHTML *doc)
{
    activateSearchMenu(doc);
    if (!doc)
        return;
    doc->SetFocustoMe();
    doc->checkDiskChange();
    state_->documentActivated(doc);
    ShowStatus();
    if (const QString note = StatusPanels::documentNote(doc); !note.isEmpty())
        SetStatusText(note);
}

void TmdiMain::activateSearchMenu(TfHTML *doc)
{
    QMenu *menu = doc ? doc->searchMenu() : nullptr;
    if (menu == mergedSearchMenu_)
        return;
    if (mergedSearchMenu_)
        menuBar()->removeAction(mergedSearchMenu_->menuAction());
    mergedSearchMenu_ = menu;
    if (menu)
        menuBar()->insertAction(commands_->menuAction(QStringLiteral("Insert1")), menu->menuAction());
}

void TmdiMain::ImageTools1Click()
{
    const QFileInfo tool(toolImagePath());
    if (tool.isFile() && tool.isExecutable())
        QProcess::startDetached(tool.absoluteFilePath(), {});
}

void TmdiMain::dragEnterEvent(QDragEnterEvent *e)
{
    if (e->mimeData()->hasUrls())
        e->acceptProposedAction();
}

void TmdiMain::dropEvent(QDropEvent *e)
{
    QStringList paths;
    for (const QUrl &u : e->mimeData()->urls())
        if (u.isLocalFile())
            paths << u.toLocalFile();
    if (paths.isEmpty())
        return;
    e->acceptProposedAction();
    openDroppedFiles(paths);
}

void TmdiMain::openDroppedFiles(const QStringList &paths)
{
    for (const QString &p : paths) {
        SetStatusText(QStringLiteral("Opening File : ") + p + QStringLiteral(" ..."));
        files_->OpenDocument(p);
    }
    SetStatusText(Ready);
}
