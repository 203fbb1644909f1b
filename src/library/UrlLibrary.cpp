#include "UrlLibrary.h"

#include "platform/AppPaths.h"
#include "platform/LineFile.h"

#include <QFileInfo>
#include <cstring>

namespace UrlLibrary {

QString path()
{
    return AppPaths::programFile(QStringLiteral("library.fil"));
}

QStringList read(const QString &file, bool *ok, QString *error)
{
    if (!QFileInfo::exists(file) && LineFile::notRegularReason(file).isEmpty()) {
        *ok = true;
        return {};
    }
    return LineFile::read(file, ok, error);
}

QString fileLine(const QString &entry)
{
    QString line = entry;
    line.replace(QLatin1String("\r\n"), QLatin1String(" "));
    line.replace(u'\r', u' ');
    line.replace(u'\n', u' ');
    return line;
}

bool write(const QString &file, const QStringList &entries, QString *error)
{
    QStringList lines;
    lines.reserve(entries.size());
    for (const QString &e : entries)
        lines << fileLine(e);
    return LineFile::write(file, lines, error);
}

namespace {

inline char lower(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c + ('a' - 'A')) : c;
}

// The first place at or after from where needle (in small letters, starting with '<') stands
// in any case of ASCII letters, or -1.
qsizetype find(const char *text, qsizetype length, qsizetype from, const char *needle, qsizetype n)
{
    qsizetype i = from;
    while (i + n <= length) {
        const void *lt = std::memchr(text + i, '<', size_t(length - n + 1 - i));
        if (!lt)
            return -1;
        i = static_cast<const char *>(lt) - text;
        qsizetype k = 1;
        while (k < n && lower(text[i + k]) == needle[k])
            ++k;
        if (k == n)
            return i;
        ++i;
    }
    return -1;
}

} // namespace

QList<Link> findLinks(const char *text, qsizetype length)
{
    static const char open[] = "<a href=";
    static const char close[] = "</a>";
    const qsizetype openLength = qsizetype(sizeof open) - 1, closeLength = qsizetype(sizeof close) - 1;
    QList<Link> links;
    qsizetype at = find(text, length, 0, open, openLength);
    while (at >= 0) {
        const qsizetype end = find(text, length, at + openLength, close, closeLength);
        if (end < 0)
            break;
        links.append({at, end + closeLength});
        at = find(text, length, end + closeLength, open, openLength);
    }
    return links;
}

} // namespace UrlLibrary
