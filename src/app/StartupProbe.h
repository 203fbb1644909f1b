#pragma once

#include <QObject>

class TmdiMain;

// Reports how long start-up takes, for the benchmarks: with TOLVENRA_TIMING set, prints to
// standard error the wall-clock time (milliseconds since the epoch) at which the title screen
// appears, is answered (at once), and the frame is ready to type, with the peak memory; with
// TOLVENRA_TIMING=exit the program then quits.
class StartupProbe : public QObject {
    Q_OBJECT
public:
    static void installIfRequested();
    // Reports "ready" once the frame's start-up sequence has run.
    static void watch(TmdiMain *frame);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    StartupProbe();
    void ready();

    static StartupProbe *instance_;
    TmdiMain *frame_ = nullptr;
    bool exit_ = false;
    bool titleSeen_ = false;
};
