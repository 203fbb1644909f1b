#include "Startup.h"

#include "ErrorBoundary.h"
#include "Files.h"
#include "FrameState.h"
#include "Megares.h"
#include "RecoveryWindow.h"
#include "Services.h"
#include "SettingsTable.h"
#include "StatusPanels.h"
#include "TitleScreen.h"
#include "platform/AppPaths.h"
#include "platform/Dialogs.h"
#include "tools/Totd.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <memory>

namespace {
const QString Ready = QStringLiteral("Ready ...");
}

Startup::Startup(AppServices &services, FrameState &state, FileCommands &files, StatusPanels &panels,
                 RecoverySession &recovery)
    : services_(services), state_(state), files_(files), panels_(panels), recovery_(recovery)
{
}

void Startup::run(const QStringList &arguments, TitleScreen *early)
{
    // The title screen may already be up, shown by the program's entry before the frame was
    // built; here it waits to be answered.
    std::unique_ptr<TitleScreen> own;
    TitleScreen *title = early;
    if (!title) {
        own = std::make_unique<TitleScreen>(services_.mainWindow());
        title = own.get();
    }
    Dialogs::instance().exec(title);
    if (early)
        early->deleteLater();

    // Said once: a settings file that cannot be written does not stop the program (nor its
    // exit); this session's settings are kept in memory only.
    QString why;
    if (!services_.settings().canWrite(&why)) {
        services_.settings().setMemoryOnly(true);
        Dialogs::instance().error(services_.mainWindow(), QStringLiteral("The settings cannot be saved to %1.\n\n%2\n\n"
                                                       "The program works as usual, but the settings of this "
                                                       "session will not be kept.")
                                            .arg(services_.settings().filePath(), why));
    }
    state_.LoadIniSettings();
    panels_.showUserName();
    if (services_.settings().readBool(Settings::OpenTemplate))
        files_.FileNew();
    for (const QString &arg : arguments) {
        services_.SetStatusText(QStringLiteral("Opening File : ") + arg + QStringLiteral(" ..."));
        files_.OpenDocument(arg);
        services_.SetStatusText(Ready);
    }
    panels_.AdjustControls();
    // Unsaved work that a crash left behind is offered before anything else is asked.
    TfRecovery::offer(recovery_, services_);
    if (services_.settings().readBool(Settings::Tips))
        DisplayTips();

    QString dir = services_.settings().read(Settings::StartupDirectory);
    if (dir.isEmpty())
        dir = AppPaths::programFolder() + QLatin1Char('/');
    if (dir.endsWith(u'\\') || (dir.endsWith(u'/') && dir.size() > 1))
        dir.chop(1);
    if (QFileInfo(dir).isDir()) {
        QDir::setCurrent(dir);
        // A start-up folder of the user's choosing is where file dialogs go when no page
        // says otherwise; the program's own folder is not a place for pages.
        if (QFileInfo(dir).canonicalFilePath() != QFileInfo(AppPaths::programFolder()).canonicalFilePath())
            Dialogs::setDefaultFolder(QFileInfo(dir).absoluteFilePath());
    }
    if (const QString note = StatusPanels::documentNote(services_.activeDocument()); !note.isEmpty())
        services_.SetStatusText(note);
}

void Startup::DisplayTips()
{
    TfTipOfTheDay tips(services_.mainWindow());
    tips.showAtStartup()->setChecked(true);
    Dialogs::instance().exec(&tips);
    if (!tips.showAtStartup()->isChecked())
        ErrorBoundary::run([this] { services_.settings().writeBool(Settings::Tips, false); });
}

