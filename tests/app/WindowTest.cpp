// A document window and its editor on the frame's stand-in: find and replace, bookmarks, the popup menu, the editor's settings, large texts, long lines and screen readers.

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

// A document window and its editor on the frame's stand-in.
class WindowTest : public HostTest {
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        TfHTML::LastSearchText.clear();
    }
    TfHTML *newDoc(const QByteArray &utf8) { return host->newDocumentFromText(QString::fromUtf8(utf8)); }
    TfHTML *doc() const { return host->activeDocument(); }
    QAction *findAgain(TfHTML *d) { return d->findChild<QAction *>("FindAgain1"); }
};

TEST_F(WindowTest, FindSearchesOnlyItsOwnWindowWithoutRegardToCase)
{
    TfHTML *first = newDoc("alpha beta");
    TfHTML *second = newDoc("gamma BETA delta beta");
    second->Find1Click();
    FindDialog *dlg = second->findDialog();
    dlg->textEdit()->setText("beta");
    dlg->findButton()->click();
    EXPECT_EQ(second->editor()->selectedText(), "BETA");
    EXPECT_FALSE(first->editor()->hasSelectedText());
    EXPECT_TRUE(findAgain(second)->isEnabled());
    EXPECT_EQ(TfHTML::LastSearchText, "beta");
    second->FindAgain1Click();
    EXPECT_EQ(second->editor()->selectedText(), "beta");
    // Nothing more: the message, and Find Again is disabled.
    second->FindAgain1Click();
    EXPECT_EQ(dialogs.messages, QStringList({"Search string not found !"}));
    EXPECT_FALSE(findAgain(second)->isEnabled());
}

TEST_F(WindowTest, FindFoldsLettersBeyondAscii)
{
    newDoc("caf\xC3\xA9 CAF\xC3\x89");
    ed()->setCaret(1, 6);
    EXPECT_TRUE(ed()->findForward(QString::fromUtf8("caf\xC3\xA9"), false, false));
    EXPECT_EQ(ed()->selectedText(), QString::fromUtf8("CAF\xC3\x89"));
}

TEST_F(WindowTest, FindAgainUsesTheLastSearchOfAnyWindow)
{
    TfHTML *first = newDoc("the word here");
    TfHTML *second = newDoc("nothing");
    second->doFind("word");
    EXPECT_EQ(dialogs.messages, QStringList({"Search string not found !"}));
    first->FindAgain1Click();
    EXPECT_EQ(first->editor()->selectedText(), "word");
}

TEST_F(WindowTest, ReplaceAllCountsInTheStatusLine)
{
    newDoc("cat Cat cat concat");
    doc()->Replace1Click();
    ReplaceDialog *dlg = doc()->replaceDialog();
    dlg->findEdit()->setText("cat");
    dlg->replaceEdit()->setText("dog");
    dlg->replaceAllButton()->click();
    EXPECT_EQ(text(), "dog dog dog condog");
    EXPECT_EQ(host->statusText(), "   4 : occurences were replaced.");
    doc()->doUndo();
    EXPECT_EQ(text(), "cat Cat cat concat"); // one undo step
}

TEST_F(WindowTest, ReplaceHonoursCaseAndWholeWords)
{
    newDoc("cat Cat cat concat");
    doc()->HandleReplace("cat", "dog", true, true, true);
    EXPECT_EQ(text(), "dog Cat dog concat");
    EXPECT_EQ(host->statusText(), "   2 : occurences were replaced.");
    doc()->HandleReplace("Cat", "Cow", false, false, false);
    EXPECT_EQ(text(), "dog Cow dog concat");
    EXPECT_EQ(host->statusText(), "   1 : occurences were replaced.");
    doc()->HandleReplace("zebra", "x", true, false, false);
    EXPECT_EQ(host->statusText(), "   Ready ...");
}

TEST_F(WindowTest, ReplaceAllWithALongerTextThatContainsTheSearch)
{
    newDoc("a-a-a");
    doc()->HandleReplace("a", "aa", true, false, false);
    EXPECT_EQ(text(), "aa-aa-aa");
}

TEST_F(WindowTest, BookmarksReturnTheCaret)
{
    newDoc("line one\nline two\nline three\n");
    ed()->setCaret(2, 4);
    ed()->setBookmark(4);
    ed()->setCaret(1, 1);
    ed()->insertAtCaret("new first line\n");
    ed()->gotoBookmark(4);
    EXPECT_EQ(ed()->caretLine(), 3); // moved down with its line
    EXPECT_EQ(ed()->caretCol(), 4);
    ed()->setCaret(1, 1);
    ed()->gotoBookmark(5); // never set
    EXPECT_EQ(ed()->caretLine(), 1);
}

TEST_F(WindowTest, PopupMenuHasTheEditorsCommands)
{
    newDoc("");
    QStringList items;
    for (QAction *a : doc()->popupMenu()->actions())
        items << (a->isSeparator() ? "-" : a->text());
    EXPECT_EQ(items, QStringList({"&Undo", "&ReDo", "-", "Repeat &Last Tag", "-", "Cu&t", "&Copy", "&Paste", "-",
                                  "Find ...", "Replace ..."}));
}

TEST_F(WindowTest, EditorSettingsApplyWhenTheWindowIsShown)
{
    home.write("TOLVENRA.INI", "[Editor]\r\nWord Wrap=0\r\nSmart Tabs=1\r\nTab Size=4\r\n");
    newDoc("");
    EXPECT_FALSE(ed()->wordWrap());
    EXPECT_EQ(ed()->tabWidth(), 4);
    EXPECT_EQ(ed()->tabType(), TEditor::TabType::Smart);
}

TEST_F(WindowTest, ColourAndFontOfTheLastClosedWindowAreKept)
{
    newDoc("");
    QFont f = ed()->fixedFont();
    f.setFamily("DejaVu Sans Mono");
    f.setPointSize(13);
    ed()->setFixedFont(f, QColor(0, 0, 0x80));
    ed()->setEditorColor(QColor(0xFF, 0xFF, 0xE0));
    doc()->close();
    const QByteArray opts = home.read("tolvopt.ini");
    EXPECT_TRUE(opts.contains("[Edit Window]\r\nEDIT_COLOR=14745599\r\nEDIT_FONT=0,"));
    EXPECT_TRUE(opts.contains("<13>"));
    newDoc("");
    EXPECT_EQ(ed()->editorColor(), QColor(0xFF, 0xFF, 0xE0));
    EXPECT_EQ(ed()->fixedFont().pointSize(), 13);
    EXPECT_EQ(ed()->fontColor(), QColor(0, 0, 0x80));
}

TEST_F(WindowTest, ABrokenFontInTheOptionsFileRaisesTheBagError)
{
    home.write("tolvopt.ini", "[Edit Window]\r\nEdit_Font=broken\r\n");
    newDoc("");
    try {
        doc()->SetProperties();
        FAIL() << "no error raised";
    } catch (const EBagError &e) {
        EXPECT_EQ(e.message(), "Invalid font in INI file");
    }
}

TEST_F(WindowTest, WrapLeavesTwoColumnsFreeAtTheRight)
{
    newDoc("");
    doc()->FormResize();
    const int width = int(ed()->SendScintilla(QsciScintillaBase::SCI_GETMARGINRIGHT));
    const int charWidth = int(ed()->SendScintilla(QsciScintillaBase::SCI_TEXTWIDTH, 32L, "n"));
    EXPECT_EQ(width, 2 * charWidth);
}

TEST_F(WindowTest, LargeTextsEditWithoutChangeNotices)
{
    QByteArray big;
    while (big.size() <= TEditor::LargeText)
        big += "<p>some text of a large page</p>\n";
    newDoc(big);
    EXPECT_TRUE(ed()->quietEdits());
    ed()->setCaret(2, 1);
    ed()->insertAtCaret("x");
    // The modified flag and the undo history do not depend on those notices.
    EXPECT_TRUE(doc()->modified());
    EXPECT_TRUE(doc()->isWindowModified());
    doc()->doUndo();
    EXPECT_EQ(ed()->utf8Text(), big);
    ed()->loadUtf8("small");
    EXPECT_FALSE(ed()->quietEdits());
}

TEST_F(WindowTest, ALargeInsertionIsWrappedOnceItIsStyled)
{
    QString big;
    while (big.size() <= TEditor::LargeText)
        big += "<td nowrap>a cell of a large generated table</td>\n";
    newDoc("<p>");
    ed()->setCaret(1, 4);
    auto wrapMode = [&] { return ed()->SendScintilla(QsciScintillaBase::SCI_GETWRAPMODE); };
    ASSERT_NE(wrapMode(), 0);
    ed()->insertAtCaret(big);
    EXPECT_EQ(ed()->utf8Text(), "<p>" + big.toUtf8());
    EXPECT_EQ(wrapMode(), 0); // the lines in view are painted at once, unwrapped
    QTRY_VERIFY_WITH_TIMEOUT(wrapMode() != 0, 20000);
    EXPECT_EQ(ed()->SendScintilla(QsciScintillaBase::SCI_GETENDSTYLED), ed()->SendScintilla(QsciScintillaBase::SCI_GETLENGTH));

    // Turning wrapping off while the insertion waits for it keeps it off.
    ed()->insertAtCaret(big);
    ed()->setWordWrap(false);
    QTest::qWait(300);
    EXPECT_EQ(wrapMode(), 0);
    // A load while it waits keeps the wrap the insertion would have brought back.
    ed()->setWordWrap(true);
    ed()->insertAtCaret(big);
    ed()->loadUtf8("small");
    EXPECT_NE(wrapMode(), 0);
}

// A jump far down a large document colours the view at once; the text above it is coloured
// afterwards in the background, and ends with the colours a colouring from the top gives,
// also where the view started inside a script.
TEST_F(WindowTest, AFarJumpColoursTheViewAtOnceAndTheRestAfterwards)
{
    QByteArray page = "<html><body>\n";
    while (page.size() < 1200 * 1024)
        page += "<p class=\"a\">some text <b>bold</b> <a href=\"x.htm\">link</a></p>\n";
    page += "<script>\n";
    for (int i = 0; i < 400; ++i)
        page += "var x" + QByteArray::number(i) + " = '<p>' + f(" + QByteArray::number(i) + ");\n";
    page += "</script>\n";
    for (int i = 0; i < 2000; ++i)
        page += "<p class=\"b\">after the script</p>\n";
    page += "</body></html>\n";
    const QString path = home.write("large.html", page);
    host->openDocument(path);
    ASSERT_TRUE(ed()->largeDocument());
    QCoreApplication::processEvents();

    // Into the middle of the script.
    const long scriptLine = long(page.left(page.indexOf("var x200")).count('\n'));
    ed()->SendScintilla(QsciScintillaBase::SCI_SETFIRSTVISIBLELINE, scriptLine);
    ed()->repaint();
    EXPECT_TRUE(ed()->recolouring());
    const long viewEnd = ed()->SendScintilla(QsciScintillaBase::SCI_POSITIONFROMLINE, scriptLine + 20);
    EXPECT_GE(ed()->SendScintilla(QsciScintillaBase::SCI_GETENDSTYLED), viewEnd);

    QElapsedTimer waited;
    waited.start();
    while (ed()->recolouring() && waited.elapsed() < 20000)
        QCoreApplication::processEvents();
    ASSERT_FALSE(ed()->recolouring());

    TEditor reference;
    reference.loadUtf8(page);
    reference.SendScintilla(QsciScintillaBase::SCI_COLOURISE, 0L, -1L);
    const long styled = ed()->SendScintilla(QsciScintillaBase::SCI_GETENDSTYLED);
    ASSERT_GE(styled, viewEnd);
    long differing = 0, first = -1;
    for (long pos = 0; pos < styled; ++pos)
        if (ed()->SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT, pos) !=
            reference.SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT, pos)) {
            ++differing;
            if (first < 0)
                first = pos;
        }
    EXPECT_EQ(differing, 0) << "first at " << first;
    // The script's text is coloured as script, not as page text.
    const long inScript = page.indexOf("var x200");
    EXPECT_EQ(ed()->SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT, inScript),
              reference.SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT, inScript));
    EXPECT_NE(ed()->SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT, inScript), 0L);
}

// Until a screen reader is listening, editors carry a plain accessible interface (the
// control's own recounts the whole text on every caret move); once one starts, the editor
// answers with its text.
TEST_F(WindowTest, ScreenReadersGetTheTextOnceAccessibilityIsActive)
{
    newDoc("<p>readable</p>");
    ed()->setFocus();
    QAccessibleInterface *before = QAccessible::queryAccessibleInterface(ed());
    ASSERT_NE(before, nullptr);
    EXPECT_TRUE(EditorAccessibility::isPlain(ed()));
    EXPECT_EQ(before->role(), QAccessible::EditableText);
    EXPECT_EQ(before->textInterface(), nullptr);

    QAccessible::setActive(true);
    QAccessibleInterface *after = QAccessible::queryAccessibleInterface(ed());
    const bool plain = EditorAccessibility::isPlain(ed());
    const QString text = after && after->textInterface() ? after->textInterface()->text(3, 11) : QString();
    QAccessible::setActive(false);
    EXPECT_FALSE(plain);
    EXPECT_EQ(text, "readable");
}

} // namespace
