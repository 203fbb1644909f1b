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

TEST(StoredFonts, SizesAtTheIntegerLimitsAreClamped)
{
    BagFont f;
    TBag::applyFontDescription("0,0<2147483647>-2147483648;0:Sans", &f);
    EXPECT_EQ(f.font.pointSize(), TBag::MaxFontSize);
    f = BagFont();
    TBag::applyFontDescription("0,0<0>-2147483648;0:Sans", &f);
    EXPECT_EQ(f.font.pixelSize(), TBag::MaxFontSize);
}

class MacroFiles : public HostTest {
protected:
    TfMacros *dialog() { return host->toolWindows().get<TfMacros>(); }
    void SetUp() override
    {
        HostTest::SetUp();
        host->toolWindows().add<TfMacros>();
    }
};

TEST_F(MacroFiles, AMacroWithACharsetDeclarationKeepsItsCharactersAcrossSaves)
{
    const QByteArray bytes = "[META]\t<meta charset=iso-8859-1>\r\n[C]\t\xC2\xA9 2026\r\n[BOM]\t\xEF\xBB\xBFstart\r\n";
    home.write("user.mcr", bytes);
    for (int round = 0; round < 2; ++round) {
        dialog()->FormActivate();
        dialog()->btnSaveClick();
        EXPECT_EQ(home.read("user.mcr"), bytes) << "round " << round;
    }
    EXPECT_EQ(Macros::userMacros()[2], QString::fromUtf8("[BOM]\t\ufeffstart"));
}

TEST_F(MacroFiles, ComingBackFromAnotherProgramKeepsUnsavedEntries)
{
    home.write("user.mcr", "[SAVED]\tyes\r\n");
    TfMacros *dlg = dialog();
    dlg->show();
    dlg->nameEdit()->setText("NEW");
    dlg->btnAddClick();
    ASSERT_EQ(dlg->userList().size(), 2);
    // The user goes to another program and comes back.
    dlg->applicationStateChanged(Qt::ApplicationInactive);
    dlg->applicationStateChanged(Qt::ApplicationActive);
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(dlg, &activate);
    EXPECT_EQ(dlg->userList().size(), 2);
    // Activated from another window of the program, it reads the file again.
    QCoreApplication::sendEvent(dlg, &activate);
    EXPECT_EQ(dlg->userList(), QStringList({"[SAVED]\tyes"}));
    dlg->hide();
}

TEST(MacroExpansion, OpeningBracketsWithoutAClosingOneAreLeftAlone)
{
    const QByteArray text = QByteArray(200000, '[') + "tail";
    const Macros::Expansion r = Macros::expand(text, Macros::builtInSystemMacros());
    EXPECT_EQ(r.text, text);
    EXPECT_EQ(r.count, 0);
    EXPECT_EQ(Macros::expand("[tolv] [", Macros::builtInSystemMacros()).text, "Tolvenra Pro for Windows [");
}

} // namespace
