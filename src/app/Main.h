#pragma once

#include "platform/AppInfo.h"
#include "Edit.h"
#include "RecentFiles.h"
#include "Services.h"

#include <QMainWindow>
#include <QPointer>
#include <QStringList>

class TbpslMenuExt;
class CommandRegistry;
class FileCommands;
class HelpWindow;
class QLabel;
class QMdiArea;
class QTimer;
class TabStrip;
class TagEngine;
class Navigation;
class RecoverySession;
class LivePreview;
class TMegaRegistry;
class ToolWindows;

// The frame: menus, toolbars, the documents, their tabs and the status bar. Each command is a
// handler named as in the menus; the logic lives in the controllers it calls. Feature windows
// reach it through the services it provides and join it through its tool-window registry.
class TmdiMain : public QMainWindow, public DocumentHost, public AppServices {
    Q_OBJECT
public:
    // Said in the status line while a large document is active.
    static inline const QString LargeDocumentNote =
        QStringLiteral("Large document: word wrap is off to keep it fast (View > WordWrap turns it on)");
    // Said in the status line while a document whose long lines are shown broken is active.
    static inline const QString LongLinesNote =
        QStringLiteral("Lines over 64 KB are shown broken between tags; the file keeps its lines as they are");
    // The status note of a document, or an empty text.
    static QString documentNote(const TfHTML *doc);
    explicit TmdiMain(const QStringList &arguments = {}, QWidget *parent = nullptr);
    ~TmdiMain() override;

    static constexpr const char *Title = AppInfo::Title;
    static constexpr const char *Version = AppInfo::Version;

    // AppServices and DocumentHost
    QWidget *mainWindow() override { return this; }
    TfHTML *activeDocument() const override;
    QList<TfHTML *> documents() const override;
    TfHTML *newDocumentFromText(const QString &text, const QString &caption = QString()) override;
    TfHTML *openDocument(const QString &path) override;
    TagEngine &tags() override { return *tags_; }
    void SetStatusText(const QString &message) override;
    QString statusText() const override;
    void setLastTagPanel(const QString &text) override;
    void showHelpTopic(const QString &topic) override;
    TMegaRegistry &settings() override { return *IniControl; }
    TbpslMenuExt &menuExt() { return *bpslMenuExt1; }
    CommandRegistry &commands() override { return *commands_; }
    ToolWindows &toolWindows() override { return *windows_; }

    // Puts text into the status line as it stands (hints, and "Saving ..." of Save As).
    void setStatusLine(const QString &text);
    void RemovefromTabs(const QString &name) override;
    void SelectTabName(const QString &name) override;
    bool wordWrapChecked() const override;
    void insertLastTagPair() override;
    void openDroppedFiles(const QStringList &paths) override;
    QList<QKeySequence> frameShortcuts() const override;

    FileCommands &files() const { return *files_; }
    Navigation &navigation() const { return *navigation_; }
    // The text of the last-tag panel of the status bar.
    QString lastTagPanel() const;
    QMdiArea *mdiArea() const { return mdiArea_; }
    TabStrip *tabs() const { return TabSet1; }
    RecentFiles &recentFiles() { return mru_; }
    int statusLineWrites() const { return statusLineWrites_; }
    QString userName() const;
    HelpWindow *helpWindow() const { return help_; }

    // The copies of unsaved work kept against a crash.
    RecoverySession &recovery() const { return *recovery_; }
    // The preview's following of the typing.
    LivePreview &livePreview() const { return *live_; }

    // Creates a document window in the frame (not yet shown).
    TfHTML *createDocument();
    TfHTML *fHTML() const { return lastCreated_; }

    // The program's folder for help files: "tolvenra" help or the HTML primer.
    QString helpFolder() const { return helpFolder_; }

    // A title screen already on show, to be answered by the start-up sequence.
    void adoptTitleScreen(class TitleScreen *title) { earlyTitle_ = title; }

public slots:
    void FormCreate();
    void GetCommandLine();
    void AdjustControls();
    void AppException(const QString &message);
    void ShowStatus();
    void Timer1Timer() { ShowStatus(); }
    void LoadIniSettings();
    void doIniSettings();
    void DisplayTips();
    void FileExit();
    void FileToolbar1Click();
    void TagsToolbar1Click();
    void FormattingToolbar1Click();
    void TableToolbar1Click();
    void FormsToolbar1Click();
    void ListToolBarClick();
    void DocumentTabs1Click();
    void WordWrap1Click();
    void SmartTabs1Click();
    void HelpContents();
    void HelpSearch();
    void HelpHowToUse();
    void HTMLPrimer1Click();
    void ImageTools1Click();
    void MRUDisplay();
    void DisplayTabName(const QString &name);
    void WindowTile();
    void WindowCascade();
    void WindowArrange();

signals:
    // The start-up sequence has run: the documents of the command line are open.
    void started();

protected:
    void closeEvent(QCloseEvent *e) override;
    void showEvent(QShowEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    bool event(QEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;
    void dragEnterEvent(QDragEnterEvent *e) override;
    void dropEvent(QDropEvent *e) override;

private:
    void buildStatusBar();
    void bindCommands();
    void registerToolWindows();
    void toggleBar(const QString &barName, const QString &menuItem, const QString &button);
    void setBarShown(const QString &barName, const QString &menuItem, const QString &button, bool on);
    void activateSearchMenu(TfHTML *doc);
    void fillWindowMenu();
    void onDocumentActivated(TfHTML *doc);
    HelpWindow *help();
    void editCommand(void (TfHTML::*fn)());

    QStringList arguments_;
    bool started_ = false;
    CommandRegistry *commands_;
    FileCommands *files_;
    TagEngine *tags_;
    Navigation *navigation_;
    ToolWindows *windows_;
    QMdiArea *mdiArea_;
    RecoverySession *recovery_;
    LivePreview *live_;
    TabStrip *TabSet1;
    QWidget *Panel1;
    QLabel *StatusLine, *pnlMode, *pnlPos, *pnlSize, *pnlApp, *pnlTag, *pnlEncoding;
    QTimer *statusSoon_ = nullptr; // the position panel soon after a caret move
    QTimer *Timer1;
    TMegaRegistry *IniControl;
    TbpslMenuExt *bpslMenuExt1 = nullptr;
    TMegaRegistry *NetINI;
    RecentFiles mru_;
    QString statusMessage_;
    int statusLineWrites_ = 0;
    QPointer<TfHTML> lastCreated_;
    QPointer<QMenu> mergedSearchMenu_;
    HelpWindow *help_ = nullptr;
    QString helpFolder_;
    class TitleScreen *earlyTitle_ = nullptr;
};
