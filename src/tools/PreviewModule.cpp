#include "PreviewModule.h"

#include "app/Edit.h"
#include "app/Main.h"
#include "platform/AppPaths.h"
#include "platform/Dialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

namespace PreviewModule {

namespace {

Factory factory_ = nullptr;

const char *const EntryPoint = "tolvenra_create_preview";

// Where the module may be: beside the program (a build folder), or in the library folder of
// an installed program.
QStringList moduleCandidates()
{
    const QString bin = QCoreApplication::applicationDirPath();
    return {bin + QStringLiteral("/libtolvenra-preview.so"),
            QDir::cleanPath(bin + QStringLiteral("/" TOLVENRA_MODULE_RELDIR "/libtolvenra-preview.so"))};
}

} // namespace

void setFactory(Factory factory)
{
    factory_ = factory;
}

PreviewWindow *create(const QStringList &arguments, QWidget *owner, QString *error)
{
    if (!factory_) {
        QString reasons;
        for (const QString &candidate : moduleCandidates()) {
            if (!QFileInfo::exists(candidate))
                continue;
            // The library stays loaded until the program ends.
            auto *lib = new QLibrary(candidate, qApp);
            factory_ = reinterpret_cast<Factory>(lib->resolve(EntryPoint));
            if (factory_)
                break;
            reasons += lib->errorString() + u'\n';
        }
        if (!factory_) {
            *error = reasons.isEmpty()
                         ? QStringLiteral("The preview module (libtolvenra-preview.so) is not installed.")
                         : reasons.trimmed();
            return nullptr;
        }
    }
    return factory_(arguments, owner);
}

void previewActiveDocument(TmdiMain &frame)
{
    TfHTML *doc = frame.activeDocument();
    if (!doc) {
        Dialogs::instance().message(&frame, QStringLiteral("No current document."));
        frame.SetStatusText(QStringLiteral("Ready ..."));
        return;
    }
    const bool modified = doc->modified();
    const QString folder = doc->isUntitled() ? AppPaths::programFolder() : QFileInfo(doc->caption()).absolutePath();
    const QString temp = QDir(folder).filePath(QString::fromLatin1(TempFileName));
    frame.SetStatusText(QStringLiteral("Previewing ") + doc->caption() + QStringLiteral(" ..."));
    QString error;
    const bool written = doc->writeCopy(temp, &error);
    doc->setModified(modified);
    if (!written) {
        Dialogs::instance().error(&frame, QStringLiteral("Unable to write the preview file %1.\n\n%2").arg(temp, error));
        frame.SetStatusText(QStringLiteral("Ready ..."));
        return;
    }
    PreviewWindow *preview = frame.previewWindow(&error);
    if (!preview) {
        Dialogs::instance().error(&frame, QStringLiteral("The web preview cannot be shown.\n\n%1").arg(error));
        frame.SetStatusText(QStringLiteral("Ready ..."));
        return;
    }
    preview->previewFile(temp);
    frame.SetStatusText(QStringLiteral("Ready ..."));
}

} // namespace PreviewModule
