#include <QKeyEvent>
// The wizards reached from their menu items and buttons in the frame.

#include "app/SettingsTable.h"
#include "app/ToolWindows.h"
#include "support/FrameFixture.h"
#include "support/TestHost.h"
#include "tags/Color.h"
#include "wizards/BodyWizard.h"
#include "wizards/FormsWizard.h"
#include "wizards/HomePageWizard.h"
#include "wizards/HtmlGrid.h"
#include "wizards/HtmlTable.h"
#include "wizards/ImageWizard.h"
#include "wizards/JavaWizard.h"
#include "wizards/TableWizard.h"
#include "wizards/UrlWizard.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabBar>
#include <QTest>
namespace {

TEST_F(FrameTest, TheFormsWizardOpensFromItsMenuItemAndButtons)
{
    startWithEmptyDocument();
    const QList<QAction *> actions = frame->commands().actions("FormsWizard1Click");
    EXPECT_GE(actions.size(), 3); // the Wizards menu and the two toolbars
    for (QAction *a : actions)
        EXPECT_TRUE(a->isEnabled());
    actions.last()->trigger();
    auto *wiz = frame->toolWindows().get<TfFormWiz>();
    ASSERT_NE(wiz, nullptr);
    EXPECT_TRUE(wiz->isVisible());
    wiz->tabs()->setCurrentIndex(TfFormWiz::ResetPage);
    wiz->btnToDocClick();
    EXPECT_TRUE(text().contains("<INPUT TYPE=\"RESET\" VALUE=\"RESET\">"));
}

TEST_F(FrameTest, EveryWizardOpensFromItsMenuItemsAndButtons)
{
    startWithEmptyDocument();
    const struct {
        const char *handler;
        const char *window;
        int actions;
    } wizards[] = {
        {"BodyWizard1Click", "TfWizBody", 3},   {"JavaWizard1Click", "TfrmJavaWiz", 3},
        {"URLWizardShow", "TfrmURLWizard", 3},   {"InternetExplorerExtensions1Click", "TfrmIE", 1},
        {"Pick2Click", "TfImageBrowser", 3},
    };
    for (const auto &w : wizards) {
        const QList<QAction *> actions = frame->commands().actions(w.handler);
        EXPECT_GE(actions.size(), w.actions) << w.handler;
        for (QAction *a : actions)
            EXPECT_TRUE(a->isEnabled()) << w.handler;
        actions.last()->trigger();
        QWidget *window = frame->toolWindows().existing(w.window);
        ASSERT_NE(window, nullptr) << w.handler;
        EXPECT_TRUE(window->isVisible()) << w.handler;
        window->hide();
    }
    // The home page wizard is modal and writes a new document.
    dialogs.onExec = [](QDialog *d) {
        if (auto *hp = qobject_cast<TfHPWiz *>(d))
            hp->OKBtnClick();
    };
    EXPECT_GE(frame->commands().actions("NewHomePage1Click").size(), 3);
    trigger("NewHomePage1Click");
    EXPECT_EQ(doc()->caption(), "New HTML Document 2");
    EXPECT_TRUE(text().contains("<TITLE>My Home Page</TITLE>"));
}

TEST_F(FrameTest, TheTableWizardOpensFromItsMenuItemAndButtons)
{
    startWithEmptyDocument();
    const QList<QAction *> actions = frame->commands().actions("TableWizard1Click");
    EXPECT_GE(actions.size(), 3); // the Wizards menu, the main toolbar and the table toolbar
    for (QAction *a : actions)
        EXPECT_TRUE(a->isEnabled());
    actions.last()->trigger();
    auto *wiz = frame->toolWindows().get<TfTableWiz>();
    ASSERT_NE(wiz, nullptr);
    EXPECT_TRUE(wiz->isVisible());
    wiz->SaveHTMLClick();
    EXPECT_TRUE(text().contains("<table border=1>"));
}

// Whether a key pressed in w goes to w rather than to a shortcut of the frame: Qt asks the
// focused widget first, with a shortcut override event.
bool keyGoesTo(QWidget *w, Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QKeyEvent ask(QEvent::ShortcutOverride, key, modifiers);
    ask.ignore();
    QApplication::sendEvent(w, &ask);
    return ask.isAccepted();
}

// Keys pressed in a wizard reach the wizard first: the frame's Edit keys do not act on the
// document behind it.
TEST_F(FrameTest, CtrlDeleteInTheTableGridAsksAboutTheRowAndLeavesTheDocument)
{
    startWithEmptyDocument();
    ed()->loadUtf8("BEFORE\nAFTER\n");
    ed()->selectRange(1, 1, 1, 7);
    trigger("TableWizard1Click");
    auto *wiz = frame->toolWindows().get<TfTableWiz>();
    tHTMLStringGrid *grid = wiz->grid();
    grid->setRowCountValue(3);
    wiz->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(wiz));
    grid->setFocus();
    grid->setCurrentIndex(grid->tableModel()->index(1, 0));
    EXPECT_TRUE(keyGoesTo(grid, Qt::Key_Delete, Qt::ControlModifier));
    EXPECT_FALSE(keyGoesTo(ed(), Qt::Key_Delete, Qt::ControlModifier)); // in the frame: its command
    dialogs.answers = {Dialogs::Answer::Ok};
    QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(dialogs.questions, QStringList({"Are you sure you want to delete this row?"}));
    EXPECT_EQ(grid->table().rowCount(), 2);
    EXPECT_EQ(wiz->rowsBox()->value(), 2); // the field follows the grid
    EXPECT_EQ(text(), "BEFORE\nAFTER\n");
    wiz->grid()->setFileNameOnly(QString());
}

TEST_F(FrameTest, CtrlCInTheBodyLineOfTheBodyWizardCopiesThatLine)
{
    startWithEmptyDocument();
    ed()->loadUtf8("document text");
    ed()->selectAll();
    trigger("BodyWizard1Click");
    auto *wiz = frame->toolWindows().get<TfWizBody>();
    QPlainTextEdit *memo = wiz->findChild<QPlainTextEdit *>("Memo1");
    ASSERT_NE(memo, nullptr);
    wiz->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(wiz));
    memo->setFocus();
    memo->selectAll();
    EXPECT_TRUE(keyGoesTo(memo, Qt::Key_C, Qt::ControlModifier));
    QTest::keyClick(memo, Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(QApplication::clipboard()->text().startsWith("<BODY")) << QApplication::clipboard()->text().toStdString();
}

} // namespace
