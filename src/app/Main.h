#pragma once

#include "platform/AppInfo.h"
#include "Edit.h"
#include "Services.h"

#include <QMainWindow>
#include <QPointer>
#include <QStringList>

class CommandRegistry;
class DocumentArea;
class DocumentManager;
class FileCommands;
class FrameState;
class HelpCommands;
class LivePreview;
class Navigation;
class RecoverySession;
class StatusPanels;
class TabStrip;
class TagEngine;
class TbpslMenuExt;
class TitleScreen;
class TMegaRegistry;
class ToolWindows;
class WindowCommands;

// The frame: the shell that wires the program's parts together. It holds the menus and
// toolbars (built from the command table), the document area with its tab strip, the status
// bar, and the parts that carry out the commands (file commands, the frame's state, the window
// and help commands, the tag engine, the tool windows); each handler named in the menus is
// bound to one of them. Feature windows reach it through the services it provides.
class TmdiMain : public QMainWindow, public DocumentHost, public AppServices {
    Q_OBJECT
public:
    explicit TmdiMain(const QStringList &arguments = {}, QWidget *parent = nullptr);
    ~TmdiMain() override;

    static constexpr const char *Title = AppInfo::Title;
    static constexpr const char *Version = AppInfo::Version;

    // AppServices
    QWidget *mainWindow() override { return this; }
    DocumentArea &documentArea() const override { return *area_; }
    TfHTML *newDocumentFromText(const QString &text, const QString &caption = QString()) override;
    TfHTML *openDocument(const QString &path) override;
    TagEngine &tags() override { return *tags_; }
    void SetStatusText(const QString &message) override;
    void setStatusLine(const QString &text) override;
    QString statusText() const override;
    void setLastTagPanel(const QString &text) override;
    void showHelpTopic(const QString &topic) override;
    TMegaRegistry &settings() override { return *IniControl; }
    CommandRegistry &commands() override { return *commands_; }
    ToolWindows &toolWindows() override { return *windows_; }

    // DocumentHost
    void RemovefromTabs(const QString &name) override;
    void SelectTabName(const QString &name) override;
    bool wordWrapChecked() const override;
    void insertLastTagPair() override;
    void openDroppedFiles(const QStringList &paths) override;
    QList<QKeySequence> frameShortcuts() const override;

    // A title screen already on show, to be answered by the start-up sequence.
    void adoptTitleScreen(TitleScreen *title) { earlyTitle_ = title; }

public slots:
    void FormCreate();
    void GetCommandLine();
    void AdjustControls();
    void AppException(const QString &message);
    void ShowStatus();
    void LoadIniSettings();
    void doIniSettings();
    void DisplayTips();
    void FileExit();
    void MRUDisplay();
    void ImageTools1Click();

signals:
    // The start-up sequence has run: the documents of the command line are open.
    void started();

protected:
    void closeEvent(QCloseEvent *e) override;
    void showEvent(QShowEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    bool event(QEvent *e) override;
    void dragEnterEvent(QDragEnterEvent *e) override;
    void dropEvent(QDropEvent *e) override;

private:
    void bindCommands();
    void registerToolWindows();
    void activateSearchMenu(TfHTML *doc);
    void onDocumentActivated(TfHTML *doc);
    void watchWindow(TfHTML *doc);
    void EditUndo();
    void EditRedoClick();
    void EditCut();
    void EditCopy();
    void EditPaste();
    void EditDelete();
    void HelpAbout();

    QStringList arguments_;
    bool started_ = false;
    TMegaRegistry *IniControl;
    CommandRegistry *commands_;
    DocumentManager *manager_;
    DocumentArea *area_;
    TabStrip *TabSet1;
    StatusPanels *panels_;
    FrameState *state_;
    FileCommands *files_;
    WindowCommands *windowCommands_;
    HelpCommands *help_;
    TagEngine *tags_;
    Navigation *navigation_;
    ToolWindows *windows_;
    RecoverySession *recovery_;
    LivePreview *live_;
    TbpslMenuExt *bpslMenuExt1 = nullptr;
    QPointer<QMenu> mergedSearchMenu_;
    TitleScreen *earlyTitle_ = nullptr;
};
