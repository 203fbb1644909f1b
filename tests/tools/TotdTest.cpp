#include "support/FrameFixture.h"
#include "tools/Totd.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

namespace {

TEST(TipText, HeadingsByFirstCharacter)
{
    EXPECT_EQ(TipText::heading("?x"), "Did you know...");
    EXPECT_EQ(TipText::heading("^x"), "Today's tip...");
    EXPECT_EQ(TipText::heading("'x"), "Today's quote...");
    EXPECT_EQ(TipText::heading("!x"), "Today's joke...");
    EXPECT_EQ(TipText::heading("#x"), "Today's message...");
    EXPECT_EQ(TipText::heading("Ax"), "");
    EXPECT_EQ(TipText::heading(""), "");
}

TEST(TipText, LineBreaksPercentsAndStrayDirectives)
{
    EXPECT_EQ(TipText::text("?Hello%sWorld"), "Hello\nWorld");
    EXPECT_EQ(TipText::text("?100%% sure"), "100% sure");
    // At most five breaks; a sixth "%s" stays as written.
    EXPECT_EQ(TipText::text("?a%sb%sc%sd%se%sf%sg"), "a\nb\nc\nd\ne\nf%sg");
    // Any other directive is shown as text rather than failing.
    EXPECT_EQ(TipText::text("?width %d and %"), "width %d and %");
    EXPECT_EQ(TipText::text("?" + QString(300, u'x')).size(), 255);
}

class TipsTest : public ::testing::Test {
protected:
    TestHome home;
};

TEST_F(TipsTest, NextAndPreviousGoRound)
{
    home.write("TIPS.TXT", "?one\r\n^two\r\n!three\r\n");
    TfTipOfTheDay tips;
    tips.setIndex(2);
    tips.bClick(true);
    EXPECT_EQ(tips.currentTip(), "one");
    EXPECT_EQ(tips.currentHeading(), "Did you know...");
    tips.bClick(false);
    EXPECT_EQ(tips.currentTip(), "three");
    EXPECT_EQ(tips.currentHeading(), "Today's joke...");
    tips.findChild<QPushButton *>("bNext")->click();
    EXPECT_EQ(tips.currentTip(), "one");
}

TEST_F(TipsTest, AOneLineFileShowsThatLineAlways)
{
    home.write("TIPS.TXT", "#only%sline\r\n");
    TfTipOfTheDay tips;
    EXPECT_EQ(tips.currentTip(), "only\nline");
    tips.bClick(true);
    EXPECT_EQ(tips.currentTip(), "only\nline");
    tips.bClick(false);
    EXPECT_EQ(tips.currentTip(), "only\nline");
}

TEST_F(TipsTest, NoTipsFileKeepsTheBuiltInTextAndDisablesTheButtons)
{
    TfTipOfTheDay tips;
    EXPECT_EQ(tips.currentHeading(), "Oops...");
    EXPECT_TRUE(tips.currentTip().startsWith("Sorry, no tips are available."));
    EXPECT_FALSE(tips.findChild<QPushButton *>("bNext")->isEnabled());
    EXPECT_FALSE(tips.findChild<QPushButton *>("bPrevious")->isEnabled());
    EXPECT_TRUE(tips.showAtStartup()->isChecked());
}



} // namespace
