#include "app/EditorAccessibility.h"
#include "app/Files.h"
#include "app/FindDialogs.h"
#include "app/TabStrip.h"
#include "app/Ubag.h"
#include "support/FrameFixture.h"
#include "support/TestHost.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QCheckBox>
#include <Qsci/qscicommandset.h>

namespace {

using Answer = Dialogs::Answer;

class EditTest : public FrameTest {
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        startEmpty();
        TfHTML::LastSearchText.clear();
    }
    TfHTML *newDoc(const QByteArray &utf8)
    {
        trigger("FileNew");
        ed()->loadUtf8(utf8);
        return doc();
    }
    QAction *findAgain(TfHTML *d) { return d->findChild<QAction *>("FindAgain1"); }
};


TEST_F(EditTest, ClosingAnUnmodifiedDocumentAsksNothing)
{
    newDoc("x");
    doc()->close();
    EXPECT_TRUE(dialogs.questions.isEmpty());
    EXPECT_TRUE(tabs()->names().isEmpty());
}

TEST_F(EditTest, CloseQuestionOfAnUntitledDocument)
{
    newDoc("");
    ed()->insertAtCaret("work");
    // Yes, then the save dialog is cancelled: the window stays.
    dialogs.answers.push_back(Answer::Yes);
    dialogs.saveNames.push_back(QString());
    EXPECT_FALSE(doc()->close());
    EXPECT_EQ(dialogs.questions, QStringList({"Save changes to : New HTML Document 1"}));
    EXPECT_TRUE(doc()->modified());
    EXPECT_EQ(tabs()->names(), QStringList({"New HTML Document 1"}));
    // Yes, and a name: saved, tab gone.
    dialogs.answers.push_back(Answer::Yes);
    dialogs.saveNames.push_back(home.path("kept.htm"));
    EXPECT_TRUE(doc()->close());
    EXPECT_EQ(home.read("kept.htm"), "work");
    EXPECT_TRUE(tabs()->names().isEmpty());
}

TEST_F(EditTest, CloseQuestionCancelAndNo)
{
    newDoc("");
    ed()->insertAtCaret("draft");
    dialogs.answers.push_back(Answer::Cancel);
    EXPECT_FALSE(doc()->close());
    EXPECT_EQ(text(), "draft");
    dialogs.answers.push_back(Answer::No);
    EXPECT_TRUE(doc()->close());
    EXPECT_TRUE(frame->documents().isEmpty());
}

TEST_F(EditTest, ClosingTheFrameAsksEachDocumentOnce)
{
    newDoc("");
    ed()->insertAtCaret("one");
    newDoc("");
    ed()->insertAtCaret("two");
    // The second says Cancel: nothing closes, and nothing is lost.
    dialogs.answers = {Answer::No, Answer::Cancel};
    EXPECT_FALSE(frame->close());
    EXPECT_EQ(frame->documents().size(), 2);
    EXPECT_EQ(tabs()->names().size(), 2);
    // Asked again after the cancel; No to both closes everything without a second question.
    dialogs.answers = {Answer::No, Answer::No};
    EXPECT_TRUE(frame->close());
    EXPECT_EQ(dialogs.questions.size(), 4);
    EXPECT_TRUE(frame->documents().isEmpty());
}








TEST_F(EditTest, EditCommandsActOnTheActiveDocument)
{
    newDoc("copy me");
    ed()->selectRange(1, 1, 1, 5);
    trigger("EditCopy");
    EXPECT_EQ(QApplication::clipboard()->text(), "copy");
    trigger("EditDelete");
    EXPECT_EQ(text(), " me");
    ed()->setCaret(1, 4);
    trigger("EditPaste");
    EXPECT_EQ(text(), " mecopy");
    trigger("EditUndo");
    trigger("EditRedoClick");
    EXPECT_EQ(text(), " mecopy");
    EXPECT_TRUE(doc()->modified());
}








TEST_F(EditTest, ALargeDocumentOpensUnwrappedAndSaysSo)
{
    QByteArray big;
    while (big.size() <= TEditor::LargeDocument)
        big += "<p>a line of a large page</p>\n";
    const QString path = home.write("large.html", big);
    const QString minified = home.write("min.html", QByteArray(TEditor::LargeDocument + 10, 'x'));
    files().OpenDocument(path);
    EXPECT_TRUE(ed()->largeDocument());
    EXPECT_FALSE(ed()->wordWrap());
    EXPECT_EQ(frame->statusText(), "   " + StatusPanels::LargeDocumentNote);
    EXPECT_FALSE(frame->commands().action("WordWrap1Click")->isChecked());
    doc()->SetProperties(); // a later showing keeps it unwrapped
    EXPECT_FALSE(ed()->wordWrap());
    // The user's choice turns wrapping on for it, and it stays on.
    trigger("WordWrap1Click");
    EXPECT_TRUE(ed()->wordWrap());
    doc()->SetProperties();
    EXPECT_TRUE(ed()->wordWrap());
    EXPECT_EQ(ed()->utf8Text(), big); // nothing of this reaches the text

    // One very long line is shown broken, and so large, unwrapped too; the file keeps its line.
    files().OpenDocument(minified);
    EXPECT_TRUE(ed()->hasDisplayBreaks());
    EXPECT_TRUE(ed()->largeDocument());
    EXPECT_EQ(ed()->fileText(), QByteArray(TEditor::LargeDocument + 10, 'x'));
    newDoc("<p>small</p>");
    EXPECT_FALSE(ed()->largeDocument());
    EXPECT_TRUE(ed()->wordWrap());
}

// ---- long lines shown broken ----

TEST(DisplayBreaks, LongLinesAreBrokenBetweenTagsAndNothingElseChanges)
{
    QByteArray page = "<head>\r\n";
    while (page.size() < 200 * 1024)
        page += "<p class=a>caf\xc3\xa9</p>";
    page += "\r\n<p>short</p>\r\n";
    QByteArray words;
    while (words.size() < 100 * 1024)
        words += "word ";
    QByteArray solid;
    while (solid.size() < 100 * 1024)
        solid += "\xe2\x82\xac"; // no tag, no blank: broken between characters
    for (const QByteArray &text : {page, words, solid}) {
        std::vector<long> breaks;
        const QByteArray shown = TEditor::breakLongLines(text, &breaks);
        ASSERT_FALSE(breaks.empty());
        QByteArray back = shown;
        for (auto it = breaks.rbegin(); it != breaks.rend(); ++it) {
            ASSERT_EQ(shown.at(*it), '\n');
            back.remove(*it, 1);
        }
        EXPECT_EQ(back, text);
        for (const QByteArray &line : shown.split('\n')) {
            EXPECT_LE(line.size(), 4200);
            EXPECT_TRUE(line.isEmpty() || (uchar(line.at(0)) & 0xC0) != 0x80); // whole characters
        }
    }
    std::vector<long> breaks;
    const QByteArray shown = TEditor::breakLongLines(page, &breaks);
    EXPECT_TRUE(shown.startsWith("<head>\r\n<p class=a>"));
    EXPECT_TRUE(shown.endsWith("</p>\r\n<p>short</p>\r\n")); // short lines stay as they are
    EXPECT_EQ(shown.at(breaks.front() - 1), '>');
    EXPECT_EQ(shown.at(breaks.front() + 1), '<');
}

class DisplayBreaksTest : public EditTest, public ::testing::WithParamInterface<int> {};

// A line of 100 KB, and one of 2.5 MB, whose control sends fewer notices of its edits.
INSTANTIATE_TEST_SUITE_P(LineSizes, DisplayBreaksTest, ::testing::Values(100 * 1024, 2500 * 1024));

TEST_P(DisplayBreaksTest, EditingAroundDisplayBreaksChangesOnlyTheFileTextTyped)
{
    QByteArray line;
    while (line.size() < GetParam())
        line += "<b>x</b>";
    const QByteArray file = "<p>first</p>\n" + line + "\n<p>last</p>\n";
    const QString path = home.write("min.html", file);
    files().OpenDocument(path);
    ASSERT_TRUE(ed()->hasDisplayBreaks());
    EXPECT_EQ(frame->statusText(), "   " + StatusPanels::LongLinesNote);
    const long firstBreak = ed()->displayBreaks().front();
    const long breakCount = long(ed()->displayBreaks().size());
    EXPECT_EQ(ed()->fileText(), file);

    // Lines and columns are the file's.
    ed()->SendScintilla(QsciScintillaBase::SCI_GOTOPOS, firstBreak + 5);
    EXPECT_EQ(ed()->caretLine(), 2);
    const int col = ed()->caretCol();
    EXPECT_EQ(col, int(firstBreak - 13) + 5); // the break is not a column
    ed()->setCaret(3, 4);
    EXPECT_EQ(ed()->caretLine(), 3);
    EXPECT_EQ(ed()->caretCol(), 4);
    ed()->setCaret(2, col);
    EXPECT_EQ(ed()->SendScintilla(QsciScintillaBase::SCI_GETCURRENTPOS), firstBreak + 5);
    ed()->setBookmark(1);
    ed()->setCaret(1, 1);
    ASSERT_TRUE(ed()->gotoBookmark(1));
    EXPECT_EQ(ed()->SendScintilla(QsciScintillaBase::SCI_GETCURRENTPOS), firstBreak + 5);

    // Typing on both sides of a break, then deleting across it.
    QByteArray expected = file;
    const long fileBreak = firstBreak; // the file offset the break stands at
    ed()->SendScintilla(QsciScintillaBase::SCI_GOTOPOS, firstBreak + 1); // start of the next display line
    QTest::keyClicks(ed(), "A");
    expected.insert(fileBreak, "A");
    ed()->SendScintilla(QsciScintillaBase::SCI_GOTOPOS, firstBreak); // end of the display line
    QTest::keyClicks(ed(), "B");
    expected.insert(fileBreak, "B");
    EXPECT_EQ(ed()->fileText(), expected);
    EXPECT_EQ(long(ed()->displayBreaks().size()), breakCount);
    const long at = ed()->displayBreaks().front();
    ed()->SendScintilla(QsciScintillaBase::SCI_SETSEL, at - 3, at + 3);
    QTest::keyClick(ed(), Qt::Key_Delete);
    QByteArray deleted = expected;
    deleted.remove(fileBreak - 2, 5); // three characters before the break, two after it
    EXPECT_EQ(ed()->fileText(), deleted);
    EXPECT_EQ(long(ed()->displayBreaks().size()), breakCount - 1);

    // Copied and pasted back: the clipboard holds the file's text, so nothing is added.
    const long again = ed()->displayBreaks().front();
    ed()->SendScintilla(QsciScintillaBase::SCI_SETSEL, again - 2, again + 2);
    ed()->cut();
    EXPECT_EQ(QApplication::clipboard()->text().size(), 3);
    ed()->paste();
    EXPECT_EQ(ed()->fileText(), deleted);
    ed()->undo();
    ed()->undo();

    // Undo puts the break back as a break; redo takes it again.
    ed()->undo();
    EXPECT_EQ(ed()->fileText(), expected);
    EXPECT_EQ(long(ed()->displayBreaks().size()), breakCount);
    ed()->redo();
    EXPECT_EQ(ed()->fileText(), deleted);
    while (ed()->isUndoAvailable())
        ed()->undo();
    EXPECT_EQ(ed()->fileText(), file);
    EXPECT_EQ(ed()->displayBreaks().front(), firstBreak);

    // Printing prints the file's lines.
    EXPECT_EQ(files().printLines(doc(), false),
              QStringList({"<p>first</p>", QString::fromUtf8(line), "<p>last</p>", ""}));
    ed()->selectRange(2, 1, 3, 4);
    EXPECT_EQ(files().printLines(doc(), true), QStringList({QString::fromUtf8(line), "<p>"}));

    // Searches see the file's text: a match may go across a break, as across nothing.
    ed()->SendScintilla(QsciScintillaBase::SCI_GOTOPOS, firstBreak - 8);
    ASSERT_TRUE(ed()->findForward("x</b><b>x", true, false));
    EXPECT_EQ(ed()->SendScintilla(QsciScintillaBase::SCI_GETSELECTIONSTART), firstBreak - 5);
    EXPECT_EQ(ed()->SendScintilla(QsciScintillaBase::SCI_GETSELECTIONEND), firstBreak + 5);
    EXPECT_EQ(ed()->selectedFileText(), "x</b><b>x");
    const int pairs = int(line.size() / 8) - 1;
    EXPECT_EQ(ed()->replaceText("</b><b>", "</b> <b>", true, true, false), pairs);
    QByteArray spaced = file;
    spaced.replace("</b><b>", "</b> <b>");
    EXPECT_EQ(ed()->fileText(), spaced);
    ed()->undo();
    EXPECT_EQ(ed()->fileText(), file);
    EXPECT_EQ(long(ed()->displayBreaks().size()), breakCount);

    // Replace All and a save: the file gets exactly its text with the edits.
    EXPECT_EQ(ed()->replaceText("<b>x</b>", "<i>y</i>", true, true, false), int(line.size() / 8));
    QByteArray replaced = file;
    replaced.replace("<b>x</b>", "<i>y</i>");
    EXPECT_EQ(ed()->fileText(), replaced);
    trigger("FileSave");
    EXPECT_EQ(home.read("min.html"), replaced);
}

TEST_F(EditTest, MenuKeysBelongToTheFrame)
{
    newDoc("");
    // The editor's own Ctrl+U (lower case) must not shadow Undo.
    EXPECT_EQ(ed()->standardCommands()->boundTo(QKeyCombination(Qt::CTRL, Qt::Key_U).toCombined()), nullptr);
}

} // namespace


