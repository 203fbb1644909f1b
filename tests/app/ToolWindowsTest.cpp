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

class ToolWindowsTest : public HostTest {
protected:
    ToolWindows &windows() { return host->toolWindows(); }
};

TEST_F(ToolWindowsTest, AWindowIsMadeOnFirstUseAndFoundByName)
{
    int made = 0;
    windows().add("Counted", [&made](AppServices &s, QString *) -> QWidget * {
        ++made;
        return new QWidget(s.mainWindow(), Qt::Window);
    });
    EXPECT_EQ(windows().existing("Counted"), nullptr);
    EXPECT_EQ(made, 0);
    QWidget *w = windows().window("Counted");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(windows().window("Counted"), w);
    EXPECT_EQ(windows().existing("Counted"), w);
    EXPECT_EQ(made, 1);
    QString error;
    EXPECT_EQ(windows().window("Unknown", &error), nullptr);
    EXPECT_EQ(error, "There is no window named Unknown.");
}

TEST_F(ToolWindowsTest, TheHandlerShowsTheWindowModelessOrModal)
{
    windows().add<TfSymbol>("Symbol1Click");
    windows().add("Modal", [](AppServices &s, QString *) -> QWidget * {
        auto *d = new QDialog(s.mainWindow());
        d->setObjectName("ModalOne");
        return d;
    }, "ModalClick", ToolWindows::Show::Modal);
    ASSERT_TRUE(host->commands().trigger("Symbol1Click"));
    EXPECT_TRUE(windows().get<TfSymbol>()->isVisible());
    ASSERT_TRUE(host->commands().trigger("ModalClick"));
    EXPECT_EQ(dialogs.executed, QStringList({"ModalOne"}));
}

TEST_F(ToolWindowsTest, AWindowThatCannotBeMadeIsReported)
{
    windows().add("Broken", [](AppServices &, QString *error) -> QWidget * {
        *error = "The module is missing.";
        return nullptr;
    }, "BrokenClick");
    host->commands().trigger("BrokenClick");
    EXPECT_EQ(dialogs.errors, QStringList({"The module is missing."}));
    EXPECT_EQ(windows().existing("Broken"), nullptr);
}

TEST_F(ToolWindowsTest, OnlyWindowsThatExistAreAskedAndCancelStops)
{
    windows().add("Notes", [](AppServices &s, QString *) -> QWidget * { return new UnsavedWindow(s.mainWindow()); });
    windows().add("Later", [](AppServices &s, QString *) -> QWidget * { return new UnsavedWindow(s.mainWindow()); });
    auto *notes = static_cast<UnsavedWindow *>(windows().window("Notes"));
    dialogs.answers = {Dialogs::Answer::Cancel};
    EXPECT_FALSE(windows().askToExit());
    dialogs.answers = {Dialogs::Answer::No};
    EXPECT_TRUE(windows().askToExit());
    EXPECT_EQ(notes->asked, 2);
    EXPECT_EQ(windows().existing("Later"), nullptr); // never made, never asked
}

TEST_F(ToolWindowsTest, TheBoundaryReportsTheProgramsErrorsAndGoesOn)
{
    QStringList reported;
    ErrorBoundary::setHandler([&](const QString &m) { reported << m; });
    EXPECT_FALSE(ErrorBoundary::run([] { throw EIniError("Unable to write to x"); }));
    EXPECT_FALSE(ErrorBoundary::run([] { throw std::runtime_error("other"); }));
    EXPECT_TRUE(ErrorBoundary::run([] {}));
    // A command that raises is stopped at its edge.
    host->commands().bind("Raises", [] { throw EAppError("from a command"); });
    EXPECT_TRUE(host->commands().trigger("Raises"));
    ErrorBoundary::setHandler(nullptr);
    EXPECT_EQ(reported, QStringList({"Unable to write to x", "", "from a command"}));
}





TEST(SystemProgress, AStayOnTopBarShowsThePercentage)
{
    QWidget owner;
    SystemDialogs real;
    {
        auto progress = real.progress(&owner, "Grab URLs", "Searching ...");
        auto *window = owner.findChild<QDialog *>("TfProgress");
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(window->isVisible());
        EXPECT_TRUE(window->windowFlags() & Qt::WindowStaysOnTopHint);
        progress->setPercent(40);
        EXPECT_EQ(window->findChild<QProgressBar *>()->value(), 40);
        progress->setPercent(140);
        EXPECT_EQ(window->findChild<QProgressBar *>()->value(), 100);
    }
    EXPECT_EQ(owner.findChild<QDialog *>("TfProgress"), nullptr); // gone with the object
}

} // namespace
