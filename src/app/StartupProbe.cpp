#include "StartupProbe.h"

#include "Edit.h"
#include "Editor.h"
#include "Main.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <chrono>
#include <cstdio>

namespace {
double nowMs()
{
    using namespace std::chrono;
    return duration<double, std::milli>(system_clock::now().time_since_epoch()).count();
}

long peakKb()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}
} // namespace

StartupProbe *StartupProbe::instance_ = nullptr;

void StartupProbe::installIfRequested()
{
    if (qEnvironmentVariableIsSet("TOLVENRA_TIMING") && !instance_)
        instance_ = new StartupProbe;
}

void StartupProbe::watch(TmdiMain *frame)
{
    if (!instance_)
        return;
    instance_->frame_ = frame;
    connect(frame, &TmdiMain::started, instance_, [] { QTimer::singleShot(0, instance_, &StartupProbe::ready); });
}

StartupProbe::StartupProbe() : QObject(qApp)
{
    exit_ = qEnvironmentVariable("TOLVENRA_TIMING") == QLatin1String("exit");
    qApp->installEventFilter(this);
}

bool StartupProbe::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Show && watched->objectName() == QLatin1String("TitleScreen")) {
        if (!titleSeen_)
            std::fprintf(stderr, "timing title %.3f\n", nowMs());
        titleSeen_ = true;
        auto *dialog = qobject_cast<QDialog *>(watched);
        QTimer::singleShot(0, dialog, [dialog] {
            std::fprintf(stderr, "timing answered %.3f\n", nowMs());
            dialog->accept();
        });
    }
    return false;
}

void StartupProbe::ready()
{
    // Ready to type: the active document has painted itself once.
    if (TfHTML *doc = frame_ ? frame_->activeDocument() : nullptr)
        doc->editor()->repaint();
    std::fprintf(stderr, "timing ready %.3f\ntiming peak-kb %ld\n", nowMs(), peakKb());
    std::fflush(stderr);
    if (exit_)
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
}
