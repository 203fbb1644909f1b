// Nothing is lost by the frame: a save onto a full disk, settings that cannot be written, stored bounds and names.

#include "app/Files.h"
#include "app/TabStrip.h"
#include "app/ToolWindows.h"
#include "app/Ubag.h"
#include "support/FrameFixture.h"
#include "support/SmallDisk.h"
#include "support/TestHost.h"
#include "tags/MacroWindows.h"
#include "tags/Macros.h"
#include <QCoreApplication>
#include <QDateTime>
#include <QEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QFile>
#include <QLabel>
#include <QScreen>
#include <climits>

namespace {

TEST_F(FrameTest, ASaveOntoAFullDiskSaysWhyKeepsTheFileAndTheDocumentModified)
{
    SmallDisk disk(64 * 1024);
    REQUIRE_SMALL_DISK(disk);
    const QString page = disk.write("page.html", "<p>old</p>\n");
    startEmpty({page});
    disk.fillLeaving(0);
    ed()->insertAtCaret(QString(9000, u'x'));
    // No room for the backup copy either: that is asked first.
    dialogs.answers = {Dialogs::Answer::Yes};
    trigger("FileSave");
    ASSERT_EQ(dialogs.questions.size(), 1);
    EXPECT_TRUE(dialogs.questions[0].startsWith("Unable to keep the backup copy "));
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_EQ(dialogs.errors[0], "Unable to save " + page + ".\n\nNo space left on device");
    EXPECT_TRUE(doc()->modified());
    EXPECT_EQ(disk.read("page.html"), "<p>old</p>\n");
    // The exit still asks about it.
    dialogs.answers = {Dialogs::Answer::Cancel};
    EXPECT_FALSE(frame->close());
    EXPECT_EQ(dialogs.questions.last(), "Save changes to : " + page);
}

TEST_F(FrameTest, UnwritableSettingsAreSaidOnceAndExitStillQuits)
{
    QDir().mkpath(home.path("TOLVENRA.INI"));
    start();
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors[0].startsWith("The settings cannot be saved to " + home.path("TOLVENRA.INI") + "."));
    // Settings changed during the session still hold while it runs.
    trigger("TagsToolbar1Click");
    trigger("FileExit");
    EXPECT_FALSE(frame->isVisible());
    EXPECT_EQ(dialogs.errors.size(), 1);
}

TEST_F(FrameTest, AWindows1252UserNameSurvivesStartAndExitByteForByte)
{
    const QByteArray ini = "[Application Header]\r\nUser Name=Ren\xE9 Dupr\xE9\r\n[System]\r\nOpen Template=0\r\n"
                           "[Start Options]\r\nTips=0\r\n; \xA9 notes\r\n";
    home.write("TOLVENRA.INI", ini);
    start();
    EXPECT_EQ(frame->findChild<QLabel *>("pnlApp")->text(), QString::fromUtf8("Ren\u00e9 Dupr\u00e9"));
    trigger("FileExit");
    const QByteArray after = home.read("TOLVENRA.INI");
    EXPECT_TRUE(after.startsWith("[Application Header]\r\nUser Name=Ren\xE9 Dupr\xE9\r\n")) << after.constData();
    EXPECT_TRUE(after.contains("; \xA9 notes\r\n"));
}

TEST_F(FrameTest, StoredFrameBoundsAtTheIntegerLimitsAreFittedToTheScreen)
{
    home.write("TOLVENRA.INI", "[System]\r\nOpen Template=0\r\n[Start Options]\r\nTips=0\r\n[Application Options]\r\n"
                               "MDI State=0\r\nMDI Left=0\r\nMDI Top=0\r\nMDI Width=2147483647\r\nMDI Height=2147483647\r\n");
    start();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE(frame->width(), screen.width());
    EXPECT_LE(frame->height(), screen.height());
}

TEST_F(FrameTest, ANameWithALineBreakStaysOutOfTheRecentFiles)
{
    const QString odd = home.write("two\nlines.html", "<p>x</p>");
    startEmpty({odd});
    ASSERT_EQ(frame->documents().size(), 1);
    EXPECT_TRUE(recentFiles().entry(0).isEmpty());
    trigger("FileExit");
    EXPECT_FALSE(home.read("TOLVENRA.INI").contains("lines.html"));
}

} // namespace
