#pragma once

#include "app/CommandRegistry.h"
#include "app/Document.h"
#include "app/DocumentArea.h"
#include "app/DocumentManager.h"
#include "app/Edit.h"
#include "app/Editor.h"
#include "app/Megares.h"
#include "app/Services.h"
#include "app/ToolWindows.h"
#include "support/ScriptedDialogs.h"
#include "support/TestHome.h"
#include "tags/TagEngine.h"

#include <QMainWindow>
#include <QMdiArea>
#include <gtest/gtest.h>
#include <memory>

// A stand-in for the frame: what feature windows need of it (the document manager and the
// document area, the tag engine, settings, commands, tool windows) and a record of what they
// told it (status line, last-tag panel, help topics), without the frame's menus, toolbars and
// start-up.
class TestHost : public QMainWindow, public DocumentHost, public AppServices {
public:
    TestHost();
    ~TestHost() override;

    QWidget *mainWindow() override { return this; }
    DocumentArea &documentArea() const override { return *area_; }
    TfHTML *newDocumentFromText(const QString &text, const QString &caption = QString()) override;
    TfHTML *openDocument(const QString &path) override;
    TagEngine &tags() override { return *tags_; }
    void SetStatusText(const QString &message) override { status = QStringLiteral("   ") + message; }
    void setStatusLine(const QString &text) override { status = text; }
    QString statusText() const override { return status; }
    void setLastTagPanel(const QString &text) override { lastTagPanel = text; }
    void showHelpTopic(const QString &topic) override { helpTopics << topic; }
    TMegaRegistry &settings() override { return *settings_; }
    CommandRegistry &commands() override { return *commands_; }
    ToolWindows &toolWindows() override { return *windows_; }

    // DocumentHost
    void RemovefromTabs(const QString &) override {}
    void SelectTabName(const QString &) override {}
    bool wordWrapChecked() const override { return true; }
    void insertLastTagPair() override { tags_->RepeatLastTag1Click(); }
    void openDroppedFiles(const QStringList &) override {}
    QList<QKeySequence> frameShortcuts() const override { return {}; }

    QString status;
    QString lastTagPanel;
    QStringList helpTopics;

private:
    DocumentManager *manager_;
    DocumentArea *area_;
    TMegaRegistry *settings_;
    CommandRegistry *commands_;
    TagEngine *tags_;
    ToolWindows *windows_;
};

// A test of a feature against the stand-in host, in a fresh home folder, with every dialog
// answered by script. It starts with one empty document, active.
class HostTest : public ::testing::Test {
protected:
    TestHome home;
    ScriptedDialogs dialogs;
    std::unique_ptr<TestHost> host;

    void SetUp() override
    {
        home.prepare();
        host = std::make_unique<TestHost>();
        host->show();
        host->newDocumentFromText(QString());
    }
    void TearDown() override
    {
        for (TfHTML *d : host->documents())
            d->setModified(false);
        host.reset();
    }

    TEditor *ed() const { return host->activeDocument()->editor(); }
    QString text() const { return QString::fromUtf8(ed()->utf8Text()); }
};
