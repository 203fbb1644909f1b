#include "app/MenuExt.h"
#include "support/FrameFixture.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

namespace {

class MenuExtTest : public FrameTest {
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        startWithEmptyDocument();
    }
    QMenu *menu(const char *name) const { return frame->commands().menu(QString::fromLatin1(name)); }
    // Tears a menu off the way a user does: a right click inside the open menu.
    TbpPopupMenu *tearOff(QMenu *m)
    {
        m->popup(QPoint(100, 100));
        QTest::mousePress(m, Qt::RightButton, {}, QPoint(10, 10));
        return menuExt().windows().isEmpty() ? nullptr : menuExt().windows().last();
    }
    static int rowOf(TbpPopupMenu *w, const QString &text)
    {
        for (int row = 0; row < w->list()->count(); ++row)
            if (QAction *a = w->list()->actionAt(row); a && a->text() == text)
                return row;
        return -1;
    }
};

TEST_F(MenuExtTest, ATornOffEditMenuRunsItsCommands)
{
    TbpPopupMenu *edit = tearOff(menu("Edit1"));
    ASSERT_NE(edit, nullptr);
    EXPECT_FALSE(menu("Edit1")->isVisible()); // the drop-down closed
    EXPECT_EQ(edit->windowTitle(), "     Edit");
    EXPECT_TRUE(edit->isVisible());

    ed()->loadUtf8("<p>copy me</p>");
    ed()->selectRange(1, 4, 1, 11);
    const int copy = rowOf(edit, "&Copy");
    ASSERT_GE(copy, 0);
    edit->list()->setCurrentRow(copy);
    edit->list()->runSelected();
    EXPECT_EQ(QApplication::clipboard()->text(), "copy me");

    // Its access key runs it too: "Cu&t" by "t".
    ed()->selectRange(1, 4, 1, 8);
    QTest::keyClick(edit->list(), Qt::Key_T);
    EXPECT_EQ(text(), "<p> me</p>");

    // The same menu torn off again is the same window, brought forward.
    EXPECT_EQ(tearOff(menu("Edit1")), edit);
    EXPECT_EQ(menuExt().windows().size(), 1);
}

// Drawn as a user sees it: a checked item's mark is dark on the button face, like its text, and
// the room under the last item is the same face, not a white list.
TEST_F(MenuExtTest, ATornOffMenuShowsItsCheckMarksOnTheMenuFace)
{
    TbpPopupMenu *view = tearOff(menu("View1"));
    ASSERT_NE(view, nullptr);
    const int row = rowOf(view, "&Edit Toolbar");
    ASSERT_GE(row, 0);
    ASSERT_TRUE(view->list()->actionAt(row)->isChecked());
    view->list()->setCurrentRow(-1);
    const QImage shot = view->grab().toImage();
    const QColor face = view->list()->palette().color(QPalette::Button);
    const QRect item = view->list()->visualItemRect(view->list()->item(row)).translated(view->list()->mapTo(view, QPoint()));
    int darkest = 255;
    for (int x = item.left(); x < item.left() + 20; ++x)
        for (int y = item.top(); y <= item.bottom(); ++y)
            darkest = qMin(darkest, qGray(shot.pixel(x, y)));
    EXPECT_LT(darkest, 100) << "the mark is hardly to be seen";
    EXPECT_EQ(shot.pixelColor(shot.width() / 2, shot.height() - 5), face);
}

TEST_F(MenuExtTest, KeysWalkTheItemsAndGreyedItemsAreNotRun)
{
    TbpPopupMenu *edit = tearOff(menu("Edit1"));
    ASSERT_NE(edit, nullptr);
    edit->list()->setCurrentRow(0);
    QTest::keyClick(edit->list(), Qt::Key_Down);
    QAction *a = edit->list()->actionAt(edit->list()->currentRow());
    ASSERT_NE(a, nullptr);
    EXPECT_FALSE(a->isSeparator()); // separators are passed over

    // A greyed item is shown but its command does not run.
    const int copy = rowOf(edit, "&Copy");
    QAction *copyAction = edit->list()->actionAt(copy);
    copyAction->setEnabled(false);
    QSignalSpy triggered(copyAction, &QAction::triggered);
    edit->list()->setCurrentRow(copy);
    edit->list()->runSelected();
    EXPECT_EQ(triggered.count(), 0);
    copyAction->setEnabled(true);

    edit->close();
    EXPECT_TRUE(menuExt().windows().isEmpty());
}

TEST_F(MenuExtTest, TheTornOffWindowMenuFollowsTheDocuments)
{
    TbpPopupMenu *window = tearOff(menu("WindowMenu"));
    ASSERT_NE(window, nullptr);
    const int before = window->list()->count();
    trigger("FileNew");
    QTRY_COMPARE(window->list()->count(), before + 1);
    EXPECT_GE(rowOf(window, "&2 New HTML Document 2"), 0);

    // Its entries switch documents as the menu's do.
    window->list()->setCurrentRow(rowOf(window, "&1 New HTML Document 1"));
    window->list()->runSelected();
    EXPECT_EQ(doc()->caption(), "New HTML Document 1");

    // A submenu's row tears the submenu off beside it.
    TbpPopupMenu *insert = menuExt().TearOffMenu(QPoint(50, 50), menu("Insert1"));
    insert->list()->setCurrentRow(rowOf(insert, "&Headings"));
    insert->list()->runSelected();
    EXPECT_EQ(menuExt().windows().last()->windowTitle(), "     Headings");
}

} // namespace
