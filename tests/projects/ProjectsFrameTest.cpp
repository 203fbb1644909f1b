// Projects, templates and file tools in the frame: the open documents, the exit question, the menu items.

#include "app/Files.h"
#include "app/SettingsTable.h"
#include "projects/FileTools.h"
#include "projects/ProjectTree.h"
#include "projects/ProjectWindow.h"
#include "projects/TemplateWindow.h"
#include "support/FrameFixture.h"
#include "support/TestHost.h"
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTableWidget>
#include <QTreeWidget>

namespace {

TEST_F(FrameTest, AProjectFromTheOpenDocumentsAndTheExitQuestion)
{
    startEmpty();
    const QString page = home.write("page.html", "<p>");
    files().OpenDocument(page);
    trigger("FileNew");
    dialogs.inputs = {QString("From open")};
    dialogs.answers = {Dialogs::Answer::No};
    ASSERT_TRUE(trigger("SaveOpenasNewProject1Click"));
    auto *proj = frame->toolWindows().get<TfProj>();
    EXPECT_EQ(dialogs.inputPrompts, QStringList({"New Project|Enter a name for this New Project|"}));
    EXPECT_EQ(proj->project().fileLines(), QStringList({"From open", page, "New HTML Document 1"}));
    EXPECT_TRUE(proj->modified());

    // The program's end asks about the project as it asks about documents.
    for (TfHTML *d : frame->documents())
        d->setModified(false);
    dialogs.answers = {Dialogs::Answer::Cancel};
    trigger("FileExit");
    EXPECT_EQ(dialogs.questions.last(), "Save changes to Untitled Project ?");
    EXPECT_TRUE(frame->isVisible());
    dialogs.answers = {Dialogs::Answer::Yes};
    dialogs.saveNames = {home.path("open.tpr")};
    trigger("FileExit");
    EXPECT_EQ(home.read("open.tpr"), ("From open\r\n" + page + "\r\nNew HTML Document 1\r\n").toUtf8());

    startEmpty();
    trigger("SaveOpenasNewProject1Click");
    EXPECT_EQ(dialogs.messages.last(), "No current document.");
}

TEST_F(FrameTest, TemplatesMakeNumberedUnmodifiedDocuments)
{
    startEmpty();
    trigger("FileNew");
    auto *chooser = frame->toolWindows().get<TfTemplate>();
    ASSERT_NE(chooser, nullptr);
    EXPECT_EQ(chooser->windowTitle(), "Tolvenra Templates");
    QStringList tabs;
    for (int i = 0; i < chooser->tabs()->count(); ++i)
        tabs << chooser->tabs()->tabText(i);
    EXPECT_EQ(tabs, QStringList({"&Simple", "&Coloured", "&Graphical", "&Frame Sets", "&User Defined"}));

    chooser->OKBtnClick();
    EXPECT_EQ(doc()->caption(), "New HTML Document 2");
    EXPECT_FALSE(doc()->modified());
    EXPECT_EQ(frame->statusText(), "   Created a New HTML Document from Template...");
    const QStringList simple = text().split('\n');
    ASSERT_EQ(simple.size(), 17); // 16 lines, each ended
    EXPECT_EQ(simple[0], "<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN//2.0\"> ");
    EXPECT_EQ(simple[15], "");
    EXPECT_TRUE(text().endsWith("</HTML>\n\n"));

    chooser->tabs()->setCurrentIndex(3);
    chooser->OKBtnClick();
    EXPECT_EQ(doc()->caption(), "New HTML Document 3");
    EXPECT_EQ(text().split('\n')[9], "      <FRAME SRC=\"\" NAME=\"\">");
    chooser->tabs()->setCurrentIndex(1);
    chooser->OKBtnClick();
    EXPECT_EQ(text().split('\n')[9],
              "<body bgcolor=\"#0F0F8F\" text=\"#FFE27F\" LINK=\"#FFFFFF\" VLINK=\"#FF0000\" ALINK=\"#FFFFFF\">");

    // The user's own: before a file is picked a single empty line, then the file's lines.
    chooser->tabs()->setCurrentIndex(4);
    chooser->OKBtnClick();
    EXPECT_EQ(text(), "\n");
    home.write("mine/letter.tpl", "<p>caf\xe9</p>\r\n<p>end</p>\r\n");
    home.write("mine/page.htm", "<p>");
    chooser->setFolder(home.path("mine"));
    ASSERT_EQ(chooser->fileList()->count(), 1); // *.tpl at first
    chooser->fileList()->setCurrentRow(0);
    chooser->UpdateMemo();
    chooser->OKBtnClick();
    EXPECT_EQ(text(), "<p>caf\xc3\xa9</p>\n<p>end</p>\n");
    EXPECT_EQ(doc()->caption(), "New HTML Document 6");
    chooser->filterBox()->setCurrentIndex(1);
    EXPECT_EQ(chooser->fileList()->count(), 1);
    EXPECT_EQ(chooser->fileList()->item(0)->text(), "page.htm");

    // A template saved while the program runs is listed the next time the page is shown.
    chooser->filterBox()->setCurrentIndex(0);
    chooser->fileList()->setCurrentRow(0);
    home.write("mine/another.tpl", "<p>new</p>");
    chooser->tabs()->setCurrentIndex(0);
    chooser->tabs()->setCurrentIndex(4);
    ASSERT_EQ(chooser->fileList()->count(), 2);
    EXPECT_EQ(chooser->fileList()->currentItem()->text(), "letter.tpl");
    home.write("mine/third.tpl", "<p>3</p>");
    chooser->hide();
    chooser->show();
    EXPECT_EQ(chooser->fileList()->count(), 3);
    chooser->hide();
}

TEST_F(FrameTest, TheFileToolsItemIsHiddenUnlessTheSettingsAskForIt)
{
    startEmpty();
    QAction *item = frame->commands().action("TolvenraFileTools1Click");
    EXPECT_FALSE(item->isVisible());
    EXPECT_FALSE(item->isEnabled());
    frame.reset();
    home.write("TOLVENRA.INI", "[System]\r\nOpen Template=0\r\n[Start Options]\r\nTips=0\r\n"
                               "[Application Options]\r\nFile Tools=1\r\n");
    start();
    item = frame->commands().action("TolvenraFileTools1Click");
    EXPECT_TRUE(item->isVisible());
    EXPECT_TRUE(item->isEnabled());
}

} // namespace
