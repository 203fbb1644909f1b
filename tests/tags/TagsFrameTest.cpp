// The colour dialog from its menu item, and the tag commands' menu items and buttons, in the frame.

#include "app/Ubag.h"
#include "app/ToolWindows.h"
#include "support/FrameFixture.h"
#include "support/TestHost.h"
#include "tags/Color.h"
#include "tags/TagCatalogue.h"
#include <QListWidget>
#include <Qsci/qscilexerhtml.h>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

namespace {

// The dialog from its menu item, in the frame.
class ColorFrameTest : public FrameTest {
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        startEmpty();
        trigger("FileNew");
    }
};

TEST_F(ColorFrameTest, DefaultWritesBothSectionsAndNewWindowsStartWithIt)
{
    trigger("SetEditorColors1Click");
    EXPECT_EQ(dialogs.executed.last(), "TfColor");
    EXPECT_EQ(frame->statusText(), "   Ready ...");
    TfColor *dlg = frame->toolWindows().get<TfColor>();
    dlg->grid()->setBackgroundIndex(7); // silver
    dlg->grid()->setForegroundIndex(1); // maroon
    dlg->cmdDefaultClick();
    const QByteArray opts = home.read("tolvopt.ini");
    EXPECT_TRUE(opts.contains("[Edit Window]\r\nEDIT_COLOR=12632256\r\nEDIT_FONT="));
    EXPECT_TRUE(opts.contains("[Editor Colors]\r\nEDIT_COLOR=12632256\r\nEDIT_FONT="));
    EXPECT_TRUE(opts.contains(";128:"));
    trigger("FileNew");
    EXPECT_EQ(ed()->editorColor(), QColor(192, 192, 192));
    EXPECT_EQ(ed()->fontColor(), QColor(128, 0, 0));
}

TEST_F(FrameTest, EveryCatalogueCommandHasAnEnabledMenuItemOrButton)
{
    startEmpty();
    for (int i = 0; i < TagCatalogue::commandCount; ++i) {
        const char *handler = TagCatalogue::commands[i].handler;
        ASSERT_TRUE(frame->commands().isBound(handler)) << handler;
        const QList<QAction *> actions = frame->commands().actions(handler);
        EXPECT_FALSE(actions.isEmpty()) << handler;
        for (QAction *a : actions)
            EXPECT_TRUE(a->isEnabled()) << handler;
    }
}

} // namespace
