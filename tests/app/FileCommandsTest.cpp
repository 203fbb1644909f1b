// The file commands of the frame (new, open, save, print, clear, insert, convert) run on the
// frame's stand-in: they need the documents and the services, not the frame.

#include "app/Files.h"
#include "app/RecentFiles.h"
#include "support/TestHost.h"

#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <unistd.h>

namespace {

using Answer = Dialogs::Answer;

class FileCommandsTest : public ::testing::Test {
protected:
    TestHome home;
    ScriptedDialogs dialogs;
    std::unique_ptr<TestHost> host;
    RecentFiles recent;
    std::unique_ptr<FileCommands> files;

    void SetUp() override
    {
        home.prepare();
        host = std::make_unique<TestHost>();
        host->show();
        files = std::make_unique<FileCommands>(*host, recent);
        files->bindCommands();
    }
    void TearDown() override
    {
        for (TfHTML *d : host->documents())
            d->setModified(false);
        files.reset();
        host.reset();
    }
    bool trigger(const char *handler) { return host->commands().trigger(QString::fromLatin1(handler)); }
    void open(const QString &path) { files->OpenDocument(path); }
    TfHTML *doc() const { return host->activeDocument(); }
    TEditor *ed() const { return doc()->editor(); }
    QString text() const { return QString::fromUtf8(ed()->utf8Text()); }
    QStringList captions() const
    {
        QStringList out;
        for (TfHTML *d : host->documents())
            out << d->caption();
        return out;
    }
};

// Moves a file's modification time so that a change is seen whatever the clock's resolution.
void touchLater(const QString &path, int seconds = 5)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    f.setFileTime(QDateTime::currentDateTime().addSecs(seconds), QFileDevice::FileModificationTime);
}

int pdfPages(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    return int(QString::fromLatin1(f.readAll()).count(QRegularExpression("/Type\\s*/Page[^s]")));
}

TEST_F(FileCommandsTest, OpenKeepsThePathAsTheFileSystemSpellsIt)
{
    const QString path = home.write("Site/Index.HTML", "<p>x</p>");
    dialogs.openNames.push_back({path});
    trigger("FileOpen");
    EXPECT_EQ(captions(), QStringList({path}));
    EXPECT_EQ(text(), "<p>x</p>");
    EXPECT_FALSE(doc()->modified());
    files->OpenDocument(path);
    EXPECT_EQ(dialogs.messages, QStringList({path + " is already open."}));
    // Another spelling is another file on this file system.
    EXPECT_EQ(files->OpenDocument(home.path("Site/index.html")), nullptr);
    EXPECT_EQ(dialogs.messages.last(), "Unable to find " + home.path("Site/index.html") + ".");
    EXPECT_EQ(host->documents().size(), 1);
}

TEST_F(FileCommandsTest, OpeningSeveralFilesAtOnce)
{
    const QString a = home.write("a.html", "a"), b = home.write("b.htm", "b");
    dialogs.openNames.push_back({a, b});
    trigger("FileOpen");
    EXPECT_EQ(captions(), QStringList({a, b}));
    EXPECT_EQ(host->statusText(), "   Ready ...");
}

TEST_F(FileCommandsTest, CancellingTheSaveDialogChangesNothing)
{
    trigger("FileNew"); // as the program starts: a document from the template
    ed()->insertAtCaret("x");
    dialogs.saveNames.push_back(QString());
    trigger("FileSave");
    EXPECT_EQ(captions(), QStringList({"New HTML Document 1"}));
    EXPECT_TRUE(doc()->modified());
}

TEST_F(FileCommandsTest, SaveKeepsEncodingAndLineEndingsAndMakesABackup)
{
    const QByteArray original = "<p>caf\xE9</p>\r\n<p>two</p>\r\n";
    const QString page = home.write("old.html", original);
    open(page);
    ed()->setCaret(3, 1);
    ed()->insertAtCaret(QString::fromUtf8("<p>\xC3\xA9t\xC3\xA9</p>\r\n"));
    trigger("FileSave");
    EXPECT_EQ(home.read("old.html"), original + "<p>\xE9t\xE9</p>\r\n");
    EXPECT_EQ(home.read("old.BAK"), original);
}

TEST_F(FileCommandsTest, NoBackupWhenTheSettingIsOff)
{
    home.write("TOLVENRA.INI", "[System]\r\nOpen Template=0\r\nCreate Backup=0\r\n[Start Options]\r\nTips=0\r\n");
    const QString page = home.write("p.html", "a");
    open(page);
    ed()->insertAtCaret("b");
    trigger("FileSave");
    EXPECT_FALSE(QFileInfo::exists(home.path("p.BAK")));
}

TEST_F(FileCommandsTest, CharactersTheEncodingCannotHoldOfferUtf8)
{
    const QString page = home.write("w.html", "caf\xE9\n");
    open(page);
    ed()->insertAtCaret(QString::fromUtf8("\xE6\xBC\xA2"));
    dialogs.answers.push_back(Answer::No);
    trigger("FileSave");
    EXPECT_TRUE(doc()->modified());
    EXPECT_EQ(home.read("w.html"), "caf\xE9\n");
    dialogs.answers.push_back(Answer::Yes);
    trigger("FileSave");
    EXPECT_FALSE(doc()->modified());
    EXPECT_EQ(home.read("w.html"), "\xE6\xBC\xA2" "caf\xC3\xA9\n");
}

TEST_F(FileCommandsTest, AFailedSaveSaysWhyAndKeepsTheDocumentModified)
{
    trigger("FileNew"); // as the program starts: a document from the template
    ed()->insertAtCaret("precious");
    home.write("blocker", "x");
    dialogs.saveNames.push_back(home.path("blocker/page.html"));
    trigger("FileSave");
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors[0].startsWith("Unable to save " + home.path("blocker/page.html") + "."));
    EXPECT_TRUE(doc()->modified());
    EXPECT_EQ(captions(), QStringList({"New HTML Document 1"}));
    EXPECT_TRUE(text().startsWith("precious"));
}

TEST_F(FileCommandsTest, AFileThatBecameReadOnlyIsNotOverwritten)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes read-only files";
    const QString page = home.write("ro.html", "old");
    open(page);
    QFile::setPermissions(page, QFileDevice::ReadOwner);
    ed()->insertAtCaret("new");
    trigger("FileSave");
    EXPECT_EQ(home.read("ro.html"), "old");
    EXPECT_TRUE(doc()->modified());
}

TEST_F(FileCommandsTest, ConvertToTextRemovesTagsAsOneUndoStep)
{
    trigger("FileNew");
    ed()->loadUtf8("<B>word</B>\n");
    trigger("ExportasText1Click");
    EXPECT_EQ(text(), "word\n");
    EXPECT_EQ(QApplication::clipboard()->text(), "</B>");
    EXPECT_TRUE(doc()->modified());
    doc()->doUndo();
    EXPECT_EQ(text(), "<B>word</B>\n");
}

TEST_F(FileCommandsTest, ClearAsksAndCanBeUndone)
{
    trigger("FileNew"); // as the program starts: a document from the template
    const QString before = text();
    dialogs.answers.push_back(Answer::No);
    trigger("EditClear");
    EXPECT_EQ(text(), before);
    dialogs.answers.push_back(Answer::Yes);
    trigger("EditClear");
    EXPECT_EQ(dialogs.questions.last(),
              "This action will remove all data from the document.\n\r\n\rAre You Sure ?");
    EXPECT_EQ(text(), "");
    EXPECT_TRUE(doc()->modified());
    EXPECT_EQ(ed()->caretLine(), 1);
    doc()->doUndo();
    EXPECT_EQ(text(), before);
}

TEST_F(FileCommandsTest, InsertTextFileAddsEveryLineWithTheDocumentsLineBreak)
{
    const QString page = home.write("crlf.html", "<p>top</p>\r\n");
    const QString part = home.write("part.txt", "one\ntwo");
    open(page);
    dialogs.openNames.push_back({part});
    trigger("InsertFile1Click");
    EXPECT_EQ(text(), "one\r\ntwo\r\n<p>top</p>\r\n");
    EXPECT_TRUE(doc()->modified());
}

TEST_F(FileCommandsTest, PrintingWritesEveryLineOrTheSelection)
{
    trigger("FileNew"); // as the program starts: a document from the template
    ed()->loadUtf8("first line\nsecond line\nthird line\n");
    dialogs.printFile = home.path("out.pdf");
    dialogs.prints.push_back({true, false});
    trigger("FilePrint");
    EXPECT_FALSE(dialogs.selectionOffered);
    EXPECT_GT(QFileInfo(home.path("out.pdf")).size(), 500);
    EXPECT_EQ(files->printLines(doc(), false),
              QStringList({"first line", "second line", "third line", ""}));

    ed()->selectRange(1, 7, 2, 7);
    EXPECT_EQ(files->printLines(doc(), true), QStringList({"      line", "second"}));
    dialogs.prints.push_back({true, true});
    trigger("FilePrint");
    EXPECT_TRUE(dialogs.selectionOffered);
}

TEST_F(FileCommandsTest, PrintingHonoursTheChosenPagesAndAddsNoBlankOne)
{
    trigger("FileNew"); // as the program starts: a document from the template
    QByteArray text;
    for (int i = 1; i <= 200; ++i)
        text += "line " + QByteArray::number(i) + "\n";
    ed()->loadUtf8(text);
    dialogs.printFile = home.path("all.pdf");
    dialogs.prints.push_back({true, false, 0, 0});
    trigger("FilePrint");
    const int all = pdfPages(home.path("all.pdf"));
    ASSERT_GE(all, 3);
    dialogs.printFile = home.path("two.pdf");
    dialogs.prints.push_back({true, false, 2, 3});
    trigger("FilePrint");
    EXPECT_EQ(pdfPages(home.path("two.pdf")), 2);
    // A text that fills exactly its pages ends without an empty sheet.
    ed()->loadUtf8("one line");
    dialogs.printFile = home.path("one.pdf");
    dialogs.prints.push_back({true, false, 0, 0});
    trigger("FilePrint");
    EXPECT_EQ(pdfPages(home.path("one.pdf")), 1);
}

class BackupTest : public FileCommandsTest {
protected:
    QString page;
    void SetUp() override
    {
        FileCommandsTest::SetUp();
        home.write("TOLVENRA.INI", "[System]\r\nOpen Template=0\r\nCreate Backup=1\r\n[Start Options]\r\nTips=0\r\n");
        page = home.write("page.html", "version 1\n");
        open(page);
    }
};

TEST_F(BackupTest, TheBackupHoldsThePreviousVersionAfterEachSave)
{
    home.write("page.BAK", "version 0\n");
    ed()->loadUtf8("version 2\n");
    ed()->insertAtCaret("");
    doc()->setModified(true);
    trigger("FileSave");
    EXPECT_EQ(home.read("page.BAK"), "version 1\n");
    EXPECT_EQ(home.read("page.html"), "version 2\n");
    EXPECT_TRUE(dialogs.errors.isEmpty());
}

TEST_F(BackupTest, ABackupThatCannotBeMadeIsAskedAboutBeforeTheFileIsTouched)
{
    QDir().mkpath(home.path("page.BAK")); // a folder where the backup goes
    ed()->loadUtf8("version 2\n");
    doc()->setModified(true);
    dialogs.answers = {Dialogs::Answer::No};
    trigger("FileSave");
    ASSERT_EQ(dialogs.questions.size(), 1);
    EXPECT_TRUE(dialogs.questions[0].startsWith("Unable to keep the backup copy " + home.path("page.BAK") + "."));
    EXPECT_TRUE(dialogs.questions[0].endsWith("Save " + page + " without a backup copy?"));
    EXPECT_EQ(home.read("page.html"), "version 1\n");
    EXPECT_TRUE(doc()->modified());
    dialogs.answers = {Dialogs::Answer::Yes};
    trigger("FileSave");
    EXPECT_EQ(home.read("page.html"), "version 2\n");
    EXPECT_FALSE(doc()->modified());
}

class ChangedElsewhere : public FileCommandsTest {
protected:
    QString page;
    void SetUp() override
    {
        FileCommandsTest::SetUp();
        page = home.write("page.html", "mine\n");
        open(page);
    }
    void changeOnDisk(const QByteArray &bytes)
    {
        home.write("page.html", bytes);
        touchLater(page);
    }
};

TEST_F(ChangedElsewhere, AnUnmodifiedDocumentOffersToReload)
{
    changeOnDisk("theirs\n");
    dialogs.answers = {Dialogs::Answer::Yes};
    doc()->checkDiskChange();
    EXPECT_EQ(dialogs.questions, QStringList({page + " has been changed by another program.\n\nReload it?"}));
    EXPECT_EQ(text(), "theirs\n");
    EXPECT_FALSE(doc()->modified());
    doc()->checkDiskChange(); // asked once per change
    EXPECT_EQ(dialogs.questions.size(), 1);
}

TEST_F(ChangedElsewhere, KeepingMineAndSavingLaterDoesNotAskAgain)
{
    ed()->insertAtCaret("more ");
    changeOnDisk("theirs\n");
    dialogs.answers = {Dialogs::Answer::No};
    doc()->checkDiskChange();
    EXPECT_EQ(dialogs.questions.last(), page + " has been changed by another program.\n\nReload it and lose the changes made here?");
    trigger("FileSave");
    EXPECT_EQ(dialogs.questions.size(), 1);
    EXPECT_EQ(home.read("page.html"), "more mine\n");
}

TEST_F(ChangedElsewhere, ASaveOverAnotherProgramsVersionAsksFirst)
{
    ed()->insertAtCaret("more ");
    changeOnDisk("theirs\n");
    dialogs.answers = {Dialogs::Answer::No};
    trigger("FileSave");
    EXPECT_EQ(dialogs.questions, QStringList({page + " has been changed by another program since it was opened or saved "
                                                     "here.\n\nOverwrite it with this document?"}));
    EXPECT_EQ(home.read("page.html"), "theirs\n");
    EXPECT_TRUE(doc()->modified());
    dialogs.answers = {Dialogs::Answer::Yes};
    trigger("FileSave");
    EXPECT_EQ(home.read("page.html"), "more mine\n");
}

TEST_F(ChangedElsewhere, ADeletedFileIsReportedAndTheTextStaysModified)
{
    QFile::remove(page);
    doc()->checkDiskChange();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].startsWith(page + " has been deleted or moved by another program."));
    EXPECT_TRUE(doc()->modified());
    EXPECT_EQ(text(), "mine\n");
    trigger("FileSave");
    EXPECT_EQ(home.read("page.html"), "mine\n");
}

} // namespace
