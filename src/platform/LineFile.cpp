#include "LineFile.h"

#include "SafeFile.h"
#include "TextFile.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace LineFile {

QString decodeLine(const QByteArray &bytes)
{
    if (TextFile::isValidUtf8(bytes.constData(), bytes.size())) {
        // A U+FEFF that starts a line is the line's text, not a byte-order mark to drop.
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
        return utf8.decode(bytes);
    }
    return TextFile::fromWindows1252(bytes);
}

QString notRegularReason(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists() || info.isFile())
        return {};
    if (info.isDir())
        return QStringLiteral("%1 is a folder, not a file.").arg(path);
    return QStringLiteral("%1 is not a regular file (a pipe, socket or device).").arg(path);
}

QString nulReason(const QString &path, const QByteArray &bytes)
{
    // UTF-16 holds a NUL byte beside every ASCII character: it starts with its byte-order
    // mark, or (without one) every other byte of its start is NUL.
    bool utf16 = bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
    if (!utf16) {
        const qsizetype n = qMin<qsizetype>(bytes.size(), 4096) & ~qsizetype(1);
        qsizetype even = 0, odd = 0;
        for (qsizetype i = 0; i < n; i += 2) {
            even += bytes[i] == '\0';
            odd += bytes[i + 1] == '\0';
        }
        utf16 = n >= 8 && (even * 10 >= n * 4 || odd * 10 >= n * 4) && qMin(even, odd) * 10 < n / 2;
    }
    if (utf16)
        return QStringLiteral("%1 is in UTF-16; the program's files are UTF-8 (or Windows-1252) text. "
                              "Save it in UTF-8 to use it here.")
            .arg(path);
    return QStringLiteral("%1 holds binary data (NUL bytes), not text.").arg(path);
}

QStringList read(const QString &path, bool *ok, QString *error)
{
    return readKept(path, ok, error).lines;
}

Kept readKept(const QString &path, bool *ok, QString *error)
{
    auto fail = [&](const QString &why) {
        if (ok)
            *ok = false;
        if (error)
            *error = why;
        return Kept();
    };
    const QFileInfo info(path);
    if (!info.exists())
        return fail(QStringLiteral("%1 does not exist.").arg(path));
    const QString odd = notRegularReason(path);
    if (!odd.isEmpty())
        return fail(odd);
    if (info.size() > MaxSize)
        return fail(QStringLiteral("%1 is too large (%2 bytes).").arg(path).arg(info.size()));
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return fail(f.errorString());
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError)
        return fail(f.errorString());
    if (bytes.contains('\0'))
        return fail(nulReason(path, bytes));
    if (ok)
        *ok = true;
    Kept kept;
    kept.lines = parse(bytes, &kept.raw);
    return kept;
}

QStringList parse(QByteArray bytes, QHash<QString, QByteArray> *raw)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = bytes[i];
        if (c != '\n' && c != '\r')
            continue;
        lines << decodeLine(bytes.mid(start, i - start));
        if (raw && !TextFile::isValidUtf8(bytes.constData() + start, i - start))
            raw->insert(lines.last(), bytes.mid(start, i - start));
        if (c == '\r' && i + 1 < n && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < n) {
        lines << decodeLine(bytes.mid(start));
        if (raw && !TextFile::isValidUtf8(bytes.constData() + start, n - start))
            raw->insert(lines.last(), bytes.mid(start));
    }
    return lines;
}

QByteArray encode(const QStringList &lines, const QHash<QString, QByteArray> &raw)
{
    QByteArray bytes;
    for (const QString &line : lines) {
        const auto kept = raw.constFind(line);
        bytes += kept != raw.constEnd() ? *kept : line.toUtf8();
        bytes += "\r\n";
    }
    return bytes;
}

bool write(const QString &path, const QStringList &lines, QString *error)
{
    return SafeFile::replace(path, encode(lines), error);
}

bool write(const QString &path, const QStringList &lines, const QHash<QString, QByteArray> &raw, QString *error)
{
    return SafeFile::replace(path, encode(lines, raw), error);
}

} // namespace LineFile
