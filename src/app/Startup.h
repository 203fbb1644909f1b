#pragma once

#include <QStringList>

class AppServices;
class FileCommands;
class FrameState;
class RecoverySession;
class StatusPanels;
class TitleScreen;

// The start-up sequence, once the frame is first shown: the title screen answered, the
// settings read (a settings file that cannot be written is said once), the first document
// and the command line's files opened, unsaved work a crash left offered, the tip of the day,
// and the start-up folder made current.
class Startup {
public:
    Startup(AppServices &services, FrameState &state, FileCommands &files, StatusPanels &panels,
            RecoverySession &recovery);

    // arguments: the command line's files, as absolute paths. title: a title screen already on
    // show (shown by the program's entry before the frame was built), or nullptr.
    void run(const QStringList &arguments, TitleScreen *title);
    void DisplayTips();

private:
    AppServices &services_;
    FrameState &state_;
    FileCommands &files_;
    StatusPanels &panels_;
    RecoverySession &recovery_;
};
