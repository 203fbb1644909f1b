#include "PreviewModule.h"

#include "LivePreview.h"
#include "app/CommandRegistry.h"
#include "app/Edit.h"
#include "app/Services.h"
#include "app/Guards.h"
#include "app/ToolWindows.h"
#include "platform/AppPaths.h"
#include "platform/Dialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

namespace PreviewModule {

namespace {

Factory factory_ = nullptr;
ViewerFactory viewerFactory_ = nullptr;
MediaBarFactory mediaBarFactory_ = nullptr;

const char *const EntryPoint = "tolvenra_create_preview";
const char *const ViewerEntryPoint = "tolvenra_create_viewer";
const char *const MediaBarEntryPoint = "tolvenra_create_media_bar";

// Where the module may be: beside the program (a build folder), or in the library folder of
// an installed program.
QStringList moduleCandidates()
{
    const QString bin = QCoreApplication::applicationDirPath();
    return {bin + QStringLiteral("/libtolvenra-preview.so"),
            QDir::cleanPath(bin + QStringLiteral("/" TOLVENRA_MODULE_RELDIR "/libtolvenra-preview.so"))};
}

// Loads the module and takes its entry points; false with *error saying why.
bool loadModule(QString *error)
{
    QString reasons;
    for (const QString &candidate : moduleCandidates()) {
        if (!QFileInfo::exists(candidate))
            continue;
        // The library stays loaded until the program ends.
        auto *lib = new QLibrary(candidate, qApp);
        auto preview = reinterpret_cast<Factory>(lib->resolve(EntryPoint));
        auto viewer = reinterpret_cast<ViewerFactory>(lib->resolve(ViewerEntryPoint));
        auto mediaBar = reinterpret_cast<MediaBarFactory>(lib->resolve(MediaBarEntryPoint));
        if (preview && viewer && mediaBar) {
            if (!factory_)
                factory_ = preview;
            if (!viewerFactory_)
                viewerFactory_ = viewer;
            if (!mediaBarFactory_)
                mediaBarFactory_ = mediaBar;
            return true;
        }
        reasons += lib->errorString() + u'\n';
    }
    *error = reasons.isEmpty() ? QStringLiteral("The preview module (libtolvenra-preview.so) is not installed.")
                               : reasons.trimmed();
    return false;
}

} // namespace

void setFactory(Factory factory)
{
    factory_ = factory;
}

void setViewerFactory(ViewerFactory factory)
{
    viewerFactory_ = factory;
}

void setMediaBarFactory(MediaBarFactory factory)
{
    mediaBarFactory_ = factory;
}

PreviewWindow *create(const QStringList &arguments, QWidget *owner, QString *error)
{
    if (!factory_ && !loadModule(error))
        return nullptr;
    return factory_(arguments, owner);
}

QWidget *createViewer(QWidget *parent, QString *error)
{
    if (!viewerFactory_ && !loadModule(error))
        return nullptr;
    return viewerFactory_(parent);
}

QWidget *createMediaBar(QWidget *parent, QString *error)
{
    if (!mediaBarFactory_ && !loadModule(error))
        return nullptr;
    return mediaBarFactory_(parent);
}

QString previewFileFor(const TfHTML *doc)
{
    const QString folder = doc->isUntitled() ? AppPaths::programFolder() : QFileInfo(doc->caption()).absolutePath();
    return QDir(folder).filePath(QString::fromLatin1(TempFileName));
}

void registerWindow(AppServices &services, LivePreview &live, const QStringList &arguments)
{
    services.toolWindows().add(QString::fromLatin1(WindowName),
                               [&live, arguments](AppServices &s, QString *error) -> QWidget * {
                                   PreviewWindow *p = create(arguments, s.mainWindow(), error);
                                   if (!p)
                                       return nullptr;
                                   p->setFollowTypingHandler([&live](bool on) { live.setFollowing(on); });
                                   live.setFollowing(p->followTyping());
                                   return p->previewWidget();
                               });
    services.commands().bind(QStringLiteral("PrintPreview1Click"), [&services] { previewActiveDocument(services); });
}

void previewActiveDocument(AppServices &services)
{
    TfHTML *doc = services.activeDocument();
    QWidget *parent = services.mainWindow();
    StatusGuard status(services);
    if (!doc) {
        Dialogs::instance().message(parent, QStringLiteral("No current document."));
        return;
    }
    const bool modified = doc->modified();
    const QString temp = previewFileFor(doc);
    services.SetStatusText(QStringLiteral("Previewing ") + doc->caption() + QStringLiteral(" ..."));
    QString error;
    const bool written = doc->writeCopy(temp, &error);
    doc->setModified(modified);
    if (!written) {
        Dialogs::instance().error(parent, QStringLiteral("Unable to write the preview file %1.\n\n%2").arg(temp, error));
        return;
    }
    auto *preview = qobject_cast<PreviewWindow *>(services.toolWindows().window(QString::fromLatin1(WindowName), &error));
    if (!preview) {
        Dialogs::instance().error(parent, QStringLiteral("The web preview cannot be shown.\n\n%1").arg(error));
        return;
    }
    preview->previewFile(temp);
}

} // namespace PreviewModule
