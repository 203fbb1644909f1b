#pragma once

#include "Services.h"

#include <QApplication>
#include <QString>

// Shows a message in the status line for the time of an operation (none when it is empty),
// and "Ready ..." after it, however the operation ends.
class StatusGuard {
public:
    explicit StatusGuard(AppServices &services, const QString &message = QString()) : services_(services)
    {
        if (!message.isEmpty())
            services_.SetStatusText(message);
    }
    ~StatusGuard() { services_.SetStatusText(QStringLiteral("Ready ...")); }
    StatusGuard(const StatusGuard &) = delete;
    StatusGuard &operator=(const StatusGuard &) = delete;

private:
    AppServices &services_;
};

// The wait cursor for the time of an operation.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};
