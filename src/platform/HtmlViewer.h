#pragma once

#include <QColor>
#include <QStringList>
#include <QUrl>
#include <QElapsedTimer>
#include <QWidget>
#include <functional>

class QPrinter;
class QWebEngineView;
class ViewerPage;

// Shows HTML pages with the browser engine. The viewer serves local files itself, so that a
// file of any name (the preview's "temp.tvr" too) is shown as HTML, in the encoding the editor
// would read it in, and relative links and images resolve beside it. It keeps its own history
// of file names, index 0 being the newest.
class HtmlViewer : public QWidget {
    Q_OBJECT
public:
    // A new page replaces one still loading after BusyAfterMs only once the old page's
    // renderer answers; one that does not answer within RendererAnswerMs is dropped for a
    // fresh page.
    static constexpr int BusyAfterMs = 1000;
    static constexpr int RendererAnswerMs = 1500;
    explicit HtmlViewer(QWidget *parent = nullptr);
    ~HtmlViewer() override;

    // Prepares the browser engine once per process, before its first page: no sandbox when
    // running as root, no GPU, and the scheme that serves local files.
    static void prepareEngine();
    // The address under which the viewer serves a local file.
    static QUrl urlOf(const QString &fileName, const QString &destination = {});
    // The text handed to link handlers for an address: a local file's name (with "#" and the
    // destination when there is one), or the address itself.
    static QString targetText(const QUrl &url);
    // Opens addresses that are not local files; the desktop's web browser unless replaced.
    static std::function<void(const QUrl &)> &externalOpener();

    // Loads a file, with an optional "#destination" to jump to; it becomes the current file
    // and the newest history entry. False (and nothing changes) when the file does not exist.
    bool loadFile(const QString &fileName, const QString &destination = {});
    // Shows HTML text from memory; neither the current file nor the history changes.
    Q_INVOKABLE void loadHtml(const QString &html);
    // Loads the current file again at the same vertical position.
    void reload();
    bool isLoading() const { return loading_; }

    QString currentFile() const { return current_; }
    // The text of the page's title element; empty when it has none.
    QString documentTitle() const { return title_; }
    int verticalPosition() const;
    // Scrolls the page; while a page is loading, once it has loaded.
    void setVerticalPosition(int y);

    const QStringList &history() const { return history_; }
    int historyIndex() const { return index_; }
    // Goes to a history entry: loads its file and keeps the history as it is.
    void setHistoryIndex(int index);
    int historyMaxCount() const { return maxCount_; }
    void setHistoryMaxCount(int n);

    // A link's file name made absolute: relative names are taken from the current file's folder.
    QString expandFileName(const QString &name) const;

    bool viewImages() const { return images_; }
    void setViewImages(bool on);

    // Default look of pages that do not set their own.
    QString defFontName() const { return fontName_; }
    void setDefFontName(const QString &name);
    int defFontSize() const { return fontSize_; } // in points
    Q_INVOKABLE void setDefFontSize(int points);
    QString defPreFontName() const { return preFontName_; }
    void setDefPreFontName(const QString &name);
    QColor defFontColor() const { return fontColor_; }
    void setDefFontColor(const QColor &c);
    QColor defHotSpotColor() const { return linkColor_; }
    void setDefHotSpotColor(const QColor &c);
    QColor defBackground() const { return background_; }
    void setDefBackground(const QColor &c);

    // Asked on every link click with the link's target text; returns true when the link was
    // handled. Left false, the viewer follows local links and destinations itself and gives
    // other addresses to the external opener.
    void setHotSpotClickHandler(std::function<bool(const QString &)> handler) { onClick_ = std::move(handler); }
    // Handles a click on a link to url as the engine's link navigation does; true when the
    // engine should go on and navigate itself (a destination within the current page).
    bool followLink(const QUrl &url);

    // Prints pages fromPage to toPage (0 and 0 for all) of the current page; done is called
    // when the printer has its pages.
    void print(QPrinter *printer, int fromPage, int toPage, std::function<void(bool)> done);
    // Finds text from the current selection on, selecting the match.
    void find(const QString &text, bool matchCase, std::function<void(bool found)> done);

    QWebEngineView *view() const { return view_; }

signals:
    void historyChanged();
    // The mouse entered a link (its target text) or left it (an empty text).
    void hotSpotChanged(const QString &target);
    // A page has loaded and its title is known.
    void pageLoaded();

private:
    void startLoad(const QUrl &url);
    void onLoadFinished();
    // Loads url once the page's renderer answers; a renderer that does not (a script that
    // never ends) is ended first, and a fresh one shows url.
    void loadWhenResponsive(const QUrl &url);
    void connectPage();
    // Gives the view a fresh page (and renderer) in place of one that stopped answering.
    void replacePage();
    void applyDefaults();
    QString defaultsStyle() const;

    QWebEngineView *view_;
    ViewerPage *page_;
    std::function<bool(const QString &)> onClick_;
    QStringList history_;
    int index_ = -1;
    int maxCount_ = 6;
    QString current_;
    QString title_;
    QUrl requested_;
    bool loading_ = false;
    int probe_ = 0;          // the newest responsiveness probe
    QElapsedTimer loadClock_; // since the newest load started

    int pendingScroll_ = -1;
    QString lastFind_;
    bool lastFindCase_ = false;
    bool images_ = true;
    QString fontName_ = QStringLiteral("Times New Roman");
    QString preFontName_ = QStringLiteral("Courier New");
    int fontSize_ = 12;
    QColor fontColor_ = Qt::black;
    QColor linkColor_ = Qt::blue;
    QColor background_ = Qt::white;
};
