#include "TestHome.h"

#include "platform/AppPaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TestHome::TestHome() : previous_(qgetenv("TOLVENRA_HOME"))
{
    qputenv("TOLVENRA_HOME", dir_.path().toUtf8());
}

TestHome::~TestHome()
{
    qputenv("TOLVENRA_HOME", previous_);
}

QString TestHome::path(const QString &name) const
{
    return name.isEmpty() ? dir_.path() : dir_.path() + u'/' + name;
}

QString TestHome::write(const QString &name, const QByteArray &bytes) const
{
    const QString p = path(name);
    QDir().mkpath(QFileInfo(p).absolutePath());
    QFile f(p);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return p;
}

QByteArray TestHome::read(const QString &name) const
{
    QFile f(path(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void TestHome::prepare() const
{
    AppPaths::prepareFolders();
}
