#include "Megares.h"

#include "Errors.h"
#include "platform/AppPaths.h"

#include <QFileInfo>

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
    for (auto it = pending_.crbegin(); it != pending_.crend(); ++it)
        if (it->section.compare(section, Qt::CaseInsensitive) == 0 && it->key.compare(key, Qt::CaseInsensitive) == 0)
            return it->value.left(PrivateProfile::MaxValueLength);
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

void TMegaRegistry::raiseWriteError(const QString &reason) const
{
    QString message = QStringLiteral("Unable to write to %1").arg(store_->filePath());
    if (!reason.isEmpty())
        message += QStringLiteral("\n\n") + reason;
    throw EIniError(message);
}

void TMegaRegistry::WriteString(const QString &section, const QString &key, const QString &value)
{
    if (!store_)
        return;
    if (batching_ || memoryOnly_) {
        pending_ << PrivateProfile::Change{section, key, value};
        if (memoryOnly_ && !batching_)
            emit changed(section, key);
        return;
    }
    QString reason;
    if (!store_->write({{section, key, value}}, &reason))
        raiseWriteError(reason);
    emit changed(section, key);
}

void TMegaRegistry::WriteInteger(const QString &section, const QString &key, int value)
{
    WriteString(section, key, QString::number(value));
}

void TMegaRegistry::WriteBool(const QString &section, const QString &key, bool value)
{
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

QString TMegaRegistry::read(const SettingKey &k) const
{
    return ReadString(QString::fromLatin1(k.section), QString::fromLatin1(k.key), QString::fromUtf8(k.def));
}

int TMegaRegistry::readInt(const SettingKey &k) const
{
    return ReadInteger(QString::fromLatin1(k.section), QString::fromLatin1(k.key),
                       parseInteger(QString::fromLatin1(k.def), 0));
}

bool TMegaRegistry::readBool(const SettingKey &k) const
{
    return readInt(k) != 0;
}

void TMegaRegistry::write(const SettingKey &k, const QString &value)
{
    WriteString(QString::fromLatin1(k.section), QString::fromLatin1(k.key), value);
}

void TMegaRegistry::writeInt(const SettingKey &k, int value)
{
    write(k, QString::number(value));
}

void TMegaRegistry::writeBool(const SettingKey &k, bool value)
{
    write(k, value ? QStringLiteral("1") : QStringLiteral("0"));
}

TMegaRegistry::Batch::Batch(TMegaRegistry &store) : store_(store), outer_(!store.batching_)
{
    store_.batching_ = true;
}

TMegaRegistry::Batch::~Batch()
{
    if (outer_ && !done_) {
        store_.batching_ = false;
        if (!store_.memoryOnly_)
            store_.pending_.clear();
    }
}

bool TMegaRegistry::canWrite(QString *why) const
{
    if (!store_)
        return true;
    const QFileInfo info(store_->filePath());
    if (info.exists() && !info.isFile()) {
        *why = info.isDir() ? QStringLiteral("A folder stands in the file's place.")
                            : QStringLiteral("It is not a regular file.");
        return false;
    }
    if (info.exists() && !info.isWritable()) {
        *why = QStringLiteral("The file is read-only.");
        return false;
    }
    const QFileInfo folder(info.absolutePath());
    if (!info.exists() && (!folder.isDir() || !folder.isWritable())) {
        *why = QStringLiteral("The folder %1 cannot be written to.").arg(folder.absoluteFilePath());
        return false;
    }
    return true;
}

void TMegaRegistry::Batch::commit()
{
    if (!outer_ || done_)
        return;
    done_ = true;
    store_.batching_ = false;
    if (store_.memoryOnly_)
        return; // the values stay in memory
    const QList<PrivateProfile::Change> changes = std::exchange(store_.pending_, {});
    if (!store_.store_ || changes.isEmpty())
        return;
    QString reason;
    if (!store_.store_->write(changes, &reason))
        store_.raiseWriteError(reason);
    for (const PrivateProfile::Change &c : changes)
        emit store_.changed(c.section, c.key);
}
