// The notepad in the frame: notes typed just before the program ends.

#include "library/NotePad.h"
#include "library/UrlLibrary.h"
#include "library/UrlWindows.h"
#include "support/FrameFixture.h"
#include "support/TestHost.h"
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace {

TEST_F(FrameTest, NotesTypedJustBeforeLeavingAreKept)
{
    startEmpty();
    ASSERT_TRUE(trigger("DisplayNotePad1Click"));
    auto *pad = frame->toolWindows().get<TfNotePad>();
    ASSERT_NE(pad, nullptr);
    pad->notes()->setPlainText("call the printer\nbuy paper");
    trigger("FileExit");
    EXPECT_EQ(home.read("notes.txt"), "call the printer\r\nbuy paper\r\n");

    for (const char *handler : {"Pick1Click", "GrabURLs1Click", "ImportURLsfromNetscape1Click"})
        for (QAction *a : frame->commands().actions(handler))
            EXPECT_TRUE(a->isEnabled()) << handler;
}

} // namespace
