#pragma once

#include "Edit.h"
#include "RecentFiles.h"

#include <QMainWindow>
#include <QPointer>
#include <QStringList>

class CommandRegistry;
class FileCommands;
class HelpWindow;
class QLabel;
class QMdiArea;
class QTimer;
class TabStrip;
class TagEngine;
class Navigation;
class TMegaRegistry;

// The frame: menus, toolbars, the documents, their tabs and the status bar. Each command is a
// handler named as in the menus; the logic lives in the controllers it calls.
class TmdiMain : public QMainWindow, public DocumentHost {
    Q_OBJECT
public:
    explicit TmdiMain(const QStringList &arguments = {}, QWidget *parent = nullptr);
    ~TmdiMain() override;

    static constexpr const char *Title = "Tolvenra Pro 32 HTML Editor";
    static constexpr const char *Version = "Version 32.2.2.0";

    // DocumentHost
    void SetStatusText(const QString &message) override;
    // Puts text into the status line as it stands (hints, and "Saving ..." of Save As).
    void setStatusLine(const QString &text);
    void RemovefromTabs(const QString &name) override;
    void SelectTabName(const QString &name) override;
    bool wordWrapChecked() const override;
    TMegaRegistry &settings() override { return *IniControl; }
    void insertLastTagPair() override;
    void openDroppedFiles(const QStringList &paths) override;
    QList<QKeySequence> frameShortcuts() const override;

    CommandRegistry &commands() const { return *commands_; }
    FileCommands &files() const { return *files_; }
    TagEngine &tags() const { return *tags_; }
    Navigation &navigation() const { return *navigation_; }
    // The pickers, made when first asked for.
    class TfSymbol *symbolPicker();
    class TfHTMLTags *tagPicker();
    class TfColorChooser *colorChooser();
    class TfMacros *macroDialog();
    class TfAddMac *macroPicker();
    class TfPlugIn *plugIns();
    class TfColor *editorProperties();
    // The web preview window, made (and its module loaded) on first use; nullptr with *error
    // when it cannot be.
    class PreviewWindow *previewWindow(QString *error);
    class PreviewWindow *existingPreviewWindow() const { return preview_; }
    // The text of the last-tag panel of the status bar.
    void setLastTagPanel(const QString &text);
    QString lastTagPanel() const;
    QMdiArea *mdiArea() const { return mdiArea_; }
    TabStrip *tabs() const { return TabSet1; }
    RecentFiles &recentFiles() { return mru_; }
    QString statusText() const;
    int statusLineWrites() const { return statusLineWrites_; }
    QString userName() const { return userName_; }
    HelpWindow *helpWindow() const { return help_; }

    // The active document window, or nullptr.
    TfHTML *activeDocument() const;
    QList<TfHTML *> documents() const;
    // Creates a document window in the frame (not yet shown).
    TfHTML *createDocument();
    TfHTML *fHTML() const { return lastCreated_; }

    // The program's folder for help files: "tolvenra" help or the HTML primer.
    QString helpFolder() const { return helpFolder_; }

    QString LastOpenTag, LastCloseTag;

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
    void dragEnterEvent(QDragEnterEvent *e) override;
    void dropEvent(QDropEvent *e) override;

private:
    void buildStatusBar();
    void bindCommands();
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
    QMdiArea *mdiArea_;
    TabStrip *TabSet1;
    QWidget *Panel1;
    QLabel *StatusLine, *pnlMode, *pnlPos, *pnlSize, *pnlApp, *pnlTag, *pnlEncoding;
    QTimer *Timer1;
    TMegaRegistry *IniControl;
    TMegaRegistry *NetINI;
    RecentFiles mru_;
    QString userName_;
    QString statusMessage_;
    int statusLineWrites_ = 0;
    QPointer<TfHTML> lastCreated_;
    QPointer<QMenu> mergedSearchMenu_;
    HelpWindow *help_ = nullptr;
    QString helpFolder_;
    class TitleScreen *earlyTitle_ = nullptr;
    class TfSymbol *symbols_ = nullptr;
    class TfHTMLTags *tagChooser_ = nullptr;
    class TfColorChooser *colorChooser_ = nullptr;
    class TfMacros *macroDialog_ = nullptr;
    class TfAddMac *macroPicker_ = nullptr;
    class TfPlugIn *plugIns_ = nullptr;
    class TfColor *editorProperties_ = nullptr;
    class PreviewWindow *preview_ = nullptr;
};
