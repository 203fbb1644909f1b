#pragma once

#include "SettingsTable.h"
#include "platform/PrivateProfile.h"

#include <QObject>
#include <QString>
#include <memory>

// The settings store: typed reads with defaults and typed writes by section and key, over one
// initialisation file in the settings folder. A write that the file system refuses raises
// EIniError with "Unable to write to <file>".
class TMegaRegistry : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString App READ app WRITE setApp)
    Q_PROPERTY(QString Company READ company WRITE setCompany)
    Q_PROPERTY(QString IniName READ iniName WRITE setIniName)
    Q_PROPERTY(Preference Preference READ preference WRITE setPreference)

public:
    // Where the settings go. This program always uses the file; the registry modes of other
    // platforms fall back to it.
    enum Preference { mrpAuto, mrpIni, mrpRegistry };
    Q_ENUM(Preference)

    explicit TMegaRegistry(QObject *parent = nullptr);
    TMegaRegistry(const QString &app, const QString &company, const QString &iniName,
                  QObject *parent = nullptr);

    QString app() const { return app_; }
    QString company() const { return company_; }
    QString iniName() const { return iniName_; }
    Preference preference() const { return preference_; }
    void setApp(const QString &v);
    void setCompany(const QString &v);
    void setIniName(const QString &v);
    void setPreference(Preference v);

    // The file behind the store; empty while App, Company or IniName is empty.
    QString filePath() const;

    QString ReadString(const QString &section, const QString &key, const QString &def) const;
    int ReadInteger(const QString &section, const QString &key, int def) const;
    bool ReadBool(const QString &section, const QString &key, bool def) const;
    void WriteString(const QString &section, const QString &key, const QString &value);
    void WriteInteger(const QString &section, const QString &key, int value);
    void WriteBool(const QString &section, const QString &key, bool value);

    // Whether the file can take writes: false with *why when a folder stands in its place, it
    // is read-only, or its folder cannot be written to.
    bool canWrite(QString *why) const;
    // Keeps every write in memory only (the file cannot take them): reads see them, nothing
    // raises an error, nothing reaches the disk.
    void setMemoryOnly(bool on) { memoryOnly_ = on; }
    bool memoryOnly() const { return memoryOnly_; }

    // Typed reads and writes of the keys of the settings table, with the table's defaults.
    QString read(const SettingKey &k) const;
    int readInt(const SettingKey &k) const;
    bool readBool(const SettingKey &k) const;
    void write(const SettingKey &k, const QString &value);
    void writeInt(const SettingKey &k, int value);
    void writeBool(const SettingKey &k, bool value);

    // "0x300" and "768" both read as 768; anything else gives def.
    static int parseInteger(const QString &text, int def);

    // Collects the writes made while it lives and puts them into the file in one replace at
    // commit(); reads see the collected values meanwhile. Without a commit (an error left the
    // scope) the writes are dropped. Batches nest: the outermost one writes.
    class Batch {
    public:
        explicit Batch(TMegaRegistry &store);
        ~Batch();
        // Writes the collected values; raises EIniError when the file cannot be written.
        void commit();

    private:
        TMegaRegistry &store_;
        bool outer_;
        bool done_ = false;
    };

signals:
    // A value was written (after the file took it).
    void changed(const QString &section, const QString &key);

private:
    void rebuild();
    void raiseWriteError(const QString &reason) const;
    bool batching_ = false;
    bool memoryOnly_ = false;
    QList<PrivateProfile::Change> pending_;

    QString app_, company_, iniName_;
    Preference preference_ = mrpIni;
    std::unique_ptr<PrivateProfile> store_;
};
