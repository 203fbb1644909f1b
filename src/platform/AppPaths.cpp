#include "AppPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace AppPaths {

namespace {

QString homeOverride()
{
    return qEnvironmentVariable("TOLVENRA_HOME");
}

QString xdgFolder(const char *var, const char *fallback)
{
    QString base = qEnvironmentVariable(var);
    if (base.isEmpty())
        base = QDir::homePath() + QLatin1String(fallback);
    return QDir::cleanPath(base + QLatin1String("/tolvenra"));
}

} // namespace

QString programFolder()
{
    const QString home = homeOverride();
    return home.isEmpty() ? xdgFolder("XDG_DATA_HOME", "/.local/share") : QDir::cleanPath(home);
}

QString settingsFolder()
{
    const QString home = homeOverride();
    return home.isEmpty() ? xdgFolder("XDG_CONFIG_HOME", "/.config") : QDir::cleanPath(home);
}

QString recoveryFolder()
{
    const QString home = homeOverride();
    return (home.isEmpty() ? xdgFolder("XDG_STATE_HOME", "/.local/state") : QDir::cleanPath(home)) +
           QLatin1String("/recovery");
}

QString programFile(const QString &name)
{
    return programFolder() + u'/' + name;
}

QString settingsFile(const QString &name)
{
    return settingsFolder() + u'/' + name;
}

QString shippedDataFolder()
{
    const QString fromEnv = qEnvironmentVariable("TOLVENRA_DATA_DIR");
    if (!fromEnv.isEmpty())
        return fromEnv;
    // Installed layout: <prefix>/bin/tolvenra and <prefix>/share/tolvenra.
    if (QCoreApplication::instance()) {
        const QString installed =
            QDir::cleanPath(QCoreApplication::applicationDirPath() + QLatin1String("/../share/tolvenra"));
        if (QFileInfo::exists(installed + QLatin1String("/standard.tpl")))
            return installed;
    }
    // Running from a build tree.
    return QStringLiteral(TOLVENRA_SOURCE_DATA_DIR);
}

void prepareFolders()
{
    QDir().mkpath(settingsFolder());
    const QString target = programFolder();
    QDir().mkpath(target);
    const QString source = shippedDataFolder();
    QDirIterator it(source, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString from = it.next();
        const QString rel = QDir(source).relativeFilePath(from);
        if (rel.startsWith(QLatin1String("tolvenra.")))
            continue;
        const QString to = target + u'/' + rel;
        if (QFileInfo::exists(to))
            continue;
        QDir().mkpath(QFileInfo(to).absolutePath());
        if (QFile::copy(from, to))
            QFile(to).setPermissions(QFile(to).permissions() | QFileDevice::WriteOwner);
    }
}

} // namespace AppPaths
