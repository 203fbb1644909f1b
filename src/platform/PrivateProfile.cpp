#include "PrivateProfile.h"

#include "LineFile.h"
#include "SafeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// The section name when line is a "[name]" header, else a null string.
QString sectionName(const QString &line)
{
    const QString t = line.trimmed();
    if (t.size() >= 2 && t.front() == u'[' && t.back() == u']')
        return t.mid(1, t.size() - 2).trimmed();
    return {};
}

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Splits "key=value"; false for lines that carry no key.
bool splitEntry(const QString &line, QString *key, QString *value)
{
    const qsizetype eq = line.indexOf(u'=');
    if (eq <= 0)
        return false;
    *key = line.left(eq).trimmed();
    *value = line.mid(eq + 1);
    return !key->isEmpty();
}

} // namespace

PrivateProfile::PrivateProfile(QString filePath) : path_(std::move(filePath)) {}

QList<QByteArray> PrivateProfile::readRawLines() const
{
    // Only a regular file: a pipe in the settings file's place would be waited on.
    if (!QFileInfo(path_).isFile())
        return {};
    QFile f(path_);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = f.readAll();
    QList<QByteArray> lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            end = bytes.size();
        qsizetype stop = end;
        if (stop > start && bytes[stop - 1] == '\r')
            --stop;
        lines << bytes.mid(start, stop - start);
        start = end + 1;
    }
    return lines;
}

QStringList PrivateProfile::readLines() const
{
    QStringList lines;
    for (const QByteArray &raw : readRawLines())
        lines << LineFile::decodeLine(raw);
    return lines;
}

void PrivateProfile::forEachLine(const QString &section, const std::function<bool(const QString &)> &fn) const
{
    bool inSection = false;
    const QStringList lines = readLines();
    for (const QString &line : lines) {
        const QString name = sectionName(line);
        if (!name.isNull())
            inSection = sameName(name, section);
        else if (inSection && !fn(line))
            return;
    }
}

QString PrivateProfile::readString(const QString &section, const QString &key, const QString &def) const
{
    QString result = def;
    forEachLine(section, [&](const QString &line) {
        QString k, v;
        if (splitEntry(line, &k, &v) && sameName(k, key)) {
            result = v.left(MaxValueLength);
            return false;
        }
        return true;
    });
    return result;
}

QStringList PrivateProfile::readSection(const QString &section) const
{
    QStringList out;
    forEachLine(section, [&](const QString &line) {
        if (!line.trimmed().isEmpty() && !line.startsWith(u';'))
            out << line;
        return true;
    });
    return out;
}

bool PrivateProfile::writeString(const QString &section, const QString &key, const QString &value)
{
    return writeEntries(section, {{key, value}});
}

bool PrivateProfile::writeEntries(const QString &section, const QList<Entry> &entries, QString *error)
{
    QList<Change> changes;
    for (const Entry &e : entries)
        changes << Change{section, e.key, e.value};
    return write(changes, error);
}

bool PrivateProfile::write(const QList<Change> &changes, QString *error)
{
    // A line break would put lines of its own into the file.
    for (const Change &c : changes)
        if (c.key.contains(u'\n') || c.key.contains(u'\r') || c.value.contains(u'\n') || c.value.contains(u'\r') ||
            c.section.contains(u'\n') || c.section.contains(u'\r')) {
            if (error)
                *error = QStringLiteral("A setting cannot hold a line break.");
            return false;
        }
    // Each line keeps its bytes until the write changes it; the text beside is for matching.
    QList<QByteArray> raw = readRawLines();
    QStringList lines;
    for (const QByteArray &r : std::as_const(raw))
        lines << LineFile::decodeLine(r);
    auto setLine = [&](qsizetype i, const QString &text) {
        lines[i] = text;
        raw[i] = text.toUtf8();
    };
    auto insertLine = [&](qsizetype i, const QString &text) {
        lines.insert(i, text);
        raw.insert(i, text.toUtf8());
    };

    bool changed = false;
    for (const Change &e : changes) {
        qsizetype sectionStart = -1; // index after the header line
        qsizetype sectionEnd = -1;   // index after the section's last entry line
        bool done = false;
        bool inSection = false;
        for (qsizetype i = 0; i < lines.size() && !done; ++i) {
            const QString name = sectionName(lines[i]);
            if (!name.isNull()) {
                if (inSection)
                    break;
                inSection = sameName(name, e.section);
                if (inSection)
                    sectionStart = sectionEnd = i + 1;
                continue;
            }
            if (!inSection)
                continue;
            QString k, v;
            if (splitEntry(lines[i], &k, &v) && sameName(k, e.key)) {
                if (v != e.value) {
                    setLine(i, k + u'=' + e.value);
                    changed = true;
                }
                done = true;
            } else if (!lines[i].trimmed().isEmpty()) {
                sectionEnd = i + 1;
            }
        }
        if (done)
            continue;
        changed = true;
        if (sectionStart < 0) {
            if (!lines.isEmpty() && !lines.back().trimmed().isEmpty())
                insertLine(lines.size(), QString());
            insertLine(lines.size(), u'[' + e.section + u']');
            insertLine(lines.size(), e.key + u'=' + e.value);
        } else {
            insertLine(sectionEnd, e.key + u'=' + e.value);
        }
    }
    if (!changed)
        return true; // nothing to write; the file stays untouched

    QByteArray bytes;
    for (const QByteArray &line : std::as_const(raw)) {
        bytes += line;
        bytes += "\r\n";
    }
    QString why;
    const bool ok = SafeFile::replace(path_, bytes, &why);
    if (!ok && error)
        *error = why;
    return ok;
}

QString PrivateProfile::resolveInFolder(const QString &folder, const QString &fileName)
{
    const QDir dir(folder);
    if (dir.exists(fileName))
        return dir.filePath(fileName);
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden);
    for (const QString &e : entries)
        if (sameName(e, fileName))
            return dir.filePath(e);
    return dir.filePath(fileName);
}
