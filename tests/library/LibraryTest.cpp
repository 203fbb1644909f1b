#include "library/NotePad.h"
#include "library/UrlLibrary.h"
#include "library/UrlWindows.h"
#include "support/FrameFixture.h"
#include "support/TestHost.h"

#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace {

QStringList linksOf(const QByteArray &text)
{
    QStringList out;
    for (const UrlLibrary::Link &l : UrlLibrary::findLinks(text.constData(), text.size()))
        out << QString::fromUtf8(text.mid(l.start, l.end - l.start));
    return out;
}

// ---- the link search and the library file, without a window ----

TEST(LinkSearch, ElementsRunFromTheOpeningToTheFirstClosing)
{
    // Two links in small letters, one a line: each in the document's own case.
    EXPECT_EQ(linksOf("<p><a href=\"a.html\">A</a>\n<a HREF=\"b.html\">B</A> tail"),
              QStringList({"<a href=\"a.html\">A</a>", "<a HREF=\"b.html\">B</A>"}));
    // A link over several lines keeps its line breaks.
    EXPECT_EQ(linksOf("<A HREF=\"x\">two\r\nlines</a>"), QStringList({"<A HREF=\"x\">two\r\nlines</a>"}));
    // An opening inside an element belongs to it; the search goes on after the closing.
    EXPECT_EQ(linksOf("<a href=1><a href=2>x</a><a href=3>y</a>"),
              QStringList({"<a href=1><a href=2>x</a>", "<a href=3>y</a>"}));
    // An opening without a later closing is skipped, and so is every opening after it.
    EXPECT_EQ(linksOf("<a href=1>x</a> <a href=2>open <a href=3>also"), QStringList({"<a href=1>x</a>"}));
    // Not links: other elements, a blank inside the opening, the text's very end.
    EXPECT_TRUE(linksOf("<abbr>x</abbr> <a  href=1>x</a> <a name=q>x</a> <a href=").isEmpty());
    EXPECT_TRUE(linksOf("").isEmpty());
}

TEST(LibraryFile, SortedLinesInCrLfWithLineBreaksAsSpaces)
{
    TestHome home;
    home.prepare();
    const QString file = home.path("library.fil");
    QString error;
    ASSERT_TRUE(UrlLibrary::write(file, {"<a href=\"caf\xc3\xa9\">Caf\xc3\xa9</a>", "<A HREF=x>two\r\nlines\nhere</A>"},
                                  &error));
    EXPECT_EQ(home.read("library.fil"),
              "<a href=\"caf\xc3\xa9\">Caf\xc3\xa9</a>\r\n<A HREF=x>two lines here</A>\r\n");
    bool ok = false;
    EXPECT_EQ(UrlLibrary::read(file, &ok, &error),
              QStringList({"<a href=\"caf\xc3\xa9\">Caf\xc3\xa9</a>", "<A HREF=x>two lines here</A>"}));
    EXPECT_TRUE(ok);

    // A missing file is an empty library; a file that is not text is said.
    EXPECT_TRUE(UrlLibrary::read(home.path("none.fil"), &ok, &error).isEmpty());
    EXPECT_TRUE(ok);
    home.write("bin.fil", QByteArray("\x7f" "ELF\0\0\0", 7));
    EXPECT_TRUE(UrlLibrary::read(home.path("bin.fil"), &ok, &error).isEmpty());
    EXPECT_FALSE(ok);
    EXPECT_FALSE(error.isEmpty());
}

// ---- grabbing and the review dialog ----

class LibraryTest : public HostTest {
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        ToolWindows &w = host->toolWindows();
        w.add<TfURLLibrary>("Pick1Click");
        w.add<TfURLGrab>();
        w.add<TfNetscapeError>(QString(), ToolWindows::Show::Modal);
        w.add<TfNotePad>("DisplayNotePad1Click");
        grab = w.get<TfURLGrab>();
    }
    static QStringList entries(const QListWidget *list)
    {
        QStringList out;
        for (int i = 0; i < list->count(); ++i)
            out << list->item(i)->text();
        return out;
    }
    void grabFrom(const QByteArray &utf8)
    {
        ed()->loadUtf8(utf8);
        UrlCommands::GrabURLs1Click(*host);
    }
    TfURLGrab *grab = nullptr;
};

TEST_F(LibraryTest, AGrabFillsTheReviewDialogAndLeavesTheLastLinkSelectedAndCopied)
{
    grabFrom("<p><a href=\"b.html\">B</a>\n<a href=\"a.html\">A</a>\n<A HREF=\"c\">never closed\n");
    EXPECT_TRUE(grab->isVisible());
    EXPECT_EQ(entries(grab->srcList()), QStringList({"<a href=\"a.html\">A</a>", "<a href=\"b.html\">B</a>"}));
    EXPECT_EQ(QApplication::clipboard()->text(), "<a href=\"a.html\">A</a>");
    EXPECT_EQ(ed()->selectedText(), "<a href=\"a.html\">A</a>");
    EXPECT_EQ(host->status, "   Ready ...");
    EXPECT_TRUE(grab->includeBtn()->isEnabled());
    EXPECT_TRUE(grab->incAllBtn()->isEnabled());
    EXPECT_FALSE(grab->excludeBtn()->isEnabled()); // no library yet
    EXPECT_FALSE(grab->exAllBtn()->isEnabled());

    // The same links grabbed and saved twice are in the library twice.
    grab->IncAllBtnClick();
    grab->OKBtnClick();
    EXPECT_FALSE(grab->isVisible());
    grabFrom("<a href=\"a.html\">A</a> <a href=\"b.html\">B</a>");
    EXPECT_EQ(entries(grab->dstList()).size(), 2); // read from the file on showing
    grab->IncAllBtnClick();
    EXPECT_TRUE(grab->srcList()->count() == 0 && !grab->incAllBtn()->isEnabled());
    grab->OKBtnClick();
    EXPECT_EQ(home.read("library.fil"), "<a href=\"a.html\">A</a>\r\n<a href=\"a.html\">A</a>\r\n"
                                        "<a href=\"b.html\">B</a>\r\n<a href=\"b.html\">B</a>\r\n");
}

TEST_F(LibraryTest, SelectedEntriesMoveBothWaysAndCancelKeepsTheFile)
{
    home.write("library.fil", "<a href=z>Z</a>\r\n");
    grabFrom("<a href=1>1</a><a href=2>2</a><a href=3>3</a>");
    grab->srcList()->item(0)->setSelected(true);
    grab->srcList()->item(2)->setSelected(true);
    grab->IncludeBtnClick();
    EXPECT_EQ(entries(grab->srcList()), QStringList({"<a href=2>2</a>"}));
    EXPECT_EQ(entries(grab->dstList()), QStringList({"<a href=1>1</a>", "<a href=3>3</a>", "<a href=z>Z</a>"}));
    grab->dstList()->item(2)->setSelected(true);
    grab->ExcludeBtnClick();
    EXPECT_EQ(entries(grab->srcList()), QStringList({"<a href=2>2</a>", "<a href=z>Z</a>"}));
    grab->ExcAllBtnClick();
    EXPECT_EQ(grab->srcList()->count(), 4);
    EXPECT_FALSE(grab->exAllBtn()->isEnabled());
    grab->CancelBtnClick();
    EXPECT_EQ(home.read("library.fil"), "<a href=z>Z</a>\r\n");
}

TEST_F(LibraryTest, NothingToGrab)
{
    grabFrom("<p>no links, only <a name=x>an anchor</a> and <a href=open");
    EXPECT_EQ(dialogs.messages, QStringList({"No URLs found !"}));
    EXPECT_FALSE(grab->isVisible());
    EXPECT_EQ(host->status, "   Ready ...");

    host->activeDocument()->close();
    host->status.clear();
    UrlCommands::GrabURLs1Click(*host);
    EXPECT_EQ(host->status, "   Ready ...");
    EXPECT_EQ(dialogs.messages.size(), 1);
}

TEST_F(LibraryTest, AFailedSaveSaysWhyAndKeepsTheDialog)
{
    QDir().mkpath(home.path("library.fil")); // a folder where the file belongs
    grabFrom("<a href=1>1</a>");
    grab->IncAllBtnClick();
    grab->OKBtnClick();
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors[0].startsWith("Unable to save the URL library " + home.path("library.fil")));
    EXPECT_TRUE(grab->isVisible());
    EXPECT_EQ(grab->dstList()->count(), 1);
    grab->CancelBtnClick();
    QDir(home.path("library.fil")).removeRecursively();

    // A library file that could not be read is replaced only when the user says so.
    const QByteArray binary("\x89PNG\r\n\x1a\n\0\0", 10);
    home.write("library.fil", binary);
    grabFrom("<a href=1>1</a>");
    grab->IncAllBtnClick();
    dialogs.answers = {Dialogs::Answer::Cancel};
    grab->OKBtnClick();
    EXPECT_EQ(dialogs.questions.size(), 1);
    EXPECT_EQ(home.read("library.fil"), binary);
    EXPECT_TRUE(grab->isVisible());
}

TEST_F(LibraryTest, TheLibraryWindowInsertsItsEntries)
{
    home.write("library.fil", "<a href=\"b\">B</a>\r\n<a href=\"a\">A\tx</a>\r\n");
    ASSERT_TRUE(host->commands().trigger("Pick1Click"));
    auto *lib = host->toolWindows().get<TfURLLibrary>();
    EXPECT_TRUE(lib->isVisible());
    EXPECT_EQ(lib->windowTitle(), "URL Library");
    ASSERT_EQ(lib->list()->count(), 2);
    EXPECT_EQ(lib->list()->item(0)->text(), "<a href=\"a\">A\tx</a>");

    ed()->loadUtf8("");
    lib->list()->setCurrentRow(0);
    lib->lstURLSelect();
    EXPECT_EQ(text(), "<a href=\"a\">A\tx</a>"); // the whole entry, tab and all

    // A drag remembers the entry, so the drop and F4 insert it.
    lib->list()->setCurrentRow(1);
    lib->list()->onDrag(lib->list()->currentItem()->text());
    ed()->loadUtf8("");
    host->tags().RepeatLastTag1Click();
    host->tags().RepeatLastTag1Click();
    EXPECT_EQ(text(), "<a href=\"b\">B</a><a href=\"b\">B</a>");

    // Read afresh at each showing; an empty list does nothing on a double click.
    lib->close();
    home.write("library.fil", "");
    host->commands().trigger("Pick1Click");
    EXPECT_EQ(lib->list()->count(), 0);
    lib->lstURLSelect();
    EXPECT_EQ(text(), "<a href=\"b\">B</a><a href=\"b\">B</a>");
}

// ---- bookmark import ----

// A bookmark file as browsers export it today.
const QByteArray ExportedBookmarks =
    "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n"
    "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">\n"
    "<TITLE>Bookmarks</TITLE>\n<H1>Bookmarks Menu</H1>\n<DL><p>\n"
    "    <DT><H3 ADD_DATE=\"1700000000\" LAST_MODIFIED=\"1700000001\">Reading</H3>\n    <DL><p>\n"
    "        <DT><A HREF=\"https://example.org/caf%C3%A9\" ADD_DATE=\"1700000002\" ICON=\"data:image/png;base64,iVBO\">"
    "Caf\xc3\xa9 \xe6\x97\xa5\xe6\x9c\xac</A>\n"
    "        <DT><A HREF=\"https://example.com/\" ADD_DATE=\"1700000003\" LAST_MODIFIED=\"1700000004\">Example</A>\n"
    "    </DL><p>\n</DL>\n";

TEST_F(LibraryTest, ImportOpensTheExportedBookmarkFileAndGrabsIt)
{
    const QString bookmarks = home.write("exported/bookmarks.html", ExportedBookmarks);
    home.write("netscape.ini", ("[Bookmark List]\r\nFile Location=" + bookmarks + "\r\n").toUtf8());
    UrlCommands::ImportURLsfromNetscape1Click(*host);
    ASSERT_NE(host->activeDocument(), nullptr);
    EXPECT_EQ(host->activeDocument()->caption(), bookmarks);
    EXPECT_EQ(entries(grab->srcList()),
              QStringList({"<A HREF=\"https://example.com/\" ADD_DATE=\"1700000003\" LAST_MODIFIED=\"1700000004\">Example</A>",
                           "<A HREF=\"https://example.org/caf%C3%A9\" ADD_DATE=\"1700000002\" "
                           "ICON=\"data:image/png;base64,iVBO\">Caf\xc3\xa9 \xe6\x97\xa5\xe6\x9c\xac</A>"}));
    EXPECT_EQ(dialogs.progressCaptions, QStringList({"Tolvenra Progress"}));
    EXPECT_EQ(dialogs.progressSteps, QList<int>({1, 5, 8}));
    EXPECT_EQ(dialogs.progressOpen, 0);
    EXPECT_EQ(host->status, "   Ready ...");

    // Imported again while the file is open: grabbed where it is.
    const int documents = int(host->documents().size());
    UrlCommands::ImportURLsfromNetscape1Click(*host);
    EXPECT_EQ(host->documents().size(), documents);
    EXPECT_EQ(grab->srcList()->count(), 2);
    EXPECT_TRUE(dialogs.executed.isEmpty());
}

TEST_F(LibraryTest, TheBookmarkMessageWhenAnythingIsMissing)
{
    auto expectMessage = [&](int times) {
        UrlCommands::ImportURLsfromNetscape1Click(*host);
        EXPECT_EQ(dialogs.executed.size(), times);
        EXPECT_EQ(dialogs.executed.last(), "TfNetscapeError");
        EXPECT_EQ(host->documents().size(), 1); // nothing opened
    };
    expectMessage(1); // no netscape.ini
    home.write("netscape.ini", "[Bookmark List]\r\nOther=x\r\n");
    expectMessage(2); // no key
    home.write("netscape.ini", ("[Bookmark List]\r\nFile TTTLocation=" + home.path("gone.htm") + "\r\n").toUtf8());
    expectMessage(3); // no such file
    EXPECT_EQ(TfNetscapeError::Lines.size(), 12);
    EXPECT_TRUE(TfNetscapeError::Lines[4].endsWith("Windows "));

    // The key the Part names works too.
    const QString bookmarks = home.write("b.htm", "<a href=q>Q</a>");
    home.write("netscape.ini", ("[Bookmark List]\r\nFile TTTLocation=" + bookmarks + "\r\n").toUtf8());
    UrlCommands::ImportURLsfromNetscape1Click(*host);
    EXPECT_EQ(dialogs.executed.size(), 3);
    EXPECT_EQ(grab->srcList()->count(), 1);
}

// ---- the notepad ----

TEST_F(LibraryTest, ALibraryThatCannotBeReadIsSaidInItsWindow)
{
    home.write("library.fil", QByteArray("\xFF\xFE<\0a\0>\0", 8));
    ASSERT_TRUE(host->commands().trigger("Pick1Click"));
    auto *lib = host->toolWindows().get<TfURLLibrary>();
    auto *problem = lib->findChild<QLabel *>("lblProblem");
    ASSERT_NE(problem, nullptr);
    EXPECT_TRUE(problem->isVisible());
    EXPECT_TRUE(problem->text().contains("UTF-16")) << problem->text().toStdString();
    lib->close();
    home.write("library.fil", "<a href=z>Z</a>\r\n");
    host->commands().trigger("Pick1Click");
    EXPECT_FALSE(problem->isVisible());
}

TEST_F(LibraryTest, NotesAreReadAtEachShowingAndWrittenAtEachClose)
{
    ASSERT_TRUE(host->commands().trigger("DisplayNotePad1Click"));
    auto *pad = host->toolWindows().get<TfNotePad>();
    EXPECT_EQ(pad->windowTitle(), "Tolvenra NotePad");
    EXPECT_EQ(pad->notes()->toPlainText().split('\n'), TfNotePad::WelcomeLines);
    pad->Close1Click();
    EXPECT_EQ(home.read("notes.txt"), TfNotePad::WelcomeLines.join("\r\n").toUtf8() + "\r\n");
    EXPECT_TRUE(TfNotePad::WelcomeLines[6].endsWith("between "));

    home.write("notes.txt", "na\xc3\xafve caf\xc3\xa9\r\n\r\nlast\r\n");
    host->commands().trigger("DisplayNotePad1Click");
    EXPECT_EQ(pad->notes()->toPlainText(), "na\xc3\xafve caf\xc3\xa9\n\nlast");
    pad->Close1Click();
    EXPECT_EQ(home.read("notes.txt"), "na\xc3\xafve caf\xc3\xa9\r\n\r\nlast\r\n");

    // Emptied notes are an empty file, and an empty notepad next time, not the welcome.
    host->commands().trigger("DisplayNotePad1Click");
    pad->notes()->clear();
    pad->Close1Click();
    EXPECT_EQ(home.read("notes.txt"), "");
    host->commands().trigger("DisplayNotePad1Click");
    EXPECT_EQ(pad->notes()->toPlainText(), "");
}

TEST_F(LibraryTest, NotesThatCannotBeWrittenAreNeverDroppedUnasked)
{
    // A folder stands where the notes go: said when shown; a close without a change writes
    // nothing and asks nothing.
    QDir().mkpath(home.path("notes.txt"));
    host->commands().trigger("DisplayNotePad1Click");
    auto *pad = host->toolWindows().get<TfNotePad>();
    ASSERT_EQ(dialogs.errors.size(), 1); // the folder cannot be read as notes
    pad->Close1Click();
    EXPECT_FALSE(pad->isVisible());
    EXPECT_TRUE(dialogs.questions.isEmpty());

    // Typed notes that cannot be written: the user chooses to keep the notepad open (Cancel),
    // to try again, or to quit without them.
    host->commands().trigger("DisplayNotePad1Click");
    pad->notes()->clear();
    QTest::keyClicks(pad->notes(), "typed");
    pad->Close1Click(); // no choice scripted: Cancel
    EXPECT_TRUE(pad->isVisible());
    ASSERT_EQ(dialogs.questions.size(), 1);
    EXPECT_TRUE(dialogs.questions[0].startsWith("Unable to save the notes " + home.path("notes.txt")));
    EXPECT_EQ(dialogs.choiceButtons, QStringList({"&Try Again", "Save &Elsewhere ...", "&Don't Save", "Cancel"}));
    EXPECT_FALSE(host->toolWindows().askToExit());
    // Try Again tries the write again (and asks again when it fails again).
    dialogs.choices = {0, 3};
    EXPECT_FALSE(host->toolWindows().askToExit());
    EXPECT_EQ(dialogs.questions.size(), 4);
    QDir(home.path("notes.txt")).removeRecursively();
    EXPECT_TRUE(host->toolWindows().askToExit()); // written now
    EXPECT_EQ(home.read("notes.txt"), "typed\r\n");

    // Quitting without them is the user's choice.
    QFile::remove(home.path("notes.txt"));
    QDir().mkpath(home.path("notes.txt"));
    pad->notes()->setPlainText("more");
    pad->notes()->document()->setModified(true);
    dialogs.choices = {2};
    EXPECT_TRUE(host->toolWindows().askToExit());

    // Saved elsewhere.
    pad->notes()->setPlainText("elsewhere");
    pad->notes()->document()->setModified(true);
    dialogs.choices = {1};
    dialogs.saveNames = {home.path("kept.txt")};
    EXPECT_TRUE(host->toolWindows().askToExit());
    EXPECT_EQ(home.read("kept.txt"), "elsewhere\r\n");
}

// Notes that could not be read (UTF-16, a NUL byte, a file too large) are said when shown,
// and never replaced unless the user says so.
struct UnreadableNotes {
    const char *name;
    QByteArray bytes;
    const char *reason;
};

class UnreadableNotesTest : public LibraryTest, public ::testing::WithParamInterface<UnreadableNotes> {};

INSTANTIATE_TEST_SUITE_P(
    Files, UnreadableNotesTest,
    ::testing::Values(UnreadableNotes{"Utf16", QByteArray("\xFF\xFEn\0o\0t\0e\0\r\0\n\0", 14), "UTF-16"},
                      UnreadableNotes{"ANulByte", QByteArray("one\r\nt\0wo\r\n", 11), "binary data"},
                      UnreadableNotes{"ALineTooLongToShow", QByteArray(300 * 1024, 'w') + "\r\n", "characters"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_P(UnreadableNotesTest, AreNotReplacedWithoutAsking)
{
    const QByteArray original = GetParam().bytes;
    home.write("notes.txt", original);
    host->commands().trigger("DisplayNotePad1Click");
    auto *pad = host->toolWindows().get<TfNotePad>();
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors[0].startsWith("Unable to read the notes " + home.path("notes.txt")));
    EXPECT_TRUE(dialogs.errors[0].contains(GetParam().reason)) << dialogs.errors[0].toStdString();
    QTest::keyClicks(pad->notes(), "a line");
    dialogs.choices = {2}; // Don't Save
    pad->Close1Click();
    EXPECT_FALSE(pad->isVisible());
    ASSERT_EQ(dialogs.questions.size(), 1);
    EXPECT_TRUE(dialogs.questions[0].contains("could not be read")) << dialogs.questions[0].toStdString();
    EXPECT_EQ(home.read("notes.txt"), original);

    // Replace, when the user says so.
    host->commands().trigger("DisplayNotePad1Click");
    pad->notes()->setPlainText("new notes");
    pad->notes()->document()->setModified(true);
    dialogs.choices = {0};
    pad->Close1Click();
    EXPECT_EQ(home.read("notes.txt"), "new notes\r\n");
}

TEST_F(LibraryTest, ALongUnbrokenWordWrapsAnywhereAndAHugeOneIsNotPasted)
{
    home.write("notes.txt", "short words\r\n" + QByteArray(50 * 1024, 'w') + "\r\n");
    host->commands().trigger("DisplayNotePad1Click");
    auto *pad = host->toolWindows().get<TfNotePad>();
    EXPECT_TRUE(dialogs.errors.isEmpty());
    EXPECT_EQ(pad->notes()->wordWrapMode(), QTextOption::WrapAnywhere);
    EXPECT_EQ(pad->notes()->toPlainText().size(), 12 + 50 * 1024);

    QApplication::clipboard()->setText(QString(1024 * 1024, u'x'));
    pad->Paste1Click();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].endsWith("The text was not pasted."));
    EXPECT_EQ(pad->notes()->toPlainText().size(), 12 + 50 * 1024);
    // Ordinary notes wrap at word boundaries.
    pad->Close1Click();
    home.write("notes.txt", "a few words\r\n");
    host->commands().trigger("DisplayNotePad1Click");
    EXPECT_EQ(pad->notes()->wordWrapMode(), QTextOption::WrapAtWordBoundaryOrAnywhere);
}

TEST_F(LibraryTest, KeepOnTopKeepsNotesNotYetSaved)
{
    host->commands().trigger("DisplayNotePad1Click");
    auto *pad = host->toolWindows().get<TfNotePad>();
    pad->notes()->clear();
    QTest::keyClicks(pad->notes(), "first");
    pad->Close1Click();
    host->commands().trigger("DisplayNotePad1Click");
    pad->notes()->moveCursor(QTextCursor::End);
    QTest::keyClicks(pad->notes(), " second");
    pad->KeeponTop1Click();
    EXPECT_EQ(pad->notes()->toPlainText(), "first second");
    pad->Close1Click();
    EXPECT_EQ(home.read("notes.txt"), "first second\r\n");
}

TEST_F(LibraryTest, UnchangedNotesNeedNoWriteAndWindows1252LinesKeepTheirBytes)
{
    home.write("notes.txt", "caf\xE9\r\nsecond\r\n");
    host->commands().trigger("DisplayNotePad1Click");
    auto *pad = host->toolWindows().get<TfNotePad>();
    EXPECT_EQ(pad->notes()->toPlainText(), QString::fromUtf8("caf\xC3\xA9\nsecond"));
    const QDateTime before = QFileInfo(home.path("notes.txt")).lastModified();
    QTest::qWait(20);
    pad->Close1Click();
    EXPECT_EQ(QFileInfo(home.path("notes.txt")).lastModified(), before); // not written
    host->commands().trigger("DisplayNotePad1Click");
    pad->notes()->moveCursor(QTextCursor::End);
    QTest::keyClicks(pad->notes(), " line");
    pad->Close1Click();
    EXPECT_EQ(home.read("notes.txt"), "caf\xE9\r\nsecond line\r\n");
}

TEST_F(LibraryTest, TheNotepadUndoesOneLevelAndKeepsOnTopByChoice)
{
    host->commands().trigger("DisplayNotePad1Click");
    auto *pad = host->toolWindows().get<TfNotePad>();
    pad->notes()->setPlainText("");
    QTest::keyClicks(pad->notes(), "ab");
    pad->doUndo();
    EXPECT_EQ(pad->notes()->toPlainText(), "");
    pad->doUndo(); // the second undo takes the first back
    EXPECT_EQ(pad->notes()->toPlainText(), "ab");

    auto *popup = pad->findChild<QMenu *>("PopupMenu1");
    ASSERT_NE(popup, nullptr);
    QStringList captions;
    for (QAction *a : popup->actions())
        captions << a->text();
    EXPECT_EQ(captions, QStringList({"&Undo", "&Copy", "Cu&t", "&Paste"}));

    EXPECT_TRUE(pad->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    pad->KeeponTop1Click();
    EXPECT_FALSE(pad->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(pad->isVisible());
}


} // namespace
