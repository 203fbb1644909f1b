#include "Application.h"

#include "platform/AppInfo.h"
#include "ErrorBoundary.h"
#include "Errors.h"

#include <QIcon>

namespace {
// Settings that must be made before the application object exists. The application asks for
// no OpenGL context shared with the web preview's engine: that context would load the system's
// OpenGL driver at start (some 50 MB, and time), while the engine draws its pages without the
// graphics processor anyway. The engine makes the context it needs when a preview is first shown.
int &beforeStart(int &argc)
{
    return argc;
}
} // namespace

TolvenraApplication::TolvenraApplication(int &argc, char **argv) : QApplication(beforeStart(argc), argv)
{
    describe();
}

void TolvenraApplication::describe()
{
    QCoreApplication::setApplicationName(QStringLiteral("tolvenra"));
    QCoreApplication::setOrganizationName(QStringLiteral("Tolvenra"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(AppInfo::VersionNumber));
    QGuiApplication::setDesktopFileName(QStringLiteral("tolvenra"));
    // Without a desktop's icon theme (a bare X server), the common theme still gives the
    // toolbar pictures.
    QIcon::setFallbackThemeName(QStringLiteral("Adwaita"));
    QIcon icon = QIcon::fromTheme(QStringLiteral("tolvenra"));
    if (icon.isNull())
        icon = QIcon(QStringLiteral(":/tolvenra.png"));
    QApplication::setWindowIcon(icon);
}

bool TolvenraApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const EAppError &e) {
        ErrorBoundary::report(e.message());
    } catch (const std::exception &) {
        ErrorBoundary::report(QString());
    }
    return false;
}

void TolvenraApplication::setErrorHandler(std::function<void(const QString &)> handler)
{
    ErrorBoundary::setHandler(std::move(handler));
}
