// Tool windows in the frame: the exit question, a failed save of their placement, new documents from a text, the user name panel.

#include "app/ErrorBoundary.h"
#include "app/Errors.h"
#include "app/Files.h"
#include "app/TabStrip.h"
#include "app/ToolWindows.h"
#include "support/FrameFixture.h"
#include "support/TestHost.h"
#include "support/UnsavedWindow.h"
#include "tags/Pickers.h"
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QProgressBar>

namespace {

TEST_F(FrameTest, ExitAsksToolWindowsWithUnsavedDataAndCancelKeepsTheProgram)
{
    startEmpty();
    frame->toolWindows().add("Notes", [](AppServices &s, QString *) -> QWidget * { return new UnsavedWindow(s.mainWindow()); });
    auto *notes = static_cast<UnsavedWindow *>(frame->toolWindows().window("Notes"));
    notes->show();
    dialogs.answers = {Dialogs::Answer::Cancel};
    EXPECT_FALSE(frame->close());
    EXPECT_TRUE(frame->isVisible());
    EXPECT_TRUE(notes->isVisible());
    dialogs.answers = {Dialogs::Answer::No};
    EXPECT_TRUE(frame->close());
    EXPECT_FALSE(notes->isVisible());
    EXPECT_EQ(dialogs.questions, QStringList({"Save the notes?", "Save the notes?"}));
}

TEST_F(FrameTest, AFailedBagSaveInAWindowsCloseSaysWhyAndTheProgramGoesOn)
{
    startWithEmptyDocument();
    trigger("Symbol1Click");
    auto *symbols = frame->toolWindows().get<TfSymbol>();
    ASSERT_TRUE(symbols->isVisible());
    QFile::remove(home.path("tolvopt.ini"));
    QDir().mkpath(home.path("tolvopt.ini")); // the options file cannot be written
    EXPECT_TRUE(symbols->close());
    EXPECT_FALSE(symbols->isVisible());
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors[0].contains("tolvopt.ini")) << dialogs.errors[0].toStdString();
    EXPECT_EQ(frame->statusText(), "   An Internal Error was detected and corrected.");
    // The program still works.
    trigger("Bold1Click");
    EXPECT_EQ(text(), "<B></B>");
}

TEST_F(FrameTest, ANewDocumentFromATextIsUntitledModifiedAndActive)
{
    startEmpty();
    TfHTML *doc = frame->newDocumentFromText("<HTML></HTML>");
    EXPECT_EQ(frame->activeDocument(), doc);
    EXPECT_EQ(text(), "<HTML></HTML>");
    EXPECT_TRUE(doc->isUntitled());
    EXPECT_TRUE(doc->modified());
    EXPECT_EQ(tabs()->count(), 1);
    EXPECT_EQ(frame->newDocumentFromText("x")->caption(), "New HTML Document 2");
}

TEST_F(FrameTest, TheUserNamePanelFollowsTheSettingAtOnce)
{
    startWithEmptyDocument();
    frame->settings().write(Settings::UserName, "Ann Lee");
    EXPECT_EQ(frame->findChild<QLabel *>("pnlApp")->text(), "Ann Lee");
    EXPECT_EQ(frame->settings().read(Settings::UserName), "Ann Lee");
}

} // namespace
