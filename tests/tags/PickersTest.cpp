#include "support/TestHost.h"
#include "tags/PickerTables.h"
#include "tags/Pickers.h"

#include <QLineEdit>
#include <QRegularExpression>
#include <QPushButton>
#include <QToolButton>

namespace {

class PickersTest : public HostTest {
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        ToolWindows &w = host->toolWindows();
        w.add<TfSymbol>("Symbol1Click");
        w.add<TfHTMLTags>("HTMLTagsChooser1Click");
        w.add<TfColorChooser>("ColorChooser1Click");
    }
    bool trigger(const char *handler) { return host->commands().trigger(QString::fromLatin1(handler)); }
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

TEST(PickerTables, EveryEntryHasTwoColumnsAndEveryTagPairMatches)
{
    for (int i = 0; i < PickerTables::symbolCount; ++i) {
        const QString entry = QString::fromUtf8(PickerTables::symbols[i]);
        ASSERT_TRUE(entry.contains(u'\t')) << entry.toStdString();
        const QString code = PickerList::firstColumn(entry);
        // A character reference, or markup standing for a symbol.
        EXPECT_TRUE(code.startsWith(u'&') || code.startsWith(u'<')) << code.toStdString();
        EXPECT_FALSE(PickerList::secondColumn(entry).isEmpty()) << code.toStdString();
    }
    for (int i = 0; i < PickerTables::tagCount; ++i) {
        const QString entry = QString::fromUtf8(PickerTables::tags[i]);
        const QString open = PickerList::firstColumn(entry), close = PickerList::secondColumn(entry);
        ASSERT_TRUE(open.startsWith(u'<')) << entry.toStdString();
        // A closing text, when an element has one, closes the element the opening text starts.
        const QRegularExpressionMatch element = QRegularExpression(QStringLiteral("^<([A-Za-z][A-Za-z0-9]*)")).match(open);
        if (element.hasMatch() && !close.isEmpty()) {
            EXPECT_EQ(close.toUpper(), "</" + element.captured(1).toUpper() + ">") << entry.toStdString();
        }
    }
}

TEST_F(PickersTest, SymbolGoesBeforeTheSelection)
{
    trigger("Symbol1Click");
    TfSymbol *symbols = host->toolWindows().get<TfSymbol>();
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
    TfSymbol *symbols = host->toolWindows().get<TfSymbol>();
    symbols->list()->setCurrentRow(-1);
    symbols->lSymDblClick();
    EXPECT_EQ(text(), "");
}

TEST_F(PickersTest, SymbolsFileReplacesTheListOnActivation)
{
    home.write("symbols.web", "&hearts;\theart\r\nno tab line\r\n");
    TfSymbol *symbols = host->toolWindows().get<TfSymbol>();
    symbols->LoadSymbols();
    ASSERT_EQ(symbols->list()->count(), 2);
    symbols->list()->setCurrentRow(1);
    host->tags().setLastPair("before", "before");
    symbols->lSymDblClick();
    // A line without a TAB is shown, and inserts an empty text.
    EXPECT_EQ(text(), "");
    EXPECT_EQ(host->tags().lastOpenTag(), "");
}

TEST_F(PickersTest, TagChooserWrapsAndSetsTheRepeatPair)
{
    TfHTMLTags *tags = host->toolWindows().get<TfHTMLTags>();
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
    TfSymbol *symbols = host->toolWindows().get<TfSymbol>();
    choose(symbols->list(), "&nbsp;");
    symbols->list()->onDrag(symbols->list()->currentItem()->text());
    EXPECT_EQ(host->tags().lastOpenTag(), "&nbsp;");
    EXPECT_EQ(host->tags().lastCloseTag(), "");
    ed()->loadUtf8("ab");
    ed()->setCaret(1, 2);
    emit ed()->listItemDropped();
    EXPECT_EQ(text(), "a&nbsp;b");
    TfHTMLTags *tags = host->toolWindows().get<TfHTMLTags>();
    choose(tags->list(), "<TT>");
    tags->list()->onDrag(tags->list()->currentItem()->text());
    EXPECT_EQ(host->tags().lastCloseTag(), "</TT>");
}

TEST_F(PickersTest, KeepOnTopToggles)
{
    TfHTMLTags *tags = host->toolWindows().get<TfHTMLTags>();
    EXPECT_TRUE(tags->keepOnTop()->isChecked());
    tags->keepOnTop()->trigger();
    EXPECT_FALSE(tags->keepOnTop()->isChecked());
    EXPECT_FALSE(tags->windowFlags() & Qt::WindowStaysOnTopHint);
}

TEST_F(PickersTest, ColourChooser)
{
    trigger("ColorChooser1Click");
    TfColorChooser *colors = host->toolWindows().get<TfColorChooser>();
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
    TfSymbol *symbols = host->toolWindows().get<TfSymbol>();
    symbols->show();
    symbols->setGeometry(40, 50, 300, 400);
    symbols->close();
    EXPECT_TRUE(home.read("tolvopt.ini").contains("[Symbols]\r\nFORM_PLACE=0,1,-1,-1,-1,-1,40,50,340,450\r\n"));
}

} // namespace
