#include "Preview.h"

#include "FontForm.h"
#include "Totd.h"
#include "app/FindDialogs.h"
#include "app/Ubag.h"
#include "platform/AppPaths.h"
#include "platform/Dialogs.h"
#include "platform/HtmlViewer.h"

#include <QApplication>
#include <QAudioDevice>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMediaDevices>
#include <QMenuBar>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QShortcut>
#include <QShowEvent>
#include <QSoundEffect>
#include "platform/MediaBar.h"
#include <QStatusBar>
#include <QVBoxLayout>

namespace {
const QString Caption = QStringLiteral("Tolvenra Preview");
const QString CaptionPrefix = QStringLiteral("Tolvenra Preview : ");
} // namespace

std::function<void(const QString &)> &TfPreview::soundPlayer()
{
    static std::function<void(const QString &)> play = [](const QString &file) {
        // Without a sound device a sound link is taken and ignored, without a message.
        if (QMediaDevices::defaultAudioOutput().isNull())
            return;
        static QSoundEffect *effect = nullptr;
        if (!effect)
            effect = new QSoundEffect(qApp);
        effect->stop();
        effect->setSource(QUrl::fromLocalFile(file));
        effect->play();
    };
    return play;
}

std::function<bool(const QString &)> &TfPreview::programStarter()
{
    static std::function<bool(const QString &)> start = [](const QString &commandLine) {
        QStringList words = QProcess::splitCommand(commandLine);
        if (words.isEmpty())
            return false;
        const QString program = words.takeFirst();
        return QProcess::startDetached(program, words);
    };
    return start;
}

TfPreview::TfPreview(const QStringList &arguments, QWidget *parent)
    : QMainWindow(parent), arguments_(arguments), fontColor_(ColorCode::ButtonTextColor),
      hotSpotColor_(0xFF0000), background_(ColorCode::ButtonFaceColor)
{
    setObjectName(QStringLiteral("fPreview"));
    setWindowTitle(Caption);
    setAttribute(Qt::WA_DeleteOnClose, false);
    openFolder_ = AppPaths::programFolder();

    Viewer = new HtmlViewer(this);
    Viewer->setObjectName(QStringLiteral("Viewer"));
    Viewer->setHistoryMaxCount(HistoryEntries);
    Viewer->setDefFontName(QStringLiteral("Times New Roman"));
    Viewer->setDefPreFontName(QStringLiteral("Courier New"));
    Viewer->setDefFontSize(12);
    Viewer->setDefFontColor(ColorCode::toColor(fontColor_));
    Viewer->setDefHotSpotColor(ColorCode::toColor(hotSpotColor_));
    Viewer->setDefBackground(ColorCode::toColor(background_));
    Viewer->setHotSpotClickHandler([this](const QString &target) { return HotSpotClick(target); });
    connect(Viewer, &HtmlViewer::historyChanged, this, &TfPreview::HistoryChange);
    connect(Viewer, &HtmlViewer::hotSpotChanged, this, &TfPreview::HotSpotChange);
    connect(Viewer, &HtmlViewer::pageLoaded, this, &TfPreview::onPageLoaded);

    auto button = [this](const char *name, const QString &text) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        return b;
    };
    BackButton = button("BackButton", tr("&Back"));
    FwdButton = button("FwdButton", tr("&Forward"));
    Reload = button("Reload", tr("&Reload"));
    btnClose = button("btnClose", tr("&Close"));
    BackButton->setIcon(QIcon::fromTheme(QStringLiteral("go-previous")));
    FwdButton->setIcon(QIcon::fromTheme(QStringLiteral("go-next")));
    Reload->setIcon(QIcon::fromTheme(QStringLiteral("view-refresh")));
    BackButton->setEnabled(false);
    FwdButton->setEnabled(false);
    Reload->setEnabled(false);
    connect(BackButton, &QPushButton::clicked, this, &TfPreview::FwdBackClick);
    connect(FwdButton, &QPushButton::clicked, this, &TfPreview::FwdBackClick);
    connect(Reload, &QPushButton::clicked, this, &TfPreview::ReloadClick);
    connect(btnClose, &QPushButton::clicked, this, &TfPreview::ExitClick);
    // The Close button is also the window's Cancel button.
    auto *esc = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(esc, &QShortcut::activated, this, &TfPreview::ExitClick);

    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setReadOnly(true);
    Edit1->setPlaceholderText(tr("The address of the last link clicked"));

    auto *bar = new QHBoxLayout;
    bar->setContentsMargins(6, 4, 6, 4);
    bar->addWidget(BackButton);
    bar->addWidget(FwdButton);
    bar->addWidget(Reload);
    bar->addWidget(Edit1, 1);
    bar->addWidget(btnClose);
    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(bar);
    layout->addWidget(Viewer, 1);
    setCentralWidget(central);

    Panel1 = new QLabel(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    statusBar()->addWidget(Panel1, 1);

    Prefs = BagPlacement::attach(this, QStringLiteral("Preview"));

    buildMenus();
    // Until the window has a remembered place: beside the documents, over the frame's right side.
    resize(800, 600);
    if (parent) {
        const QRect f = parent->frameGeometry();
        const int w = qMin(900, f.width() * 3 / 5), h = qMax(400, f.height() - 160);
        setGeometry(f.right() - w - 20, f.top() + 100, w, h);
    }
}

TfPreview::~TfPreview() = default;

void TfPreview::buildMenus()
{
    QMenu *file = menuBar()->addMenu(tr("&File"));
    QAction *open = file->addAction(tr("&Open"), this, &TfPreview::OpenFileClick);
    open->setObjectName(QStringLiteral("OpenFile"));
    open->setShortcut(QKeySequence(Qt::Key_F3));
    print_ = file->addAction(tr("&Print..."), this, &TfPreview::Print1Click);
    print_->setObjectName(QStringLiteral("Print1"));
    file->addSeparator();
    file->addAction(tr("E&xit"), this, &TfPreview::ExitClick)->setObjectName(QStringLiteral("Exit"));

    QMenu *edit = menuBar()->addMenu(tr("&Edit"));
    QAction *find = edit->addAction(tr("&Find"), this, &TfPreview::Find1Click);
    find->setObjectName(QStringLiteral("Find1"));
    // F3 belongs to Open; Find takes the usual find key.
    find->setShortcut(QKeySequence::Find);

    QMenu *options = menuBar()->addMenu(tr("&Options"));
    showImages_ = options->addAction(tr("&Show images"), this, &TfPreview::ShowImagesClick);
    showImages_->setObjectName(QStringLiteral("ShowImages"));
    showImages_->setCheckable(true);
    showImages_->setChecked(true);
    options->addAction(tr("Default &Font/Colors..."), this, &TfPreview::FontColorsClick)
        ->setObjectName(QStringLiteral("FontColors"));
    options->addSeparator();
    followTyping_ = options->addAction(tr("Follow &Typing"), this, &TfPreview::FollowTyping1Click);
    followTyping_->setObjectName(QStringLiteral("FollowTyping1"));
    followTyping_->setCheckable(true);
    followTyping_->setStatusTip(tr("Show the active document as it is typed"));
    Prefs->Load();
    followTyping_->setChecked(Prefs->GetInteger(QStringLiteral("Follow Typing"), 0) != 0);

    HistoryMenuItem = menuBar()->addMenu(tr("&History"));
    HistoryMenuItem->setObjectName(QStringLiteral("HistoryMenuItem"));
    HistoryMenuItem->menuAction()->setVisible(false);
    for (int i = 0; i < HistoryEntries; ++i) {
        history_[i] = HistoryMenuItem->addAction(QString(), this, &TfPreview::HistoryClick);
        history_[i]->setData(i);
        history_[i]->setCheckable(true);
        history_[i]->setVisible(false);
    }

    QAction *about = menuBar()->addAction(tr("&About"), this, &TfPreview::About1Click);
    about->setObjectName(QStringLiteral("About1"));
}

void TfPreview::previewFile(const QString &file)
{
    show();
    raise();
    activateWindow();
    prefixCaption_ = true;
    Viewer->loadFile(file);
}

void TfPreview::refreshFile(const QString &file)
{
    prefixCaption_ = true;
    if (Viewer->currentFile() == QFileInfo(file).absoluteFilePath())
        Viewer->reload();
    else
        Viewer->loadFile(file);
}

bool TfPreview::followTyping() const
{
    return followTyping_->isChecked();
}

void TfPreview::FollowTyping1Click()
{
    Prefs->PutInteger(QStringLiteral("Follow Typing"), followTyping_->isChecked() ? 1 : 0);
    Prefs->Save();
    if (onFollow_)
        onFollow_(followTyping_->isChecked());
}

void TfPreview::showEvent(QShowEvent *e)
{
    QMainWindow::showEvent(e);
    if (!e->spontaneous())
        FormShow();
}

void TfPreview::FormShow()
{
    // The placement comes from the bag (see BagPlacement). A document named on the program's
    // command line is shown first, so that it becomes the oldest page of the history.
    if (!arguments_.isEmpty())
        Viewer->loadFile(arguments_.first());
}

void TfPreview::onPageLoaded()
{
    const QString title = Viewer->documentTitle();
    if (prefixCaption_)
        setWindowTitle(CaptionPrefix + title);
    else
        setWindowTitle(title.isEmpty() ? Caption : title);
    prefixCaption_ = false;
    print_->setEnabled(!Viewer->currentFile().isEmpty());
}

void TfPreview::OpenFileClick()
{
    if (!Viewer->currentFile().isEmpty())
        openFolder_ = QFileInfo(Viewer->currentFile()).absolutePath();
    const QStringList names = Dialogs::instance().openFiles(
        this, tr("Open"), openFolder_, QStringLiteral("html files (*.htm *.html);;all files (*)"));
    if (names.isEmpty())
        return;
    const QString name = names.first();
    if (!QFileInfo(name).isFile()) {
        Dialogs::instance().error(this, QStringLiteral("Unable to find %1").arg(name));
        return;
    }
    prefixCaption_ = false;
    Viewer->loadFile(name);
    const bool hasFile = !Viewer->currentFile().isEmpty();
    Reload->setEnabled(hasFile);
    print_->setEnabled(hasFile);
}

void TfPreview::ReloadClick()
{
    Viewer->reload();
}

void TfPreview::FwdBackClick()
{
    if (sender() == BackButton)
        Viewer->setHistoryIndex(Viewer->historyIndex() + 1);
    else
        Viewer->setHistoryIndex(Viewer->historyIndex() - 1);
}

void TfPreview::HistoryClick()
{
    if (auto *a = qobject_cast<QAction *>(sender()))
        Viewer->setHistoryIndex(a->data().toInt());
}

void TfPreview::HistoryChange()
{
    const QStringList &h = Viewer->history();
    const int index = Viewer->historyIndex();
    FwdButton->setEnabled(index >= 1);
    BackButton->setEnabled(h.size() - 1 > index);
    HistoryMenuItem->menuAction()->setVisible(!h.isEmpty());
    for (int i = 0; i < HistoryEntries; ++i) {
        const bool used = i < h.size();
        history_[i]->setVisible(used);
        if (used) {
            history_[i]->setText(h[i]);
            history_[i]->setChecked(i == index);
        }
    }
    // The caption follows the page once it has loaded and its title is known.
    if (!Viewer->isLoading())
        onPageLoaded();
}

void TfPreview::HotSpotChange(const QString &target)
{
    Panel1->setText(target);
}

bool TfPreview::HotSpotClick(const QString &target)
{
    const qsizetype colon = target.indexOf(u':');
    const bool fileUrl = target.toUpper().contains(QStringLiteral("FILE:"));
    // A colon after the second character (a scheme, not a drive letter) marks a remote address.
    if (colon > 1 && !fileUrl) {
        Edit1->setText(target);
        return false;
    }
    const qsizetype hash = target.indexOf(u'#');
    const QString name = hash >= 0 ? target.left(hash) : target;
    const QString destination = hash >= 0 ? target.mid(hash) : QString();
    const QString expanded = Viewer->expandFileName(name);
    const QString suffix = QFileInfo(expanded).suffix().toUpper();
    bool handled = false;
    if (suffix == u"WAV") {
        handled = true;
        soundPlayer()(expanded);
    } else if (suffix == u"EXE") {
        handled = true;
        // A page must not start a program by a click alone: the user decides.
        const QString commandLine = expanded + destination;
        const QString question =
            tr("This link starts a program:\n\n%1\n\nDo you want to start it?").arg(commandLine);
        if (Dialogs::instance().ask(this, question, false, true) == Dialogs::Answer::Yes)
            programStarter()(commandLine);
    }
    Edit1->setText(target);
    return handled;
}

void TfPreview::ShowImagesClick()
{
    Viewer->setViewImages(!Viewer->viewImages());
    showImages_->setChecked(Viewer->viewImages());
}

QString TfPreview::defFontName() const
{
    return Viewer->defFontName();
}

int TfPreview::defFontSize() const
{
    return Viewer->defFontSize();
}

void TfPreview::FontColorsClick()
{
    TFontForm form(this);
    form.setFontName(Viewer->defFontName());
    form.setFontColor(fontColor_);
    form.setFontSize(Viewer->defFontSize());
    form.setHotSpotColor(hotSpotColor_);
    form.setBackground(background_);
    if (Dialogs::instance().exec(&form) != QDialog::Accepted)
        return;
    Viewer->setDefFontName(form.fontName());
    fontColor_ = form.fontColor();
    Viewer->setDefFontColor(ColorCode::toColor(fontColor_));
    Viewer->setDefFontSize(form.fontSize());
    hotSpotColor_ = form.hotSpotColor();
    Viewer->setDefHotSpotColor(ColorCode::toColor(hotSpotColor_));
    background_ = form.background();
    Viewer->setDefBackground(ColorCode::toColor(background_));
    ReloadClick();
}

void TfPreview::Print1Click()
{
    if (!printer_) {
        // The engine's pages reach the printer as pictures: 300 dots per inch print sharply
        // without the memory a page at the printer's full resolution would take.
        printer_ = std::make_unique<QPrinter>();
        printer_->setResolution(300);
    }
    const Dialogs::PrintChoice choice = Dialogs::instance().printPages(this, *printer_, 1, 9999);
    if (!choice.accepted)
        return;
    Viewer->print(printer_.get(), choice.fromPage, choice.toPage, [this](bool ok) {
        if (!ok)
            Dialogs::instance().error(this, tr("The page could not be printed."));
    });
}

void TfPreview::Find1Click()
{
    if (!FindDialog1) {
        FindDialog1 = new FindDialog(this, true);
        connect(FindDialog1, &FindDialog::findNext, this, &TfPreview::FindDialogFind);
    }
    FindDialog1->show();
    FindDialog1->raise();
    FindDialog1->activateWindow();
}

void TfPreview::FindDialogFind()
{
    if (!FindDialog1)
        return;
    const QString text = FindDialog1->findText();
    if (text.isEmpty())
        return;
    QPointer<TfPreview> self(this);
    Viewer->find(text, FindDialog1->matchCase(), [self, text](bool found) {
        if (!self)
            return;
        if (!found)
            Dialogs::instance().message(self, QStringLiteral("Unable to find \"%1\"").arg(text));
        emit self->findFinished(found);
    });
}

void TfPreview::About1Click()
{
    TAboutBox about(this);
    Dialogs::instance().exec(&about);
}

void TfPreview::ExitClick()
{
    close();
}

PreviewWindow *tolvenra_create_preview(const QStringList &arguments, QWidget *owner)
{
    auto *preview = new TfPreview(arguments, owner);
    preview->setWindowFlag(Qt::Window);
    return preview;
}

QWidget *tolvenra_create_viewer(QWidget *parent)
{
    return new HtmlViewer(parent);
}

QWidget *tolvenra_create_media_bar(QWidget *parent)
{
    return new MediaBar(parent);
}
