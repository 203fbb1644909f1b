#include "ToolWindows.h"

#include "CommandRegistry.h"
#include "Services.h"
#include "platform/Dialogs.h"

#include <QDialog>

ToolWindows::ToolWindows(AppServices &services, QObject *parent) : QObject(parent), services_(services) {}

void ToolWindows::add(const QString &name, Factory factory, const QString &handler, Show show)
{
    if (!factories_.contains(name))
        order_ << name;
    factories_.insert(name, Entry{std::move(factory), show});
    if (!handler.isEmpty())
        services_.commands().bind(handler, [this, name] { present(name); });
}

QWidget *ToolWindows::window(const QString &name, QString *error)
{
    if (QWidget *w = made_.value(name))
        return w;
    const auto it = factories_.constFind(name);
    if (it == factories_.constEnd()) {
        if (error)
            *error = QStringLiteral("There is no window named %1.").arg(name);
        return nullptr;
    }
    QString why;
    QWidget *w = it->factory(services_, &why);
    if (!w) {
        if (error)
            *error = why;
        return nullptr;
    }
    made_.insert(name, w);
    return w;
}

QWidget *ToolWindows::existing(const QString &name) const
{
    return made_.value(name);
}

void ToolWindows::present(const QString &name)
{
    QString error;
    QWidget *w = window(name, &error);
    if (!w) {
        Dialogs::instance().error(services_.mainWindow(), error);
        return;
    }
    switch (factories_.value(name).show) {
    case Show::Modal:
        if (auto *d = qobject_cast<QDialog *>(w)) {
            Dialogs::instance().exec(d);
            break;
        }
        [[fallthrough]];
    case Show::Modeless:
        w->show();
        w->raise();
        w->activateWindow();
        break;
    }
}

bool ToolWindows::askToExit()
{
    for (const QString &name : std::as_const(order_)) {
        auto *q = dynamic_cast<ExitQuestion *>(made_.value(name).data());
        if (q && !q->askToExit())
            return false;
    }
    return true;
}

void ToolWindows::closeAll()
{
    for (const QString &name : std::as_const(order_))
        if (QWidget *w = made_.value(name); w && w->isVisible())
            w->close();
}

void ToolWindows::destroyAll()
{
    for (const QString &name : std::as_const(order_))
        delete made_.value(name).data();
    made_.clear();
}
