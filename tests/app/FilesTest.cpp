#include "app/Files.h"
#include "app/TabStrip.h"
#include "app/ToolWindows.h"
#include "support/FrameFixture.h"
#include "wizards/ImageWizard.h"

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

TEST_F(FrameTest, FileDialogsOpenInTheActiveDocumentsFolder)
{
    startEmpty();
    const QString page = home.write("site/pages/page.html", "<p>x</p>");
    files().OpenDocument(page);
    trigger("FileOpen");
    trigger("InsertFile1Click");
    trigger("Pick2Click");
    frame->toolWindows().get<TfImageBrowser>()->btnBrowseClick();
    EXPECT_EQ(dialogs.fileDialogFolders, QStringList(3, home.path("site/pages")));

    // A page never saved: the folder of the last file chosen, never the program's folder.
    trigger("FileNew");
    dialogs.openNames.push_back({home.write("other/b.html", "b")});
    trigger("FileOpen");
    trigger("FileNew");
    trigger("FileOpen");
    ASSERT_EQ(dialogs.fileDialogFolders.size(), 5);
    EXPECT_EQ(dialogs.fileDialogFolders[4], home.path("other"));
    EXPECT_NE(dialogs.fileDialogFolders[3], QDir::currentPath());
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

TEST_F(FrameTest, CloseAllLeavesNoTabs)
{
    start();
    trigger("FileNew");
    trigger("CloseAll1Click");
    EXPECT_TRUE(frame->documents().isEmpty());
    EXPECT_TRUE(tabs()->names().isEmpty());
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
