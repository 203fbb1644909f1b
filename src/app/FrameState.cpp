#include "FrameState.h"

#include "CommandRegistry.h"
#include "Edit.h"
#include "Editor.h"
#include "Guards.h"
#include "Megares.h"
#include "RecentFiles.h"
#include "Services.h"
#include "SettingsTable.h"
#include "TabStrip.h"
#include "platform/AppInfo.h"
#include "platform/Screens.h"

#include <QAction>
#include <QMainWindow>
#include <QToolBar>

namespace {
const QString Ready = QStringLiteral("Ready ...");

// The frame's toolbars with their View menu items, toggle buttons and settings keys.
struct BarToggle {
    const char *handler, *menuItem, *bar, *button;
    const SettingKey *key;
};
constexpr BarToggle barToggles[] = {
    {"FileToolbar1Click", "FileToolbar1", "SpeedBar", "btnEditTog", &Settings::EditToolBar},
    {"TagsToolbar1Click", "TagsToolbar1", "TagsBar", "btnTagTog", &Settings::TagsToolBar},
    {"FormattingToolbar1Click", "FormattingToolbar1", "FormattingBar", "btnFmtTog", &Settings::FormatToolBar},
    {"TableToolbar1Click", "TableToolbar1", "TableToolBar", "btnTblTog", &Settings::TableToolBar},
    {"FormsToolbar1Click", "FormsToolbar1", "FormToolBar", "btnFormToolbar", &Settings::FormsToolBar},
    {"ListToolBarClick", "ListToolBar1", "ListToolBar", "btnListTog", &Settings::ListToolBar},
    {"DocumentTabs1Click", "DocumentTabs1", "TabSet1", "", &Settings::DocumentTabs},
};
} // namespace

FrameState::FrameState(QMainWindow *frame, AppServices &services, TabStrip *tabs)
    : QObject(frame), frame_(frame), services_(services), tabs_(tabs)
{
    setObjectName(QStringLiteral("FrameState"));
}

void FrameState::bindCommands()
{
    CommandRegistry &c = services_.commands();
    for (const BarToggle &t : barToggles)
        c.bind(QString::fromLatin1(t.handler), [this, t] {
            toggleBar(QString::fromLatin1(t.bar), QString::fromLatin1(t.menuItem), QString::fromLatin1(t.button));
        });
    static constexpr CommandRegistry::Binding<FrameState> table[] = {
        {"WordWrap1Click", &FrameState::WordWrap1Click},
        {"SmartTabs1Click", &FrameState::SmartTabs1Click},
    };
    c.bindAll(this, table);
}

void FrameState::saveAtExit()
{
    TMegaRegistry::Batch batch(services_.settings());
    doIniSettings();
    for (int i = 0; i < RecentFiles::Size; ++i)
        services_.settings().WriteString(QLatin1String(Settings::RecentFilesSection), QString::number(i), recent_.entry(i));
    batch.commit();
}

void FrameState::documentActivated(TfHTML *doc)
{
    if (!doc)
        return;
    services_.commands().action(QStringLiteral("WordWrap1Click"))->setChecked(doc->editor()->wordWrap());
    services_.commands().action(QStringLiteral("SmartTabs1Click"))->setChecked(doc->editor()->autoIndent());
}

void FrameState::LoadIniSettings()
{
    services_.SetStatusText(QStringLiteral("Retrieving Application Settings ..."));

    if (services_.settings().readInt(Settings::MdiState) != 0) {
        frame_->setWindowState(Qt::WindowMaximized);
    } else {
        frame_->setWindowState(Qt::WindowNoState);
        // Bounds from another screen layout that no screen shows are not applied; others are
        // fitted to the screen.
        const QRect r = Screens::fit(services_.settings().readInt(Settings::MdiLeft), services_.settings().readInt(Settings::MdiTop),
                                     services_.settings().readInt(Settings::MdiWidth), services_.settings().readInt(Settings::MdiHeight));
        if (!r.isNull())
            frame_->setGeometry(r);
    }

    for (const BarToggle &t : barToggles)
        setBarShown(QString::fromLatin1(t.bar), QString::fromLatin1(t.menuItem), QString::fromLatin1(t.button),
                    services_.settings().readBool(*t.key));

    recent_ = RecentFiles();
    for (int i = 0; i < RecentFiles::Size; ++i)
        recent_.append(services_.settings().ReadString(QLatin1String(Settings::RecentFilesSection), QString::number(i), QString()));
    MRUDisplay();
    services_.SetStatusText(Ready);
}

void FrameState::doIniSettings()
{
    StatusGuard status(services_, QStringLiteral("Writing Application Settings ..."));
    // One replace of the file for all of them.
    TMegaRegistry::Batch batch(services_.settings());
    services_.settings().write(Settings::ProgramName, QString::fromLatin1(AppInfo::Title));
    services_.settings().write(Settings::ProgramVersion, QString::fromLatin1(AppInfo::Version));
    services_.settings().write(Settings::ProgramAuthor, QString::fromLatin1(AppInfo::Author));

    const int state = frame_->isMaximized() ? 2 : frame_->isMinimized() ? 1 : 0;
    services_.settings().writeInt(Settings::MdiState, state);
    if (state == 0) {
        // The same rectangle the start-up gives back with setGeometry: the window's inside,
        // not its frame, so the place does not creep up by a title bar each run.
        const QRect r = frame_->geometry();
        services_.settings().writeInt(Settings::MdiWidth, r.width());
        services_.settings().writeInt(Settings::MdiHeight, r.height());
        services_.settings().writeInt(Settings::MdiTop, r.y());
        services_.settings().writeInt(Settings::MdiLeft, r.x());
    }
    for (const BarToggle &t : barToggles)
        services_.settings().writeBool(*t.key, services_.commands().action(QString::fromLatin1(t.handler))->isChecked());
    batch.commit();
}

void FrameState::setBarShown(const QString &barName, const QString &menuItem, const QString &button, bool on)
{
    if (QAction *m = frame_->findChild<QAction *>(menuItem))
        m->setChecked(on);
    if (!button.isEmpty())
        if (QAction *b = frame_->findChild<QAction *>(button))
            b->setChecked(on);
    if (barName == QLatin1String("TabSet1"))
        tabs_->setVisible(on);
    else if (QToolBar *bar = services_.commands().toolBar(barName))
        bar->setVisible(on);
}

void FrameState::toggleBar(const QString &barName, const QString &menuItem, const QString &button)
{
    QAction *m = frame_->findChild<QAction *>(menuItem);
    setBarShown(barName, menuItem, button, m ? !m->isChecked() : true);
}

bool FrameState::wordWrapChecked() const
{
    return services_.commands().action(QStringLiteral("WordWrap1Click"))->isChecked();
}

void FrameState::WordWrap1Click()
{
    TfHTML *doc = services_.activeDocument();
    if (!doc)
        return;
    const bool on = !doc->editor()->wordWrap();
    doc->editor()->setWordWrap(on, true);
    services_.commands().action(QStringLiteral("WordWrap1Click"))->setChecked(on);
    services_.settings().writeBool(Settings::WordWrap, on);
    doc->FormResize();
}

void FrameState::SmartTabs1Click()
{
    TfHTML *doc = services_.activeDocument();
    if (!doc)
        return;
    const bool on = !doc->editor()->autoIndent();
    doc->editor()->setAutoIndent(on);
    services_.commands().action(QStringLiteral("SmartTabs1Click"))->setChecked(on);
    services_.settings().writeBool(Settings::SmartTabs, on);
}

void FrameState::MRUDisplay()
{
    for (int i = 1; i <= RecentFiles::Size; ++i) {
        QAction *a = frame_->findChild<QAction *>(QStringLiteral("MRU%1").arg(i));
        const QString entry = recent_.entry(i - 1);
        a->setText(QStringLiteral("&%1 ").arg(i) + entry);
        a->setVisible(!entry.isEmpty());
    }
    if (QAction *sep = frame_->findChild<QAction *>(QStringLiteral("MRUSeparator")))
        sep->setVisible(!recent_.entry(0).isEmpty());
}
