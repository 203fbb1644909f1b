#include "app/Files.h"
#include "support/FrameFixture.h"
#include "tags/PickerTables.h"
#include "tags/Pickers.h"

#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace {

class PickersTest : public FrameTest {
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        startWithEmptyDocument();
    }
    // Chooses the entry of the list whose first column is text.
    static void choose(PickerList *list, const QString &text)
    {
        for (int i = 0; i < list->count(); ++i)
            if (PickerList::firstColumn(list->item(i)->text()) == text) {
                list->setCurrentRow(i);
                return;
            }
        ADD_FAILURE() << "no entry " << text.toStdString();
    }
};

TEST_F(PickersTest, BuiltInListsAreComplete)
{
    EXPECT_EQ(PickerTables::symbolCount, 74);
    EXPECT_EQ(PickerTables::tagCount, 80);
    EXPECT_STREQ(PickerTables::symbols[0], "&Aacute;\tA, acute accent");
    EXPECT_STREQ(PickerTables::symbols[73], "<SUP><FONT SIZE=1>tm</FONT></SUP>\ttrademark (tm)");
    EXPECT_STREQ(PickerTables::tags[79], "<WBR>\t");
}

TEST_F(PickersTest, SymbolGoesBeforeTheSelection)
{
    trigger("Symbol1Click");
    TfSymbol *symbols = frame->symbolPicker();
    EXPECT_TRUE(symbols->isVisible());
    EXPECT_EQ(symbols->windowTitle(), "Symbols");
    ed()->loadUtf8("2026");
    ed()->selectRange(1, 1, 1, 5);
    choose(symbols->list(), "&copy;");
    symbols->lSymDblClick();
    EXPECT_EQ(text(), "&copy;2026");
    EXPECT_EQ(ed()->selectedText(), "2026");
}

TEST_F(PickersTest, NothingSelectedInTheListInsertsNothing)
{
    TfSymbol *symbols = frame->symbolPicker();
    symbols->list()->setCurrentRow(-1);
    symbols->lSymDblClick();
    EXPECT_EQ(text(), "");
}

TEST_F(PickersTest, SymbolsFileReplacesTheListOnActivation)
{
    home.write("symbols.web", "&hearts;\theart\r\nno tab line\r\n");
    TfSymbol *symbols = frame->symbolPicker();
    symbols->LoadSymbols();
    ASSERT_EQ(symbols->list()->count(), 2);
    symbols->list()->setCurrentRow(1);
    symbols->lSymDblClick();
    // A line without a TAB inserts the whole line as its text.
    EXPECT_EQ(text(), "no tab line");
}

TEST_F(PickersTest, TagChooserWrapsAndSetsTheRepeatPair)
{
    TfHTMLTags *tags = frame->tagPicker();
    EXPECT_EQ(tags->windowTitle(), "HTML Tags");
    ed()->loadUtf8("one two");
    ed()->selectRange(1, 1, 1, 4);
    choose(tags->list(), "<B>");
    tags->InsertHTML();
    EXPECT_EQ(text(), "<B>one</B> two");
    ed()->selectRange(1, 12, 1, 15);
    trigger("RepeatLastTag1Click");
    EXPECT_EQ(text(), "<B>one</B> <B>two</B>");
}

TEST_F(PickersTest, DraggingPreparesThePairThatADropInserts)
{
    TfSymbol *symbols = frame->symbolPicker();
    choose(symbols->list(), "&nbsp;");
    symbols->list()->onDrag(symbols->list()->currentItem()->text());
    EXPECT_EQ(frame->LastOpenTag, "&nbsp;");
    EXPECT_EQ(frame->LastCloseTag, "");
    ed()->loadUtf8("ab");
    ed()->setCaret(1, 2);
    emit ed()->listItemDropped();
    EXPECT_EQ(text(), "a&nbsp;b");
    TfHTMLTags *tags = frame->tagPicker();
    choose(tags->list(), "<TT>");
    tags->list()->onDrag(tags->list()->currentItem()->text());
    EXPECT_EQ(frame->LastCloseTag, "</TT>");
}

TEST_F(PickersTest, KeepOnTopToggles)
{
    TfHTMLTags *tags = frame->tagPicker();
    EXPECT_TRUE(tags->keepOnTop()->isChecked());
    tags->keepOnTop()->trigger();
    EXPECT_FALSE(tags->keepOnTop()->isChecked());
    EXPECT_FALSE(tags->windowFlags() & Qt::WindowStaysOnTopHint);
}

TEST_F(PickersTest, ColourChooser)
{
    trigger("ColorChooser1Click");
    TfColorChooser *colors = frame->colorChooser();
    EXPECT_EQ(colors->valueEdit()->text(), "#FFFFFF");
    colors->findChild<QToolButton *>("ColorGrid9")->click();
    EXPECT_EQ(colors->valueEdit()->text(), "#FF0000");
    colors->findChild<QPushButton *>("OKBtn")->click();
    EXPECT_EQ(text(), "#FF0000");
    EXPECT_TRUE(colors->isVisible());
    // Whatever is typed goes in as it stands.
    colors->valueEdit()->setText("red");
    colors->OKBtnClick();
    EXPECT_EQ(text(), "#FF0000red");
    EXPECT_EQ(TfColorChooser::swapRGB("0080FF"), "FF8000");
    EXPECT_EQ(TfColorChooser::colorCode(QColor(0x12, 0x34, 0x56)), "#123456");
}

TEST_F(PickersTest, PlacementIsKept)
{
    TfSymbol *symbols = frame->symbolPicker();
    symbols->show();
    symbols->setGeometry(40, 50, 300, 400);
    symbols->close();
    EXPECT_TRUE(home.read("tolvopt.ini").contains("[Symbols]\r\nFORM_PLACE=0,1,-1,-1,-1,-1,40,50,340,450\r\n"));
}

} // namespace
