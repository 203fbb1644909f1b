#include "PrivateProfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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

QStringList PrivateProfile::readLines() const
{
    QFile f(path_);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QString text = QString::fromUtf8(f.readAll());
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QStringList lines = text.split(u'\n');
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
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

bool PrivateProfile::writeEntries(const QString &section, const QList<Entry> &entries)
{
    QStringList lines = readLines();
    bool changed = false;
    for (const Entry &e : entries) {
        qsizetype sectionStart = -1; // index after the header line
        qsizetype sectionEnd = -1;   // index after the section's last entry line
        bool done = false;
        bool inSection = false;
        for (qsizetype i = 0; i < lines.size() && !done; ++i) {
            const QString name = sectionName(lines[i]);
            if (!name.isNull()) {
                if (inSection)
                    break;
                inSection = sameName(name, section);
                if (inSection)
                    sectionStart = sectionEnd = i + 1;
                continue;
            }
            if (!inSection)
                continue;
            QString k, v;
            if (splitEntry(lines[i], &k, &v) && sameName(k, e.key)) {
                if (v != e.value) {
                    lines[i] = k + u'=' + e.value;
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
                lines << QString();
            lines << u'[' + section + u']' << e.key + u'=' + e.value;
        } else {
            lines.insert(sectionEnd, e.key + u'=' + e.value);
        }
    }
    if (!changed)
        return true; // nothing to write; the file stays untouched

    // A read-only file refuses the write even where its folder would allow a replace.
    const QFileInfo info(path_);
    if (info.exists() && !info.isWritable())
        return false;
    QSaveFile out(path_);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    QByteArray bytes;
    for (const QString &line : std::as_const(lines)) {
        bytes += line.toUtf8();
        bytes += "\r\n";
    }
    if (out.write(bytes) != bytes.size())
        return false;
    return out.commit();
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
