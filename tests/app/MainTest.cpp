#include "app/Application.h"
#include "app/CommandTable.h"
#include "app/Files.h"
#include "app/Megares.h"
#include "app/Errors.h"
#include "app/TabStrip.h"
#include "platform/HelpWindow.h"
#include "support/FrameFixture.h"
#include "tools/Totd.h"

#include <QCheckBox>
#include <QEvent>
#include <QHash>
#include <QLineEdit>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QTextBrowser>
#include <QTest>
#include <QToolBar>

namespace {

const QStringList bars = {"SpeedBar", "TagsBar", "FormattingBar", "FormToolBar", "ListToolBar", "TableToolBar"};

TEST_F(FrameTest, FirstRunShowsTitleTemplateDocumentAndTips)
{
    start();
    EXPECT_EQ(dialogs.executed, QStringList({"TitleScreen", "TfTipOfTheDay"}));
    EXPECT_TRUE(frame->windowState() & Qt::WindowMaximized);
    for (const QString &b : bars)
        EXPECT_FALSE(frame->commands().toolBar(b)->isHidden()) << b.toStdString();
    EXPECT_FALSE(tabs()->isHidden());
    ASSERT_EQ(captions(), QStringList({"New HTML Document 1"}));
    EXPECT_EQ(ed()->utf8Text(), home.read("standard.tpl"));
    EXPECT_FALSE(doc()->modified());
    EXPECT_EQ(tabs()->names(), QStringList({"New HTML Document 1"}));
    EXPECT_EQ(frame->statusText(), "   Ready ...");
}

TEST_F(FrameTest, MissingTemplateIsReportedAndTheDocumentStartsEmpty)
{
    QFile::remove(home.path("standard.tpl"));
    start();
    EXPECT_EQ(dialogs.messages,
              QStringList({"Tolvenra was unable to find the default template (standard.tpl)  in the Tolvenra "
                           "Directory.  You will need to create a new version."}));
    EXPECT_EQ(text(), "");
}

TEST_F(FrameTest, OnlyStateZeroRestoresTheSavedBounds)
{
    home.write("TOLVENRA.INI", "[Application Options]\r\nMDI State=1\r\nMDI Left=10\r\nMDI Top=20\r\n"
                               "MDI Width=500\r\nMDI Height=400\r\n");
    start();
    EXPECT_TRUE(frame->windowState() & Qt::WindowMaximized);
    frame.reset();
    home.write("TOLVENRA.INI", "[Application Options]\r\nMDI State=0\r\nMDI Left=10\r\nMDI Top=20\r\n"
                               "MDI Width=0x1F4\r\nMDI Height=400\r\n");
    start();
    EXPECT_FALSE(frame->windowState() & Qt::WindowMaximized);
    EXPECT_EQ(frame->geometry(), QRect(10, 20, 500, 400));
}

TEST_F(FrameTest, CommandLineFilesOpenInOrder)
{
    const QString a = home.write("pages/a.html", "<p>a</p>");
    const QString b = home.write("pages/b.html", "<p>b</p>");
    start({b, a, home.path("pages/missing.html")});
    EXPECT_EQ(captions(), QStringList({"New HTML Document 1", b, a}));
    EXPECT_EQ(dialogs.messages, QStringList({"Unable to find " + home.path("pages/missing.html") + "."}));
    EXPECT_EQ(frame->statusText(), "   Ready ...");
}

TEST_F(FrameTest, RelativeCommandLineNamesAreTakenFromTheStartingFolder)
{
    home.write("pages/rel.html", "x");
    QDir::setCurrent(home.path("pages"));
    home.write("TOLVENRA.INI", "[Application Options]\r\nStartup Directory=" + home.path().toUtf8() + "\r\n");
    start({"rel.html"});
    EXPECT_EQ(captions().last(), home.path("pages/rel.html"));
    EXPECT_EQ(QDir::currentPath(), home.path()); // the start-up folder became current afterwards
}

TEST_F(FrameTest, StartupDirectoryDropsOneTrailingSeparator)
{
    QDir().mkpath(home.path("work"));
    home.write("TOLVENRA.INI", "[Application Options]\r\nStartup Directory=" + home.path("work").toUtf8() + "\\\r\n");
    start();
    EXPECT_EQ(QDir::currentPath(), home.path("work"));
}

TEST_F(FrameTest, HidingTheMainToolbarHidesTheToggleButtonsToo)
{
    start();
    QToolBar *speed = frame->commands().toolBar("SpeedBar");
    auto *menuItem = frame->findChild<QAction *>("FileToolbar1");
    auto *button = frame->findChild<QAction *>("btnEditTog");
    ASSERT_TRUE(trigger("FileToolbar1Click"));
    EXPECT_TRUE(speed->isHidden());
    EXPECT_FALSE(menuItem->isChecked());
    EXPECT_FALSE(button->isChecked());
    // The View menu still works for the other bars.
    ASSERT_TRUE(trigger("TagsToolbar1Click"));
    EXPECT_TRUE(frame->commands().toolBar("TagsBar")->isHidden());
    trigger("FileToolbar1Click");
    EXPECT_FALSE(speed->isHidden());
    EXPECT_TRUE(menuItem->isChecked());
}

TEST_F(FrameTest, ChoosingACheckedMenuItemFlipsItOnce)
{
    start();
    auto *menuItem = frame->findChild<QAction *>("ListToolBar1");
    menuItem->trigger(); // as a user's click: Qt flips the check before the handler runs
    EXPECT_FALSE(menuItem->isChecked());
    EXPECT_TRUE(frame->commands().toolBar("ListToolBar")->isHidden());
    frame->findChild<QAction *>("btnListTog")->trigger();
    EXPECT_TRUE(menuItem->isChecked());
    EXPECT_FALSE(frame->commands().toolBar("ListToolBar")->isHidden());
}

TEST_F(FrameTest, DocumentTabsToggle)
{
    start();
    trigger("DocumentTabs1Click");
    EXPECT_TRUE(tabs()->isHidden());
    trigger("DocumentTabs1Click");
    EXPECT_FALSE(tabs()->isHidden());
}

TEST_F(FrameTest, ViewTogglesDoNothingWithoutADocument)
{
    startEmpty();
    const QByteArray before = home.read("TOLVENRA.INI");
    auto *wrap = frame->findChild<QAction *>("WordWrap1");
    wrap->trigger();
    frame->findChild<QAction *>("SmartTabs1")->trigger();
    EXPECT_TRUE(wrap->isChecked());
    EXPECT_FALSE(frame->findChild<QAction *>("SmartTabs1")->isChecked());
    EXPECT_EQ(home.read("TOLVENRA.INI"), before);
}

TEST_F(FrameTest, WordWrapAndAutoIndentActOnTheDocumentAndAreWrittenAtOnce)
{
    start();
    trigger("WordWrap1Click");
    EXPECT_FALSE(ed()->wordWrap());
    EXPECT_FALSE(frame->findChild<QAction *>("WordWrap1")->isChecked());
    trigger("SmartTabs1Click");
    EXPECT_TRUE(ed()->autoIndent());
    const QByteArray ini = home.read("TOLVENRA.INI");
    EXPECT_TRUE(ini.contains("[Editor]\r\nWord Wrap=0\r\nSmart Tabs=1\r\n")) << ini.constData();
}

TEST_F(FrameTest, ThePositionPanelFollowsTheCaretWithinATenthOfASecond)
{
    start();
    frame->ShowStatus();
    ed()->setCaret(3, 2);
    QTest::qWait(200); // well inside the two seconds of the regular refresh
    EXPECT_EQ(frame->findChild<QLabel *>("pnlPos")->text(), "3:2");
}

TEST_F(FrameTest, ClosingWithTheCloseBoxWritesNoSettings)
{
    start();
    const QByteArray before = home.read("TOLVENRA.INI");
    trigger("TagsToolbar1Click");
    frame->close();
    EXPECT_EQ(home.read("TOLVENRA.INI"), before);
}

TEST_F(FrameTest, ExitWritesTheFrameState)
{
    const QString page = home.write("page.html", "x");
    start({page});
    trigger("TagsToolbar1Click");
    trigger("FileExit");
    const QByteArray ini = home.read("TOLVENRA.INI");
    EXPECT_TRUE(ini.contains("Programe Name=Tolvenra Pro 32 HTML Editor\r\nVersion=Version 32.2.2.0\r\n"));
    EXPECT_TRUE(ini.contains("MDI State=2\r\n"));
    EXPECT_FALSE(ini.contains("MDI Width"));
    EXPECT_TRUE(ini.contains("Edit ToolBar=1\r\nTags ToolBar=0\r\nFormat ToolBar=1\r\n"));
    EXPECT_TRUE(ini.contains("[MRU]\r\n0=" + page.toUtf8() + "\r\n1=\r\n2=\r\n3=\r\n"));
}

TEST_F(FrameTest, UntickingTheTipsBoxTurnsTipsOff)
{
    dialogs.onExec = [](QDialog *d) {
        if (auto *tips = qobject_cast<TfTipOfTheDay *>(d))
            tips->showAtStartup()->setChecked(false);
    };
    start();
    EXPECT_TRUE(home.read("TOLVENRA.INI").contains("[Start Options]\r\nTips=0\r\n"));
    frame.reset();
    dialogs.executed.clear();
    start();
    EXPECT_EQ(dialogs.executed, QStringList({"TitleScreen"}));
}

TEST_F(FrameTest, ErrorsNoCommandCatchesEndInTheStatusLine)
{
    start();
    auto *app = qobject_cast<TolvenraApplication *>(QCoreApplication::instance());
    ASSERT_NE(app, nullptr);
    app->setErrorHandler([this](const QString &m) { frame->AppException(m); });
    // A settings file that cannot be written: a folder stands in its place.
    QFile::remove(home.path("TOLVENRA.INI"));
    QDir().mkpath(home.path("TOLVENRA.INI"));
    struct Thrower : QObject {
        TmdiMain *f;
        bool event(QEvent *) override
        {
            f->settings().WriteBool("Start Options", "Tips", false);
            return true;
        }
    } thrower;
    thrower.f = frame.get();
    QEvent e(QEvent::User);
    QCoreApplication::sendEvent(&thrower, &e);
    app->setErrorHandler(nullptr);
    EXPECT_EQ(frame->statusText(), "   An Internal Error was detected and corrected.");
    EXPECT_EQ(dialogs.errors, QStringList({"Unable to write to " + home.path("TOLVENRA.INI") +
                                           "\n\nA folder stands in the file's place."}));
}

TEST_F(FrameTest, ImageToolIsOfferedOnlyWhenInstalled)
{
    start();
    EXPECT_FALSE(frame->findChild<QAction *>("ImageTools1")->isEnabled());
    frame.reset();
    home.write("TolvImg", "#!/bin/sh\n");
    QFile::setPermissions(home.path("TolvImg"), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    start();
    EXPECT_TRUE(frame->findChild<QAction *>("ImageTools1")->isEnabled());
}

QStringList barMenus(QMenuBar *bar)
{
    QStringList out;
    for (QAction *a : bar->actions())
        out << a->text();
    return out;
}

TEST_F(FrameTest, TheSearchMenuStandsBetweenEditAndInsertWhileADocumentIsActive)
{
    start();
    EXPECT_EQ(barMenus(frame->menuBar()), QStringList({"&File", "&Edit", "&Search", "&Insert", "&Wizards", "&Tools",
                                                       "&View", "&Options", "Wi&ndow", "&Help"}));
    files().CloseAll1Click();
    EXPECT_FALSE(barMenus(frame->menuBar()).contains("&Search"));
}

TEST_F(FrameTest, EveryMenuItemAndButtonHasAHint)
{
    start();
    for (int i = 0; i < CommandTable::menuCount; ++i) {
        const auto &e = CommandTable::menus[i];
        if (!(e.flags & CommandTable::Separator) && !(e.flags & CommandTable::Hidden)) {
            EXPECT_STRNE(e.hint, "") << e.name;
        }
    }
    for (int i = 0; i < CommandTable::buttonCount; ++i) {
        const auto &b = CommandTable::buttons[i];
        if (!(b.flags & CommandTable::Separator)) {
            EXPECT_STRNE(b.hint, "") << b.name;
        }
    }
}

TEST_F(FrameTest, NoTwoMenuItemsShareAShortcutAndKeysReachTheirCommands)
{
    startWithEmptyDocument();
    QHash<QString, QString> owner;
    for (int i = 0; i < CommandTable::menuCount; ++i) {
        const auto &e = CommandTable::menus[i];
        if (!*e.shortcut)
            continue;
        const QString key = QKeySequence(QString::fromLatin1(e.shortcut)).toString();
        EXPECT_FALSE(owner.contains(key)) << key.toStdString() << ": " << e.name << " and " << owner.value(key).toStdString();
        owner.insert(key, QString::fromLatin1(e.name));
    }
    // A real key press in the editor runs the frame's command.
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    ed()->setFocus();
    QTest::keyClick(ed(), Qt::Key_B, Qt::ControlModifier);
    EXPECT_EQ(text(), "<B></B>");
    ed()->loadUtf8("");
    QTest::keyClick(ed(), Qt::Key_F4);
    EXPECT_EQ(text(), "<B></B>");
}

TEST_F(FrameTest, CommandsWithoutAHandlerYetAreDisabled)
{
    start();
    for (int i = 0; i < CommandTable::menuCount; ++i) {
        const auto &e = CommandTable::menus[i];
        if (!*e.handler || (e.flags & (CommandTable::Submenu | CommandTable::Separator)))
            continue;
        QAction *a = frame->findChild<QAction *>(QString::fromLatin1(e.name));
        ASSERT_NE(a, nullptr) << e.name;
        if (!frame->commands().isBound(QString::fromLatin1(e.handler))) {
            EXPECT_FALSE(a->isEnabled()) << e.name;
            EXPECT_FALSE(frame->commands().trigger(QString::fromLatin1(e.handler))) << e.name;
        }
    }
    EXPECT_TRUE(frame->commands().action("FileNew")->isEnabled());
    // Hidden items stay hidden.
    EXPECT_FALSE(frame->findChild<QAction *>("PrintPreview2")->isVisible());
}

TEST_F(FrameTest, HelpCommandsOpenTheirPages)
{
    start();
    trigger("HelpContents");
    HelpWindow *help = part<HelpCommands>().window();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->currentPage(), "index.html");
    EXPECT_TRUE(help->browser()->toPlainText().contains("Contents"));
    trigger("HelpHowToUse");
    EXPECT_EQ(help->currentPage(), "helponhelp.html");
    trigger("HelpSearch");
    EXPECT_GT(help->keywordList()->count(), 10);
    help->keywordEdit()->setText("replace");
    int shown = 0;
    for (int i = 0; i < help->keywordList()->count(); ++i)
        shown += help->keywordList()->item(i)->isHidden() ? 0 : 1;
    EXPECT_EQ(shown, 1);
    trigger("HTMLPrimer1Click");
    EXPECT_TRUE(help->browser()->toPlainText().contains("HTML Primer"));
    EXPECT_EQ(part<HelpCommands>().folder(), home.path("help")); // the program's help comes back
}

} // namespace

namespace {

// The access key of a menu text ("&File" gives F), or a null character.
QChar accessKey(const QString &text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != u'&')
            continue;
        if (text[i + 1] == u'&') {
            ++i;
            continue;
        }
        return text[i + 1].toUpper();
    }
    return {};
}

TEST_F(FrameTest, EveryMenuOfTheMenuBarHasItsOwnAccessKey)
{
    // The captions inside the menus are the program's given texts, access keys included; the
    // menu bar's keys are ours to choose, and Alt and a letter must open one menu only.
    startWithEmptyDocument();
    QHash<QChar, QString> seen;
    for (QAction *a : frame->menuBar()->actions()) {
        if (!a->isVisible())
            continue;
        const QChar key = accessKey(a->text());
        ASSERT_FALSE(key.isNull()) << a->text().toStdString();
        EXPECT_FALSE(seen.contains(key)) << seen.value(key).toStdString() << " / " << a->text().toStdString();
        seen.insert(key, a->text());
    }
    EXPECT_TRUE(seen.contains(u'S')); // the active document's Search menu is there too
}

} // namespace

namespace {

TEST_F(FrameTest, ThePlaceOfANormalFrameRoundTripsExactly)
{
    startEmpty();
    frame->setWindowState(Qt::WindowNoState);
    frame->setGeometry(50, 60, 700, 500);
    QCoreApplication::processEvents();
    trigger("FileExit");
    const QByteArray ini = home.read("TOLVENRA.INI");
    EXPECT_TRUE(ini.contains("MDI Width=700\r\nMDI Height=500\r\nMDI Top=60\r\nMDI Left=50\r\n")) << ini.constData();
    frame.reset();
    start();
    EXPECT_EQ(frame->geometry(), QRect(50, 60, 700, 500));
}

} // namespace
