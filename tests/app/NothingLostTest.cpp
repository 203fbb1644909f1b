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
