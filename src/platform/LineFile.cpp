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

QStringList read(const QString &path, bool *ok, QString *error)
{
    auto fail = [&](const QString &why) {
        if (ok)
            *ok = false;
        if (error)
            *error = why;
        return QStringList();
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
        return fail(QStringLiteral("%1 holds binary data (NUL bytes), not text.").arg(path));
    if (ok)
        *ok = true;
    return parse(bytes);
}

QStringList parse(QByteArray bytes)
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
        if (c == '\r' && i + 1 < n && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines << decodeLine(bytes.mid(start));
    return lines;
}

QByteArray encode(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines) {
        bytes += line.toUtf8();
        bytes += "\r\n";
    }
    return bytes;
}

bool write(const QString &path, const QStringList &lines, QString *error)
{
    return SafeFile::replace(path, encode(lines), error);
}

} // namespace LineFile
