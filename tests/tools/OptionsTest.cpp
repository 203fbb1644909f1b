#include "app/Errors.h"
#include "app/Megares.h"
#include "app/Ubag.h"
#include "app/SettingsTable.h"
#include "platform/AppPaths.h"
#include "platform/HelpWindow.h"
#include "support/FrameFixture.h"
#include "tools/Options.h"

#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>

namespace {

class OptionsTest : public FrameTest {
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        startEmpty();
        // The dialog reads the settings when it becomes active; the script shows it so.
        dialogs.onExec = [this](QDialog *d) {
            if (auto *o = qobject_cast<TfOptions *>(d)) {
                o->LoadIniSettings();
                if (script)
                    script(o);
            }
        };
    }
    // Opens the options as the menu item does; script acts on the dialog while it is shown.
    void showOptions(std::function<void(TfOptions *)> s)
    {
        script = std::move(s);
        ASSERT_TRUE(trigger("ApplicationOptions1Click"));
    }
    QString ini() const { return QString::fromUtf8(home.read("TOLVENRA.INI")); }
    std::function<void(TfOptions *)> script;
};

TEST_F(OptionsTest, TheControlsShowTheSettings)
{
    home.write("TOLVENRA.INI", "[System]\r\nOpen Template=0\r\n[Start Options]\r\nTips=0\r\n[Tags]\r\nCase=u\r\n"
                               "Stay Selected=maybe\r\n[Editor]\r\nTab Size=4\r\nSmart Tabs=1\r\n"
                               "[Application Header]\r\nUser Name=Ann\r\n");
    showOptions([&](TfOptions *o) {
        EXPECT_EQ(o->windowTitle(), "Tolvenra Application Options");
        EXPECT_TRUE(o->optKorvo->isChecked()); // "u" is not "U"
        EXPECT_TRUE(o->optStaySel->isChecked());
        EXPECT_EQ(o->nTabs->value(), 4);
        EXPECT_TRUE(o->optST->isChecked());
        EXPECT_TRUE(o->optWW->isChecked()); // the default
        EXPECT_FALSE(o->chkTPL->isChecked());
        EXPECT_TRUE(o->chkBKUP->isChecked());
        EXPECT_EQ(o->txtUser->text(), "Ann");
        EXPECT_EQ(o->txtStartup->text(), AppPaths::programFolder());
        EXPECT_EQ(o->txtUser->maxLength(), 1023);
        EXPECT_EQ(o->nTabs->maximum(), 99);
        EXPECT_EQ(o->pages()->tabText(2), "&System Settings");
    });
    EXPECT_EQ(frame->statusText(), "   Loading Application Options ...");
}

TEST_F(OptionsTest, SaveWritesEveryControlAndTheUserNameShowsAtOnce)
{
    const QString folder = home.path("sites/");
    QDir().mkpath(folder);
    showOptions([&](TfOptions *o) {
        o->optUpperCase->setChecked(true);
        o->optStaySel->setChecked(true);
        o->optST->setChecked(true);
        o->optWW->setChecked(false);
        o->nTabs->setValue(3);
        o->txtUser->setText("Zo\xc3\xab");
        o->txtEMail->setText("zoe@example.org");
        o->txtHP->setText("https://zoe.example.org/");
        o->txtOrg->setText("Z & Co");
        o->txtStartup->setText(folder);
        o->chkTPL->setChecked(false);
        o->chkBKUP->setChecked(false);
        o->OKBtnClick();
        EXPECT_EQ(o->txtStartup->text(), home.path("sites")); // the trailing "/" dropped in the box too
    });
    TMegaRegistry &s = frame->settings();
    EXPECT_EQ(s.read(Settings::TagCase), "U");
    EXPECT_EQ(s.read(Settings::StaySelected), "N");
    EXPECT_TRUE(s.readBool(Settings::SmartTabs));
    EXPECT_FALSE(s.readBool(Settings::WordWrap));
    EXPECT_EQ(s.readInt(Settings::TabSize), 3);
    EXPECT_EQ(s.read(Settings::UserName), "Zo\xc3\xab");
    EXPECT_EQ(s.read(Settings::EMail), "zoe@example.org");
    EXPECT_EQ(s.read(Settings::HomePage), "https://zoe.example.org/");
    EXPECT_EQ(s.read(Settings::Organisation), "Z & Co");
    EXPECT_EQ(s.read(Settings::StartupDirectory), home.path("sites"));
    EXPECT_FALSE(s.readBool(Settings::OpenTemplate));
    EXPECT_FALSE(s.readBool(Settings::CreateBackup));
    EXPECT_TRUE(ini().contains("Tab Size=3\r\n"));
    EXPECT_EQ(frame->findChild<QLabel *>("pnlApp")->text(), "Zo\xc3\xab");
    EXPECT_FALSE(s.readBool(Settings::Tips)); // Save does not write the tips setting

    // A folder that does not exist stores the program's folder.
    showOptions([&](TfOptions *o) {
        o->txtStartup->setText(home.path("no/such/folder"));
        o->OKBtnClick();
    });
    EXPECT_EQ(s.read(Settings::StartupDirectory), AppPaths::programFolder());
}

TEST_F(OptionsTest, CancelWritesNothingButTheTipsBoxWritesAtItsClick)
{
    const QString before = ini();
    showOptions([&](TfOptions *o) {
        o->txtUser->setText("Nobody");
        o->chkTips->click();
        o->chkTips->click();
        o->chkTips->click();
        o->CancelBtnClick();
    });
    EXPECT_EQ(frame->settings().read(Settings::UserName), "Your Name");
    EXPECT_TRUE(frame->settings().readBool(Settings::Tips));
    EXPECT_NE(ini(), before);
    // The next showing reads the settings afresh.
    showOptions([&](TfOptions *o) { EXPECT_EQ(o->txtUser->text(), "Your Name"); });
}

TEST_F(OptionsTest, AFailedSaveKeepsWhatWasTypedUntilItIsSaved)
{
    showOptions([&](TfOptions *o) {
        o->txtUser->setText("Typed Name");
        const QByteArray ini = home.read("TOLVENRA.INI");
        QFile::remove(home.path("TOLVENRA.INI"));
        QDir().mkpath(home.path("TOLVENRA.INI")); // the settings file cannot be written now
        o->OKBtnClick();
        ASSERT_EQ(dialogs.errors.size(), 1);
        EXPECT_TRUE(dialogs.errors[0].startsWith("Unable to write to " + home.path("TOLVENRA.INI")));
        EXPECT_TRUE(dialogs.errors[0].contains("folder")) << dialogs.errors[0].toStdString(); // the reason
        // Active again (the error box closed): the typed value is still there.
        QEvent activate(QEvent::WindowActivate);
        QCoreApplication::sendEvent(o, &activate);
        EXPECT_EQ(o->txtUser->text(), "Typed Name");
        QDir(home.path("TOLVENRA.INI")).removeRecursively();
        home.write("TOLVENRA.INI", ini);
        o->OKBtnClick();
    });
    EXPECT_EQ(frame->settings().read(Settings::UserName), "Typed Name");
}

// A modal dialog blocks every window that is not its own; the help its Help button opens must
// be one of its own while it is open, and stay open beside the frame when it closes.
TEST_F(OptionsTest, HelpFromTheDialogIsUsableWhileTheDialogIsOpen)
{
    HelpWindow *help = nullptr;
    TfOptions *options = nullptr;
    showOptions([&](TfOptions *o) {
        options = o;
        o->setWindowModality(Qt::ApplicationModal);
        o->show();
        ASSERT_EQ(QApplication::activeModalWidget(), o);
        o->HelpBtnClick();
        help = part<HelpCommands>().window();
        ASSERT_NE(help, nullptr);
        EXPECT_TRUE(help->isVisible());
        EXPECT_EQ(help->window(), help);
        EXPECT_EQ(help->parentWidget(), o); // not blocked by it
        EXPECT_TRUE(help->currentPage().endsWith("settings.html"));
        o->hide();
    });
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->parentWidget(), frame.get());
    EXPECT_TRUE(help->isVisible());
}

TEST(OptionsFile, AFailedWriteOfThePreferencesSaysWhy)
{
    TestHome home;
    QDir().mkpath(home.path("tolvopt.ini"));
    TBag bag(QStringLiteral("tolvopt.ini"), QStringLiteral("Table Wizard"));
    bag.PutString("FORM_PLACE", "1,2,3,4");
    try {
        bag.Save();
        FAIL() << "no error";
    } catch (const EIniError &e) {
        EXPECT_TRUE(e.message().startsWith("Unable to write to " + home.path("tolvopt.ini") + "\n\n"))
            << e.message().toStdString();
    }
}

} // namespace
