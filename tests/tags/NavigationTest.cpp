#include "support/TestHost.h"
#include "tags/Navigation.h"

namespace {

class NavigationTest : public HostTest {
protected:
    std::unique_ptr<Navigation> navigation;
    void SetUp() override
    {
        HostTest::SetUp();
        navigation = std::make_unique<Navigation>(*host);
        navigation->bindCommands();
    }
    void TearDown() override
    {
        navigation.reset();
        HostTest::TearDown();
    }
    bool trigger(const char *handler) { return host->commands().trigger(QString::fromLatin1(handler)); }
    TfHTML *doc() const { return host->activeDocument(); }
    void load(const char *html)
    {
        ed()->loadUtf8(html);
        ed()->setCaret(1, 1);
    }
    QString selected() const { return ed()->selectedText(); }
};

TEST_F(NavigationTest, NextUrlWalksTheLinksAndStopsAtTheEnd)
{
    load("<p><A HREF=\"one.html\">One</A> and <a href=\"mailto:x@y.z\">mail</a></p>");
    trigger("NextURL1Click");
    EXPECT_EQ(selected(), "<A HREF=\"one.html\">One</A>");
    trigger("NextURL1Click");
    EXPECT_EQ(selected(), "<a href=\"mailto:x@y.z\">mail</a>"); // mail links too, in any case
    trigger("NextURL1Click");
    EXPECT_EQ(dialogs.messages, QStringList({"End of Document Reached : No URLs Found !"}));
    EXPECT_EQ(selected(), "<a href=\"mailto:x@y.z\">mail</a>");
    EXPECT_EQ(host->statusText(), "   Ready ...");
}

TEST_F(NavigationTest, LowerCaseTablesAndMailLinksAreFound)
{
    load("<table><tr><td>x</td></tr></table>\n<a href=\"MAILTO:a@b.c\">m</a>");
    trigger("NextTable1Click");
    EXPECT_EQ(selected(), "<table><tr><td>x</td></tr></table>");
    ed()->setCaret(1, 1);
    trigger("NextMailtoURL1Click");
    EXPECT_EQ(selected(), "<a href=\"MAILTO:a@b.c\">m</a>");
}

TEST_F(NavigationTest, ListItemsStopAtLinkTagsToo)
{
    load("<link rel=x>\n<li>item");
    trigger("NextListItem1Click");
    EXPECT_EQ(selected(), "<link rel=x>");
    trigger("NextListItem1Click");
    EXPECT_EQ(selected(), "<li>");
}

TEST_F(NavigationTest, HeadIsFoundFromTheTopWhereverTheCaretIs)
{
    load("<html><head><title>T</title></head><body bgcolor=white>x</body></html>");
    ed()->setCaret(1, 60);
    trigger("TitleSection1Click");
    EXPECT_EQ(selected(), "<head>");
    trigger("BodySection1Click");
    EXPECT_EQ(selected(), "<body bgcolor=white>");
    trigger("TitleDeclaration1Click");
    EXPECT_EQ(selected(), "<title>");
}

TEST_F(NavigationTest, AStartWithoutItsEndStaysSelected)
{
    load("text <BODY no end");
    trigger("BodySection1Click");
    EXPECT_EQ(dialogs.messages, QStringList({"No BODY Section Found !"}));
    EXPECT_EQ(selected(), "<BODY");
}

TEST_F(NavigationTest, LastUpdatedSelectsToTheEndOfTheLine)
{
    load("<p>x</p><i>Last Updated by Ann on Tuesday, 8 December, 2026 at 4:33 AM.</i>");
    trigger("LastUpdatedSection1Click");
    EXPECT_EQ(selected(), "Last Updated by Ann on Tuesday, 8 December, 2026 at 4:33 AM.</i>");
}

TEST_F(NavigationTest, WithoutADocumentTheMessageStillComes)
{
    doc()->setModified(false);
    doc()->close();
    trigger("NextImage1Click");
    EXPECT_EQ(dialogs.messages, QStringList({"End of Document Reached : No Images Found !"}));
    EXPECT_EQ(host->statusText(), "   Ready ...");
    EXPECT_FALSE((*navigation).FindBlock("<A", ">", false));
}

} // namespace
