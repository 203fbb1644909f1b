#include "app/ToolWindows.h"
#include "support/AccessKeys.h"
#include "support/FrameFixture.h"
#include "support/TestHost.h"
#include "app/RecentFiles.h"
#include "tools/FontForm.h"
#include "tools/Preview.h"
#include "tools/PreviewSupport.h"
#include "app/Files.h"
#include "app/Ubag.h"
#include "tools/LivePreview.h"
#include <QMdiArea>
#include "wizards/BodyWizard.h"
#include "wizards/HomePageWizard.h"
#include "wizards/UrlWizard.h"

#include <QFile>
#include <QRegularExpression>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QCheckBox>
#include <QListWidget>

using PreviewSupport::eval;
using PreviewSupport::loads;

namespace {

// A 1x1 PNG image.
const QByteArray Pixel = QByteArray::fromBase64(
    "iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAYAAAAfFcSJAAAADUlEQVR42mP8z8BQDwAEhQGAhKmMIQAAAABJRU5ErkJggg==");

// What the preview tests need of the program, on the frame (Frame) or on its stand-in.
template <class Base>
class PreviewFixture : public Base {
protected:
    QStringList played, started;

    void SetUp() override
    {
        Base::SetUp();
        PreviewModule::setFactory(&tolvenra_create_preview);
        TfPreview::soundPlayer() = [this](const QString &f) { played << f; };
        TfPreview::programStarter() = [this](const QString &c) {
            started << c;
            return true;
        };
        HtmlViewer::externalOpener() = [](const QUrl &) {};
    }

    TfPreview *preview()
    {
        QString error;
        return static_cast<TfPreview *>(this->services().toolWindows().window("TfPreview", &error));
    }
    HtmlViewer *viewer() { return preview()->viewer(); }

    // F9 on the active document; true once the page has loaded.
    bool previewActive()
    {
        HtmlViewer *v = viewer();
        return loads(v, [this] { this->trigger("PrintPreview1Click"); });
    }

    TfHTML *open(const QString &path) { return this->files().OpenDocument(path); }
};

// The frame's stand-in with the parts the preview works with, wired as the frame wires them:
// the file commands, the preview window and its command, and the live preview.
class PreviewHost : public ::testing::Test {
protected:
    TestHome home;
    ScriptedDialogs dialogs;
    std::unique_ptr<TestHost> host;
    RecentFiles recent;
    std::unique_ptr<FileCommands> filesPart;
    std::unique_ptr<LivePreview> live;

    void SetUp() override
    {
        home.prepare();
        host = std::make_unique<TestHost>();
        host->show();
        live = std::make_unique<LivePreview>(*host);
        filesPart = std::make_unique<FileCommands>(*host, recent);
        filesPart->bindCommands();
        PreviewModule::registerWindow(*host, *live, {});
    }
    void TearDown() override
    {
        for (TfHTML *d : host->documents())
            d->setModified(false);
        filesPart.reset();
        host.reset();
        live.reset();
    }
    AppServices &services() { return *host; }
    FileCommands &files() { return *filesPart; }
    LivePreview &livePreview() { return *live; }
    DocumentArea *mdiArea() { return &host->documentArea(); }
    bool trigger(const char *handler) { return host->commands().trigger(QString::fromLatin1(handler)); }
    TfHTML *doc() const { return host->activeDocument(); }
    TEditor *ed() const { return doc()->editor(); }
    QString text() const { return QString::fromUtf8(ed()->utf8Text()); }
    void startEmpty() {}
    void startWithEmptyDocument()
    {
        trigger("FileNew");
        ed()->loadUtf8("");
    }
};

using PreviewTest = PreviewFixture<PreviewHost>;

// The preview in the frame, where what it shows comes from the command line or the wizards.
class PreviewFrame : public FrameTest {
protected:
    AppServices &services() { return *frame; }
};
using PreviewFrameTest = PreviewFixture<PreviewFrame>;

// The preview and its font dialog are the windows the frame tests cannot make without the web
// engine; their access keys are checked here.
TEST_F(PreviewTest, NoTwoItemsOfThePreviewShareAnAccessKey)
{
    TfPreview *p = preview();
    ASSERT_NE(p, nullptr);
    TFontForm font;
    const QStringList found = AccessKeys::windowClashes(p) + AccessKeys::windowClashes(&font);
    EXPECT_TRUE(found.isEmpty()) << found.join("\n").toStdString();
}

TEST_F(PreviewTest, NoDocumentSaysSoAndWritesNothing)
{
    startEmpty();
    trigger("PrintPreview1Click");
    EXPECT_EQ(dialogs.messages, QStringList{"No current document."});
    EXPECT_EQ(host->statusText(), "   Ready ...");
    EXPECT_FALSE(QFile::exists(home.path("temp.tvr")));
    EXPECT_EQ(host->toolWindows().existing("TfPreview"), nullptr);
}

TEST_F(PreviewTest, UntitledDocumentGoesToTheProgramFolderAndStaysModified)
{
    startWithEmptyDocument();
    ed()->loadUtf8("<title>Draft</title>");
    ed()->append("<p>Unsaved words</p>");
    ASSERT_TRUE(doc()->modified());
    ASSERT_TRUE(previewActive());
    EXPECT_EQ(home.read("temp.tvr"), "<title>Draft</title><p>Unsaved words</p>");
    EXPECT_TRUE(doc()->modified());
    EXPECT_EQ(preview()->windowTitle(), "Tolvenra Preview : Draft");
    EXPECT_TRUE(preview()->isVisible());
    EXPECT_EQ(viewer()->currentFile(), home.path("temp.tvr"));
    EXPECT_EQ(eval(viewer(), "document.body.innerText").toString(), "Unsaved words");
    EXPECT_EQ(host->statusText(), "   Ready ...");
}

TEST_F(PreviewTest, SavedDocumentPreviewsBesideItselfWithItsImagesAndStaysSaved)
{
    home.write("site/img/a.png", Pixel);
    const QString page = home.write("site/index.htm", "<html><head><title>Site</title></head>"
                                                      "<body><img id=i src=\"img/a.png\"></body></html>");
    startEmpty();
    ASSERT_NE(open(page), nullptr);
    ASSERT_FALSE(doc()->modified());
    ASSERT_TRUE(previewActive());
    EXPECT_TRUE(QFile::exists(home.path("site/temp.tvr")));
    EXPECT_FALSE(doc()->modified());
    EXPECT_EQ(doc()->document().path(), page); // the document stays bound to its own file
    EXPECT_TRUE(QTest::qWaitFor([this] { return eval(viewer(), "document.getElementById('i').naturalWidth").toInt() == 1; },
                                PreviewSupport::LoadTimeout));
}

TEST_F(PreviewTest, PreviewKeepsTheDocumentEncodingAndBackups)
{
    // A Windows-1252 document without a declared charset: the page shows what the editor shows.
    const QString page = home.write("old.htm", "<title>Caf\xe9</title><p>na\xefve</p>");
    startEmpty();
    ASSERT_NE(open(page), nullptr);
    doc()->document().setBackup(true);
    ASSERT_TRUE(previewActive());
    EXPECT_EQ(preview()->windowTitle(), QString::fromUtf8("Tolvenra Preview : Caf\u00e9"));
    EXPECT_EQ(eval(viewer(), "document.body.innerText").toString(), QString::fromUtf8("na\u00efve"));
    // The preview file is written as a save writes: the second one keeps the first as BAK.
    ASSERT_TRUE(previewActive());
    EXPECT_TRUE(QFile::exists(home.path("temp.BAK")));
    EXPECT_EQ(home.read("temp.tvr"), QByteArray("<title>Caf\xe9</title><p>na\xefve</p>"));
}

TEST_F(PreviewTest, SevenVisitsKeepTheSixNewestWithBackAndForward)
{
    startWithEmptyDocument();
    ASSERT_TRUE(previewActive());
    TfPreview *p = preview();
    for (int i = 1; i <= 7; ++i) {
        const QString f = home.write(QString("p%1.html").arg(i), QString("<title>Page %1</title>").arg(i).toUtf8());
        ASSERT_TRUE(loads(viewer(), [&] { viewer()->loadFile(f); }));
    }
    const QStringList &h = viewer()->history();
    ASSERT_EQ(h.size(), 6);
    EXPECT_EQ(h.first(), home.path("p7.html"));
    EXPECT_EQ(h.last(), home.path("p2.html"));
    EXPECT_TRUE(p->historyMenu()->menuAction()->isVisible());
    EXPECT_TRUE(p->historyEntry(0)->isChecked());
    EXPECT_EQ(p->historyEntry(5)->text(), home.path("p2.html"));
    // Newest: Forward off, Back on.
    EXPECT_FALSE(p->forwardButton()->isEnabled());
    EXPECT_TRUE(p->backButton()->isEnabled());
    EXPECT_EQ(p->windowTitle(), "Page 7");

    ASSERT_TRUE(loads(viewer(), [&] { p->backButton()->click(); }));
    EXPECT_EQ(viewer()->historyIndex(), 1);
    EXPECT_EQ(p->windowTitle(), "Page 6");
    EXPECT_TRUE(p->forwardButton()->isEnabled());
    EXPECT_TRUE(p->historyEntry(1)->isChecked());
    EXPECT_FALSE(p->historyEntry(0)->isChecked());

    // The oldest entry, from the History menu: Back off.
    ASSERT_TRUE(loads(viewer(), [&] { p->historyEntry(5)->trigger(); }));
    EXPECT_EQ(viewer()->historyIndex(), 5);
    EXPECT_FALSE(p->backButton()->isEnabled());
    EXPECT_TRUE(p->forwardButton()->isEnabled());
    EXPECT_EQ(p->windowTitle(), "Page 2");

    ASSERT_TRUE(loads(viewer(), [&] { p->forwardButton()->click(); }));
    EXPECT_EQ(viewer()->historyIndex(), 4);
    EXPECT_EQ(viewer()->history().size(), 6); // moving in the history changes nothing in it
}

TEST_F(PreviewTest, HandledFlagForRemoteSoundProgramAndOtherTargets)
{
    startWithEmptyDocument();
    ASSERT_TRUE(previewActive());
    TfPreview *p = preview();
    const QString dir = home.path();

    // A colon after the second character: a remote address, only shown in the address box.
    EXPECT_FALSE(p->HotSpotClick("http://example.org/song.wav"));
    EXPECT_EQ(p->addressBox()->text(), "http://example.org/song.wav");
    EXPECT_TRUE(played.isEmpty());

    // Sounds: the whole extension, in any case; a drive-letter colon is local.
    EXPECT_TRUE(p->HotSpotClick("sounds/Bell.WaV"));
    EXPECT_TRUE(p->HotSpotClick("c:\\music\\a.wav"));
    EXPECT_FALSE(p->HotSpotClick("sounds/long.wave"));
    ASSERT_EQ(played.size(), 2);
    EXPECT_EQ(played[0], dir + "/sounds/Bell.WaV");
    EXPECT_EQ(p->addressBox()->text(), "sounds/long.wave");

    // "FILE:" makes a target local wherever its colon stands.
    EXPECT_TRUE(p->HotSpotClick("file://" + dir + "/ding.wav"));
    EXPECT_EQ(played.last(), dir + "/ding.wav");

    // A program asks first; No starts nothing, Yes starts the name followed by the destination.
    dialogs.answers = {Dialogs::Answer::No, Dialogs::Answer::Yes};
    EXPECT_TRUE(p->HotSpotClick("tool.exe#-x"));
    EXPECT_TRUE(started.isEmpty());
    EXPECT_TRUE(p->HotSpotClick("tool.exe#-x"));
    EXPECT_EQ(started, QStringList{dir + "/tool.exe#-x"});
    ASSERT_EQ(dialogs.questions.size(), 2);
    EXPECT_TRUE(dialogs.questions[0].contains(dir + "/tool.exe#-x"));

    // Anything else is left to the viewer.
    EXPECT_FALSE(p->HotSpotClick("other.html#part"));
    EXPECT_EQ(p->addressBox()->text(), "other.html#part");
}

TEST_F(PreviewTest, ClickedLinksAreFollowedOrHandled)
{
    home.write("next.html", "<title>Next</title><p>second page</p>");
    home.write("bell.wav", "RIFF");
    startWithEmptyDocument();
    ed()->loadUtf8("<title>First</title><a id=n href=\"next.html\">next</a> <a id=s href=\"bell.wav\">ring</a>");
    ASSERT_TRUE(previewActive());
    TfPreview *p = preview();

    // A sound link plays and the page stays.
    eval(viewer(), "document.getElementById('s').click()");
    ASSERT_TRUE(QTest::qWaitFor([this] { return !played.isEmpty(); }, PreviewSupport::LoadTimeout));
    EXPECT_EQ(played, QStringList{home.path("bell.wav")});
    EXPECT_EQ(viewer()->currentFile(), home.path("temp.tvr"));

    // A page link is followed by the viewer and joins the history.
    ASSERT_TRUE(loads(viewer(), [&] { eval(viewer(), "document.getElementById('n').click()"); }));
    EXPECT_EQ(viewer()->currentFile(), home.path("next.html"));
    EXPECT_EQ(viewer()->history().size(), 2);
    EXPECT_EQ(p->addressBox()->text(), home.path("next.html"));
    EXPECT_EQ(p->windowTitle(), "Next");
}

TEST_F(PreviewTest, HoveringALinkShowsItsTarget)
{
    startWithEmptyDocument();
    ASSERT_TRUE(previewActive());
    TfPreview *p = preview();
    emit viewer()->hotSpotChanged("page.html#top");
    EXPECT_EQ(p->linkPanel()->text(), "page.html#top");
    emit viewer()->hotSpotChanged(QString());
    EXPECT_EQ(p->linkPanel()->text(), "");
    EXPECT_EQ(HtmlViewer::targetText(HtmlViewer::urlOf("/site/a b.html", "x")), "/site/a b.html#x");
    EXPECT_EQ(HtmlViewer::targetText(QUrl("https://example.org/a?b")), "https://example.org/a?b");
}

TEST_F(PreviewTest, WebAndMailAddressesGoToTheDesktop)
{
    startWithEmptyDocument();
    ASSERT_TRUE(previewActive());
    QList<QUrl> opened;
    HtmlViewer::externalOpener() = [&opened](const QUrl &u) { opened << u; };
    EXPECT_FALSE(viewer()->followLink(QUrl("https://example.org/page")));
    EXPECT_FALSE(viewer()->followLink(QUrl("mailto:someone@example.com")));
    EXPECT_TRUE(viewer()->followLink(QUrl("javascript:void(0)"))); // left to the engine
    EXPECT_EQ(opened, (QList<QUrl>{QUrl("https://example.org/page"), QUrl("mailto:someone@example.com")}));
    EXPECT_EQ(preview()->addressBox()->text(), "javascript:void(0)");
    EXPECT_EQ(viewer()->history().size(), 1);
    HtmlViewer::externalOpener() = [](const QUrl &) {};
}

TEST_F(PreviewTest, ReloadKeepsTheScrollPosition)
{
    QByteArray tall = "<title>Tall</title>";
    for (int i = 0; i < 300; ++i)
        tall += "<p>line " + QByteArray::number(i) + "</p>";
    const QString page = home.write("tall.html", tall);
    startEmpty();
    trigger("FileNew");
    ASSERT_TRUE(previewActive());
    TfPreview *p = preview();
    dialogs.openNames = {{page}};
    ASSERT_TRUE(loads(viewer(), [&] { p->OpenFileClick(); }));
    EXPECT_TRUE(p->reloadButton()->isEnabled());
    EXPECT_TRUE(p->printAction()->isEnabled());
    EXPECT_EQ(p->windowTitle(), "Tall");

    viewer()->setVerticalPosition(600);
    ASSERT_TRUE(QTest::qWaitFor([this] { return viewer()->verticalPosition() == 600; }, PreviewSupport::LoadTimeout));
    ASSERT_TRUE(loads(viewer(), [&] { p->reloadButton()->click(); }));
    EXPECT_TRUE(QTest::qWaitFor([this] { return viewer()->verticalPosition() == 600; }, PreviewSupport::LoadTimeout));
    EXPECT_EQ(viewer()->history().size(), 2);
}

TEST_F(PreviewTest, FindReportsATextNotFound)
{
    startWithEmptyDocument();
    ed()->loadUtf8("<p>The Quick brown fox</p>");
    ASSERT_TRUE(previewActive());
    TfPreview *p = preview();
    p->Find1Click();
    ASSERT_NE(p->findDialog(), nullptr);
    EXPECT_TRUE(p->findDialog()->isVisible());

    auto find = [&](const QString &text, bool matchCase) {
        dialogs.messages.clear();
        p->findDialog()->textEdit()->setText(text);
        p->findDialog()->matchCaseBox()->setChecked(matchCase);
        QSignalSpy answered(p, &TfPreview::findFinished);
        p->findDialog()->findButton()->click();
        EXPECT_TRUE(answered.wait(PreviewSupport::LoadTimeout));
    };
    find("quick", false);
    EXPECT_TRUE(dialogs.messages.isEmpty());
    find("quick", true);
    EXPECT_EQ(dialogs.messages, QStringList{"Unable to find \"quick\""});
    find("zebra", false);
    EXPECT_EQ(dialogs.messages, QStringList{"Unable to find \"zebra\""});
    EXPECT_TRUE(p->findDialog()->isVisible());
}

TEST_F(PreviewTest, DefaultColorsReachThePageOnlyAfterOk)
{
    startWithEmptyDocument();
    ed()->loadUtf8("<p id=t>text <a id=l href=\"x.html\">link</a></p>");
    ASSERT_TRUE(previewActive());
    TfPreview *p = preview();
    // The defaults as the window starts: size 12, button text, blue links, button face.
    EXPECT_EQ(p->defFontSize(), 12);
    EXPECT_EQ(p->defFontColor(), ColorCode::ButtonTextColor);
    EXPECT_EQ(p->defHotSpotColor(), 0xFF0000);
    EXPECT_EQ(p->defBackground(), ColorCode::ButtonFaceColor);

    auto choose = [](QDialog *d) {
        auto *form = static_cast<TFontForm *>(d);
        EXPECT_EQ(form->fontSize(), 12);
        EXPECT_EQ(form->backgroundList()->currentItem()->text(), "clBtnFace");
        form->setFontColor(0x0000FF);    // red
        form->setHotSpotColor(0x008000); // green
        form->setBackground(0x800000);   // navy
        form->setFontSize(18);
    };
    dialogs.onExec = choose;
    dialogs.executed.clear();
    dialogs.execResults = {QDialog::Rejected};
    p->FontColorsClick();
    EXPECT_EQ(p->defFontSize(), 12);
    EXPECT_EQ(p->defBackground(), ColorCode::ButtonFaceColor);

    ASSERT_TRUE(loads(viewer(), [&] { p->FontColorsClick(); }));
    EXPECT_EQ(dialogs.executed, (QStringList{"FontForm", "FontForm"}));
    EXPECT_EQ(p->defFontSize(), 18);
    EXPECT_EQ(eval(viewer(), "getComputedStyle(document.getElementById('t')).color").toString(), "rgb(255, 0, 0)");
    EXPECT_EQ(eval(viewer(), "getComputedStyle(document.getElementById('l')).color").toString(), "rgb(0, 128, 0)");
    EXPECT_EQ(eval(viewer(), "getComputedStyle(document.getElementById('t')).fontSize").toString(), "24px");
    EXPECT_EQ(viewer()->view()->page()->backgroundColor(), QColor(0, 0, 128));
}

TEST_F(PreviewTest, PageColorsStillWinOverTheDefaults)
{
    startWithEmptyDocument();
    ed()->loadUtf8("<style>p{color:#123456}</style><body link=\"#00ff00\"><p id=t>text</p><a id=l href=\"x.html\">x</a></body>");
    ASSERT_TRUE(previewActive());
    EXPECT_EQ(eval(viewer(), "getComputedStyle(document.getElementById('t')).color").toString(), "rgb(18, 52, 86)");
    EXPECT_EQ(eval(viewer(), "getComputedStyle(document.getElementById('l')).color").toString(), "rgb(0, 255, 0)");
}

TEST_F(PreviewTest, ImagesCanBeSwitchedOff)
{
    home.write("a.png", Pixel);
    startWithEmptyDocument();
    ed()->loadUtf8("<img id=i src=\"a.png\">");
    ASSERT_TRUE(previewActive());
    TfPreview *p = preview();
    EXPECT_TRUE(p->showImagesAction()->isChecked());
    ASSERT_TRUE(QTest::qWaitFor([this] { return eval(viewer(), "document.getElementById('i').naturalWidth").toInt() == 1; },
                                PreviewSupport::LoadTimeout));
    ASSERT_TRUE(loads(viewer(), [&] { p->ShowImagesClick(); }));
    EXPECT_FALSE(p->showImagesAction()->isChecked());
    QTest::qWait(200);
    EXPECT_EQ(eval(viewer(), "document.getElementById('i').naturalWidth").toInt(), 0);
}

TEST_F(PreviewTest, PrintsTheChosenPages)
{
    QByteArray tall = "<title>Pages</title>";
    for (int i = 0; i < 200; ++i)
        tall += "<p>paragraph " + QByteArray::number(i) + "</p>";
    startWithEmptyDocument();
    ed()->loadUtf8(tall);
    ASSERT_TRUE(previewActive());
    TfPreview *p = preview();
    auto printed = [&](int from, int to) {
        dialogs.printFile = home.path(QString("out%1.pdf").arg(from));
        Dialogs::PrintChoice c;
        c.accepted = true;
        c.fromPage = from;
        c.toPage = to;
        dialogs.prints = {c};
        QSignalSpy done(viewer()->view(), &QWebEngineView::printFinished);
        p->Print1Click();
        EXPECT_TRUE(done.count() > 0 || done.wait(PreviewSupport::LoadTimeout));
        QFile f(dialogs.printFile);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return int(QString::fromLatin1(f.readAll()).count(QRegularExpression("/Type\\s*/Page[^s]")));
    };
    const int all = printed(0, 0);
    EXPECT_EQ(dialogs.offeredMinPage, 1);
    EXPECT_EQ(dialogs.offeredMaxPage, 9999);
    EXPECT_GT(all, 2);
    EXPECT_EQ(printed(2, 2), 1);
    EXPECT_TRUE(dialogs.errors.isEmpty());
}

TEST_F(PreviewTest, ClosingHidesTheWindowAndKeepsItsPlace)
{
    startWithEmptyDocument();
    ASSERT_TRUE(previewActive());
    TfPreview *p = preview();
    p->ExitClick();
    EXPECT_FALSE(p->isVisible());
    EXPECT_EQ(host->toolWindows().existing("TfPreview"), p); // hidden, not destroyed
    // A window of its own that belongs to the main window: it does not keep the program running
    // once that window has closed.
    EXPECT_TRUE(p->isWindow());
    EXPECT_EQ(p->parentWidget(), host.get());
    EXPECT_TRUE(QString::fromLatin1(home.read("tolvopt.ini")).contains("[Preview]"));
    EXPECT_TRUE(QString::fromLatin1(home.read("tolvopt.ini")).contains("FORM_PLACE="));
}

TEST_F(PreviewTest, AboutShowsTheProgramsAboutBox)
{
    startWithEmptyDocument();
    ASSERT_TRUE(previewActive());
    dialogs.executed.clear();
    preview()->About1Click();
    EXPECT_EQ(dialogs.executed, QStringList{"TAboutBox"});
}

TEST_F(PreviewFrameTest, TheCommandLineDocumentIsTheOldestPage)
{
    const QString first = home.write("first.html", "<title>First</title>");
    start({first});
    ASSERT_NE(doc(), nullptr);
    ASSERT_TRUE(previewActive());
    ASSERT_EQ(viewer()->history().size(), 2);
    EXPECT_EQ(viewer()->history().last(), first);
    EXPECT_EQ(viewer()->history().first(), home.path("temp.tvr"));
    EXPECT_TRUE(preview()->backButton()->isEnabled());
}

} // namespace

namespace {

TEST(PreviewModuleViewer, DialogsGetAnHtmlViewerFromTheModule)
{
    PreviewModule::setViewerFactory(&tolvenra_create_viewer);
    QWidget owner;
    QString error;
    QWidget *w = PreviewModule::createViewer(&owner, &error);
    ASSERT_NE(w, nullptr) << error.toStdString();
    EXPECT_EQ(w->parent(), &owner);
    auto *viewer = qobject_cast<HtmlViewer *>(w);
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(PreviewSupport::loads(viewer, [viewer] { viewer->loadHtml("<body><p id=s>sample</p></body>"); }));
}

} // namespace

namespace {

TEST_F(PreviewTest, APageWhoseScriptNeverEndsIsReplacedByTheNextPreview)
{
    startWithEmptyDocument();
    ed()->loadUtf8("<title>Loop</title><p>before</p><script>for(;;){}</script>");
    trigger("PrintPreview1Click");
    QTest::qWait(HtmlViewer::BusyAfterMs + 300); // the page is stuck in its script
    EXPECT_TRUE(viewer()->isLoading());
    ed()->loadUtf8("<title>Fixed</title><p id=ok>fixed</p>");
    ASSERT_TRUE(previewActive());
    EXPECT_EQ(eval(viewer(), "document.getElementById('ok').innerText").toString(), "fixed");
    EXPECT_EQ(preview()->windowTitle(), "Tolvenra Preview : Fixed");
    // And the next page after that loads as usual.
    ed()->loadUtf8("<title>Again</title><p>again</p>");
    ASSERT_TRUE(previewActive());
    EXPECT_EQ(eval(viewer(), "document.body.innerText").toString(), "again");
}

} // namespace

namespace {

// The wizards that show a rendered sample or play a sound take the engine from the module.
class WizardSampleTest : public PreviewFrameTest {
protected:
    void SetUp() override
    {
        PreviewFrameTest::SetUp();
        PreviewModule::setViewerFactory(&tolvenra_create_viewer);
        PreviewModule::setMediaBarFactory(&tolvenra_create_media_bar);
        startWithEmptyDocument();
    }
};

TEST_F(WizardSampleTest, TheBodyWizardRendersItsSampleInTheChosenColours)
{
    trigger("BodyWizard1Click");
    auto *wiz = frame->toolWindows().get<TfWizBody>();
    ASSERT_NE(wiz, nullptr);
    auto *sample = qobject_cast<HtmlViewer *>(wiz->viewer());
    ASSERT_NE(sample, nullptr);
    ASSERT_TRUE(loads(sample, [wiz] { wiz->btnPreviewClick(); }));
    EXPECT_EQ(eval(sample, "getComputedStyle(document.body).backgroundColor").toString(), "rgb(0, 0, 0)");
    EXPECT_EQ(eval(sample, "document.querySelector('h2').innerText").toString(), "This is a heading");
    ASSERT_TRUE(loads(sample, [wiz] { wiz->tBGCOLOR->setValue(0xFF0000); }));
    EXPECT_EQ(eval(sample, "getComputedStyle(document.body).backgroundColor").toString(), "rgb(255, 0, 0)");
    EXPECT_EQ(eval(sample, "getComputedStyle(document.querySelector('a')).color").toString(), "rgb(0, 255, 255)");
}

TEST_F(WizardSampleTest, TheHomePageShowsInThePreview)
{
    dialogs.onExec = [](QDialog *d) {
        if (auto *hp = qobject_cast<TfHPWiz *>(d)) {
            hp->tSubTitle->setText("Notes & news");
            hp->OKBtnClick();
        }
    };
    trigger("NewHomePage1Click");
    EXPECT_TRUE(doc()->modified());
    ASSERT_TRUE(previewActive());
    EXPECT_EQ(preview()->windowTitle(), "Tolvenra Preview : My Home Page");
    EXPECT_EQ(eval(viewer(), "document.querySelector('h1').innerText").toString(), "My Home Page");
    EXPECT_EQ(eval(viewer(), "document.querySelector('h2').innerText").toString(), "Notes & news");
    EXPECT_EQ(eval(viewer(), "document.querySelectorAll('h1').length").toInt(), 3);
    EXPECT_EQ(eval(viewer(), "getComputedStyle(document.body).color").toString(), "rgb(0, 0, 153)");
    EXPECT_EQ(eval(viewer(), "document.querySelector('address').innerText").toString().trimmed(), "Your Address");
}

TEST_F(WizardSampleTest, TheSoundDialogOpensTheChosenSoundInItsPlayer)
{
    trigger("InternetExplorerExtensions1Click");
    auto *wiz = frame->toolWindows().get<TfrmIE>();
    ASSERT_NE(wiz, nullptr);
    ASSERT_NE(wiz->mediaPlayer(), nullptr);
    const QString wav = home.write("Ding.wav", QByteArray("RIFF\x24\0\0\0WAVEfmt ", 16));
    dialogs.openNames.push_back({wav});
    wiz->btnBrowseClick();
    QString file;
    QMetaObject::invokeMethod(wiz->mediaPlayer(), "fileName", Q_RETURN_ARG(QString, file));
    EXPECT_EQ(file, wav);
    wiz->OKBtnClick();
    EXPECT_EQ(text(), "<bgsound src=\"" + wav + "\" loop=1>");
}

} // namespace

namespace {

// ---- the preview following the typing ----

class FollowTypingTest : public PreviewTest {
protected:
    QString shown() { return eval(viewer(), "document.body ? document.body.innerText : ''").toString(); }
    bool shows(const QString &text)
    {
        return QTest::qWaitFor([&] { return shown().contains(text); }, 5000);
    }
};

TEST_F(FollowTypingTest, ThePreviewShowsTheTypingAndKeepsItsPlace)
{
    startWithEmptyDocument();
    QByteArray tall = "<title>Tall</title>";
    for (int i = 0; i < 300; ++i)
        tall += "<p>line " + QByteArray::number(i) + "</p>";
    ed()->loadUtf8(tall + "<p id=end>end</p>");
    ASSERT_TRUE(previewActive());
    QAction *follow = preview()->followTypingAction();
    EXPECT_EQ(follow->text(), "Follow &Typing");
    EXPECT_FALSE(follow->isChecked());

    // Off: typing does not touch the preview.
    QTest::keyClicks(ed(), "unseen ");
    QTest::qWait(LivePreview::LongestMs + 300);
    EXPECT_FALSE(shown().contains("unseen"));

    follow->trigger();
    EXPECT_TRUE(livePreview().following());
    ASSERT_TRUE(shows("unseen"));
    viewer()->setVerticalPosition(600);
    ASSERT_TRUE(QTest::qWaitFor([this] { return viewer()->verticalPosition() == 600; }, 5000));
    ed()->setCaret(ed()->lines(), 1);
    QTest::keyClicks(ed(), "<p>typed at the end</p>");
    ASSERT_TRUE(shows("typed at the end"));
    EXPECT_TRUE(QTest::qWaitFor([this] { return viewer()->verticalPosition() == 600; }, 5000));
    EXPECT_EQ(viewer()->history().size(), 1); // refreshes are not new pages

    // Continuous typing still shows progress before it stops.
    const int before = livePreview().refreshes();
    for (int i = 0; i < 25; ++i) {
        QTest::keyClicks(ed(), "k");
        QTest::qWait(100);
    }
    EXPECT_GE(livePreview().refreshes() - before, 2);

    // The choice is kept in the preview's section of the options file.
    EXPECT_TRUE(home.read("tolvopt.ini").contains("FOLLOW TYPING=1")) << home.read("tolvopt.ini").toStdString();
}

TEST_F(FollowTypingTest, SwitchingDocumentsSwitchesWhatThePreviewShows)
{
    startWithEmptyDocument();
    ed()->loadUtf8("<p>first page</p>");
    TfHTML *first = doc();
    ASSERT_TRUE(previewActive());
    preview()->followTypingAction()->trigger();
    trigger("FileNew");
    ed()->loadUtf8("<p>second page</p>");
    ASSERT_TRUE(shows("second page"));
    mdiArea()->setActiveSubWindow(first);
    ASSERT_TRUE(shows("first page"));
    // Closed, the preview is left alone.
    preview()->close();
    const int before = livePreview().refreshes();
    QTest::keyClicks(ed(), "x");
    QTest::qWait(LivePreview::LongestMs + 200);
    EXPECT_EQ(livePreview().refreshes(), before);
}

} // namespace
