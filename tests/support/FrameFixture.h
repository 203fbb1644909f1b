#pragma once

#include "app/CommandRegistry.h"
#include "app/DocumentArea.h"
#include "app/Edit.h"
#include "app/Editor.h"
#include "app/Files.h"
#include "app/FrameState.h"
#include "app/HelpCommands.h"
#include "app/Main.h"
#include "app/MenuExt.h"
#include "app/Recovery.h"
#include "app/StatusPanels.h"
#include "app/TabStrip.h"
#include "tools/LivePreview.h"
#include "support/ScriptedDialogs.h"
#include "support/TestHome.h"

#include <QDir>
#include <gtest/gtest.h>
#include <memory>

// A frame started in a fresh home folder, with every dialog answered by script.
class FrameTest : public ::testing::Test {
protected:
    TestHome home;
    ScriptedDialogs dialogs;
    std::unique_ptr<TmdiMain> frame;

    void SetUp() override { home.prepare(); }

    void TearDown() override
    {
        if (frame)
            for (TfHTML *d : frame->documents())
                d->setModified(false);
        frame.reset();
        QDir::setCurrent(QDir::tempPath());
    }

    // Starts the frame as the program does; the title screen and the tips are answered.
    TmdiMain &start(const QStringList &arguments = {})
    {
        frame = std::make_unique<TmdiMain>(arguments);
        frame->show();
        frame->GetCommandLine();
        return *frame;
    }

    // Starts with no first document.
    TmdiMain &startEmpty(const QStringList &arguments = {})
    {
        home.write("TOLVENRA.INI", "[System]\r\nOpen Template=0\r\n[Start Options]\r\nTips=0\r\n");
        return start(arguments);
    }

    // Starts with one new, empty document, active.
    void startWithEmptyDocument()
    {
        startEmpty();
        trigger("FileNew");
        ed()->loadUtf8("");
    }

    // One of the frame's parts, found among its children.
    template <class T>
    T &part() const
    {
        return *frame->template findChild<T *>();
    }
    FileCommands &files() const { return part<FileCommands>(); }
    TabStrip *tabs() const { return frame->findChild<TabStrip *>(QStringLiteral("TabSet1")); }
    RecentFiles &recentFiles() const { return part<FrameState>().recentFiles(); }
    RecoverySession &recovery() const { return part<RecoverySession>(); }
    LivePreview &livePreview() const { return part<LivePreview>(); }
    TbpslMenuExt &menuExt() const { return part<TbpslMenuExt>(); }
    DocumentArea *mdiArea() const { return &frame->documentArea(); }

    bool trigger(const char *handler) { return frame->commands().trigger(QString::fromLatin1(handler)); }
    TfHTML *doc() const { return frame->activeDocument(); }
    TEditor *ed() const { return frame->activeDocument()->editor(); }
    QString text() const { return QString::fromUtf8(ed()->utf8Text()); }
    QStringList captions() const
    {
        QStringList out;
        for (TfHTML *d : frame->documents())
            out << d->caption();
        return out;
    }
};
