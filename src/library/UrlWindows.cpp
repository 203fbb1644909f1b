#include "UrlWindows.h"

#include "UrlLibrary.h"
#include "app/Edit.h"
#include "app/Editor.h"
#include "app/Guards.h"
#include "app/Services.h"
#include "app/ToolWindows.h"
#include "app/Ubag.h"
#include "platform/AppPaths.h"
#include "platform/Dialogs.h"
#include "platform/PrivateProfile.h"
#include "tags/TagEngine.h"

#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMdiArea>
#include <QScreen>
#include <QLabel>
#include <QShowEvent>
#include <QVBoxLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The lists of this Part are sorted. Entries are added in bulk and sorted once: a sorted
// list that sorts each new entry in would take minutes over the 90,000 links of a large page.
void addSorted(PickerList *list, const QStringList &entries)
{
    list->addItems(entries);
    list->sortItems();
}

QStringList entriesOf(const QListWidget *list)
{
    QStringList out;
    out.reserve(list->count());
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

PickerList *reviewList(QWidget *parent, const char *name)
{
    auto *l = new PickerList(0.75, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setSelectionMode(QAbstractItemView::ExtendedSelection);
    l->setDragEnabled(false);
    return l;
}

} // namespace

// ---- the library window ----

TfURLLibrary::TfURLLibrary(AppServices &services)
    : ListPicker(services, QStringLiteral("TfURLLibrary"), QStringLiteral("URL Library"), QStringLiteral("URL Lib"),
                 0.75, QStringLiteral("Double Click or Drag & Drop to Insert URL"))
{
    list()->setObjectName(QStringLiteral("lstURL"));
    list()->setSelectionMode(QAbstractItemView::ExtendedSelection);
    dragInsertsFirstColumn();
    connect(list(), &QListWidget::itemDoubleClicked, this, &TfURLLibrary::lstURLSelect);
    auto *body = new QWidget(this);
    auto *layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    problem_ = new QLabel(body);
    problem_->setObjectName(QStringLiteral("lblProblem"));
    problem_->setWordWrap(true);
    problem_->setTextFormat(Qt::PlainText);
    problem_->setMargin(6);
    problem_->setFrameStyle(QFrame::StyledPanel);
    problem_->hide();
    layout->addWidget(problem_);
    layout->addWidget(list(), 1);
    setCentralWidget(body);
    resize(460, 360);
}

void TfURLLibrary::showEvent(QShowEvent *e)
{
    LoadLibrary();
    ListPicker::showEvent(e);
}

void TfURLLibrary::LoadLibrary()
{
    bool ok = false;
    const QStringList entries = UrlLibrary::read(UrlLibrary::path(), &ok, &readError_);
    list()->clear();
    addSorted(list(), entries);
    if (ok)
        readError_.clear();
    else
        services_.SetStatusText(tr("The URL library could not be read: %1").arg(readError_));
    // Said in the window too: an empty list would look like an empty library.
    problem_->setText(ok ? QString() : tr("The URL library could not be read, so its links are not shown:\n%1\n\n"
                                          "The file is not replaced unless you say so.")
                                           .arg(readError_));
    problem_->setVisible(!ok);
}

void TfURLLibrary::lstURLSelect()
{
    insertCurrentFirstColumn();
}

// ---- the review dialog ----

TfURLGrab::TfURLGrab(AppServices &services) : QDialog(services.mainWindow()), services_(services)
{
    setObjectName(QStringLiteral("TfURLGrab"));
    setWindowTitle(QStringLiteral("URL Library"));
    setModal(false);
    setDialogFrame(this);

    srcList_ = reviewList(this, "srcList");
    dstList_ = reviewList(this, "dstList");
    IncludeBtn = dialogButton(this, "IncludeBtn", QStringLiteral(">"), QStringLiteral("Move Selected to Library"));
    IncAllBtn = dialogButton(this, "IncAllBtn", QStringLiteral(">>"), QStringLiteral("Move All to Library"));
    ExcludeBtn = dialogButton(this, "ExcludeBtn", QStringLiteral("<"), QStringLiteral("Remove Selected from Library"));
    ExAllBtn = dialogButton(this, "ExAllBtn", QStringLiteral("<<"), QStringLiteral("Remove All from Library"));
    for (QPushButton *b : {IncludeBtn, IncAllBtn, ExcludeBtn, ExAllBtn}) {
        b->setEnabled(false);
        b->setFixedWidth(40);
    }
    auto *ok = dialogButton(this, "OKBtn", QStringLiteral("&Save"));
    ok->setDefault(true);
    auto *cancel = dialogButton(this, "CancelBtn", QStringLiteral("&Cancel"));
    auto *help = dialogButton(this, "HelpBtn", QStringLiteral("Help"));

    auto *moves = new QVBoxLayout;
    moves->addStretch(1);
    for (QPushButton *b : {IncludeBtn, IncAllBtn, ExcludeBtn, ExAllBtn})
        moves->addWidget(b);
    moves->addStretch(1);

    auto *grid = new QGridLayout;
    auto *srcLabel = new QLabel(QStringLiteral("New URLs"), this);
    srcLabel->setBuddy(srcList_);
    auto *dstLabel = new QLabel(QStringLiteral("URL Library"), this);
    dstLabel->setBuddy(dstList_);
    grid->addWidget(srcLabel, 0, 0);
    grid->addWidget(dstLabel, 0, 2);
    grid->addWidget(srcList_, 1, 0);
    grid->addLayout(moves, 1, 1);
    grid->addWidget(dstList_, 1, 2);

    QHBoxLayout *buttons = buttonRow({ok, cancel, help});

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addLayout(buttons);
    resize(720, 400);

    connect(IncludeBtn, &QPushButton::clicked, this, &TfURLGrab::IncludeBtnClick);
    connect(IncAllBtn, &QPushButton::clicked, this, &TfURLGrab::IncAllBtnClick);
    connect(ExcludeBtn, &QPushButton::clicked, this, &TfURLGrab::ExcludeBtnClick);
    connect(ExAllBtn, &QPushButton::clicked, this, &TfURLGrab::ExcAllBtnClick);
    connect(ok, &QPushButton::clicked, this, &TfURLGrab::OKBtnClick);
    connect(cancel, &QPushButton::clicked, this, &TfURLGrab::CancelBtnClick);
    connect(help, &QPushButton::clicked, this, &TfURLGrab::HelpBtnClick);

    Prefs = BagPlacement::attach(this, QStringLiteral("URL Library Mgr"));
}

void TfURLGrab::setNewUrls(const QStringList &entries)
{
    srcList_->clear();
    addSorted(srcList_, entries);
    SetButtons();
}

void TfURLGrab::showEvent(QShowEvent *e)
{
    if (!e->spontaneous())
        LoadList();
    QDialog::showEvent(e);
}

void TfURLGrab::LoadList()
{
    bool ok = false;
    QString error;
    const QStringList entries = UrlLibrary::read(UrlLibrary::path(), &ok, &error);
    dstList_->clear();
    addSorted(dstList_, entries);
    // A file that exists but is not a library is kept from being replaced unasked; a folder
    // in its place cannot be replaced anyway, and saving says so.
    unreadLibrary_ = ok || !QFileInfo(UrlLibrary::path()).isFile() ? QString() : error;
    SetButtons();
}

void TfURLGrab::SetButtons()
{
    IncludeBtn->setEnabled(srcList_->count() > 0);
    IncAllBtn->setEnabled(srcList_->count() > 0);
    ExcludeBtn->setEnabled(dstList_->count() > 0);
    ExAllBtn->setEnabled(dstList_->count() > 0);
}

void TfURLGrab::MoveSelected(PickerList *from, PickerList *to)
{
    QStringList moved;
    for (int i = from->count() - 1; i >= 0; --i)
        if (from->item(i)->isSelected()) {
            moved << from->item(i)->text();
            delete from->takeItem(i);
        }
    addSorted(to, moved);
    SetButtons();
}

void TfURLGrab::moveAll(PickerList *from, PickerList *to)
{
    addSorted(to, entriesOf(from));
    from->clear();
    SetButtons();
}

void TfURLGrab::IncludeBtnClick() { MoveSelected(srcList_, dstList_); }
void TfURLGrab::ExcludeBtnClick() { MoveSelected(dstList_, srcList_); }
void TfURLGrab::IncAllBtnClick() { moveAll(srcList_, dstList_); }
void TfURLGrab::ExcAllBtnClick() { moveAll(dstList_, srcList_); }

void TfURLGrab::OKBtnClick()
{
    const QString file = UrlLibrary::path();
    // A library file that exists but could not be read is not replaced without asking.
    if (!unreadLibrary_.isEmpty() &&
        !Dialogs::instance().confirm(this, tr("The URL library %1 could not be read (%2).\n\nReplace it with this list?")
                                               .arg(file, unreadLibrary_)))
        return;
    QString error;
    if (!UrlLibrary::write(file, entriesOf(dstList_), &error)) {
        Dialogs::instance().error(this, tr("Unable to save the URL library %1:\n%2").arg(file, error));
        return;
    }
    unreadLibrary_.clear();
    close();
}

void TfURLGrab::CancelBtnClick()
{
    close();
}

void TfURLGrab::HelpBtnClick()
{
    services_.showHelpTopic(QStringLiteral("library.html#grab"));
}

// ---- the bookmark-file message ----

const QStringList TfNetscapeError::Lines = {
    QStringLiteral("Tolvenra was unable to find the Netscape Bookmark File."),
    QString(),
    QStringLiteral("Some possible reasons are :"),
    QString(),
    QStringLiteral("The Netscape Initialisation File was not in your Windows "),
    QStringLiteral("directory."),
    QString(),
    QStringLiteral("The Location of the Bookmark File that was reported by the "),
    QStringLiteral("Initialisation file was incorrect"),
    QString(),
    QStringLiteral("You can still load the Bookmark File manually then select "),
    QStringLiteral("the Grab URLs option to complete the task."),
};

TfNetscapeError::TfNetscapeError(AppServices &services)
    : QDialog(services.mainWindow(), Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("TfNetscapeError"));
    setWindowTitle(QStringLiteral("Bookmark File"));
    auto *text = new QPlainTextEdit(Lines.join(u'\n'), this);
    text->setObjectName(QStringLiteral("Memo1"));
    text->setReadOnly(true);
    text->setFrameStyle(QFrame::NoFrame);
    text->viewport()->setAutoFillBackground(false);
    text->setMinimumSize(440, text->fontMetrics().lineSpacing() * (int(Lines.size()) + 1) + 8);
    auto *ok = dialogButton(this, "OKBtn", QStringLiteral("OK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &TfNetscapeError::OKBtnClick);
    auto *row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(ok);
    row->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(text, 1);
    layout->addLayout(row);
    adjustSize();
    centreOnScreen(this);
}

// ---- the commands ----

namespace UrlCommands {

const char *const NoUrlsFound = "No URLs found !";
const char *const BookmarkKeys[2] = {"File Location", "File TTTLocation"};

QString netscapeIni()
{
    return AppPaths::settingsFile(QStringLiteral("netscape.ini"));
}

void GrabURLs1Click(AppServices &services)
{
    TfHTML *doc = services.activeDocument();
    if (!doc) {
        services.SetStatusText(QStringLiteral("Ready ..."));
        return;
    }
    services.SetStatusText(QStringLiteral("Search for URLs ..."));
    auto *grab = services.toolWindows().get<TfURLGrab>();
    grab->setNewUrls({});

    WaitCursor wait;
    TEditor *ed = doc->editor();
    const QByteArrayView shown = doc->document().characters();
    const long length = long(shown.size());
    // A large document shows its progress; a page of ordinary size is done before it would show.
    std::unique_ptr<Dialogs::Progress> progress;
    if (length > TEditor::LargeText)
        progress = Dialogs::instance().progress(services.mainWindow(), QStringLiteral("Tolvenra Progress"),
                                                QStringLiteral("Search for URLs ..."));
    const char *text = shown.constData();
    const QList<UrlLibrary::Link> links = UrlLibrary::findLinks(text, length);
    if (progress)
        progress->setPercent(30);

    QStringList found;
    found.reserve(links.size());
    for (const UrlLibrary::Link &l : links)
        found << QString::fromUtf8(text + l.start, l.end - l.start);
    if (progress) {
        progress->setText(QStringLiteral("Listing %1 URLs ...").arg(found.size()));
        progress->setPercent(50);
    }

    if (found.isEmpty()) {
        Dialogs::instance().message(services.mainWindow(), QString::fromLatin1(NoUrlsFound));
    } else {
        // The last link stays selected and on the clipboard, as a search that selected and
        // copied each link in turn would leave them.
        const UrlLibrary::Link &last = links.last();
        ed->selectBytes(long(last.start), long(last.end));
        QApplication::clipboard()->setText(found.last());
        services.SetStatusText(QStringLiteral("Found URL ") + found.last());
        grab->setNewUrls(found);
        if (progress)
            progress->setPercent(80);
        grab->show(); // an open dialog keeps its library list as the user left it
        grab->raise();
    }
    progress.reset();
    services.SetStatusText(QStringLiteral("Ready ..."));
}

void ImportURLsfromNetscape1Click(AppServices &services)
{
    services.SetStatusText(QStringLiteral("Searching for Netscape ..."));
    QString bookmarks = QStringLiteral("???");
    {
        auto progress = Dialogs::instance().progress(services.mainWindow(), QStringLiteral("Tolvenra Progress"),
                                                     QStringLiteral("Searching for Netscape ..."));
        progress->setPercent(1);
        const QString ini = netscapeIni();
        if (QFileInfo(ini).isFile()) {
            progress->setPercent(5);
            services.SetStatusText(QStringLiteral("Reading bookmark.htm ..."));
            const PrivateProfile profile(ini);
            for (const char *key : BookmarkKeys) {
                bookmarks = profile.readString(QStringLiteral("Bookmark List"), QString::fromLatin1(key),
                                               QStringLiteral("???"));
                if (bookmarks != QLatin1String("???"))
                    break;
            }
        }
        if (bookmarks != QLatin1String("???") && QFileInfo(bookmarks).isFile()) {
            progress->setPercent(8);
            // A bookmark file that is open already is grabbed where it is.
            if (showFileDocument(services, bookmarks))
                GrabURLs1Click(services);
        } else {
            bookmarks = QStringLiteral("???");
        }
    }
    if (bookmarks == QLatin1String("???"))
        services.toolWindows().present(QStringLiteral("TfNetscapeError"));
    services.SetStatusText(QStringLiteral("Ready ..."));
}

} // namespace UrlCommands
