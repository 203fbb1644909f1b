#include "app/Application.h"
#include "app/Main.h"
#include "app/StartupProbe.h"
#include "platform/AppPaths.h"

#include <QStringList>

int main(int argc, char **argv)
{
    TolvenraApplication app(argc, argv);
    AppPaths::prepareFolders();

    QStringList files = QCoreApplication::arguments();
    files.removeFirst();
    TmdiMain frame(files);
    app.setErrorHandler([&frame](const QString &message) { frame.AppException(message); });
    StartupProbe::installIfRequested(&frame);
    frame.showMaximized();
    return app.exec();
}
