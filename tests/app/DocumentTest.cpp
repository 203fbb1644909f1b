// The document on its own: opened, edited, saved and reloaded with no window, its revision
// and modified state, its long lines, and the manager that keeps the list of documents.

#include "app/Document.h"
#include "app/DocumentManager.h"
#include "app/DocumentPolicy.h"
#include "app/Editor.h"
#include "app/TextSearch.h"
#include "support/ScriptedDialogs.h"
#include "support/TestHome.h"

#include <QDir>
#include <QFile>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using Answer = Dialogs::Answer;

class DocumentTest : public ::testing::Test {
protected:
    TestHome home;
    ScriptedDialogs dialogs;

    // Bytes of a long line with tags, longer than a line the editor shows unbroken.
    static QByteArray longLine(long size)
    {
        QByteArray line;
        while (line.size() < size)
            line += "<td class=\"c\">cell</td>";
        return line;
    }
};

TEST_F(DocumentTest, OpenedEditedSavedAndReloadedWithoutAWindow)
{
    const QString path = home.write("page.html", "<p>one</p>\r\n<p>two</p>\r\n");
    HtmlDocument doc;
    QString error;
    ASSERT_TRUE(doc.load(path, &error)) << error.toStdString();
    EXPECT_EQ(doc.caption(), path);
    EXPECT_FALSE(doc.isModified());
    const quint64 loaded = doc.revision();

    doc.insert(3, "first ");
    EXPECT_GT(doc.revision(), loaded);
    EXPECT_TRUE(doc.isModified());
    EXPECT_EQ(doc.fileText(), "<p>first one</p>\r\n<p>two</p>\r\n");
    // A line break typed later takes the file's convention.
    EXPECT_EQ(doc.eolBytes(), "\r\n");

    ASSERT_TRUE(doc.save(path, &error)) << error.toStdString();
    EXPECT_FALSE(doc.isModified());
    EXPECT_EQ(home.read("page.html"), "<p>first one</p>\r\n<p>two</p>\r\n");

    home.write("page.html", "<p>from another program</p>\r\n");
    EXPECT_EQ(doc.diskState(), HtmlDocument::DiskState::Changed);
    ASSERT_TRUE(doc.reload(&error));
    EXPECT_EQ(doc.fileText(), "<p>from another program</p>\r\n");
    EXPECT_EQ(doc.diskState(), HtmlDocument::DiskState::Same);
    EXPECT_FALSE(doc.canUndo()); // a text read anew has no history
}

TEST_F(DocumentTest, AFileThatCannotBeReadLeavesTheDocumentAsItWas)
{
    HtmlDocument doc;
    doc.setText("kept");
    doc.setModified(true);
    QString error;
    EXPECT_FALSE(doc.load(home.write("binary.html", QByteArray("a\0b", 3)), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(doc.load(home.path("missing.html"), &error));
    EXPECT_EQ(doc.fileText(), "kept");
    EXPECT_TRUE(doc.isUntitled());
    EXPECT_TRUE(doc.isModified());
}

TEST_F(DocumentTest, EveryChangeRaisesTheRevisionAndABurstIsAnnouncedOnce)
{
    HtmlDocument doc;
    doc.setText("abc");
    QSignalSpy changed(&doc, &HtmlDocument::changed);
    quint64 last = doc.revision();
    auto raised = [&] {
        const bool up = doc.revision() > last;
        last = doc.revision();
        return up;
    };
    doc.insert(0, "x");
    EXPECT_TRUE(raised());
    doc.replaceRange(1, 2, "Y");
    EXPECT_TRUE(raised());
    doc.undo();
    EXPECT_TRUE(raised());
    EXPECT_TRUE(changed.isEmpty()); // announced when the program is next idle
    QCoreApplication::processEvents();
    EXPECT_EQ(changed.size(), 1);
    EXPECT_EQ(doc.fileText(), "xabc");

    // A snapshot carries the text with the revision it was taken at.
    const HtmlDocument::Snapshot s = doc.snapshot();
    EXPECT_EQ(s.text, "xabc");
    EXPECT_EQ(s.revision, doc.revision());
}

TEST_F(DocumentTest, TheModifiedStateFollowsEditsUndoAndTheProgramsOwnTexts)
{
    HtmlDocument doc;
    QSignalSpy modified(&doc, &HtmlDocument::modifiedChanged);
    doc.setText("saved");
    doc.insert(5, "!");
    EXPECT_TRUE(doc.isModified());
    doc.undo(); // back to the saved text
    EXPECT_FALSE(doc.isModified());
    // A text the program made is unsaved though the control is at its saved state.
    doc.setModified(true);
    EXPECT_TRUE(doc.isModified());
    doc.setModified(false);
    EXPECT_FALSE(doc.isModified());
    ASSERT_FALSE(modified.isEmpty());
    EXPECT_FALSE(modified.last().at(0).toBool());
}

TEST_F(DocumentTest, ACopyKeepsTheDocumentsFileAndState)
{
    const QString path = home.write("page.html", "<p>caf\xE9</p>\n"); // Windows-1252
    HtmlDocument doc;
    QString error;
    ASSERT_TRUE(doc.load(path, &error));
    doc.insert(doc.length() - 1, "\xE2\x82\xAC"); // a euro sign: Windows-1252 has it
    doc.insert(doc.length() - 1, "\xE2\x86\x92"); // an arrow: it has not
    EXPECT_FALSE(doc.canStore());
    ASSERT_TRUE(doc.saveCopy(home.path("copy.html"), &error));
    // The copy falls back to UTF-8; the document keeps its encoding, file and changes.
    EXPECT_EQ(home.read("copy.html"), QByteArray("<p>caf\xC3\xA9</p>\xE2\x82\xAC\xE2\x86\x92\n"));
    EXPECT_EQ(doc.format().encoding, TextFile::Encoding::Windows1252);
    EXPECT_EQ(doc.path(), path);
    EXPECT_TRUE(doc.isModified());
    EXPECT_EQ(home.read("page.html"), "<p>caf\xE9</p>\n");
}

TEST_F(DocumentTest, ATemplateGivesTheTextOnly)
{
    const QString tpl = home.write("standard.tpl", "<html>\r\n</html>\r\n");
    HtmlDocument doc;
    doc.setUntitledName("New HTML Document 4");
    QString error;
    ASSERT_TRUE(doc.loadTemplate(tpl, &error));
    EXPECT_TRUE(doc.isUntitled());
    EXPECT_EQ(doc.caption(), "New HTML Document 4");
    EXPECT_EQ(doc.eolBytes(), "\r\n");
    EXPECT_EQ(doc.fileText(), "<html>\r\n</html>\r\n");
}

TEST_F(DocumentTest, ASaveUnderAnotherNameRenamesTheDocument)
{
    HtmlDocument doc;
    doc.setUntitledName("New HTML Document 1");
    doc.setText("x");
    QSignalSpy renamed(&doc, &HtmlDocument::captionChanged);
    QString error;
    ASSERT_TRUE(doc.save(home.path("a.html"), &error));
    ASSERT_EQ(renamed.size(), 1);
    EXPECT_EQ(renamed.at(0).at(0).toString(), "New HTML Document 1");
    EXPECT_EQ(renamed.at(0).at(1).toString(), home.path("a.html"));
    // A failed save changes neither the name nor the state.
    doc.insert(1, "y");
    QDir().mkpath(home.path("folder.html"));
    EXPECT_FALSE(doc.save(home.path("folder.html"), &error));
    EXPECT_EQ(doc.caption(), home.path("a.html"));
    EXPECT_TRUE(doc.isModified());
}

// ---- long lines without a window ----

TEST_F(DocumentTest, LongLinesAreShownBrokenAndTheFileKeepsThem)
{
    const QByteArray line = longLine(200 * 1024);
    HtmlDocument doc;
    doc.setText("<p>\n" + line + "\n</p>\n");
    const LongLines &lines = doc.longLines();
    ASSERT_TRUE(lines.hasBreaks());
    EXPECT_EQ(doc.fileText(), "<p>\n" + line + "\n</p>\n");
    EXPECT_EQ(doc.fileSize(), qint64(line.size() + 10));
    EXPECT_EQ(lines.fileLines().size(), 4);
    // The last line is line 3 of the file, whatever the display lines before it.
    int l = 0, c = 0;
    lines.lineColOf(doc.length() - 2, &l, &c);
    EXPECT_EQ(l, 3);
    EXPECT_EQ(c, 4);
    EXPECT_EQ(lines.positionOf(3, 4), doc.length() - 2);

    // A deletion over breaks, undone without a view, brings them back.
    const std::vector<long> before = lines.breaks();
    doc.replaceRange(10, before[2] + 10, "");
    EXPECT_LT(lines.breaks().size(), before.size());
    doc.undo();
    EXPECT_EQ(lines.breaks(), before);
    EXPECT_EQ(doc.fileText(), "<p>\n" + line + "\n</p>\n");
}

TEST_F(DocumentTest, SearchAndReplaceWorkOnTheFilesTextAcrossBreaks)
{
    const QByteArray line = longLine(100 * 1024);
    HtmlDocument doc;
    doc.setText(line);
    const std::vector<long> breaks = doc.longLines().breaks();
    ASSERT_FALSE(breaks.empty());
    // "</td><td": the tags the first break stands between.
    long end = 0;
    const long at = TextSearch::find(doc, 0, "</td><td", true, false, &end);
    ASSERT_GE(at, 0);
    const QList<TextSearch::Match> all = TextSearch::matches(doc, 0, "cell", true, false, true);
    EXPECT_EQ(all.size(), int(line.count("cell")));
    // Every match replaced as one span: the file's text comes out with the breaks left out.
    const TextSearch::Replacement r = TextSearch::replacement(doc, "cell", "CELL", true, true, false);
    EXPECT_EQ(r.count, all.size());
    doc.replaceRange(r.start, r.end, r.text);
    QByteArray expected = line;
    expected.replace("cell", "CELL");
    EXPECT_EQ(doc.fileText(), expected);
    EXPECT_EQ(TextSearch::replacement(doc, "zebra", "x", true, false, false).count, 0);
}

TEST_F(DocumentTest, AnEditorOfALoadedLargeDocumentColoursOnlyWhatItShows)
{
    // A view made for a document that already holds a large text leaves its colouring to the
    // background (giving the view its lexer would colour the whole text at once).
    QByteArray page;
    while (page.size() < 3 * 1024 * 1024)
        page += "<p class=\"a\">some text <b>bold</b></p>\n";
    HtmlDocument doc;
    doc.setText(page);
    TEditor view(nullptr, &doc);
    EXPECT_TRUE(view.largeDocument());
    EXPECT_TRUE(view.quietEdits());
    EXPECT_LT(view.SendScintilla(QsciScintillaBase::SCI_GETENDSTYLED), 1024 * 1024);
    EXPECT_EQ(view.utf8Text(), page);
    // Its edits are the document's.
    view.setCaret(1, 1);
    view.insertAtCaret("x");
    EXPECT_TRUE(doc.fileText().startsWith("x<p"));
    EXPECT_TRUE(doc.isModified());
}

TEST_F(DocumentTest, TwoEditorsOfOneDocumentShowTheSameText)
{
    HtmlDocument doc;
    doc.setText("one");
    TEditor a(nullptr, &doc), b(nullptr, &doc);
    a.setCaret(1, 4);
    a.insertAtCaret(" two");
    EXPECT_EQ(b.utf8Text(), "one two");
    EXPECT_EQ(b.caretLine(), 1);
}

// ---- the questions around a document's file ----

class PolicyTest : public DocumentTest {
protected:
    HtmlDocument doc;
    QString path;
    void SetUp() override
    {
        path = home.write("page.html", "mine\n");
        QString error;
        ASSERT_TRUE(doc.load(path, &error));
    }
    // Another program writes the file (with a time the file system tells apart).
    void changeOnDisk(const QByteArray &bytes)
    {
        QTest::qWait(20);
        home.write("page.html", bytes);
        QFile f(path);
        f.open(QIODevice::ReadWrite);
        f.setFileTime(QDateTime::currentDateTime().addSecs(5), QFileDevice::FileModificationTime);
    }
};

TEST_F(PolicyTest, ASaveOverAnotherProgramsVersionAsksFirst)
{
    doc.insert(0, "x");
    changeOnDisk("theirs\n");
    dialogs.answers = {Answer::No};
    EXPECT_FALSE(DocumentPolicy::save(nullptr, doc, path));
    EXPECT_EQ(home.read("page.html"), "theirs\n");
    EXPECT_TRUE(doc.isModified());
    ASSERT_EQ(dialogs.questions.size(), 1);
    EXPECT_TRUE(dialogs.questions[0].contains("has been changed by another program"));
    dialogs.answers = {Answer::Yes};
    EXPECT_TRUE(DocumentPolicy::save(nullptr, doc, path));
    EXPECT_EQ(home.read("page.html"), "xmine\n");
}

TEST_F(PolicyTest, TextTheEncodingCannotHoldIsSavedAsUtf8OnlyWhenTheUserSaysSo)
{
    const QString latin = home.write("latin.html", "caf\xE9\n");
    QString error;
    ASSERT_TRUE(doc.load(latin, &error));
    doc.insert(0, "\xE2\x86\x92");
    dialogs.answers = {Answer::No};
    EXPECT_FALSE(DocumentPolicy::save(nullptr, doc, latin));
    EXPECT_EQ(home.read("latin.html"), "caf\xE9\n");
    dialogs.answers = {Answer::Yes};
    EXPECT_TRUE(DocumentPolicy::save(nullptr, doc, latin));
    EXPECT_EQ(home.read("latin.html"), "\xE2\x86\x92" "caf\xC3\xA9\n");
}

TEST_F(PolicyTest, AFailedSaveSaysWhyAndTheDocumentStaysModified)
{
    doc.insert(0, "x");
    QDir().mkpath(home.path("dir.html"));
    EXPECT_FALSE(DocumentPolicy::save(nullptr, doc, home.path("dir.html")));
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors[0].startsWith("Unable to save " + home.path("dir.html")));
    EXPECT_TRUE(doc.isModified());
    EXPECT_EQ(doc.path(), path);
}

TEST_F(PolicyTest, ABackupThatCannotBeMadeIsAskedAboutFirst)
{
    doc.setBackup(true);
    QDir().mkpath(home.path("page.BAK")); // a folder where the backup would go
    doc.insert(0, "x");
    dialogs.answers = {Answer::No};
    EXPECT_FALSE(DocumentPolicy::save(nullptr, doc, path));
    EXPECT_EQ(home.read("page.html"), "mine\n");
    dialogs.answers = {Answer::Yes};
    EXPECT_TRUE(DocumentPolicy::save(nullptr, doc, path));
    EXPECT_EQ(home.read("page.html"), "xmine\n");
}

TEST_F(PolicyTest, AChangedFileIsReloadedOrKeptAndADeletedOneReported)
{
    DocumentPolicy::checkDiskChange(nullptr, doc); // unchanged: nothing asked
    EXPECT_TRUE(dialogs.questions.isEmpty());

    changeOnDisk("theirs\n");
    dialogs.answers = {Answer::Yes};
    DocumentPolicy::checkDiskChange(nullptr, doc);
    EXPECT_EQ(doc.fileText(), "theirs\n");
    EXPECT_FALSE(doc.isModified());

    doc.insert(0, "x");
    changeOnDisk("again\n");
    dialogs.answers = {Answer::No};
    DocumentPolicy::checkDiskChange(nullptr, doc);
    EXPECT_EQ(doc.fileText(), "xtheirs\n");
    EXPECT_TRUE(doc.isModified());
    DocumentPolicy::checkDiskChange(nullptr, doc); // kept: not asked again
    EXPECT_EQ(dialogs.questions.size(), 2);

    QFile::remove(path);
    DocumentPolicy::checkDiskChange(nullptr, doc);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].contains("has been deleted or moved"));
    EXPECT_TRUE(doc.isModified());
}

// ---- the manager ----

TEST_F(DocumentTest, UntitledDocumentsAreNumberedAndNumbersAreNotReused)
{
    DocumentManager manager;
    QSignalSpy created(&manager, &DocumentManager::created);
    HtmlDocument *one = manager.newDocument();
    HtmlDocument *two = manager.newFromText("text");
    EXPECT_EQ(one->caption(), "New HTML Document 1");
    EXPECT_EQ(two->caption(), "New HTML Document 2");
    EXPECT_FALSE(one->isModified());
    EXPECT_TRUE(two->isModified()); // no file holds its text
    EXPECT_EQ(created.size(), 2);
    manager.close(one);
    EXPECT_EQ(manager.newDocument()->caption(), "New HTML Document 3");
    EXPECT_EQ(manager.documents().size(), 2);
    // A caption that is a path names the file a save writes.
    HtmlDocument *restored = manager.newFromText("x", home.path("gone.html"));
    EXPECT_EQ(restored->path(), home.path("gone.html"));
    EXPECT_EQ(manager.untitledCount(), 3);
}

TEST_F(DocumentTest, OpenFindCloseAndTheSignalsOfTheManager)
{
    DocumentManager manager;
    QString error;
    EXPECT_EQ(manager.open(home.path("missing.html"), &error), nullptr);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(manager.documents().isEmpty());

    const QString path = home.write("Page.HTML", "<p>x</p>");
    HtmlDocument *doc = manager.open(path, &error);
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(manager.find(path), doc);
    EXPECT_EQ(manager.find(home.path("page.html")), nullptr); // paths compare exactly

    QSignalSpy activated(&manager, &DocumentManager::activated);
    manager.setActive(doc);
    manager.setActive(doc);
    EXPECT_EQ(activated.size(), 1);

    QSignalSpy renamed(&manager, &DocumentManager::renamed);
    ASSERT_TRUE(doc->save(home.path("other.html"), &error));
    ASSERT_EQ(renamed.size(), 1);
    EXPECT_EQ(renamed.at(0).at(1).toString(), path);

    QSignalSpy closing(&manager, &DocumentManager::closing);
    QPointer<HtmlDocument> gone(doc);
    manager.close(doc);
    EXPECT_EQ(closing.size(), 1);
    EXPECT_EQ(manager.active(), nullptr);
    EXPECT_TRUE(manager.documents().isEmpty());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(gone.isNull()); // no window showed it: it is deleted
}

} // namespace
