#include "app/Files.h"
#include "app/TabStrip.h"
#include "support/FrameFixture.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QMdiArea>
#include <QRegularExpression>
#include <unistd.h>

#include <sys/stat.h>

namespace {

using Answer = Dialogs::Answer;

TEST_F(FrameTest, NewDocumentsAreNumberedAndNumbersAreNotReused)
{
    startEmpty();
    trigger("FileNew");
    trigger("FileNew");
    EXPECT_EQ(captions(), QStringList({"New HTML Document 1", "New HTML Document 2"}));
    frame->documents().first()->close();
    trigger("FileNew");
    EXPECT_EQ(captions(), QStringList({"New HTML Document 2", "New HTML Document 3"}));
    EXPECT_EQ(tabs()->names(), captions());
}

TEST_F(FrameTest, OpenKeepsThePathAsTheFileSystemSpellsIt)
{
    startEmpty();
    const QString path = home.write("Site/Index.HTML", "<p>x</p>");
    dialogs.openNames.push_back({path});
    trigger("FileOpen");
    EXPECT_EQ(captions(), QStringList({path}));
    EXPECT_EQ(text(), "<p>x</p>");
    EXPECT_FALSE(doc()->modified());
    files().OpenDocument(path);
    EXPECT_EQ(dialogs.messages, QStringList({path + " is already open."}));
    // Another spelling is another file on this file system.
    EXPECT_EQ(files().OpenDocument(home.path("Site/index.html")), nullptr);
    EXPECT_EQ(dialogs.messages.last(), "Unable to find " + home.path("Site/index.html") + ".");
    EXPECT_EQ(frame->documents().size(), 1);
}

TEST_F(FrameTest, OpeningSeveralFilesAtOnce)
{
    startEmpty();
    const QString a = home.write("a.html", "a"), b = home.write("b.htm", "b");
    dialogs.openNames.push_back({a, b});
    trigger("FileOpen");
    EXPECT_EQ(captions(), QStringList({a, b}));
    EXPECT_EQ(frame->statusText(), "   Ready ...");
}

TEST_F(FrameTest, BinaryAndFolderNamesAreRefusedWithAReason)
{
    startEmpty();
    const QString bin = home.write("logo.png", QByteArray("\x89PNG\0\0\0", 8));
    EXPECT_EQ(files().OpenDocument(bin), nullptr);
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors[0].startsWith("Unable to open " + bin + "."));
    EXPECT_TRUE(frame->documents().isEmpty());
    EXPECT_TRUE(tabs()->names().isEmpty());
    EXPECT_EQ(files().OpenDocument(home.path()), nullptr);
    EXPECT_EQ(dialogs.messages.last(), "Unable to open " + home.path() + ".\n\nThis is a folder, not a file.");
}

TEST_F(FrameTest, APipeIsRefusedAtOnceWhereverAFileIsRead)
{
    const QString pipe = home.path("pipe.html");
    ASSERT_EQ(mkfifo(pipe.toLocal8Bit().constData(), 0600), 0);
    // On the command line: it exists, so it is not "unable to find"; nothing waits on it.
    startEmpty({pipe});
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_EQ(dialogs.errors[0], "Unable to open " + pipe + ".\n\nThis is not a regular file (a pipe, socket or device).");
    // Insert > Text File.
    trigger("FileNew");
    dialogs.openNames = {{pipe}};
    trigger("InsertFile1Click");
    ASSERT_EQ(dialogs.errors.size(), 2);
    EXPECT_TRUE(dialogs.errors[1].startsWith("Unable to insert " + pipe));
}

TEST_F(FrameTest, RecentFilesKeepTheFourNewest)
{
    startEmpty();
    QStringList paths;
    for (int i = 1; i <= 5; ++i)
        paths << home.write(QString("f%1.html").arg(i), "x");
    for (const QString &p : paths)
        files().OpenDocument(p);
    EXPECT_EQ(recentFiles().entries(), QStringList({paths[4], paths[3], paths[2], paths[1]}));
    auto *mru1 = frame->findChild<QAction *>("MRU1");
    EXPECT_EQ(mru1->text(), "&1 " + paths[4]);
    EXPECT_TRUE(mru1->isVisible());
    EXPECT_TRUE(frame->findChild<QAction *>("MRUSeparator")->isVisible());

    // Saving the newest leaves the list as it is.
    ed()->insertAtCaret("more");
    trigger("FileSave");
    EXPECT_EQ(recentFiles().entries(), QStringList({paths[4], paths[3], paths[2], paths[1]}));

    // A recent-files item reopens its file.
    files().CloseAll1Click();
    frame->findChild<QAction *>("MRU3")->trigger();
    EXPECT_EQ(captions(), QStringList({paths[2]}));
}

TEST_F(FrameTest, EmptyRecentFilesHideTheirItems)
{
    startEmpty();
    for (int i = 1; i <= 4; ++i)
        EXPECT_FALSE(frame->findChild<QAction *>(QString("MRU%1").arg(i))->isVisible());
    EXPECT_FALSE(frame->findChild<QAction *>("MRUSeparator")->isVisible());
}

TEST_F(FrameTest, SaveAsRenamesButLeavesRecentFilesAlone)
{
    const QString page = home.write("page.html", "x");
    startEmpty({page});
    const QString other = home.path("copy.html");
    dialogs.saveNames.push_back(other);
    trigger("FileSaveAs");
    EXPECT_EQ(captions(), QStringList({other}));
    EXPECT_EQ(tabs()->names(), QStringList({other}));
    EXPECT_EQ(recentFiles().entries(), QStringList({page, "", "", ""}));
    EXPECT_EQ(home.read("copy.html"), "x");
}

TEST_F(FrameTest, SavingAnUntitledDocumentNamesItEverywhere)
{
    start();
    ed()->insertAtCaret("hello ");
    const QString target = home.path("new.html");
    dialogs.saveNames.push_back(target);
    trigger("FileSave");
    EXPECT_EQ(captions(), QStringList({target}));
    EXPECT_EQ(tabs()->names(), QStringList({target}));
    EXPECT_EQ(recentFiles().entry(0), target);
    EXPECT_FALSE(doc()->modified());
    EXPECT_EQ(home.read("new.html"), "hello " + home.read("standard.tpl"));
    // The template's file is not touched, and no backup is made of a new document.
    EXPECT_FALSE(QFileInfo::exists(home.path("new.BAK")));
}

TEST_F(FrameTest, CancellingTheSaveDialogChangesNothing)
{
    start();
    ed()->insertAtCaret("x");
    dialogs.saveNames.push_back(QString());
    trigger("FileSave");
    EXPECT_EQ(captions(), QStringList({"New HTML Document 1"}));
    EXPECT_TRUE(doc()->modified());
}

TEST_F(FrameTest, SaveKeepsEncodingAndLineEndingsAndMakesABackup)
{
    const QByteArray original = "<p>caf\xE9</p>\r\n<p>two</p>\r\n";
    const QString page = home.write("old.html", original);
    startEmpty({page});
    ed()->setCaret(3, 1);
    ed()->insertAtCaret(QString::fromUtf8("<p>\xC3\xA9t\xC3\xA9</p>\r\n"));
    trigger("FileSave");
    EXPECT_EQ(home.read("old.html"), original + "<p>\xE9t\xE9</p>\r\n");
    EXPECT_EQ(home.read("old.BAK"), original);
}

TEST_F(FrameTest, NoBackupWhenTheSettingIsOff)
{
    home.write("TOLVENRA.INI", "[System]\r\nOpen Template=0\r\nCreate Backup=0\r\n[Start Options]\r\nTips=0\r\n");
    const QString page = home.write("p.html", "a");
    start({page});
    ed()->insertAtCaret("b");
    trigger("FileSave");
    EXPECT_FALSE(QFileInfo::exists(home.path("p.BAK")));
}

TEST_F(FrameTest, CharactersTheEncodingCannotHoldOfferUtf8)
{
    const QString page = home.write("w.html", "caf\xE9\n");
    startEmpty({page});
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

TEST_F(FrameTest, AFailedSaveSaysWhyAndKeepsTheDocumentModified)
{
    start();
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

TEST_F(FrameTest, AFileThatBecameReadOnlyIsNotOverwritten)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes read-only files";
    const QString page = home.write("ro.html", "old");
    startEmpty({page});
    QFile::setPermissions(page, QFileDevice::ReadOwner);
    ed()->insertAtCaret("new");
    trigger("FileSave");
    EXPECT_EQ(home.read("ro.html"), "old");
    EXPECT_TRUE(doc()->modified());
}

TEST_F(FrameTest, CloseAllLeavesNoTabs)
{
    start();
    trigger("FileNew");
    trigger("CloseAll1Click");
    EXPECT_TRUE(frame->documents().isEmpty());
    EXPECT_TRUE(tabs()->names().isEmpty());
}

TEST_F(FrameTest, ConvertToTextRemovesTagsAsOneUndoStep)
{
    startEmpty();
    trigger("FileNew");
    ed()->loadUtf8("<B>word</B>\n");
    trigger("ExportasText1Click");
    EXPECT_EQ(text(), "word\n");
    EXPECT_EQ(QApplication::clipboard()->text(), "</B>");
    EXPECT_TRUE(doc()->modified());
    trigger("EditUndo");
    EXPECT_EQ(text(), "<B>word</B>\n");
}

TEST_F(FrameTest, ClearAsksAndCanBeUndone)
{
    start();
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
    trigger("EditUndo");
    EXPECT_EQ(text(), before);
}

TEST_F(FrameTest, InsertTextFileAddsEveryLineWithTheDocumentsLineBreak)
{
    const QString page = home.write("crlf.html", "<p>top</p>\r\n");
    const QString part = home.write("part.txt", "one\ntwo");
    startEmpty({page});
    dialogs.openNames.push_back({part});
    trigger("InsertFile1Click");
    EXPECT_EQ(text(), "one\r\ntwo\r\n<p>top</p>\r\n");
    EXPECT_TRUE(doc()->modified());
}

TEST_F(FrameTest, PrintingWritesEveryLineOrTheSelection)
{
    start();
    ed()->loadUtf8("first line\nsecond line\nthird line\n");
    dialogs.printFile = home.path("out.pdf");
    dialogs.prints.push_back({true, false});
    trigger("FilePrint");
    EXPECT_FALSE(dialogs.selectionOffered);
    EXPECT_GT(QFileInfo(home.path("out.pdf")).size(), 500);
    EXPECT_EQ(files().printLines(doc(), false),
              QStringList({"first line", "second line", "third line", ""}));

    ed()->selectRange(1, 7, 2, 7);
    EXPECT_EQ(files().printLines(doc(), true), QStringList({"      line", "second"}));
    dialogs.prints.push_back({true, true});
    trigger("FilePrint");
    EXPECT_TRUE(dialogs.selectionOffered);
}

TEST_F(FrameTest, TabsFollowTheActiveDocument)
{
    startEmpty();
    const QString a = home.write("a.html", "a"), b = home.write("b.html", "b");
    files().OpenDocument(a);
    files().OpenDocument(b);
    EXPECT_EQ(tabs()->selectedName(), b);
    mdiArea()->setActiveSubWindow(frame->documents().first());
    EXPECT_EQ(tabs()->selectedName(), a);
    emit tabs()->tabChosen(b);
    EXPECT_EQ(doc()->caption(), b);
    EXPECT_EQ(tabs()->tabText(0), "a.html");
}

TEST_F(FrameTest, DroppedFilesOpen)
{
    startEmpty();
    const QString a = home.write("dropped.html", "d");
    frame->openDroppedFiles({a});
    EXPECT_EQ(captions(), QStringList({a}));
}

} // namespace

namespace {

int pdfPages(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    return int(QString::fromLatin1(f.readAll()).count(QRegularExpression("/Type\\s*/Page[^s]")));
}

TEST_F(FrameTest, PrintingHonoursTheChosenPagesAndAddsNoBlankOne)
{
    start();
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

} // namespace
