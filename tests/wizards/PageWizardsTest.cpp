#include "app/SettingsTable.h"
#include "support/FrameFixture.h"
#include "support/TestHost.h"
#include "wizards/BodyWizard.h"
#include "wizards/HomePageWizard.h"
#include "wizards/ImageWizard.h"
#include "wizards/JavaWizard.h"
#include "wizards/UrlWizard.h"

#include "tags/Color.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabBar>
#include <QTest>

namespace {

class PageWizardsTest : public HostTest {
protected:
    template <class T> T *show(const char *handler, ToolWindows::Show how = ToolWindows::Show::Modeless)
    {
        host->toolWindows().add<T>(handler, how);
        EXPECT_TRUE(host->commands().trigger(handler));
        return host->toolWindows().get<T>();
    }
};

// ---- home page ----

TEST_F(PageWizardsTest, TheHomePageGoesIntoANewDocumentNumberedAfterTheOthers)
{
    host->settings().write(Settings::UserName, "Ann Lee");
    host->toolWindows().add<TfHPWiz>(QString(), ToolWindows::Show::Modal);
    TfHPWiz *wiz = nullptr;
    QString statusWhileShown;
    dialogs.onExec = [&](QDialog *d) {
        wiz = qobject_cast<TfHPWiz *>(d);
        statusWhileShown = host->status;
        if (wiz)
            wiz->OKBtnClick();
    };
    TfHPWiz::NewHomePage1Click(*host);
    ASSERT_NE(wiz, nullptr);
    EXPECT_EQ(wiz->windowTitle(), "Home Page Wizard");
    EXPECT_EQ(statusWhileShown, "   Loading Home Page Wizard ...");
    EXPECT_EQ(host->status, "   Ready ...");
    ASSERT_EQ(host->documents().size(), 2);
    TfHTML *page = host->activeDocument();
    EXPECT_EQ(page->caption(), "New HTML Document 2");
    const QString date = QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
    EXPECT_TRUE(text().startsWith("<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN//3.0\">\n<HTML>\n"));
    EXPECT_TRUE(text().endsWith("<I>Last updated by Ann Lee on " + date + "</I>\n</BODY>\n</HTML>\n\n"));

    // The answers are kept: a second page starts from the first one's.
    wiz->tTitle->setText("Second");
    wiz->optUseBGImage->setChecked(false);
    wiz->optBColor->setChecked(false);
    wiz->optFColor->setChecked(false);
    TfHPWiz::NewHomePage1Click(*host);
    EXPECT_EQ(host->activeDocument()->caption(), "New HTML Document 3");
    EXPECT_TRUE(text().contains("<TITLE>Second</TITLE>\n</HEAD>\n\n<BODY>\n\n"));

    // Cancel writes nothing.
    dialogs.onExec = nullptr;
    dialogs.execResults.push_back(QDialog::Rejected);
    TfHPWiz::NewHomePage1Click(*host);
    EXPECT_EQ(host->documents().size(), 3);
}

TEST_F(PageWizardsTest, TheHomePageFieldsBecomeTheAnswers)
{
    TfHPWiz wiz(*host);
    EXPECT_EQ(wiz.tabs()->count(), 6);
    wiz.tabs()->setCurrentIndex(3);
    EXPECT_EQ(wiz.notebook()->currentIndex(), 3);
    wiz.btnRight->setChecked(true);
    wiz.optIA->setChecked(true);
    wiz.mSections->setPlainText("One\nTwo\nThree");
    wiz.grdColor->setForegroundIndex(15);
    wiz.grdColor->setBackgroundIndex(0);
    wiz.txtIM->setText("Pics\\Me.gif");
    wiz.btnLCClick();
    dialogs.openNames.push_back({"/srv/web/Back.png"});
    wiz.btnBrowseClick();
    dialogs.openNames.push_back({});
    wiz.btnBrowse2Click(); // cancelled: the name stays
    const HomePage::Answers a = wiz.answers();
    EXPECT_EQ(a.align, HomePage::Align::Right);
    EXPECT_FALSE(a.imageBeforeHeading);
    EXPECT_EQ(a.sections, QStringList({"One", "Two", "Three"}));
    EXPECT_EQ(a.textColour, 15);
    EXPECT_EQ(a.backColour, 0);
    EXPECT_EQ(a.image, "pics\\me.gif");
    EXPECT_EQ(a.backgroundImage, "/srv/web/Back.png");
}

// The grid is drawn in the colours the page gets: index 2 writes #339933, not the standard green.
TEST_F(PageWizardsTest, TheHomePageColourGridShowsTheColoursItWrites)
{
    TfHPWiz wiz(*host);
    wiz.grdColor->resize(122, 98);
    const QImage shot = wiz.grdColor->grab().toImage();
    for (int i : {2, 13}) {
        const QColor written(HomePage::page([&] {
            HomePage::Answers a = wiz.answers();
            a.setBackColour = true;
            a.backColour = i;
            return a;
        }(), "", "", "").join("\n").section("BGCOLOR=\"", 1).left(7));
        const QRect cell(1 + (i % 4) * 30, 1 + (i / 4) * 24, 28, 22);
        EXPECT_EQ(shot.pixelColor(cell.center() + QPoint(8, 6)), written) << i;
    }
}

// ---- body ----

TEST_F(PageWizardsTest, TheBodyTagReplacesTheOldOneOnlyWhenTheUserSaysSo)
{
    auto *wiz = show<TfWizBody>("BodyWizard1Click");
    ASSERT_NE(wiz, nullptr);
    EXPECT_TRUE(wiz->isVisible());
    const QString initial =
        "<BODY BACKGROUND=\"\" BGCOLOR=\"#000000\" TEXT=\"#FFFFFF\" LINK=\"#00FFFF\" VLINK=\"#00FF00\" ALINK=\"#0000FF\" >";
    EXPECT_EQ(wiz->Memo1->toPlainText(), initial + "\n<H2>This is a heading</H2>\nThis is some text\n"
                                                   "<A HREF=\"Link.htm\">This is a link.</a>");

    ed()->loadUtf8("<html><body bgcolor=white>\n<p>x</p>");
    dialogs.answers.push_back(Dialogs::Answer::Yes);
    wiz->OKBtnClick();
    EXPECT_EQ(dialogs.questions.back(), "Replace existing Body Definition ?");
    EXPECT_EQ(text(), "<html>" + initial + "\n<p>x</p>");
    ed()->undo();
    EXPECT_EQ(text(), "<html><body bgcolor=white>\n<p>x</p>"); // the replacement is one step

    dialogs.answers.push_back(Dialogs::Answer::No);
    wiz->OKBtnClick();
    EXPECT_EQ(text(), "<html>" + initial + "<body bgcolor=white>\n<p>x</p>");
    EXPECT_TRUE(wiz->isVisible());

    // Without a body tag nothing is asked; the case setting applies to the whole tag.
    host->settings().write(Settings::TagCase, "L");
    ed()->loadUtf8("");
    const size_t asked = dialogs.questions.size();
    wiz->tImage->setText("C:\\web\\Back.GIF");
    wiz->btnSlashClick();
    EXPECT_EQ(wiz->tImage->text(), "C:/web/Back.GIF");
    wiz->OKBtnClick();
    EXPECT_EQ(dialogs.questions.size(), asked);
    EXPECT_TRUE(text().startsWith("<body background=\"c:/web/back.gif\" bgcolor=\"#000000\""));
}

TEST_F(PageWizardsTest, TheBodyColoursStepBy64AndStopAtTheirBounds)
{
    auto *wiz = show<TfWizBody>("BodyWizard1Click");
    wiz->tText->stepUp();
    EXPECT_EQ(wiz->tText->value(), 0xFFFFFF); // already at the top
    wiz->tBGCOLOR->stepDown();
    EXPECT_EQ(wiz->tBGCOLOR->value(), 0);
    wiz->tBGCOLOR->stepUp();
    wiz->tBGCOLOR->stepUp();
    EXPECT_EQ(wiz->tBGCOLOR->text(), "000080");
    EXPECT_TRUE(wiz->Memo1->toPlainText().startsWith("<BODY BACKGROUND=\"\" BGCOLOR=\"#000080\""));
    wiz->tLink->findChild<QLineEdit *>()->setText("abc");
    QTest::keyClick(wiz->tLink, Qt::Key_Enter);
    EXPECT_EQ(wiz->colours().link, 0xABCu);

    dialogs.openNames.push_back({});
    wiz->btnBrowseClick();
    EXPECT_EQ(wiz->tImage->text(), "");
    dialogs.openNames.push_back({"/pics/Sky.PNG"});
    wiz->btnBrowseClick();
    EXPECT_TRUE(wiz->Memo1->toPlainText().startsWith("<BODY BACKGROUND=\"/pics/Sky.PNG\""))
        << wiz->Memo1->toPlainText().toStdString();

    // No document: nothing happens.
    host->activeDocument()->setModified(false);
    host->activeDocument()->close();
    wiz->OKBtnClick();
    EXPECT_TRUE(dialogs.questions.empty());
}

// ---- Java applet ----

TEST_F(PageWizardsTest, TheAppletWrapsTheSelectionAndTheWindowCloses)
{
    auto *wiz = show<TfrmJavaWiz>("JavaWizard1Click");
    ASSERT_NE(wiz, nullptr);
    EXPECT_EQ(wiz->windowTitle(), "Tolvenra Java Wizard");
    EXPECT_EQ(wiz->tAlign->count(), 9);
    ed()->loadUtf8("<PARAM NAME=a VALUE=1>");
    ed()->selectAll();
    wiz->tAlt->clear();
    wiz->tVSpace->setValue(5);
    wiz->OKBtnClick();
    EXPECT_EQ(text(), "<APPLET CODE=AppletFile WIDTH=100 HEIGHT=100 ALIGN=Left CODEBASE=CodeBaseURL VSPACE=5 "
                      "NAME=AppletInstanceName ><PARAM NAME=a VALUE=1></APPLET>");
    EXPECT_FALSE(wiz->isVisible());

    // The fields are kept; the spinners step by 10 up to the largest number.
    host->commands().trigger("JavaWizard1Click");
    EXPECT_EQ(wiz->tVSpace->value(), 5);
    wiz->tWidth->stepUp();
    EXPECT_EQ(wiz->tWidth->value(), 110);
    wiz->tHeight->setValue(2147483647);
    wiz->tHeight->stepUp();
    EXPECT_EQ(wiz->tHeight->value(), 2147483647);
}

// ---- URL wizard ----

TEST_F(PageWizardsTest, TheUrlWizardRemembersNewLocationsExactly)
{
    auto *wiz = show<TfrmURLWizard>("URLWizardShow");
    ASSERT_NE(wiz, nullptr);
    EXPECT_EQ(wiz->cmbURL->currentText(), "http://");
    EXPECT_EQ(wiz->cmbDesc->currentText(), "Description");
    EXPECT_EQ(wiz->locations().size(), 7);
    EXPECT_TRUE(wiz->locations().contains("mailto:"));

    ed()->loadUtf8("me");
    ed()->selectAll();
    wiz->cmbURL->setEditText("index.htm");
    wiz->cmbDesc->setEditText("Home of ");
    wiz->OKBtnClick();
    EXPECT_EQ(text(), "<A HREF=\"index.htm\">Home of me</A>");
    EXPECT_FALSE(wiz->isVisible());
    EXPECT_EQ(wiz->locations().size(), 7); // already there
    EXPECT_EQ(home.read("WURLD.fil"), "Home of \r\nSend Mail to Me\r\n");

    wiz->cmbURL->setEditText("Index.htm");
    wiz->OKBtnClick();
    EXPECT_EQ(wiz->locations().size(), 8);
    EXPECT_EQ(wiz->locations().indexOf("Index.htm"), wiz->locations().indexOf("index.htm") - 1);
    EXPECT_EQ(wiz->cmbURL->count(), 8);

    // A new run reads the lists back.
    TfrmURLWizard again(*host);
    EXPECT_EQ(again.locations(), wiz->locations());
    EXPECT_EQ(again.descriptions(), wiz->descriptions());
    EXPECT_EQ(again.cmbURL->currentText(), "http://");
}

// Typed with the keyboard and ended with Enter, as a user does: the list's completion must
// not turn the letters into an entry's case.
TEST_F(PageWizardsTest, TheUrlWizardKeepsTheCaseTyped)
{
    auto *wiz = show<TfrmURLWizard>("URLWizardShow");
    wiz->show();
    ed()->loadUtf8("");
    auto type = [](QComboBox *box, const QString &text) {
        box->lineEdit()->selectAll();
        QTest::keyClicks(box->lineEdit(), text);
    };
    type(wiz->cmbDesc, "send mail to me");
    EXPECT_EQ(wiz->cmbDesc->currentText(), "send mail to me");
    type(wiz->cmbURL, "Index.htm");
    EXPECT_EQ(wiz->cmbURL->currentText(), "Index.htm");
    QTest::keyClick(wiz->cmbURL->lineEdit(), Qt::Key_Return); // Enter is To Document
    EXPECT_EQ(text(), "<A HREF=\"Index.htm\">send mail to me</A>");
    EXPECT_TRUE(home.read("WURLU.fil").contains("Index.htm\r\nindex.htm\r\n"));
}

TEST_F(PageWizardsTest, AUrlListThatCannotBeWrittenOrReadIsNotLost)
{
    QDir().mkpath(home.path("WURLU.fil")); // a folder where the file belongs
    const QByteArray binary("\x00\x01\x02garbage", 10);
    home.write("WURLD.fil", binary);
    auto *wiz = show<TfrmURLWizard>("URLWizardShow");
    ed()->loadUtf8("");
    dialogs.answers.push_back(Dialogs::Answer::Yes); // replace the folder: that fails
    dialogs.answers.push_back(Dialogs::Answer::No);  // keep the unreadable descriptions
    wiz->OKBtnClick();
    EXPECT_TRUE(dialogs.questions.back().startsWith("The URL list " + home.path("WURLD.fil") + " could not be read:"));
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors[0].startsWith("Unable to save the URL list " + home.path("WURLU.fil")));
    EXPECT_TRUE(wiz->isVisible());
    EXPECT_EQ(home.read("WURLD.fil"), binary);
    EXPECT_TRUE(text().startsWith("<A HREF=\"http://\">Description"));
}

TEST_F(PageWizardsTest, UrlListLinesWrittenByAnotherProgramKeepTheirBytes)
{
    home.write("WURLD.fil", "Caf\xE9 du coin\r\n");
    auto *wiz = show<TfrmURLWizard>("URLWizardShow");
    ed()->loadUtf8("x");
    ed()->selectAll();
    wiz->cmbDesc->setEditText("Another ");
    wiz->OKBtnClick();
    EXPECT_EQ(home.read("WURLD.fil"), "Another \r\nCaf\xE9 du coin\r\n");
}

// ---- browser extensions ----

TEST_F(PageWizardsTest, SoundAndMarqueeElements)
{
    auto *wiz = show<TfrmIE>("InternetExplorerExtensions1Click");
    ASSERT_NE(wiz, nullptr);
    EXPECT_EQ(wiz->windowTitle(), "Microsoft Internet Explorer Extensions");
    EXPECT_TRUE(wiz->writer().Errors == THTMLErrorSet());
    EXPECT_EQ(wiz->writer().Filename(), "tolv.ctl");
    auto insert = [&] {
        ed()->loadUtf8("");
        wiz->OKBtnClick();
        EXPECT_FALSE(wiz->isVisible());
        host->commands().trigger("InternetExplorerExtensions1Click");
        return text();
    };
    EXPECT_EQ(insert(), "<bgsound src=\"\" loop=1>");
    wiz->tSound->setText("C:\\snd\\Hello.WAV");
    wiz->btnSlashClick();
    wiz->btnLowerClick();
    wiz->spnSoundReps->setValue(0);
    EXPECT_EQ(insert(), "<bgsound src=\"c:/snd/hello.wav\" loop=infinite>");
    EXPECT_EQ(wiz->spnSoundReps->text(), "infinite");
    // Counts past a byte are written as typed, not wrapped to "infinite" or 44.
    wiz->spnSoundReps->setValue(256);
    EXPECT_EQ(insert(), "<bgsound src=\"c:/snd/hello.wav\" loop=256>");
    wiz->spnSoundReps->setValue(300);
    EXPECT_EQ(insert(), "<bgsound src=\"c:/snd/hello.wav\" loop=300>");
    wiz->spnSoundReps->setValue(-3);
    EXPECT_EQ(wiz->spnSoundReps->value(), 0);

    wiz->tabs()->setCurrentIndex(TfrmIE::MarqueesPage);
    EXPECT_EQ(wiz->notebook()->currentIndex(), TfrmIE::MarqueesPage);
    EXPECT_EQ(insert(), "<marquee behavior=scroll direction=left height=20 width=100% scrollamount=5 scrolldelay=1 "
                        "loop=infinite>Tolvenra Pro Sample Text</marquee>");
    wiz->spnMarqueeWidth->setValue(35);
    wiz->btnMAlternate->setChecked(true);
    wiz->btnMRight->setChecked(true);
    EXPECT_EQ(insert(), "<marquee behavior=alternate direction=right height=20 width=35% scrollamount=5 "
                        "scrolldelay=1 loop=infinite>Tolvenra Pro Sample Text</marquee>");

    // A chosen sound keeps its name as the file system spells it.
    const QString sound = home.write("Sounds/Ding.WAV", QByteArray("RIFF"));
    dialogs.openNames.push_back({sound});
    wiz->btnBrowseClick();
    EXPECT_EQ(wiz->tSound->text(), sound);
}

// ---- every wizard ----

// Cancel hides a wizard without a close event; its place must still be kept.
TEST_F(PageWizardsTest, EachWizardKeepsItsPlaceWhenCancelled)
{
    auto check = [&](QWidget *wiz, const char *section, auto cancel) {
        ASSERT_NE(wiz, nullptr) << section;
        wiz->show();
        wiz->move(131, 157);
        cancel();
        EXPECT_FALSE(wiz->isVisible()) << section;
        const QString ini = home.read("tolvopt.ini");
        const int at = ini.indexOf(QString("[%1]").arg(section));
        EXPECT_GE(at, 0) << section;
        EXPECT_TRUE(ini.mid(at).contains("FORM_PLACE=")) << section;
    };
    auto *java = show<TfrmJavaWiz>("JavaWizard1Click");
    check(java, "Java Wizard", [&] { java->CancelBtnClick(); });
    auto *url = show<TfrmURLWizard>("URLWizardShow");
    check(url, "URL Wizard", [&] { url->CancelBtnClick(); });
    auto *body = show<TfWizBody>("BodyWizard1Click");
    check(body, "Body Wizard", [&] { body->CancelBtnClick(); });
    auto *image = show<TfImageBrowser>("Pick2Click");
    check(image, "Image Browser", [&] { image->CancelBtnClick(); });
    host->toolWindows().add<TfHPWiz>(QString(), ToolWindows::Show::Modal);
    auto *page = host->toolWindows().get<TfHPWiz>();
    check(page, "HP Wizard", [&] { page->reject(); });
}

// ---- image ----

class ImageWizardTest : public PageWizardsTest {
protected:
    TfImageBrowser *wiz = nullptr;
    void SetUp() override
    {
        PageWizardsTest::SetUp();
        wiz = show<TfImageBrowser>("Pick2Click");
    }
    QString picture(const QString &name, int w, int h, const char *format)
    {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(Qt::red);
        const QString path = home.path(name);
        EXPECT_TRUE(image.save(path, format));
        return path;
    }
    void browse(const QString &path)
    {
        dialogs.openNames.push_back({path});
        wiz->btnBrowseClick();
    }
};

TEST_F(ImageWizardTest, ABrowsedPictureGivesItsDetailsSizeAndPreview)
{
    EXPECT_EQ(wiz->windowTitle(), "Image Browser");
    EXPECT_EQ(wiz->Edit1->text(), "N/A");
    const QString png = picture("Logo.PNG", 200, 150, "PNG");
    browse(png);
    EXPECT_EQ(wiz->txtImageName->text(), png);
    EXPECT_EQ(wiz->Edit1->text(), "200");
    EXPECT_EQ(wiz->Edit2->text(), "150");
    EXPECT_EQ(wiz->Edit6->text(), "PNG");
    EXPECT_EQ(wiz->Edit8->text(), QString::number(QFileInfo(png).size()));
    EXPECT_EQ(wiz->PImage->size(), QSize(133, 100));
    EXPECT_FALSE(wiz->PImage->pixmap().isNull());
    EXPECT_EQ(wiz->oW->value(), 200);
    EXPECT_EQ(wiz->oH->value(), 150);

    ed()->loadUtf8("Our logo");
    ed()->selectAll();
    wiz->OKBtnClick();
    EXPECT_EQ(text(), "<IMG SRC=\"" + png + "\" BORDER=1 WIDTH=200  HEIGHT=150  ALT=\"Our logo\">");
    EXPECT_TRUE(wiz->isVisible());

    browse(picture("tall.jpg", 150, 200, "JPEG"));
    EXPECT_EQ(wiz->PImage->size(), QSize(100, 133));
    EXPECT_EQ(wiz->Edit6->text(), "JPEG");
    browse(picture("wide.bmp", 20, 10, "BMP"));
    EXPECT_EQ(wiz->Edit2->text(), "10");
    EXPECT_EQ(wiz->Edit6->text(), "BMP");
}

TEST_F(ImageWizardTest, AFileThatIsNoPictureLeavesTheDetailsEmpty)
{
    browse(picture("first.png", 64, 32, "PNG"));
    const QString bad = home.write("broken.gif", QByteArray("GIF89a but not really"));
    browse(bad);
    EXPECT_EQ(wiz->PImage->text(), "No preview");
    EXPECT_EQ(wiz->txtImageName->text(), bad);
    EXPECT_EQ(wiz->Edit1->text(), "");
    EXPECT_EQ(wiz->Edit7->text(), "");
    EXPECT_EQ(wiz->oW->value(), 0); // not the first picture's 64 by 32
    EXPECT_EQ(wiz->oH->value(), 0);
    ed()->loadUtf8("");
    wiz->txtImageName->setText("C:\\Pics\\Logo.GIF");
    wiz->btnLowerClick();
    wiz->OKBtnClick();
    EXPECT_EQ(text(), "<IMG SRC=\"c:/pics/logo.gif\" BORDER=1 ALT=\"\">");
    EXPECT_EQ(ed()->caretCol(), int(text().size()) - 1); // inside the empty ALT value

    // Cancelled browsing changes nothing; without a document OK does nothing.
    dialogs.openNames.push_back({});
    wiz->btnBrowseClick();
    EXPECT_EQ(wiz->txtImageName->text(), "c:\\pics\\logo.gif");
    host->activeDocument()->setModified(false);
    host->activeDocument()->close();
    wiz->OKBtnClick();
}

// A PNG of the given size holding no rows: enough for its details, not for a picture.
QByteArray pngHeader(quint32 width, quint32 height)
{
    auto crc32 = [](const QByteArray &data) {
        quint32 c = 0xFFFFFFFFu;
        for (char ch : data) {
            c ^= quint8(ch);
            for (int k = 0; k < 8; ++k)
                c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1u)));
        }
        return ~c;
    };
    auto be = [](quint32 v) {
        const char bytes[4] = {char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
        return QByteArray(bytes, 4);
    };
    const QByteArray ihdr = "IHDR" + be(width) + be(height) + QByteArray("\x08\x02\x00\x00\x00", 5);
    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    png += be(13) + ihdr + be(crc32(ihdr));
    const QByteArray idat = "IDAT" + QByteArray::fromHex("789c030000000001"); // no rows
    png += be(8) + idat + be(crc32(idat));
    const QByteArray iend = "IEND";
    png += be(0) + iend + be(crc32(iend));
    return png;
}

TEST_F(ImageWizardTest, AHugePictureSaysItIsTooLargeToPreview)
{
    const QString huge = home.write("huge.png", pngHeader(40000, 40000));
    browse(huge);
    EXPECT_EQ(wiz->Edit1->text(), "40000");
    EXPECT_EQ(wiz->oH->value(), 40000);
    EXPECT_TRUE(wiz->PImage->pixmap().isNull());
    EXPECT_EQ(wiz->PImage->text(), "Too large to preview");
    browse(picture("small.png", 20, 10, "PNG"));
    EXPECT_FALSE(wiz->PImage->pixmap().isNull());
}

// ---- the frame ----


} // namespace
