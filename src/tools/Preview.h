#pragma once

#include "PreviewModule.h"
#include "app/FindDialogs.h"

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>

class HtmlViewer;
class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPrinter;
class QPushButton;
class TBag;

// The web preview: a small browser over local files with its own six-page history, used to
// look at the active document as a web page.
// The module's entry point: the frame loads the module on the first preview and asks it for
// the window here.
extern "C" Q_DECL_EXPORT PreviewWindow *tolvenra_create_preview(const QStringList &arguments, QWidget *owner);
// And for an HTML viewer alone (an HtmlViewer), for rendered samples in dialogs.
extern "C" Q_DECL_EXPORT QWidget *tolvenra_create_viewer(QWidget *parent);
// A player bar for one sound file (a MediaBar), for dialogs that let the user listen.
extern "C" Q_DECL_EXPORT QWidget *tolvenra_create_media_bar(QWidget *parent);

class TfPreview : public QMainWindow, public PreviewWindow {
    Q_OBJECT
    Q_INTERFACES(PreviewWindow)
public:
    static constexpr int HistoryEntries = 6;

    // arguments: the program's command line; the first one is shown whenever the window is.
    explicit TfPreview(const QStringList &arguments = {}, QWidget *parent = nullptr);
    ~TfPreview() override;

    // PreviewWindow
    QWidget *previewWidget() override { return this; }
    void previewFile(const QString &file) override;
    void refreshFile(const QString &file) override;
    bool followTyping() const override;
    void setFollowTypingHandler(std::function<void(bool)> handler) override { onFollow_ = std::move(handler); }

    HtmlViewer *viewer() const { return Viewer; }
    QLineEdit *addressBox() const { return Edit1; }
    QLabel *linkPanel() const { return Panel1; }
    QPushButton *backButton() const { return BackButton; }
    QPushButton *forwardButton() const { return FwdButton; }
    QPushButton *reloadButton() const { return Reload; }
    QMenu *historyMenu() const { return HistoryMenuItem; }
    QAction *historyEntry(int i) const { return history_[i]; }
    QAction *printAction() const { return print_; }
    QAction *showImagesAction() const { return showImages_; }
    QAction *followTypingAction() const { return followTyping_; }
    FindDialog *findDialog() const { return FindDialog1; }

    // Default font and colours of the pages; colours are colour codes (system colours kept).
    QString defFontName() const;
    int defFontSize() const;
    int defFontColor() const { return fontColor_; }
    int defHotSpotColor() const { return hotSpotColor_; }
    int defBackground() const { return background_; }

    // What a sound link plays through, and how a program link starts its command line; tests
    // put recorders here.
    static std::function<void(const QString &file)> &soundPlayer();
    static std::function<bool(const QString &commandLine)> &programStarter();

public slots:
    void FormShow();
    void OpenFileClick();
    void ReloadClick();
    void FwdBackClick();
    void HistoryClick();
    void HistoryChange();
    void HotSpotChange(const QString &target);
    // A link was clicked: true when it was handled here (a sound or a program).
    bool HotSpotClick(const QString &target);
    void ShowImagesClick();
    void FollowTyping1Click();
    void FontColorsClick();
    void Print1Click();
    void Find1Click();
    void FindDialogFind();
    void About1Click();
    void ExitClick();

signals:
    // The viewer has answered a find request.
    void findFinished(bool found);

protected:
    void showEvent(QShowEvent *e) override;

private:
    void buildMenus();
    void onPageLoaded();

    QStringList arguments_;
    HtmlViewer *Viewer;
    QLineEdit *Edit1;
    QLabel *Panel1;
    QPushButton *btnClose, *Reload, *BackButton, *FwdButton;
    QMenu *HistoryMenuItem;
    QAction *history_[HistoryEntries];
    QAction *print_, *showImages_, *followTyping_;
    std::function<void(bool)> onFollow_;
    QPointer<FindDialog> FindDialog1;
    TBag *Prefs;
    std::unique_ptr<QPrinter> printer_;
    QString openFolder_;
    bool prefixCaption_ = false; // the page on its way is a preview of a document
    int fontColor_, hotSpotColor_, background_;
};
