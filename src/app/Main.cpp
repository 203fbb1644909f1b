#include "Main.h"
#include "RecoveryWindow.h"
#include "tools/LivePreview.h"

#include "CommandRegistry.h"
#include "Editor.h"
#include "ErrorBoundary.h"
#include "Errors.h"
#include "Files.h"
#include "Guards.h"
#include "Megares.h"
#include "MenuExt.h"
#include "SettingsTable.h"
#include "TabStrip.h"
#include "TitleScreen.h"
#include "ToolWindows.h"
#include "tags/Navigation.h"
#include "tags/TagEngine.h"
#include "platform/AppPaths.h"
#include "platform/Dialogs.h"
#include "platform/HelpWindow.h"
#include "platform/Screens.h"
#include "tools/Totd.h"

#include <QAction>
#include <memory>
#include <QCheckBox>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMimeData>
#include <QUrl>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace {
const QString Ready = QStringLiteral("Ready ...");

// The frame's toolbars with their View menu items, toggle buttons and settings keys.
struct BarToggle {
    const char *handler, *menuItem, *bar, *button;
    const SettingKey *key;
};
constexpr BarToggle barToggles[] = {
    {"FileToolbar1Click", "FileToolbar1", "SpeedBar", "btnEditTog", &Settings::EditToolBar},
    {"TagsToolbar1Click", "TagsToolbar1", "TagsBar", "btnTagTog", &Settings::TagsToolBar},
    {"FormattingToolbar1Click", "FormattingToolbar1", "FormattingBar", "btnFmtTog", &Settings::FormatToolBar},
    {"TableToolbar1Click", "TableToolbar1", "TableToolBar", "btnTblTog", &Settings::TableToolBar},
    {"FormsToolbar1Click", "FormsToolbar1", "FormToolBar", "btnFormToolbar", &Settings::FormsToolBar},
    {"ListToolBarClick", "ListToolBar1", "ListToolBar", "btnListTog", &Settings::ListToolBar},
    {"DocumentTabs1Click", "DocumentTabs1", "TabSet1", "", &Settings::DocumentTabs},
};

QLabel *panel(QWidget *parent, const char *name, int width, const QString &hint)
{
    auto *l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    l->setLineWidth(1);
    l->setMargin(1);
    l->setToolTip(hint);
    l->setStatusTip(hint);
    if (width > 0) {
        // The widths were chosen for an 8-point system font; scale them with today's font.
        const int scaled = width * qMax(1, l->fontMetrics().averageCharWidth()) / 5;
        l->setFixedWidth(scaled);
    }
    return l;
}

QString toolImagePath()
{
    return AppPaths::programFile(QStringLiteral("TolvImg"));
}
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
    NetINI = new TMegaRegistry(QStringLiteral("Netscape"), QStringLiteral("Netscape Corp"),
                               QStringLiteral("netscape.ini"), this);
    NetINI->setObjectName(QStringLiteral("NetINI"));

    commands_ = new CommandRegistry(this);
    commands_->build();
    files_ = new FileCommands(*this);
    tags_ = new TagEngine(*this, this);
    navigation_ = new Navigation(*this, this);
    windows_ = new ToolWindows(*this, this);
    // The status bar shows a new user name at once.
    connect(IniControl, &TMegaRegistry::changed, this, [this](const QString &section, const QString &key) {
        if (section.compare(QLatin1String(Settings::UserName.section), Qt::CaseInsensitive) == 0 &&
            key.compare(QLatin1String(Settings::UserName.key), Qt::CaseInsensitive) == 0)
            pnlApp->setText(userName());
    });

    mdiArea_ = new QMdiArea(this);
    mdiArea_->setObjectName(QStringLiteral("MDIClient"));
    mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // Made after the MDI area, so it goes after the documents (a clean end removes their copies).
    recovery_ = new RecoverySession([this](const QString &message) { SetStatusText(message); }, this);
    live_ = new LivePreview(*this, this);
    TabSet1 = new TabStrip(this);
    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(mdiArea_, 1);
    layout->addWidget(TabSet1);
    setCentralWidget(central);
    buildStatusBar();

    connect(mdiArea_, &QMdiArea::subWindowActivated, this,
            [this](QMdiSubWindow *w) { onDocumentActivated(qobject_cast<TfHTML *>(w)); });
    connect(TabSet1, &TabStrip::tabChosen, this, &TmdiMain::DisplayTabName);
    connect(commands_->menu(QStringLiteral("WindowMenu")), &QMenu::aboutToShow, this, &TmdiMain::fillWindowMenu);
    // Drop-down menus can be torn off into floating windows (a right click inside the menu).
    bpslMenuExt1 = new TbpslMenuExt(this, mdiArea_, commands_->menu(QStringLiteral("WindowMenu")));
    // Back from another program: the active document's file may have changed meanwhile.
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state == Qt::ApplicationActive)
            if (TfHTML *doc = activeDocument())
                doc->checkDiskChange();
    });

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(2000);
    connect(Timer1, &QTimer::timeout, this, &TmdiMain::Timer1Timer);
    Timer1->start();
    statusSoon_ = new QTimer(this);
    statusSoon_->setSingleShot(true);
    statusSoon_->setInterval(100);
    connect(statusSoon_, &QTimer::timeout, this, &TmdiMain::ShowStatus);

    bindCommands();
    // The program's own errors that no command catches are told to the user here.
    ErrorBoundary::setHandler([this](const QString &message) { AppException(message); });
    setAcceptDrops(true);
    resize(1024, 720);
    FormCreate();
}

TmdiMain::~TmdiMain()
{
    // The documents go with the MDI area after the frame's own parts: no more activation news.
    disconnect(mdiArea_, nullptr, this, nullptr);
    ErrorBoundary::setHandler(nullptr);
    // The tool windows (the preview's browser engine among them) go before the frame's parts
    // they use.
    windows_->destroyAll();
}

void TmdiMain::buildStatusBar()
{
    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    StatusLine = panel(Panel1, "StatusLine", 0, QString());
    // The status line and the last-tag panel share what the fixed panels leave, the status
    // line the larger part (menu hints show there); both can shrink, so narrow frames keep
    // every panel.
    StatusLine->setMinimumWidth(StatusLine->fontMetrics().horizontalAdvance(QStringLiteral("Ready ...")) + 60);
    StatusLine->setStatusTip(QString());
    pnlMode = panel(Panel1, "pnlMode", 65, QStringLiteral("Current Editing Mode"));
    pnlPos = panel(Panel1, "pnlPos", 52, QStringLiteral("Current Position"));
    pnlSize = panel(Panel1, "pnlSize", 72, QStringLiteral("Files Size in Bytes"));
    pnlSize->setFixedWidth(pnlSize->fontMetrics().horizontalAdvance(QStringLiteral("Bytes: 99999999")) + 12);
    pnlPos->setFixedWidth(pnlPos->fontMetrics().horizontalAdvance(QStringLiteral("999999:9999")) + 12);
    pnlApp = panel(Panel1, "pnlApp", 110, QStringLiteral("Your User Name"));
    pnlTag = panel(Panel1, "pnlTag", 0, QStringLiteral("Last Tag inserted - to reuse press \"F4\""));
    pnlTag->setMinimumWidth(pnlTag->fontMetrics().horizontalAdvance(QStringLiteral("<B> : </B>")) + 12);
    for (QLabel *l : {StatusLine, pnlTag})
        l->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    pnlEncoding = panel(Panel1, "pnlEncoding", 0, QStringLiteral("Encoding and line endings of the file"));
    pnlEncoding->setMinimumWidth(pnlEncoding->fontMetrics().horizontalAdvance(QStringLiteral("Windows-1252, CR LF")) + 12);
    pnlEncoding->setAlignment(Qt::AlignCenter);
    for (QLabel *l : {pnlMode, pnlPos, pnlSize, pnlApp})
        l->setAlignment(Qt::AlignCenter);
    StatusLine->setTextFormat(Qt::PlainText);
    pnlTag->setTextFormat(Qt::PlainText);
    auto *row = new QHBoxLayout(Panel1);
    row->setContentsMargins(2, 2, 2, 2);
    row->setSpacing(2);
    row->addWidget(StatusLine, 4);
    row->addWidget(pnlMode);
    row->addWidget(pnlPos);
    row->addWidget(pnlSize);
    row->addWidget(pnlApp);
    row->addWidget(pnlTag, 1);
    row->addWidget(pnlEncoding);
    // The fixed panels' widths as chosen; a narrow frame narrows them in proportion.
    for (QLabel *l : {pnlMode, pnlPos, pnlSize, pnlApp, pnlEncoding})
        l->setProperty("chosenWidth", qMax(l->minimumWidth(), l->sizeHint().width()));
    Panel1->installEventFilter(this);
    statusBar()->addWidget(Panel1, 1);
    statusBar()->setSizeGripEnabled(true);
}

void TmdiMain::bindCommands()
{
    CommandRegistry &c = *commands_;
    FileCommands *f = files_;
    c.bind(QStringLiteral("FileNew"), [f] { f->FileNew(); });
    c.bind(QStringLiteral("FileOpen"), [f] { f->FileOpen(); });
    c.bind(QStringLiteral("FileSave"), [f] { f->FileSave(); });
    c.bind(QStringLiteral("FileSaveAs"), [f] { f->FileSaveAs(); });
    c.bind(QStringLiteral("FileCloseChild"), [f] { f->FileCloseChild(); });
    c.bind(QStringLiteral("CloseAll1Click"), [f] { f->CloseAll1Click(); });
    c.bind(QStringLiteral("FilePrint"), [f] { f->FilePrint(); });
    c.bind(QStringLiteral("FilePrintSetup"), [f] { f->FilePrintSetup(); });
    c.bind(QStringLiteral("EditClear"), [f] { f->EditClear(); });
    c.bind(QStringLiteral("InsertFile1Click"), [f] { f->InsertFile1Click(); });
    c.bind(QStringLiteral("ExportasText1Click"), [f] { f->ExportasText1Click(); });
    c.bindWithSender(QStringLiteral("MRUOpenChild"), [f](QAction *a) {
        f->MRUOpenChild(a ? a->objectName().mid(3).toInt() - 1 : 0);
    });
    c.bind(QStringLiteral("FileExit"), [this] { FileExit(); });

    c.bind(QStringLiteral("EditUndo"), [this] { editCommand(&TfHTML::doUndo); });
    c.bind(QStringLiteral("EditRedoClick"), [this] { editCommand(&TfHTML::ReDo1Click); });
    c.bind(QStringLiteral("EditCut"), [this] { editCommand(&TfHTML::Cut1Click); });
    c.bind(QStringLiteral("EditCopy"), [this] { editCommand(&TfHTML::Copy1Click); });
    c.bind(QStringLiteral("EditPaste"), [this] { editCommand(&TfHTML::Paste1Click); });
    c.bind(QStringLiteral("EditDelete"), [this] { editCommand(&TfHTML::Delete); });

    static const char *const setMarks[9] = {"N110Click", "N210Click", "N34Click", "N41Click", "N51Click",
                                            "N61Click", "N71Click", "N81Click", "N91Click"};
    static const char *const gotoMarks[9] = {"N111Click", "N211Click", "N35Click", "N42Click", "N52Click",
                                             "N62Click", "N72Click", "N82Click", "N92Click"};
    for (int n = 1; n <= 9; ++n) {
        c.bind(QString::fromLatin1(setMarks[n - 1]), [this, n] {
            if (TfHTML *d = activeDocument())
                d->editor()->setBookmark(n);
        });
        c.bind(QString::fromLatin1(gotoMarks[n - 1]), [this, n] {
            if (TfHTML *d = activeDocument())
                d->editor()->gotoBookmark(n);
        });
    }

    for (const BarToggle &t : barToggles)
        c.bind(QString::fromLatin1(t.handler), [this, t] {
            toggleBar(QString::fromLatin1(t.bar), QString::fromLatin1(t.menuItem), QString::fromLatin1(t.button));
        });
    c.bind(QStringLiteral("WordWrap1Click"), [this] { WordWrap1Click(); });
    c.bind(QStringLiteral("SmartTabs1Click"), [this] { SmartTabs1Click(); });
    c.bind(QStringLiteral("WindowTile"), [this] { WindowTile(); });
    c.bind(QStringLiteral("WindowCascade"), [this] { WindowCascade(); });
    c.bind(QStringLiteral("WindowArrange"), [this] { WindowArrange(); });
    c.bind(QStringLiteral("HelpContents"), [this] { HelpContents(); });
    c.bind(QStringLiteral("HelpSearch"), [this] { HelpSearch(); });
    c.bind(QStringLiteral("HelpHowToUse"), [this] { HelpHowToUse(); });
    c.bind(QStringLiteral("HTMLPrimer1Click"), [this] { HTMLPrimer1Click(); });
    tags_->bindCatalogue(c);
    navigation_->bindCommands();
    registerToolWindows();
    c.bind(QStringLiteral("HelpAbout"), [this] {
        TAboutBox about(this);
        Dialogs::instance().exec(&about);
    });
    c.bind(QStringLiteral("ImageTools1Click"), [this] { ImageTools1Click(); });
}

void TmdiMain::editCommand(void (TfHTML::*fn)())
{
    if (TfHTML *d = activeDocument())
        (d->*fn)();
}

QList<QKeySequence> TmdiMain::frameShortcuts() const
{
    return commands_->shortcuts();
}

// ---- start-up -------------------------------------------------------------------------------

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
    helpFolder_ = AppPaths::programFile(QStringLiteral("help"));

    // The title screen may already be up, shown by the program's entry before the frame was
    // built; here it waits to be answered.
    std::unique_ptr<TitleScreen> own;
    TitleScreen *title = earlyTitle_;
    if (!title) {
        own = std::make_unique<TitleScreen>(this);
        title = own.get();
    }
    Dialogs::instance().exec(title);
    if (earlyTitle_) {
        earlyTitle_->deleteLater();
        earlyTitle_ = nullptr;
    }

    // Said once: a settings file that cannot be written does not stop the program (nor its
    // exit); this session's settings are kept in memory only.
    QString why;
    if (!IniControl->canWrite(&why)) {
        IniControl->setMemoryOnly(true);
        Dialogs::instance().error(this, QStringLiteral("The settings cannot be saved to %1.\n\n%2\n\n"
                                                       "The program works as usual, but the settings of this "
                                                       "session will not be kept.")
                                            .arg(IniControl->filePath(), why));
    }
    LoadIniSettings();
    if (IniControl->readBool(Settings::OpenTemplate))
        files_->FileNew();
    for (const QString &arg : std::as_const(arguments_)) {
        SetStatusText(QStringLiteral("Opening File : ") + arg + QStringLiteral(" ..."));
        files_->OpenDocument(arg);
        SetStatusText(Ready);
    }
    AdjustControls();
    // Unsaved work that a crash left behind is offered before anything else is asked.
    TfRecovery::offer(*recovery_, *this);
    if (IniControl->readBool(Settings::Tips))
        DisplayTips();

    QString dir = IniControl->read(Settings::StartupDirectory);
    if (dir.isEmpty())
        dir = AppPaths::programFolder() + QLatin1Char('/');
    if (dir.endsWith(u'\\') || (dir.endsWith(u'/') && dir.size() > 1))
        dir.chop(1);
    if (QFileInfo(dir).isDir())
        QDir::setCurrent(dir);
    if (const QString note = documentNote(activeDocument()); !note.isEmpty())
        SetStatusText(note);
    emit started();
}

void TmdiMain::LoadIniSettings()
{
    SetStatusText(QStringLiteral("Retrieving Application Settings ..."));
    pnlApp->setText(userName());

    if (IniControl->readInt(Settings::MdiState) != 0) {
        setWindowState(Qt::WindowMaximized);
    } else {
        setWindowState(Qt::WindowNoState);
        // Bounds from another screen layout that no screen shows are not applied; others are
        // fitted to the screen.
        const QRect r = Screens::fit(IniControl->readInt(Settings::MdiLeft), IniControl->readInt(Settings::MdiTop),
                                     IniControl->readInt(Settings::MdiWidth), IniControl->readInt(Settings::MdiHeight));
        if (!r.isNull())
            setGeometry(r);
    }

    for (const BarToggle &t : barToggles)
        setBarShown(QString::fromLatin1(t.bar), QString::fromLatin1(t.menuItem), QString::fromLatin1(t.button),
                    IniControl->readBool(*t.key));

    mru_ = RecentFiles();
    for (int i = 0; i < RecentFiles::Size; ++i)
        mru_.append(IniControl->ReadString(QLatin1String(Settings::RecentFilesSection), QString::number(i), QString()));
    MRUDisplay();
    SetStatusText(Ready);
}

void TmdiMain::doIniSettings()
{
    StatusGuard status(*this, QStringLiteral("Writing Application Settings ..."));
    // One replace of the file for all of them.
    TMegaRegistry::Batch batch(*IniControl);
    IniControl->write(Settings::ProgramName, QString::fromLatin1(AppInfo::Title));
    IniControl->write(Settings::ProgramVersion, QString::fromLatin1(AppInfo::Version));
    IniControl->write(Settings::ProgramAuthor, QString::fromLatin1(AppInfo::Author));

    const int state = isMaximized() ? 2 : isMinimized() ? 1 : 0;
    IniControl->writeInt(Settings::MdiState, state);
    if (state == 0) {
        // The same rectangle the start-up gives back with setGeometry: the window's inside,
        // not its frame, so the place does not creep up by a title bar each run.
        const QRect r = geometry();
        IniControl->writeInt(Settings::MdiWidth, r.width());
        IniControl->writeInt(Settings::MdiHeight, r.height());
        IniControl->writeInt(Settings::MdiTop, r.y());
        IniControl->writeInt(Settings::MdiLeft, r.x());
    }
    for (const BarToggle &t : barToggles)
        IniControl->writeBool(*t.key, commands_->action(QString::fromLatin1(t.handler))->isChecked());
    batch.commit();
}

void TmdiMain::DisplayTips()
{
    TfTipOfTheDay tips(this);
    tips.showAtStartup()->setChecked(true);
    Dialogs::instance().exec(&tips);
    if (!tips.showAtStartup()->isChecked())
        ErrorBoundary::run([this] { IniControl->writeBool(Settings::Tips, false); });
}

void TmdiMain::FileExit()
{
    // Settings that cannot be written are reported; the exit goes on.
    ErrorBoundary::run([this] {
        TMegaRegistry::Batch batch(*IniControl);
        doIniSettings();
        for (int i = 0; i < RecentFiles::Size; ++i)
            IniControl->WriteString(QLatin1String(Settings::RecentFilesSection), QString::number(i), mru_.entry(i));
        batch.commit();
    });
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
    if (help_)
        help_->close();
    windows_->closeAll();
    e->accept();
}

// ---- status line ----------------------------------------------------------------------------

void TmdiMain::SetStatusText(const QString &message)
{
    statusMessage_ = QStringLiteral("   ") + message;
    setStatusLine(statusMessage_);
}

void TmdiMain::setStatusLine(const QString &text)
{
    if (StatusLine->text() == text)
        return;
    StatusLine->setText(text);
    ++statusLineWrites_;
}

QString TmdiMain::userName() const
{
    return IniControl->read(Settings::UserName);
}

void TmdiMain::setLastTagPanel(const QString &text)
{
    pnlTag->setText(text);
}

QString TmdiMain::lastTagPanel() const
{
    return pnlTag->text();
}

QString TmdiMain::statusText() const
{
    return StatusLine->text();
}

bool TmdiMain::event(QEvent *e)
{
    // Hints of menu items and buttons show in the status line while the pointer rests on
    // them; when it leaves, the last status message comes back.
    if (e->type() == QEvent::StatusTip) {
        const QString tip = static_cast<QStatusTipEvent *>(e)->tip();
        setStatusLine(tip.isEmpty() ? statusMessage_ : tip);
        return true;
    }
    return QMainWindow::event(e);
}

void TmdiMain::ShowStatus()
{
    TfHTML *doc = activeDocument();
    if (!doc)
        return;
    TEditor *ed = doc->editor();
    int line = 0, col = 0;
    ed->caretLineCol(&line, &col);
    pnlPos->setText(QStringLiteral("%1:%2").arg(line).arg(col));
    pnlSize->setText(QStringLiteral("Bytes: ") + QString::number(ed->textSize() - qint64(ed->displayBreaks().size())));
    pnlMode->setText(ed->overwriteMode() ? QStringLiteral("Overwrite") : QStringLiteral("Insert"));
    pnlApp->setText(userName());
    const TextFile::Format &f = doc->document().format();
    // A declared charset that could not be used is said beside the one the text was read in.
    const QString note = doc->document().readNote();
    const QByteArray unread = doc->document().unreadCharset();
    pnlEncoding->setText(TextFile::encodingName(f) + (f.bom ? QStringLiteral(" BOM") : QString()) +
                         (unread.isEmpty() ? QString() : QStringLiteral(" (not %1)").arg(QString::fromLatin1(unread))) +
                         QStringLiteral(", ") + TextFile::eolName(f.eol));
    pnlEncoding->setToolTip(note.isEmpty() ? QStringLiteral("Encoding and line endings of the file") : note);
}

void TmdiMain::AdjustControls()
{
    // The status line and the last-tag panel share the rest of the status bar through their
    // stretch; when the bar is too narrow for the fixed panels as well, those give up width
    // in proportion (to a third at most), so that no two panels overlap.
    const QList<QLabel *> fixed = {pnlMode, pnlPos, pnlSize, pnlApp, pnlEncoding};
    int wanted = 0;
    for (QLabel *l : fixed)
        wanted += l->property("chosenWidth").toInt();
    const QMargins m = Panel1->layout()->contentsMargins();
    const int spacing = Panel1->layout()->spacing() * 6;
    const int room = Panel1->width() - m.left() - m.right() - spacing - StatusLine->minimumWidth() - pnlTag->minimumWidth();
    const double scale = wanted <= 0 || room >= wanted ? 1.0 : qMax(1.0 / 3, double(room) / wanted);
    for (QLabel *l : fixed) {
        const int w = int(l->property("chosenWidth").toInt() * scale);
        if (l->width() != w || l->minimumWidth() != w)
            l->setFixedWidth(w);
    }
    Panel1->layout()->activate();
}

bool TmdiMain::eventFilter(QObject *watched, QEvent *e)
{
    if (watched == Panel1 && e->type() == QEvent::Resize)
        AdjustControls();
    return QMainWindow::eventFilter(watched, e);
}

void TmdiMain::resizeEvent(QResizeEvent *e)
{
    QMainWindow::resizeEvent(e);
    AdjustControls();
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

// ---- toolbars and view toggles --------------------------------------------------------------

void TmdiMain::setBarShown(const QString &barName, const QString &menuItem, const QString &button, bool on)
{
    if (QAction *m = findChild<QAction *>(menuItem))
        m->setChecked(on);
    if (!button.isEmpty())
        if (QAction *b = findChild<QAction *>(button))
            b->setChecked(on);
    if (barName == QLatin1String("TabSet1"))
        TabSet1->setVisible(on);
    else if (QToolBar *bar = commands_->toolBar(barName))
        bar->setVisible(on);
}

void TmdiMain::toggleBar(const QString &barName, const QString &menuItem, const QString &button)
{
    QAction *m = findChild<QAction *>(menuItem);
    setBarShown(barName, menuItem, button, m ? !m->isChecked() : true);
}

void TmdiMain::FileToolbar1Click() { commands_->trigger(QStringLiteral("FileToolbar1Click")); }
void TmdiMain::TagsToolbar1Click() { commands_->trigger(QStringLiteral("TagsToolbar1Click")); }
void TmdiMain::FormattingToolbar1Click() { commands_->trigger(QStringLiteral("FormattingToolbar1Click")); }
void TmdiMain::TableToolbar1Click() { commands_->trigger(QStringLiteral("TableToolbar1Click")); }
void TmdiMain::FormsToolbar1Click() { commands_->trigger(QStringLiteral("FormsToolbar1Click")); }
void TmdiMain::ListToolBarClick() { commands_->trigger(QStringLiteral("ListToolBarClick")); }
void TmdiMain::DocumentTabs1Click() { commands_->trigger(QStringLiteral("DocumentTabs1Click")); }

bool TmdiMain::wordWrapChecked() const
{
    return commands_->action(QStringLiteral("WordWrap1Click"))->isChecked();
}

void TmdiMain::WordWrap1Click()
{
    TfHTML *doc = activeDocument();
    if (!doc)
        return;
    const bool on = !doc->editor()->wordWrap();
    doc->editor()->setWordWrap(on, true);
    commands_->action(QStringLiteral("WordWrap1Click"))->setChecked(on);
    IniControl->writeBool(Settings::WordWrap, on);
    doc->FormResize();
}

void TmdiMain::SmartTabs1Click()
{
    TfHTML *doc = activeDocument();
    if (!doc)
        return;
    const bool on = !doc->editor()->autoIndent();
    doc->editor()->setAutoIndent(on);
    commands_->action(QStringLiteral("SmartTabs1Click"))->setChecked(on);
    IniControl->writeBool(Settings::SmartTabs, on);
}

// ---- help -----------------------------------------------------------------------------------

HelpWindow *TmdiMain::help()
{
    if (!help_) {
        help_ = new HelpWindow(this);
        if (helpFolder_.isEmpty())
            helpFolder_ = AppPaths::programFile(QStringLiteral("help"));
    }
    help_->setHelpFolder(helpFolder_);
    return help_;
}

void TmdiMain::HelpContents() { help()->showContents(); }

void TmdiMain::showHelpTopic(const QString &topic)
{
    HelpContents();
    if (!topic.isEmpty())
        help_->showTopic(topic);
}
void TmdiMain::HelpSearch() { help()->showSearch(QString()); }
void TmdiMain::HelpHowToUse() { help()->showHelpOnHelp(); }

void TmdiMain::HTMLPrimer1Click()
{
    // The primer is a help file of its own; the program's help comes back afterwards.
    const QString own = helpFolder_.isEmpty() ? AppPaths::programFile(QStringLiteral("help")) : helpFolder_;
    helpFolder_ = own + QLatin1String("/primer");
    help()->showContents();
    helpFolder_ = own;
}

void TmdiMain::ImageTools1Click()
{
    const QFileInfo tool(toolImagePath());
    if (tool.isFile() && tool.isExecutable())
        QProcess::startDetached(tool.absoluteFilePath(), {});
}

// ---- documents, tabs and windows ------------------------------------------------------------

TfHTML *TmdiMain::activeDocument() const
{
    return qobject_cast<TfHTML *>(mdiArea_->currentSubWindow());
}

QList<TfHTML *> TmdiMain::documents() const
{
    QList<TfHTML *> out;
    for (QMdiSubWindow *w : mdiArea_->subWindowList(QMdiArea::CreationOrder))
        if (auto *d = qobject_cast<TfHTML *>(w))
            out << d;
    return out;
}

TfHTML *TmdiMain::createDocument()
{
    auto *doc = new TfHTML(this);
    mdiArea_->addSubWindow(doc);
    recovery_->watch(doc);
    // The caret's position is shown soon after it moves, besides the regular refresh: at most
    // one refresh in 100 ms, so typing and holding an arrow key cost nothing extra.
    connect(doc->editor(), &QsciScintilla::cursorPositionChanged, this, [this, doc] {
        if (doc == activeDocument() && !statusSoon_->isActive())
            statusSoon_->start();
    });
    const QSize area = mdiArea_->viewport()->size();
    if (area.width() > 200 && area.height() > 150)
        doc->resize(area.width() * 3 / 4, area.height() * 3 / 4);
    else
        doc->resize(720, 480);
    // New windows step down from the top left corner, as a cascade does.
    const int step = 26 * (int(mdiArea_->subWindowList().size() - 1) % 8);
    if (!doc->isMaximized())
        doc->move(step, step);
    lastCreated_ = doc;
    return doc;
}

TfHTML *TmdiMain::newDocumentFromText(const QString &text, const QString &caption)
{
    return files_->newFromText(text, caption);
}

TfHTML *TmdiMain::openDocument(const QString &path)
{
    return files_->OpenDocument(path);
}

void TmdiMain::onDocumentActivated(TfHTML *doc)
{
    activateSearchMenu(doc);
    live_->documentActivated(doc);
    if (!doc)
        return;
    doc->SetFocustoMe();
    doc->checkDiskChange();
    commands_->action(QStringLiteral("WordWrap1Click"))->setChecked(doc->editor()->wordWrap());
    commands_->action(QStringLiteral("SmartTabs1Click"))->setChecked(doc->editor()->autoIndent());
    ShowStatus();
    if (const QString note = documentNote(doc); !note.isEmpty())
        SetStatusText(note);
}

QString TmdiMain::documentNote(const TfHTML *doc)
{
    if (!doc)
        return {};
    if (doc->editor()->hasDisplayBreaks())
        return LongLinesNote;
    return doc->editor()->largeDocument() ? LargeDocumentNote : QString();
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

void TmdiMain::RemovefromTabs(const QString &name)
{
    TabSet1->RemovefromTabs(name);
}

void TmdiMain::SelectTabName(const QString &name)
{
    TabSet1->SelectTabName(name);
}

void TmdiMain::DisplayTabName(const QString &name)
{
    for (TfHTML *d : documents())
        if (d->caption() == name) {
            mdiArea_->setActiveSubWindow(d);
            d->editor()->setFocus();
        }
}

void TmdiMain::MRUDisplay()
{
    for (int i = 1; i <= RecentFiles::Size; ++i) {
        QAction *a = findChild<QAction *>(QStringLiteral("MRU%1").arg(i));
        const QString entry = mru_.entry(i - 1);
        a->setText(QStringLiteral("&%1 ").arg(i) + entry);
        a->setVisible(!entry.isEmpty());
    }
    if (QAction *sep = findChild<QAction *>(QStringLiteral("MRUSeparator")))
        sep->setVisible(!mru_.entry(0).isEmpty());
}

void TmdiMain::WindowTile() { mdiArea_->tileSubWindows(); }
void TmdiMain::WindowCascade()
{
    // Each document at two thirds of the area, one title bar's step down and right from the
    // one before; the active one ends on top.
    const QSize area = mdiArea_->viewport()->size();
    const QSize size(qMax(area.width() * 2 / 3, qMin(area.width(), 400)), qMax(area.height() * 2 / 3, qMin(area.height(), 300)));
    TfHTML *active = activeDocument();
    int step = 0;
    for (TfHTML *d : documents()) {
        if (d->isMinimized() || d->isHidden())
            continue;
        d->showNormal();
        d->resize(size);
        const int offset = 26 * step;
        if (offset + size.width() > area.width() || offset + size.height() > area.height())
            step = 0;
        d->move(26 * step, 26 * step);
        d->raise();
        ++step;
    }
    if (active) {
        active->raise();
        mdiArea_->setActiveSubWindow(active);
    }
}

void TmdiMain::WindowArrange()
{
    // Minimised documents line up along the bottom of the frame's client area.
    const QList<TfHTML *> docs = documents();
    int x = 0;
    const int bottom = mdiArea_->viewport()->height();
    for (TfHTML *d : docs)
        if (d->isMinimized()) {
            d->move(x, bottom - d->height());
            x += d->width();
        }
}

void TmdiMain::fillWindowMenu()
{
    QMenu *menu = commands_->menu(QStringLiteral("WindowMenu"));
    for (QAction *a : menu->actions())
        if (a->property("windowListItem").toBool()) {
            menu->removeAction(a);
            a->deleteLater();
        }
    const QList<TfHTML *> docs = documents();
    if (docs.isEmpty())
        return;
    QAction *sep = menu->addSeparator();
    sep->setProperty("windowListItem", true);
    int n = 0;
    for (TfHTML *d : docs) {
        ++n;
        QAction *a = menu->addAction(QStringLiteral("&%1 %2").arg(n).arg(d->caption()));
        a->setProperty("windowListItem", true);
        // Only the active document carries a check; the others show no box.
        a->setCheckable(d == activeDocument());
        a->setChecked(d == activeDocument());
        connect(a, &QAction::triggered, this, [this, d] { mdiArea_->setActiveSubWindow(d); });
    }
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

void TmdiMain::insertLastTagPair()
{
    commands_->trigger(QStringLiteral("RepeatLastTag1Click"));
}

void TmdiMain::openDroppedFiles(const QStringList &paths)
{
    for (const QString &p : paths) {
        SetStatusText(QStringLiteral("Opening File : ") + p + QStringLiteral(" ..."));
        files_->OpenDocument(p);
    }
    SetStatusText(Ready);
}
