#include "support/FrameFixture.h"
#include "support/TestHost.h"
#include "tags/TagCatalogue.h"
#include "tags/TagEngine.h"

#include <QListWidget>

namespace {

class TagTest : public HostTest {
protected:
    bool trigger(const char *handler) { return host->commands().trigger(QString::fromLatin1(handler)); }
    TfHTML *doc() const { return host->activeDocument(); }
    void settings(const QByteArray &tags)
    {
        home.write("TOLVENRA.INI", "[System]\r\nOpen Template=0\r\n[Start Options]\r\nTips=0\r\n[Tags]\r\n" + tags);
    }
    TagEngine &engine() { return host->tags(); }
    QString selected() const { return ed()->selectedText(); }
};

TEST_F(TagTest, WrapsTheSelectionAndKeepsItSelected)
{
    ed()->loadUtf8("say hello now");
    ed()->selectRange(1, 5, 1, 10);
    trigger("Bold1Click");
    EXPECT_EQ(text(), "say <B>hello</B> now");
    EXPECT_EQ(selected(), "hello");
    EXPECT_EQ(ed()->caretCol(), 13); // after its last letter
    EXPECT_TRUE(doc()->modified());
    EXPECT_EQ(host->tags().lastOpenTag(), "<B>");
    EXPECT_EQ(host->lastTagPanel, "<B> : </B>");
    EXPECT_EQ(host->statusText(), "   Ready ...");
}

TEST_F(TagTest, StaySelectedNoLeavesTheCaretAfterTheOpeningText)
{
    settings("Stay Selected=N\r\n");
    ed()->loadUtf8("hello");
    ed()->selectRange(1, 1, 1, 6);
    trigger("Bold1Click");
    EXPECT_EQ(text(), "<B>hello</B>");
    EXPECT_FALSE(ed()->hasSelectedText());
    EXPECT_EQ(ed()->caretCol(), 4);
}

TEST_F(TagTest, SelectionOverLinesKeepsItsEnd)
{
    ed()->loadUtf8("line one\nline two\nabcdefgh\nxyz\n");
    ed()->selectRange(3, 5, 4, 2);
    engine().InsertTag("<PRE>", "</PRE>");
    EXPECT_EQ(text(), "line one\nline two\nabcd<PRE>efgh\nx</PRE>yz\n");
    TEditor::Selection sel;
    ASSERT_TRUE(ed()->selection(&sel));
    EXPECT_EQ(sel.startLine, 3);
    EXPECT_EQ(sel.startCol, 10);
    EXPECT_EQ(sel.endLine, 4);
    EXPECT_EQ(sel.endCol, 2);
}

TEST_F(TagTest, AtTheCaretTheCaretLandsBetween)
{
    trigger("HeadingLevel1Click");
    EXPECT_EQ(text(), "<H1></H1>");
    EXPECT_EQ(ed()->caretCol(), 5);
    // One insertion is one undo step.
    ed()->undo();
    EXPECT_EQ(text(), "");
}

TEST_F(TagTest, EmptyClosingTextLeavesTheCaretAfterTheOpening)
{
    trigger("LineBreak1Click");
    EXPECT_EQ(text(), "<BR>");
    EXPECT_EQ(ed()->caretCol(), 5);
    EXPECT_EQ(host->lastTagPanel, "<BR> : ");
}

TEST_F(TagTest, LetterCaseCoversTheWholeTexts)
{
    settings("Case=L\r\n");
    trigger("HeadingLevel12Click");
    EXPECT_EQ(text(), "<h1 align=left></h1>");
    ed()->loadUtf8("");
    settings("Case=U\r\n");
    home.write("TOLVENRA.INI", home.read("TOLVENRA.INI") + "[Application Header]\r\nUser Name=Ann Lee\r\n");
    trigger("LastUpdated1Click");
    EXPECT_TRUE(text().startsWith("<I>LAST UPDATED BY ANN LEE ON ")) << text().toStdString();
    EXPECT_TRUE(text().endsWith(".</I>"));
    EXPECT_TRUE(text().contains(" AT "));
}

TEST_F(TagTest, RepeatConvertsThePairAgain)
{
    trigger("Bold1Click");
    settings("Case=L\r\n");
    ed()->loadUtf8("");
    trigger("RepeatLastTag1Click");
    EXPECT_EQ(text(), "<b></b>");
    EXPECT_EQ(host->tags().lastOpenTag(), "<b>");
}

TEST_F(TagTest, RepeatBeforeAnyTagInsertsNothingVisible)
{
    trigger("RepeatLastTag1Click");
    EXPECT_EQ(text(), "");
    EXPECT_EQ(host->lastTagPanel, " : ");
    EXPECT_EQ(host->statusText(), "   Ready ...");
}

TEST_F(TagTest, WithoutADocumentOnlyTheStatusLineChanges)
{
    trigger("Bold1Click");
    doc()->setModified(false);
    doc()->close();
    engine().setLastPair("kept", QString());
    trigger("Italics1Click");
    EXPECT_EQ(host->statusText(), "   Adding Command ...");
    EXPECT_EQ(host->tags().lastOpenTag(), "kept");
    EXPECT_FALSE(engine().HasSelection());
}

TEST_F(TagTest, TextsWithLineBreaksPutTheCaretBetweenThem)
{
    engine().InsertTag("<UL>\n<LI>", "\n</UL>");
    EXPECT_EQ(text(), "<UL>\n<LI>\n</UL>");
    EXPECT_EQ(ed()->caretLine(), 2);
    EXPECT_EQ(ed()->caretCol(), 5);
}

TEST_F(TagTest, LongTextsAreNotCut)
{
    const QString longText(5000, u'x');
    engine().InsertTag(longText, "");
    EXPECT_EQ(text().size(), 5000);
}

TEST_F(TagTest, SelectionDependentCommands)
{
    ed()->loadUtf8("page2.html");
    ed()->selectRange(1, 1, 1, 11);
    trigger("Simple1Click");
    EXPECT_EQ(text(), "<A HREF=\"page2.html\">description_here</A>");
    EXPECT_EQ(selected(), "page2.html");

    ed()->loadUtf8("");
    trigger("Simple1Click");
    EXPECT_EQ(text(), "<A HREF=\"your link here\">description_here</A>");
    EXPECT_EQ(ed()->caretCol(), 24); // after the words "your link here"

    ed()->loadUtf8("top");
    ed()->selectRange(1, 1, 1, 4);
    trigger("Anchor1Click");
    EXPECT_EQ(text(), "<A NAME=top></A>");

    ed()->loadUtf8("");
    trigger("Simple3Click");
    EXPECT_EQ(text(), "<A HREF=\"MailTo:someone@example.com\"> Your_Name</A>");
}

TEST_F(TagTest, PersonalShortcutsReadTheSettingsAtEachUse)
{
    trigger("PreDefined1Click");
    EXPECT_EQ(text(), "<A HREF=\"MailTo:you@example.com\">Your Name</A>");
    home.write("TOLVENRA.INI", "[Application Header]\r\nUser Name=Ann {date}\r\nEmail=ann@example.org\r\n"
                               "Home Page=https://ann.example.org/\r\nOrganisation=Lee & Co\r\n");
    for (const char *h : {"PreDefined1Click", "MailtomeURL1Click", "MyHomePageURL1Click", "MyCompany1Click"}) {
        ed()->loadUtf8("");
        trigger(h);
    }
    EXPECT_EQ(text(), "<STRONG>Lee & Co</STRONG>");
    ed()->loadUtf8("");
    trigger("MailtomeURL1Click");
    // Values go in as stored: a brace in a name is not a field.
    EXPECT_EQ(text(), "<A HREF=\"MailTo:ann@example.org\"> Send mail to Ann {date}</A>");
    ed()->loadUtf8("");
    trigger("MyHomePageURL1Click");
    EXPECT_EQ(text(), "<A HREF=\"https://ann.example.org/\"> Home Page</A>");
}

TEST(TagCatalogue, LastUpdatedDatePattern)
{
    const QDateTime morning(QDate(2026, 12, 8), QTime(4, 33));
    const QString d = TagCatalogue::lastUpdatedDate(morning);
    EXPECT_TRUE(d.endsWith(", 8 " + QLocale::system().monthName(12) + ", 2026 at 4:33 AM")) << d.toStdString();
    EXPECT_TRUE(d.startsWith(QLocale::system().dayName(2)));
    EXPECT_TRUE(TagCatalogue::lastUpdatedDate(QDateTime(QDate(2026, 1, 1), QTime(0, 5))).endsWith("at 12:05 AM"));
    EXPECT_TRUE(TagCatalogue::lastUpdatedDate(QDateTime(QDate(2026, 1, 1), QTime(12, 0))).endsWith("at 12:00 PM"));
    EXPECT_TRUE(TagCatalogue::lastUpdatedDate(QDateTime(QDate(2026, 1, 1), QTime(23, 59))).endsWith("at 11:59 PM"));
}


TEST_F(TagTest, EveryCatalogueCommandInsertsItsPairAtTheCaret)
{
    for (int i = 0; i < TagCatalogue::commandCount; ++i) {
        const auto &c = TagCatalogue::commands[i];
        ed()->loadUtf8("");
        ASSERT_TRUE(trigger(c.handler)) << c.handler;
        const QString expected = QString::fromUtf8(c.bySelection ? c.openNoSelection : c.open) +
                                 QString::fromUtf8(c.bySelection ? c.closeNoSelection : c.close);
        if (!expected.contains(u'{')) {
            EXPECT_EQ(text(), expected) << c.handler;
        }
    }
}

TEST_F(TagTest, SpotChecksOfTheCatalogueTexts)
{
    const QList<QPair<const char *, const char *>> cases = {
        {"ParagraphMarker1Click", "<P>"},
        {"ParagraphMarkerwithEnd1Click", "<P>"},
        {"HeadingLevel32Click", "<H3 ALIGN=LEFT></H3>"},
        {"HeadingLevel31Click", "<H3></H3>"},
        {"DocumentType1Click", "<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN//3.0\">"},
        {"FrameAbbr1Click", "<FRAME><!-- END OF FRAME -->"},
        {"btnResetClick", "<INPUT TYPE=\"RESET\" VALUE=\"Reset\">"},
        {"BigCharacters1Click", "<FONT SIZE=\"+4\"><B></B></FONT>"},
        {"Varibale1Click", "<VAR></VAR>"},
        {"PreformattedTextwithWidth1Click", "<PRE WIDTH=\"80\"></PRE>"},
        {"Simple2Click", "<IMG SRC=\"your image\" ALT=\"Text Version\">"},
    };
    for (const auto &[handler, expected] : cases) {
        ed()->loadUtf8("");
        trigger(handler);
        EXPECT_EQ(text(), QString::fromUtf8(expected)) << handler;
    }
}

TEST_F(TagTest, ADropFromAListInsertsTheRememberedPair)
{
    engine().setLastPair("<EM>", "</EM>");
    QListWidget list;
    emit ed()->listItemDropped();
    EXPECT_EQ(text(), "<EM></EM>");
    EXPECT_TRUE(TEditor::isListDrag(nullptr, &list));
    EXPECT_FALSE(TEditor::isListDrag(nullptr, ed()));
}

TEST_F(TagTest, DeleteSelection)
{
    ed()->loadUtf8("abc");
    engine().DeleteSelection();
    EXPECT_EQ(text(), "abc");
    ed()->selectRange(1, 2, 1, 3);
    EXPECT_TRUE(engine().HasSelection());
    engine().DeleteSelection();
    EXPECT_EQ(text(), "ac");
}

} // namespace
