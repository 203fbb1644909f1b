#include "wizards/HomePageWizard.h"
#include "wizards/HtmlWriter.h"
#include "wizards/ImageWizard.h"
#include "wizards/JavaWizard.h"

#include <gtest/gtest.h>

namespace {

// ---- the HTML writer ----

TEST(HtmlWriter, BackgroundSoundChecksOnlyWhatErrorsAsksFor)
{
    THTMLWriter w;
    EXPECT_EQ(w.Filename(), "htmlwrtr.htm");
    try {
        w.BGSound("", 0);
        FAIL() << "an empty source raises with the default checks";
    } catch (const EHTMLError &e) {
        EXPECT_EQ(e.message(), "Missing URL for background sound");
        EXPECT_EQ(e.tag(), 6);
    }
    w.Errors = {};
    EXPECT_EQ(w.BGSound("", 0), "<bgsound src=\"\" loop=infinite>");
    EXPECT_EQ(w.BGSound("C:/snd/hello.wav", 1), "<bgsound src=\"C:/snd/hello.wav\" loop=1>");
    EXPECT_EQ(w.BGSound("a.au", 255), "<bgsound src=\"a.au\" loop=255>");

    // A browser warning still hands over the element it made.
    w.Errors = erIExplorer;
    try {
        w.BGSound("a.wav", 2);
        FAIL() << "the browser check raises";
    } catch (const EHTMLWarning &e) {
        EXPECT_EQ(e.message(), "BGSOUND is IExplorer extension");
        EXPECT_EQ(e.element(), "<bgsound src=\"a.wav\" loop=2>");
    }
}

TEST(HtmlWriter, MarqueeAttributesAppearOnlyWhenSet)
{
    THTMLWriter w;
    EXPECT_EQ(w.Marquee("Hi", 0, 0, 0, 0, 0, 0, 0, 1, 1, 0, THTMLWriter::NoColor),
              "<marquee behavior=slide direction=right loop=infinite>Hi</marquee>");
    EXPECT_EQ(w.Marquee("T", 0, 20, THTMLWriter::Percentage(100), 0, 0, 5, 1, 0, 0, 0, THTMLWriter::NoColor),
              "<marquee behavior=scroll direction=left height=20 width=100% scrollamount=5 scrolldelay=1 "
              "loop=infinite>T</marquee>");
    EXPECT_EQ(w.MarqueeStart(3, 0, 50, 4, 6, 0, 0, 2, 0, 3, 0x030201),
              "<marquee behavior=alternate direction=left align=bottom width=50 hspace=4 vspace=6 loop=3 "
              "bgcolor=#010203>");
    w.Errors = erIExplorer;
    EXPECT_THROW(w.MarqueeStart(0, 0, 0, 0, 0, 0, 0, 0, 0, 0, THTMLWriter::NoColor), EHTMLWarning);
}

TEST(HtmlWriter, SizesAndColours)
{
    EXPECT_EQ(THTMLWriter::SizeAttribute("width", THTMLWriter::Percentage(50)), " width=50%");
    EXPECT_EQ(THTMLWriter::SizeAttribute("width", 50), " width=50");
    EXPECT_EQ(THTMLWriter::Percentage(-7), -7);
    EXPECT_EQ(THTMLWriter::ColorToHTML(0x030201), "#010203");
    EXPECT_EQ(THTMLWriter::ColorToHTML(0xABCDEF), "#EFCDAB");
}

// ---- the home page ----

const QString Date = QStringLiteral("09/12/2026");

QString pageOf(const HomePage::Answers &a)
{
    return HomePage::page(a, "me@example.org", "Ann Lee", Date).join(u'\n');
}

TEST(HomePageText, TheInitialAnswersGiveTheWholePage)
{
    EXPECT_EQ(pageOf(HomePage::Answers()),
              "<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN//3.0\">\n<HTML>\n<HEAD>\n"
              "<TITLE>My Home Page</TITLE>\n</HEAD>\n\n"
              "<BODY BACKGROUND=\"Image Name\" BGCOLOR=\"#CCCCCC\" TEXT=\"#000099\">\n\n"
              "<h3 ALIGN=LEFT>Welcome to</h3>\n<IMG SRC=\"Image Name\" BORDER=1>\n<h1 ALIGN=LEFT>My Home Page</h1>\n"
              "<p>\n<HR SIZE=2>\n"
              "<h1>Introduction</h1>\n<!-- The text for \"Introduction\" goes here. -->\n<P>\n<HR SIZE=1>\n"
              "<h1>About Me</h1>\n<!-- The text for \"About Me\" goes here. -->\n<P>\n<HR SIZE=1>\n"
              "Send comments and mail to <A HREF=\"Mailto:me@example.org\">Ann Lee</a><P>\n"
              "<ADDRESS>\n<STRONG>Your Address</STRONG><BR>\n</ADDRESS><P>\n"
              "<hr><p>\n<I>Last updated by Ann Lee on 09/12/2026</I>\n</BODY>\n</HTML>\n");
}

TEST(HomePageText, TheEdgeCasesOfTheAnswers)
{
    HomePage::Answers a;
    a.setBackColour = a.setTextColour = a.useBackgroundImage = false;
    EXPECT_TRUE(pageOf(a).contains("</HEAD>\n\n<BODY>\n\n<h3"));

    a.setTextColour = true;
    EXPECT_TRUE(pageOf(a).contains("\n<BODY TEXT=\"#000099\">\n"));

    a = {};
    a.addressLines.clear();
    EXPECT_TRUE(pageOf(a).contains("<ADDRESS>\n</ADDRESS><P>"));
    a.addressLines = QStringList{"1 High St", "Town"};
    EXPECT_TRUE(pageOf(a).contains("<ADDRESS>\n<STRONG>1 High St</STRONG><BR>\nTown<BR>\n</ADDRESS><P>"));

    a = {};
    a.image = a.backgroundImage = "C:\\pics\\me.gif";
    EXPECT_TRUE(pageOf(a).contains("<IMG SRC=\"C:/pics/me.gif\" BORDER=1>"));
    EXPECT_TRUE(pageOf(a).contains("BACKGROUND=\"C:/pics/me.gif\""));
    a.imageSlashes = false;
    EXPECT_TRUE(pageOf(a).contains("<IMG SRC=\"C:\\pics\\me.gif\" BORDER=1>"));

    // The image after the heading, centred, a sub-title, no lines, an empty section.
    a = {};
    a.imageBeforeHeading = false;
    a.align = HomePage::Align::Centre;
    a.subTitle = "Sub";
    a.linesBetween = false;
    a.welcome = false;
    a.sections = QStringList{""};
    EXPECT_TRUE(pageOf(a).contains("\n\n<h1 ALIGN=CENTER>My Home Page</h1>\n<h2 ALIGN=CENTER>Sub</h2>\n<p>\n"
                                   "<IMG SRC=\"Image Name\" BORDER=1>\n<h1></h1>\n"
                                   "<!-- The text for \"\" goes here. -->\n<P>\nSend"));

    // A long title is written whole.
    a = {};
    a.title = QString(500, u'x');
    EXPECT_TRUE(pageOf(a).contains("<TITLE>" + a.title + "</TITLE>"));
}

// ---- the applet, the image element ----

TEST(AppletText, OptionalAttributesOnlyWhenGiven)
{
    AppletHtml::Applet a;
    EXPECT_EQ(AppletHtml::openingText(a), "<APPLET CODE=AppletFile WIDTH=100 HEIGHT=100 ALIGN=Left "
                                          "CODEBASE=CodeBaseURL NAME=AppletInstanceName ALT=AlternateText >");
    a.codeBase.clear();
    a.name.clear();
    a.alt.clear();
    EXPECT_EQ(AppletHtml::openingText(a), "<APPLET CODE=AppletFile WIDTH=100 HEIGHT=100 ALIGN=Left >");
    a.vspace = 5;
    a.code.clear();
    a.align = "AbsMiddle";
    EXPECT_EQ(AppletHtml::openingText(a), "<APPLET CODE= WIDTH=100 HEIGHT=100 ALIGN=AbsMiddle VSPACE=5 >");
    a.hspace = 2147483647;
    EXPECT_TRUE(AppletHtml::openingText(a).endsWith("VSPACE=5 HSPACE=2147483647 >"));
}

TEST(ImageText, SizesAndTheNameAsTheOptionsSay)
{
    EXPECT_EQ(ImageHtml::openingText("Image Name", true, 1, 0, 0), "<IMG SRC=\"Image Name\" BORDER=1 ALT=\"");
    EXPECT_EQ(ImageHtml::openingText("a.gif", true, 1, 100, 50),
              "<IMG SRC=\"a.gif\" BORDER=1 WIDTH=100  HEIGHT=50  ALT=\"");
    EXPECT_EQ(ImageHtml::openingText("c:\\pics\\logo.gif", true, 0, 0, 7),
              "<IMG SRC=\"c:/pics/logo.gif\" BORDER=0 HEIGHT=7  ALT=\"");
    EXPECT_EQ(ImageHtml::openingText("c:\\a.gif", false, 2, 0, 0), "<IMG SRC=\"c:\\a.gif\" BORDER=2 ALT=\"");

    EXPECT_EQ(ImageHtml::previewSize({200, 150}), QSize(133, 100));
    EXPECT_EQ(ImageHtml::previewSize({150, 200}), QSize(100, 133));
    EXPECT_EQ(ImageHtml::previewSize({64, 64}), QSize(133, 133));
    EXPECT_EQ(ImageHtml::previewSize({10000, 1}), QSize(133, 0));
    EXPECT_EQ(ImageHtml::previewSize({0, 0}), QSize(133, 133));
}

} // namespace
