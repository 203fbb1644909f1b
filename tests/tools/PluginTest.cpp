#include "support/TestHost.h"
#include "tools/Plugin.h"

#include <QComboBox>
#include <QApplication>
#include <QFile>
#include <QTest>

namespace {

struct ParseCase {
    const char *line, *description, *left, *right;
};

class ParsePlugIn : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParsePlugIn, SplitsAtTheFirstTwoTabs)
{
    const PlugInCommand c = PlugInCommand::parse(QString::fromUtf8(GetParam().line));
    EXPECT_EQ(c.description, GetParam().description);
    EXPECT_EQ(c.left, GetParam().left);
    EXPECT_EQ(c.right, GetParam().right);
}

INSTANTIATE_TEST_SUITE_P(Lines, ParsePlugIn,
                         ::testing::Values(ParseCase{"Bold\t<B>\t</B>", "Bold", "<B>", "</B>"},
                                           ParseCase{"One tab\tafter", "One tab", "", "after"},
                                           ParseCase{"no tab at all", "no tab at all", "", "no tab at all"},
                                           ParseCase{"Three\ta\tb\tc", "Three", "a", "b\tc"},
                                           ParseCase{"Empty\t\t", "Empty", "", ""}),
                         [](const ::testing::TestParamInfo<ParseCase> &info) { return "line" + std::to_string(info.index); });

TEST(ParsePlugIn, OnlyTheFirst255CharactersAfterTheFirstTabCount)
{
    const PlugInCommand c = PlugInCommand::parse("D\t" + QString(200, u'l') + "\t" + QString(200, u'r'));
    EXPECT_EQ(c.left.size(), 200);
    EXPECT_EQ(c.right.size(), 54);
}

class PlugInTest : public HostTest {
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        host->toolWindows().add<TfPlugIn>("mPlugInsClick");
    }
    bool trigger(const char *handler) { return host->commands().trigger(QString::fromLatin1(handler)); }
};

TEST_F(PlugInTest, ShippedFilesAreListedAlphabetically)
{
    home.write("aaa.plg", "Zed\t<Z>\t</Z>\r\nAlpha\t<A>\t</A>\r\n");
    trigger("mPlugInsClick");
    TfPlugIn *p = host->toolWindows().get<TfPlugIn>();
    ASSERT_GE(p->fileBox()->count(), 3);
    EXPECT_EQ(p->fileBox()->itemText(0), "aaa.plg");
    EXPECT_EQ(p->fileBox()->itemText(1), "HTML5 Structure.plg");
    // The first file's commands, sorted by line.
    EXPECT_EQ(p->commandLines(), QStringList({"Alpha\t<A>\t</A>", "Zed\t<Z>\t</Z>"}));
}

TEST_F(PlugInTest, BuiltInCommandsWithoutPlugInFiles)
{
    for (const QString &f : QDir(home.path()).entryList({"*.plg"}))
        QFile::remove(home.path(f));
    TfPlugIn *p = host->toolWindows().get<TfPlugIn>();
    EXPECT_EQ(p->fileBox()->count(), 0);
    const QStringList lines = p->commandLines();
    ASSERT_FALSE(lines.isEmpty());
    // Each built-in command describes itself and puts a BODY tag before the selection.
    for (const QString &line : lines) {
        const PlugInCommand c = PlugInCommand::parse(line);
        EXPECT_FALSE(c.description.isEmpty()) << line.toStdString();
        EXPECT_TRUE(c.left.startsWith("<BODY")) << line.toStdString();
    }
    EXPECT_TRUE(std::is_sorted(lines.begin(), lines.end()));
}

TEST_F(PlugInTest, InsertWrapsTheSelectionAndSetsTheRepeatPair)
{
    home.write("mine.plg", "Bold\t<B>\t</B>\r\n");
    TfPlugIn *p = host->toolWindows().get<TfPlugIn>();
    p->fileBox()->setCurrentText("mine.plg");
    p->GetCommands();
    p->commandList()->setCurrentItem(p->commandList()->topLevelItem(0));
    ed()->loadUtf8("word");
    ed()->selectRange(1, 1, 1, 5);
    p->OKBtnClick();
    EXPECT_EQ(text(), "<B>word</B>");
    ed()->loadUtf8("");
    p->OKBtnClick();
    EXPECT_EQ(text(), "<B></B>");
    EXPECT_EQ(host->tags().lastCloseTag(), "</B>");
}

TEST_F(PlugInTest, NewFilesAppearAfterARefresh)
{
    TfPlugIn *p = host->toolWindows().get<TfPlugIn>();
    const int before = p->fileBox()->count();
    home.write("later.plg", "L\t<L>\t\r\n");
    EXPECT_EQ(p->fileBox()->count(), before);
    p->SetListBox();
    EXPECT_EQ(p->fileBox()->count(), before + 1);
}

TEST_F(PlugInTest, DraggingPreparesThePair)
{
    TfPlugIn *p = host->toolWindows().get<TfPlugIn>();
    p->setCommands({"Simple\t<BODY BACKGROUND=\"\t\">"});
    p->commandList()->onDrag(0);
    EXPECT_EQ(host->tags().lastOpenTag(), "<BODY BACKGROUND=\"");
    EXPECT_EQ(host->tags().lastCloseTag(), "\">");
}

} // namespace

namespace {

TEST_F(PlugInTest, EscOnTheOpenFileListClosesTheListOnly)
{
    home.write("aaa.plg", "A\t<A>\t</A>\r\n");
    trigger("mPlugInsClick");
    TfPlugIn *p = host->toolWindows().get<TfPlugIn>();
    p->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(p));
    p->fileBox()->setFocus();
    p->fileBox()->showPopup();
    QWidget *popup = QApplication::activePopupWidget();
    ASSERT_NE(popup, nullptr);
    QTest::keyClick(popup, Qt::Key_Escape);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_TRUE(p->isVisible());
    // Esc anywhere else closes the window.
    p->commandList()->setFocus();
    QTest::keyClick(p->commandList(), Qt::Key_Escape);
    EXPECT_FALSE(p->isVisible());
}

TEST_F(PlugInTest, ABinaryFileIsSaidAndNotChosen)
{
    home.write("aaa.plg", "Good\t<G>\t</G>\r\n");
    home.write("bbb.plg", QByteArray("Bad\t<X>\0\0\x01\x02", 12));
    TfPlugIn *p = host->toolWindows().get<TfPlugIn>();
    p->fileBox()->setCurrentText("bbb.plg");
    p->GetCommands();
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors[0].startsWith("Unable to read the plug-in file bbb.plg.")) << dialogs.errors[0].toStdString();
    EXPECT_EQ(p->fileBox()->currentIndex(), -1);
    EXPECT_TRUE(p->commandLines().isEmpty());
    // Insert then inserts nothing of the other file.
    p->OKBtnClick();
    EXPECT_EQ(text(), "");
}

TEST_F(PlugInTest, ColumnsTakeTheirSharesOfTheListWhenFirstShown)
{
    trigger("mPlugInsClick");
    TfPlugIn *p = host->toolWindows().get<TfPlugIn>();
    p->resize(800, 400);
    QCoreApplication::processEvents();
    const int w = p->commandList()->viewport()->width();
    EXPECT_NEAR(p->commandList()->columnWidth(0), w * 35 / 100, 1);
    EXPECT_NEAR(p->commandList()->columnWidth(1), w * 40 / 100, 1);
}

} // namespace
