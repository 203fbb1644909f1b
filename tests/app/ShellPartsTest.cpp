// Parts of the frame on the frame's stand-in: the status bar and the window commands.

#include "app/StatusPanels.h"
#include "app/TabStrip.h"
#include "app/WindowCommands.h"
#include "support/TestHost.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>

namespace {

class StatusPanelsTest : public HostTest {
protected:
    std::unique_ptr<StatusPanels> panels;
    void SetUp() override
    {
        HostTest::SetUp();
        panels = std::make_unique<StatusPanels>(host.get(), *host);
    }
    void TearDown() override
    {
        panels.reset();
        HostTest::TearDown();
    }
    QString panel(const char *name) const { return host->findChild<QLabel *>(name)->text(); }
};

TEST_F(StatusPanelsTest, StatusLineIsRewrittenOnlyWhenItChanges)
{
    panels->SetStatusText("Ready ...");
    const int before = panels->writes();
    panels->SetStatusText("Ready ...");
    EXPECT_EQ(panels->writes(), before);
    panels->SetStatusText("Working ...");
    EXPECT_EQ(panels->statusText(), "   Working ...");
    EXPECT_EQ(panels->writes(), before + 1);
    // A hint shows as it stands, and the message comes back after it.
    panels->showTip("Create a new document");
    EXPECT_EQ(panels->statusText(), "Create a new document");
    panels->showTip(QString());
    EXPECT_EQ(panels->statusText(), "   Working ...");
}

TEST_F(StatusPanelsTest, ShowStatusFillsThePanelsFromTheActiveDocument)
{
    const QByteArray page = home.read("standard.tpl");
    ASSERT_FALSE(page.isEmpty());
    host->newDocumentFromText(QString::fromUtf8(page));
    ed()->setCaret(3, 2);
    panels->ShowStatus();
    EXPECT_EQ(panel("pnlPos"), "3:2");
    EXPECT_EQ(panel("pnlSize"), "Bytes: " + QString::number(page.size()));
    EXPECT_EQ(panel("pnlMode"), "Insert");
    EXPECT_EQ(panel("pnlApp"), host->settings().read(Settings::UserName));
    EXPECT_EQ(panel("pnlEncoding"), "UTF-8, LF");
    // With no document the panels keep their text.
    for (TfHTML *d : host->documents())
        d->close();
    panels->ShowStatus();
    EXPECT_EQ(panel("pnlPos"), "3:2");
}

TEST_F(StatusPanelsTest, StatusPanelsShowHintsWholeAndNeverOverlap)
{
    host->setWindowState(Qt::WindowNoState);
    auto *status = host->findChild<QLabel *>("StatusLine");
    const QString hint = "Create a new document from the default template";
    panels->showTip(hint);
    host->resize(1024, 700);
    QCoreApplication::processEvents();
    EXPECT_GE(status->contentsRect().width(), status->fontMetrics().horizontalAdvance("   " + hint)) << hint.toStdString();
    for (int width : {1024, 760, 600}) {
        host->resize(width, 600);
        QCoreApplication::processEvents();
        int right = -1;
        for (const char *name : {"StatusLine", "pnlMode", "pnlPos", "pnlSize", "pnlApp", "pnlTag", "pnlEncoding"}) {
            auto *p = host->findChild<QLabel *>(name);
            EXPECT_GT(p->width(), 0) << name << " at " << width;
            EXPECT_TRUE(p->isVisible()) << name;
            EXPECT_GE(p->x(), right) << name << " at " << width;
            right = p->x() + p->width();
        }
    }
}

TEST_F(StatusPanelsTest, LargeDocumentsAndLongLinesHaveTheirNote)
{
    EXPECT_EQ(StatusPanels::documentNote(nullptr), QString());
    EXPECT_EQ(StatusPanels::documentNote(host->activeDocument()), QString());
    QByteArray lines;
    while (lines.size() <= TEditor::LargeDocument)
        lines += "<p>a line of a large page</p>\n";
    EXPECT_EQ(StatusPanels::documentNote(host->newDocumentFromText(QString::fromUtf8(lines))),
              StatusPanels::LargeDocumentNote);
    // A long line is shown broken, which is said before its size.
    EXPECT_EQ(StatusPanels::documentNote(host->newDocumentFromText(QString(TEditor::LongLine + 10, u'x'))),
              StatusPanels::LongLinesNote);
}

class WindowCommandsTest : public HostTest {
protected:
    TabStrip tabs;
    QMenu windowMenu;
    std::unique_ptr<WindowCommands> commands;
    void SetUp() override
    {
        HostTest::SetUp();
        commands = std::make_unique<WindowCommands>(host->documentArea(), tabs, &windowMenu);
    }
    void TearDown() override
    {
        HostTest::TearDown();
        commands.reset();
    }
};

TEST_F(WindowCommandsTest, CascadeKeepsDocumentsAtAUsefulSize)
{
    for (int i = 0; i < 2; ++i)
        host->newDocumentFromText("x");
    commands->WindowCascade();
    const QSize area = host->documentArea().viewport()->size();
    QList<QPoint> places;
    for (TfHTML *d : host->documents()) {
        EXPECT_GE(d->width(), area.width() * 2 / 3 - 1);
        EXPECT_GE(d->height(), area.height() * 2 / 3 - 1);
        places << d->pos();
    }
    ASSERT_EQ(places.size(), 3);
    EXPECT_EQ(places[1] - places[0], QPoint(26, 26));
    EXPECT_EQ(host->activeDocument(), host->documents().last());
}

TEST_F(WindowCommandsTest, TheWindowMenuChecksTheActiveDocumentOnly)
{
    host->newDocumentFromText("x");
    host->newDocumentFromText("y");
    emit windowMenu.aboutToShow();
    int checkable = 0, listed = 0;
    for (QAction *a : windowMenu.actions())
        if (a->property("windowListItem").toBool() && !a->isSeparator()) {
            ++listed;
            checkable += a->isCheckable() ? 1 : 0;
            EXPECT_EQ(a->isChecked(), a->text().endsWith(host->activeDocument()->caption()));
        }
    EXPECT_EQ(listed, 3);
    EXPECT_EQ(checkable, 1);
}

TEST_F(WindowCommandsTest, TabsFollowTheDocumentsOfTheManager)
{
    // One tab a window, in the order they came; a save under a new name renames its tab; a
    // closed window's tab goes; choosing a tab brings its window to the front.
    TfHTML *second = host->newDocumentFromText("x");
    EXPECT_EQ(tabs.names(), QStringList({"New HTML Document 2"}));
    QString error;
    ASSERT_TRUE(second->document().save(home.path("saved.html"), &error));
    EXPECT_EQ(tabs.names(), QStringList({home.path("saved.html")}));
    EXPECT_EQ(tabs.tabText(0), "saved.html");
    host->newDocumentFromText("y");
    emit tabs.tabChosen(home.path("saved.html"));
    EXPECT_EQ(host->activeDocument(), second);
    second->close();
    EXPECT_EQ(tabs.names(), QStringList({"New HTML Document 3"}));
}

} // namespace
