#include "app/CommandRegistry.h"
#include "app/TabStrip.h"
#include "app/Ubag.h"
#include "platform/HelpWindow.h"
#include "support/TestHome.h"

#include <QAction>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QTextBrowser>
#include <QToolBar>
#include <gtest/gtest.h>

namespace {

TEST(TabStrip, AppendsOnceAndShowsFileNames)
{
    TabStrip tabs;
    tabs.TabsUpdate("/site/index.html");
    tabs.TabsUpdate("New HTML Document 1");
    tabs.TabsUpdate("/site/index.html");
    EXPECT_EQ(tabs.names(), QStringList({"/site/index.html", "New HTML Document 1"}));
    EXPECT_EQ(tabs.tabText(0), "index.html");
    EXPECT_EQ(tabs.tabToolTip(0), "/site/index.html");
    EXPECT_EQ(tabs.tabText(1), "New HTML Document 1");
}

TEST(TabStrip, RemovingATabSelectsTheFirst)
{
    TabStrip tabs;
    for (const char *n : {"/a", "/b", "/c"})
        tabs.TabsUpdate(n);
    tabs.SelectTabName("/c");
    EXPECT_EQ(tabs.selectedName(), "/c");
    tabs.RemovefromTabs("/b");
    EXPECT_EQ(tabs.names(), QStringList({"/a", "/c"}));
    EXPECT_EQ(tabs.selectedName(), "/a");
    tabs.SelectTabName("/missing"); // no change
    EXPECT_EQ(tabs.selectedName(), "/a");
    tabs.RemovefromTabs("/missing");
    EXPECT_EQ(tabs.names().size(), 2);
}

TEST(TabStrip, AClickNamesTheChosenDocument)
{
    TabStrip tabs;
    tabs.TabsUpdate("/a");
    tabs.TabsUpdate("/b");
    QString chosen;
    QObject::connect(&tabs, &TabStrip::tabChosen, [&](const QString &n) { chosen = n; });
    emit tabs.tabBarClicked(1);
    EXPECT_EQ(chosen, "/b");
}

class RegistryTest : public ::testing::Test {
protected:
    QMainWindow window;
    CommandRegistry registry{&window};
    void SetUp() override { registry.build(); }
};

TEST_F(RegistryTest, EveryHandlerOfTheTableHasAnActionAndMenusAreNamed)
{
    ASSERT_NE(registry.action("FileNew"), nullptr);
    EXPECT_EQ(registry.action("FileNew")->text(), "&New Document");
    // A handler reached from a menu item and a button.
    EXPECT_EQ(registry.actions("HeadingLevel1Click").size(), 2);
    EXPECT_EQ(registry.menu("Insert1")->title(), "&Insert");
    ASSERT_NE(registry.menu("Headings1"), nullptr);
    EXPECT_EQ(registry.menu("Headings1")->actions().size(), 6);
    EXPECT_EQ(registry.toolBar("ListToolBar")->actions().size(), 8);
}

TEST_F(RegistryTest, BindingEnablesEveryPlaceOfTheCommand)
{
    for (QAction *a : registry.actions("HeadingLevel1Click"))
        EXPECT_FALSE(a->isEnabled());
    int runs = 0;
    registry.bind("HeadingLevel1Click", [&] { ++runs; });
    for (QAction *a : registry.actions("HeadingLevel1Click")) {
        EXPECT_TRUE(a->isEnabled());
        a->trigger();
    }
    EXPECT_EQ(runs, 2);
    EXPECT_TRUE(registry.trigger("HeadingLevel1Click"));
    EXPECT_EQ(runs, 3);
}

TEST_F(RegistryTest, ItemsTheTableDisablesStayDisabled)
{
    registry.bind("ImageTools1Click", [] {});
    EXPECT_FALSE(registry.action("ImageTools1Click")->isEnabled());
}

TEST_F(RegistryTest, CheckMarksAreLeftToTheHandler)
{
    QAction *wrap = registry.action("WordWrap1Click");
    registry.bind("WordWrap1Click", [] {}); // a handler that changes nothing
    wrap->trigger();
    EXPECT_TRUE(wrap->isChecked());
}

TEST_F(RegistryTest, ShortcutsAreOnlyInTheTable)
{
    const QList<QKeySequence> keys = registry.shortcuts();
    EXPECT_TRUE(keys.contains(QKeySequence("Ctrl+U")));
    EXPECT_TRUE(keys.contains(QKeySequence("Ctrl+F3")));
    // Bookmark 3 and 7 leave Ctrl+F3 and Ctrl+F7 to Find Again and Check Spelling.
    EXPECT_TRUE(registry.action("N34Click")->shortcut().isEmpty());
    EXPECT_TRUE(registry.action("N71Click")->shortcut().isEmpty());
}

TEST(BagPlacement, RestoresOnShowAndStoresOnClose)
{
    TestHome home;
    home.write("tolvopt.ini", "[Symbols]\r\nFORM_PLACE=0,1,-1,-1,-1,-1,30,40,330,240\r\n");
    QWidget w;
    TBag bag("tolvopt.ini", "Symbols");
    new BagPlacement(&w, &bag);
    w.show();
    EXPECT_EQ(w.geometry(), QRect(30, 40, 300, 200));
    w.setGeometry(50, 60, 200, 100);
    w.close();
    EXPECT_EQ(home.read("tolvopt.ini"), "[Symbols]\r\nFORM_PLACE=0,1,-1,-1,-1,-1,50,60,250,160\r\n");
}

TEST(HelpWindow, KeywordsComeFromTheHelpFolder)
{
    TestHome home;
    home.write("help/keywords.txt", "zebra\tz.html\nno tab here\napple\ta.html\r\n");
    home.write("help/a.html", "<h1>Apples</h1>");
    HelpWindow help;
    help.setHelpFolder(home.path("help"));
    ASSERT_EQ(help.keywordList()->count(), 2);
    EXPECT_EQ(help.keywordList()->item(0)->text(), "apple");
    emit help.keywordList()->itemActivated(help.keywordList()->item(0));
    EXPECT_EQ(help.currentPage(), "a.html");
    help.showTopic("missing.html");
    EXPECT_TRUE(help.browser()->toPlainText().contains("Help is not installed"));
}

} // namespace
