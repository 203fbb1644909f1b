#include "Megares.h"

#include "Errors.h"
#include "platform/AppPaths.h"

TMegaRegistry::TMegaRegistry(QObject *parent) : QObject(parent) {}

TMegaRegistry::TMegaRegistry(const QString &app, const QString &company, const QString &iniName,
                             QObject *parent)
    : QObject(parent), app_(app), company_(company), iniName_(iniName)
{
    rebuild();
}

void TMegaRegistry::setApp(const QString &v) { app_ = v; rebuild(); }
void TMegaRegistry::setCompany(const QString &v) { company_ = v; rebuild(); }
void TMegaRegistry::setIniName(const QString &v) { iniName_ = v; rebuild(); }
void TMegaRegistry::setPreference(Preference v) { preference_ = v; rebuild(); }

void TMegaRegistry::rebuild()
{
    store_.reset();
    if (app_.isEmpty() || company_.isEmpty() || iniName_.isEmpty())
        return;
    store_ = std::make_unique<PrivateProfile>(
        PrivateProfile::resolveInFolder(AppPaths::settingsFolder(), iniName_));
}

QString TMegaRegistry::filePath() const
{
    return store_ ? store_->filePath() : QString();
}

QString TMegaRegistry::ReadString(const QString &section, const QString &key, const QString &def) const
{
    return store_ ? store_->readString(section, key, def) : def;
}

int TMegaRegistry::parseInteger(const QString &text, int def)
{
    bool ok = false;
    int v;
    if (text.size() > 2 && (text.startsWith(QLatin1String("0x")) || text.startsWith(QLatin1String("0X"))))
        v = int(text.mid(2).toUInt(&ok, 16));
    else
        v = text.trimmed().toInt(&ok, 10);
    return ok ? v : def;
}

int TMegaRegistry::ReadInteger(const QString &section, const QString &key, int def) const
{
    return parseInteger(ReadString(section, key, QString()), def);
}

bool TMegaRegistry::ReadBool(const QString &section, const QString &key, bool def) const
{
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void TMegaRegistry::WriteString(const QString &section, const QString &key, const QString &value)
{
    if (!store_)
        return;
    if (!store_->writeString(section, key, value))
        throw EIniError(QStringLiteral("Unable to write to %1").arg(store_->filePath()));
}

void TMegaRegistry::WriteInteger(const QString &section, const QString &key, int value)
{
    WriteString(section, key, QString::number(value));
}

void TMegaRegistry::WriteBool(const QString &section, const QString &key, bool value)
{
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}
