#include "HtmlViewer.h"

#include "TextFile.h"

#include <QAction>
#include <QBuffer>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QMenu>
#include <QMimeDatabase>
#include <QPageRanges>
#include <QPrinter>
#include <QVBoxLayout>
#include <QWebEngineFindTextResult>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QTimer>

#include <memory>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>
#include <QWebEngineUrlSchemeHandler>
#include <QWebEngineView>
#include <unistd.h>

namespace {

const QByteArray Scheme = QByteArrayLiteral("tolvenra-local");
const QString Host = QStringLiteral("files");
const QString DefaultsScript = QStringLiteral("tolvenra-defaults");

bool isHtmlName(const QString &fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    return suffix == u"htm" || suffix == u"html" || suffix == u"shtml" || suffix == u"xhtml" ||
           suffix == u"tvr";
}

// Serves local files under the viewer's scheme. HTML documents (whatever their extension) are
// read whole so that their encoding is the one the editor reads them in; other files are
// streamed with the type their name or content gives.
class LocalFileScheme : public QWebEngineUrlSchemeHandler {
public:
    using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;

    void requestStarted(QWebEngineUrlRequestJob *job) override
    {
        const QString path = job->requestUrl().path();
        const QFileInfo info(path);
        if (!info.isFile()) {
            job->fail(QWebEngineUrlRequestJob::UrlNotFound);
            return;
        }
        auto *file = new QFile(path, job);
        if (!file->open(QIODevice::ReadOnly)) {
            job->fail(QWebEngineUrlRequestJob::RequestDenied);
            return;
        }
        if (isHtmlName(path)) {
            auto *buffer = new QBuffer(job);
            buffer->setData(file->readAll());
            buffer->open(QIODevice::ReadOnly);
            const TextFile::Format f = TextFile::detect(buffer->data());
            job->reply("text/html; charset=" + TextFile::charsetName(f), buffer);
            return;
        }
        const QMimeType mime = mimes_.mimeTypeForFile(info);
        job->reply(mime.name().toLatin1(), file);
    }

private:
    QMimeDatabase mimes_;
};

QWebEngineProfile *sharedProfile()
{
    static QWebEngineProfile *profile = nullptr;
    if (!profile) {
        // A profile of the viewer's own that keeps nothing on disk.
        profile = new QWebEngineProfile(qApp);
        profile->installUrlSchemeHandler(Scheme, new LocalFileScheme(profile));
        profile->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
        profile->settings()->setAttribute(QWebEngineSettings::FocusOnNavigationEnabled, false);
    }
    return profile;
}

QString cssColor(const QColor &c)
{
    return c.isValid() ? c.name(QColor::HexRgb) : QStringLiteral("inherit");
}

QString jsString(const QString &s)
{
    QString out = QStringLiteral("'");
    for (QChar ch : s) {
        if (ch == u'\\' || ch == u'\'')
            out += u'\\';
        if (ch == u'\n') {
            out += QStringLiteral("\\n");
            continue;
        }
        out += ch;
    }
    return out + u'\'';
}

} // namespace

// The engine's page: link clicks go through the viewer, pages asking for a new window open
// in the same one.
class ViewerPage : public QWebEnginePage {
public:
    ViewerPage(QWebEngineProfile *profile, HtmlViewer *viewer) : QWebEnginePage(profile, viewer), viewer_(viewer) {}

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override
    {
        if (type != NavigationTypeLinkClicked || !isMainFrame)
            return true;
        return viewer_->followLink(url);
    }
    QWebEnginePage *createWindow(WebWindowType) override { return this; }

private:
    HtmlViewer *viewer_;
};

void HtmlViewer::prepareEngine()
{
    static bool prepared = false;
    if (prepared)
        return;
    prepared = true;
    // The engine's sandbox refuses to run as root; pages shown here are the user's own files.
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    if (!qEnvironmentVariableIsSet("QTWEBENGINE_CHROMIUM_FLAGS"))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu --disable-background-networking");
    // The engine reports its graphics set-up on every start; users need not see it.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext.info=false\nqt.webenginecontext.debug=false"));
    QWebEngineUrlScheme scheme(Scheme);
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
    scheme.setFlags(QWebEngineUrlScheme::LocalScheme | QWebEngineUrlScheme::LocalAccessAllowed |
                    QWebEngineUrlScheme::SecureScheme);
    QWebEngineUrlScheme::registerScheme(scheme);
}

QUrl HtmlViewer::urlOf(const QString &fileName, const QString &destination)
{
    QUrl url;
    url.setScheme(QString::fromLatin1(Scheme));
    url.setHost(Host);
    url.setPath(QFileInfo(fileName).absoluteFilePath());
    if (!destination.isEmpty())
        url.setFragment(destination.startsWith(u'#') ? destination.mid(1) : destination);
    return url;
}

QString HtmlViewer::targetText(const QUrl &url)
{
    if (url.isEmpty())
        return {};
    const QString fragment = url.hasFragment() ? u'#' + url.fragment() : QString();
    if (url.scheme() == QLatin1String(Scheme))
        return url.path() + fragment;
    if (url.isLocalFile())
        return url.toLocalFile() + fragment;
    return url.toString();
}

std::function<void(const QUrl &)> &HtmlViewer::externalOpener()
{
    static std::function<void(const QUrl &)> opener = [](const QUrl &url) { QDesktopServices::openUrl(url); };
    return opener;
}

HtmlViewer::HtmlViewer(QWidget *parent) : QWidget(parent)
{
    prepareEngine();
    view_ = new QWebEngineView(this);
    view_->setObjectName(QStringLiteral("view"));
    page_ = new ViewerPage(sharedProfile(), this);
    view_->setPage(page_);
    view_->setCursor(Qt::IBeamCursor);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    setFocusProxy(view_);

    // The engine's own menu would offer its back and forward, which know nothing of the
    // viewer's history; copying is what a preview needs.
    view_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view_, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        QMenu menu(this);
        menu.addAction(page_->action(QWebEnginePage::Copy));
        menu.addAction(page_->action(QWebEnginePage::SelectAll));
        menu.exec(view_->mapToGlobal(pos));
    });

    connectPage();
    applyDefaults();
}

void HtmlViewer::connectPage()
{
    connect(page_, &QWebEnginePage::linkHovered, this,
            [this](const QString &url) { emit hotSpotChanged(targetText(QUrl(url))); });
    connect(page_, &QWebEnginePage::loadingChanged, this, [this](const QWebEngineLoadingInfo &info) {
        if (info.status() == QWebEngineLoadingInfo::LoadStartedStatus)
            return;
        // A load overtaken by a newer one ends too; only the newest counts.
        if (!requested_.isEmpty() && info.url().adjusted(QUrl::RemoveFragment) != requested_.adjusted(QUrl::RemoveFragment))
            return;
        onLoadFinished();
    });
}

void HtmlViewer::replacePage()
{
    // The old page goes with its renderer; the new one starts with a renderer of its own and
    // the viewer's settings.
    ViewerPage *old = page_;
    disconnect(old, nullptr, this, nullptr);
    page_ = new ViewerPage(sharedProfile(), this);
    view_->setPage(page_);
    connectPage();
    applyDefaults();
    page_->settings()->setAttribute(QWebEngineSettings::AutoLoadImages, images_);
    old->deleteLater();
}

HtmlViewer::~HtmlViewer()
{
    // Answers still owed by the page (a probe of a busy renderer) are called as it goes: they
    // must find nothing more to load.
    ++probe_;
    disconnect(page_, nullptr, this, nullptr);
    // The page belongs to the shared profile's engine; it must go before the view.
    view_->setPage(nullptr);
    delete page_;
}

void HtmlViewer::startLoad(const QUrl &url)
{
    // A load still going on after a while may be a page whose script never ends.
    const bool stuck = loading_ && loadClock_.isValid() && loadClock_.elapsed() > BusyAfterMs;
    requested_ = url;
    loading_ = true;
    title_.clear();
    loadClock_.start();
    if (stuck)
        loadWhenResponsive(url);
    else
        page_->load(url);
}

void HtmlViewer::loadWhenResponsive(const QUrl &url)
{
    // A page still loading may be one whose script never ends: its renderer then answers
    // nothing, and would never show another page. Ask it something trivial first.
    const int probe = ++probe_;
    auto answered = std::make_shared<bool>(false);
    page_->runJavaScript(QStringLiteral("0"), [this, probe, answered, url](const QVariant &) {
        *answered = true;
        if (probe == probe_)
            page_->load(url);
    });
    QTimer::singleShot(RendererAnswerMs, this, [this, probe, answered, url] {
        if (*answered || probe != probe_)
            return;
        ++probe_; // the old page's answer, should it come, asks for nothing
        replacePage();
        page_->load(url);
    });
}

void HtmlViewer::onLoadFinished()
{
    page_->runJavaScript(QStringLiteral("document.title"), [this](const QVariant &title) {
        title_ = title.toString();
        loading_ = false;
        if (pendingScroll_ >= 0) {
            page_->runJavaScript(QStringLiteral("window.scrollTo(0, %1)").arg(pendingScroll_));
            pendingScroll_ = -1;
        }
        emit pageLoaded();
    });
}

bool HtmlViewer::loadFile(const QString &fileName, const QString &destination)
{
    const QFileInfo info(fileName);
    if (!info.isFile())
        return false;
    const QString name = info.absoluteFilePath();
    const bool sameEntry = index_ >= 0 && index_ < history_.size() && history_[index_] == name;
    if (!sameEntry) {
        // A new page drops the pages newer than the one shown, as a browser does.
        if (index_ > 0)
            history_.erase(history_.begin(), history_.begin() + index_);
        history_.prepend(name);
        while (history_.size() > maxCount_)
            history_.removeLast();
        index_ = 0;
    }
    current_ = name;
    pendingScroll_ = -1;
    startLoad(urlOf(name, destination));
    emit historyChanged();
    return true;
}

void HtmlViewer::loadHtml(const QString &html)
{
    requested_.clear();
    loading_ = true;
    page_->setHtml(html, urlOf(QDir::tempPath() + QStringLiteral("/sample.html")));
}

void HtmlViewer::reload()
{
    if (current_.isEmpty())
        return;
    const int y = verticalPosition();
    startLoad(urlOf(current_));
    pendingScroll_ = y;
}

int HtmlViewer::verticalPosition() const
{
    return qRound(page_->scrollPosition().y());
}

void HtmlViewer::setVerticalPosition(int y)
{
    if (loading_)
        pendingScroll_ = y;
    else
        page_->runJavaScript(QStringLiteral("window.scrollTo(0, %1)").arg(y));
}

void HtmlViewer::setHistoryIndex(int index)
{
    if (index < 0 || index >= history_.size() || index == index_)
        return;
    index_ = index;
    current_ = history_[index];
    pendingScroll_ = -1;
    startLoad(urlOf(current_));
    emit historyChanged();
}

void HtmlViewer::setHistoryMaxCount(int n)
{
    maxCount_ = qMax(1, n);
    if (history_.size() > maxCount_) {
        history_.erase(history_.begin() + maxCount_, history_.end());
        index_ = qMin(index_, int(history_.size()) - 1);
        emit historyChanged();
    }
}

QString HtmlViewer::expandFileName(const QString &name) const
{
    QString file = name;
    if (file.startsWith(QLatin1String(Scheme) + u':', Qt::CaseInsensitive))
        file = QUrl(file).path();
    else if (file.startsWith(QStringLiteral("file:"), Qt::CaseInsensitive)) {
        const QString local = QUrl(file).toLocalFile();
        file = local.isEmpty() ? file.mid(5) : local;
    }
    if (QDir::isAbsolutePath(file))
        return QDir::cleanPath(file);
    const QString base = current_.isEmpty() ? QDir::currentPath() : QFileInfo(current_).absolutePath();
    return QDir::cleanPath(QDir(base).absoluteFilePath(file));
}

bool HtmlViewer::followLink(const QUrl &url)
{
    const QString target = targetText(url);
    if (onClick_ && onClick_(target))
        return false;
    const bool local = url.scheme() == QLatin1String(Scheme) || url.isLocalFile();
    if (!local) {
        // Web and mail addresses go to the desktop's programs for them; anything else (a
        // script address, say) stays with the engine.
        static const QStringList external = {QStringLiteral("http"), QStringLiteral("https"),
                                             QStringLiteral("ftp"), QStringLiteral("mailto")};
        if (!external.contains(url.scheme().toLower()))
            return true;
        externalOpener()(url);
        return false;
    }
    const QString file = expandFileName(url.adjusted(QUrl::RemoveFragment).toString());
    if (file == current_ && url.hasFragment())
        return true; // a destination within this page: the engine scrolls to it
    const QString destination = url.hasFragment() ? url.fragment() : QString();
    // Loaded after the engine has finished asking, not from within its question.
    QMetaObject::invokeMethod(this, [this, file, destination] {
        if (!loadFile(file, destination))
            loadHtml(QStringLiteral("<p>Unable to find <b>%1</b>.</p>").arg(file.toHtmlEscaped()));
    }, Qt::QueuedConnection);
    return false;
}

void HtmlViewer::setViewImages(bool on)
{
    if (images_ == on)
        return;
    images_ = on;
    page_->settings()->setAttribute(QWebEngineSettings::AutoLoadImages, on);
    if (current_.isEmpty() || loading_)
        return;
    // Images already shown stay in the engine's cache; the page is read afresh without them.
    pendingScroll_ = verticalPosition();
    loading_ = true;
    title_.clear();
    page_->triggerAction(QWebEnginePage::ReloadAndBypassCache);
}

void HtmlViewer::setDefFontName(const QString &name)
{
    fontName_ = name;
    applyDefaults();
}

void HtmlViewer::setDefFontSize(int points)
{
    fontSize_ = qBound(1, points, 400);
    applyDefaults();
}

void HtmlViewer::setDefPreFontName(const QString &name)
{
    preFontName_ = name;
    applyDefaults();
}

void HtmlViewer::setDefFontColor(const QColor &c)
{
    fontColor_ = c;
    applyDefaults();
}

void HtmlViewer::setDefHotSpotColor(const QColor &c)
{
    linkColor_ = c;
    applyDefaults();
}

void HtmlViewer::setDefBackground(const QColor &c)
{
    background_ = c;
    applyDefaults();
}

QString HtmlViewer::defaultsStyle() const
{
    // Written first in the page, so that the page's own styles win wherever they set anything;
    // a body that sets its link colour keeps it (its LINK attribute ranks below any style).
    return QStringLiteral(":root{color:%1}:where(body:not([link]) a:link){color:%2}")
        .arg(cssColor(fontColor_), cssColor(linkColor_));
}

void HtmlViewer::applyDefaults()
{
    QWebEngineSettings *s = page_->settings();
    s->setFontFamily(QWebEngineSettings::StandardFont, fontName_);
    s->setFontFamily(QWebEngineSettings::SerifFont, fontName_);
    s->setFontFamily(QWebEngineSettings::FixedFont, preFontName_);
    s->setFontSize(QWebEngineSettings::DefaultFontSize, qRound(fontSize_ * 96.0 / 72.0));
    page_->setBackgroundColor(background_.isValid() ? background_ : QColor(Qt::transparent));

    // The colours go into every page as a style sheet placed before the page's own.
    const QString css = jsString(defaultsStyle());
    const QString source = QStringLiteral(
        "(function(){var id='tolvenra-defaults';var css=%1;"
        "function put(){var r=document.documentElement;if(!r)return false;"
        "var s=document.getElementById(id);if(!s){s=document.createElement('style');s.id=id;"
        "r.insertBefore(s,r.firstChild);}s.textContent=css;return true;}"
        "if(!put()){var o=new MutationObserver(function(){if(put())o.disconnect();});"
        "o.observe(document,{childList:true});}"
        "})();").arg(css);
    QWebEngineScriptCollection &scripts = page_->scripts();
    for (const QWebEngineScript &old : scripts.find(DefaultsScript))
        scripts.remove(old);
    QWebEngineScript script;
    script.setName(DefaultsScript);
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(QWebEngineScript::MainWorld);
    script.setSourceCode(source);
    scripts.insert(script);
    // The page on show takes the new colours at once.
    page_->runJavaScript(source);
}

void HtmlViewer::print(QPrinter *printer, int fromPage, int toPage, std::function<void(bool)> done)
{
    QPageRanges ranges;
    if (fromPage > 0 && toPage >= fromPage)
        ranges.addRange(fromPage, toPage);
    printer->setPageRanges(ranges);
    connect(view_, &QWebEngineView::printFinished, this, [done](bool ok) { if (done) done(ok); },
            Qt::SingleShotConnection);
    view_->print(printer);
    // The engine makes a document of the chosen pages only, and the printing that follows
    // counts the pages of that document again from the printer's range: from here on the
    // printer's range is the place of the pages in the engine's document.
    if (!ranges.isEmpty()) {
        QPageRanges placed;
        placed.addRange(1, toPage - fromPage + 1);
        printer->setPageRanges(placed);
    }
}

void HtmlViewer::find(const QString &text, bool matchCase, std::function<void(bool)> done)
{
    QWebEnginePage::FindFlags flags;
    if (matchCase)
        flags |= QWebEnginePage::FindCaseSensitively;
    // The engine takes a request for the text it last searched as "find next", and answers it
    // only with the next request when the case option has changed: a changed search starts
    // afresh.
    if (text != lastFind_ || matchCase != lastFindCase_)
        page_->findText(QString());
    lastFind_ = text;
    lastFindCase_ = matchCase;
    page_->findText(text, flags, [done](const QWebEngineFindTextResult &r) {
        if (done)
            done(r.numberOfMatches() > 0);
    });
}
