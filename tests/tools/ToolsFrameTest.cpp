// The tips and the About box in the frame.

#include "support/FrameFixture.h"
#include "tools/Totd.h"
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

namespace {

TEST_F(FrameTest, ClosingTipsWithTheBoxTickedWritesNothing)
{
    home.write("TOLVENRA.INI", "[System]\r\nOpen Template=0\r\n");
    start();
    EXPECT_EQ(dialogs.executed, QStringList({"TitleScreen", "TfTipOfTheDay"}));
    EXPECT_FALSE(home.read("TOLVENRA.INI").contains("Tips"));
}

TEST_F(FrameTest, AboutBoxShowsTheProgram)
{
    QString name, version;
    dialogs.onExec = [&](QDialog *d) {
        if (d->objectName() == "TAboutBox") {
            name = d->findChild<QLabel *>("AppName")->text();
            version = d->findChild<QLabel *>("Version")->text();
        }
    };
    startEmpty();
    trigger("HelpAbout");
    EXPECT_EQ(dialogs.executed.last(), "TAboutBox");
    EXPECT_EQ(name, "Tolvenra Pro 32 HTML Editor");
    EXPECT_EQ(version, "Version 32.2.2.0");
}

} // namespace
