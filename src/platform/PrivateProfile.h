#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// An initialisation file in the classic private-profile format: "[Section]" lines followed by
// "key=value" lines. Section and key names match without regard to case. Every write goes to
// disk at once, by atomic replace, so an interrupted write never leaves a half-written file.
// Lines are written with CR LF and read with CR LF or LF. Lines the layer does not touch
// (comments, unknown sections, other keys) keep their bytes; a line that is not valid UTF-8
// reads as Windows-1252, and a line the layer writes is UTF-8.
class PrivateProfile {
public:
    // Values come back cut to this many characters, as from a 1024-byte read buffer.
    static constexpr int MaxValueLength = 1023;

    explicit PrivateProfile(QString filePath);

    const QString &filePath() const { return path_; }

    // The value of key in section, or def when the file, the section or the key is missing.
    QString readString(const QString &section, const QString &key, const QString &def) const;

    // Every "name=value" line of the section, in file order, as written (no cut).
    QStringList readSection(const QString &section) const;

    // Writes key=value into section, creating the file, the section or the key as needed.
    // Returns false when the file cannot be written (read-only file or folder, full disk);
    // the file on disk is then unchanged.
    bool writeString(const QString &section, const QString &key, const QString &value);

    // Writes several keys of one section in a single replace of the file.
    struct Entry {
        QString key, value;
    };
    bool writeEntries(const QString &section, const QList<Entry> &entries, QString *error = nullptr);

    // Writes keys of any sections in a single replace of the file. On failure *error (when
    // given) says why.
    struct Change {
        QString section, key, value;
    };
    bool write(const QList<Change> &changes, QString *error = nullptr);

    // The folder's existing file whose name matches fileName without regard to case, or
    // folder/fileName when there is none: "TolvOpt.ini" and "tolvopt.ini" are one file.
    static QString resolveInFolder(const QString &folder, const QString &fileName);

private:
    QList<QByteArray> readRawLines() const;
    QStringList readLines() const;
    // Calls fn with each line of the section until fn returns false.
    void forEachLine(const QString &section, const std::function<bool(const QString &)> &fn) const;
    QString path_;
};
