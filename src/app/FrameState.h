#pragma once

#include "RecentFiles.h"

#include <QObject>
#include <QString>

class AppServices;
class QMainWindow;
class TabStrip;
class TfHTML;

// What the frame keeps in the settings file between runs and shows in its View menu: its
// placement, its toolbars and tab strip, the recent files, word wrap and smart tabs.
class FrameState : public QObject {
    Q_OBJECT
public:
    FrameState(QMainWindow *frame, AppServices &services, TabStrip *tabs);

    // The recent-files list of the File menu.
    RecentFiles &recentFiles() { return recent_; }

    // Binds the View menu's toggles.
    void bindCommands();

    // Reads the frame's placement, bars and recent files from the settings.
    void LoadIniSettings();
    // Writes the frame's placement and bars (one replace of the file).
    void doIniSettings();
    // Writes everything the frame keeps, at the end of a run.
    void saveAtExit();
    // The recent-files items of the File menu, from the list.
    void MRUDisplay();

    bool wordWrapChecked() const;
    void WordWrap1Click();
    void SmartTabs1Click();
    // The View menu's checks follow the active document.
    void documentActivated(TfHTML *doc);

private:
    void setBarShown(const QString &barName, const QString &menuItem, const QString &button, bool on);
    void toggleBar(const QString &barName, const QString &menuItem, const QString &button);

    QMainWindow *frame_;
    AppServices &services_;
    TabStrip *tabs_;
    RecentFiles recent_;
};
