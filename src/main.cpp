#include "app/Application.h"
#include "app/Main.h"
#include "app/StartupProbe.h"
#include "app/TitleScreen.h"
#include "platform/AppPaths.h"

#include <QStringList>

int main(int argc, char **argv)
{
    TolvenraApplication app(argc, argv);
    StartupProbe::installIfRequested();

    // The title screen comes up first, while the frame is built behind it.
    auto *title = new TitleScreen;
    title->setWindowModality(Qt::ApplicationModal);
    title->show();
    QCoreApplication::processEvents();

    AppPaths::prepareFolders();
    QStringList files = QCoreApplication::arguments();
    files.removeFirst();
    TmdiMain frame(files);
    frame.adoptTitleScreen(title);
    StartupProbe::watch(&frame);
    frame.showMaximized();
    return app.exec();
}
