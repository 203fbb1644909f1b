#include "TextFile.h"

#include "SafeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringEncoder>

#include <array>
#include <cstring>

namespace TextFile {

namespace {

// Windows-1252 bytes 0x80..0x9F. The five bytes the code page leaves undefined map to the C1
// control of the same value, so that any byte sequence decodes and encodes back unchanged.
constexpr std::array<char16_t, 32> cp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString decode1252(const QByteArray &bytes)
{
    QString out(bytes.size(), Qt::Uninitialized);
    QChar *d = out.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        d[i] = (b >= 0x80 && b < 0xA0) ? QChar(cp1252High[b - 0x80]) : QChar(b);
    }
    return out;
}

bool encode1252(const QString &text, QByteArray *out)
{
    out->resize(text.size());
    char *d = out->data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            d[i] = char(c);
            continue;
        }
        int found = -1;
        for (int k = 0; k < 32; ++k)
            if (cp1252High[k] == c) {
                found = k;
                break;
            }
        if (found < 0)
            return false;
        d[i] = char(0x80 + found);
    }
    return true;
}

Eol detectEol(const QByteArray &utf8)
{
    const qsizetype n = utf8.indexOf('\n');
    const qsizetype r = utf8.indexOf('\r');
    if (r >= 0 && (n < 0 || r < n))
        return (r + 1 < utf8.size() && utf8[r + 1] == '\n') ? Eol::CrLf : Eol::Cr;
    return Eol::Lf;
}

QByteArray declaredCharset(const QByteArray &bytes)
{
    static const QRegularExpression re(
        QStringLiteral("<meta[^>]*charset\\s*=\\s*[\"']?\\s*([A-Za-z0-9_.:-]+)"),
        QRegularExpression::CaseInsensitiveOption);
    const QString head = QString::fromLatin1(bytes.left(2048));
    const QRegularExpressionMatch m = re.match(head);
    return m.hasMatch() ? m.captured(1).toLatin1().toLower() : QByteArray();
}

} // namespace

QString fromWindows1252(const QByteArray &bytes)
{
    return decode1252(bytes);
}

bool isValidUtf8(const char *data, qsizetype size)
{
    const auto *s = reinterpret_cast<const unsigned char *>(data);
    qsizetype i = 0;
    while (i < size) {
        // Skip plain ASCII eight bytes at a time.
        if (i + 8 <= size) {
            quint64 chunk;
            std::memcpy(&chunk, s + i, 8);
            if ((chunk & 0x8080808080808080ULL) == 0) {
                i += 8;
                continue;
            }
        }
        const unsigned char c = s[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int len;
        quint32 cp;
        if ((c & 0xE0) == 0xC0) { len = 2; cp = c & 0x1F; }
        else if ((c & 0xF0) == 0xE0) { len = 3; cp = c & 0x0F; }
        else if ((c & 0xF8) == 0xF0) { len = 4; cp = c & 0x07; }
        else return false;
        if (i + len > size)
            return false;
        for (int k = 1; k < len; ++k) {
            if ((s[i + k] & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (s[i + k] & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
        if ((len == 2 && cp < 0x80) || (len == 3 && cp < 0x800) || (len == 4 && cp < 0x10000) ||
            cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += len;
    }
    return true;
}

namespace {

// Whether bytes after a UTF-16 byte-order mark really are UTF-16 text: whole code units, no
// NUL, surrogates in pairs, and (as every web page and text file has) some characters from
// the first 256 near the start. A Windows-1252 page that happens to start with "ÿþ" or "þÿ" is
// none of these.
bool looksLikeUtf16(const QByteArray &bytes, bool le)
{
    const qsizetype n = bytes.size() - 2;
    if (n % 2)
        return false;
    const auto *s = reinterpret_cast<const unsigned char *>(bytes.constData()) + 2;
    bool low = n == 0;
    bool highSurrogate = false;
    for (qsizetype i = 0; i < n; i += 2) {
        const char16_t u = le ? char16_t(s[i] | (s[i + 1] << 8)) : char16_t((s[i] << 8) | s[i + 1]);
        if (u == 0)
            return false;
        const bool high = u >= 0xD800 && u <= 0xDBFF, lowSur = u >= 0xDC00 && u <= 0xDFFF;
        if (highSurrogate != lowSur)
            return false;
        highSurrogate = high;
        if (u < 0x100 && i < 4096)
            low = true;
    }
    return low && !highSurrogate;
}

// A declared charset the system's converters know and that gives the file's bytes back
// exactly when the text is written again.
bool convertsLosslessly(const QByteArray &bytes, const QByteArray &charset)
{
    QStringDecoder decoder(charset.constData());
    if (!decoder.isValid())
        return false;
    const QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return false;
    QStringEncoder encoder(charset.constData());
    const QByteArray back = encoder.encode(text);
    return !encoder.hasError() && back == bytes;
}

} // namespace

Format detect(const QByteArray &bytes)
{
    Format f;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        f.encoding = Encoding::Utf8;
        f.bom = true;
        return f;
    }
    if (bytes.startsWith("\xFF\xFE") && looksLikeUtf16(bytes, true)) {
        f.encoding = Encoding::Utf16LE;
        f.bom = true;
        return f;
    }
    if (bytes.startsWith("\xFE\xFF") && looksLikeUtf16(bytes, false)) {
        f.encoding = Encoding::Utf16BE;
        f.bom = true;
        return f;
    }
    const bool utf8 = isValidUtf8(bytes.constData(), bytes.size());
    const QByteArray declared = declaredCharset(bytes);
    if (!declared.isEmpty() && declared != "utf-8" && declared != "utf8") {
        // A page that declares a single-byte Western charset is read as Windows-1252, the
        // superset browsers use for all of them.
        static const QList<QByteArray> western = {"windows-1252", "cp1252", "iso-8859-1", "latin1",
                                                  "iso-8859-15", "us-ascii", "ascii", "x-cp1252"};
        if (western.contains(declared)) {
            f.encoding = Encoding::Windows1252;
            return f;
        }
        // Any other charset the system can convert, when it reads and writes the file
        // losslessly; utf-16 declared in a file without a byte-order mark is not one.
        if (!declared.startsWith("utf") && convertsLosslessly(bytes, declared)) {
            f.encoding = Encoding::Other;
            f.charset = declared;
            return f;
        }
    }
    f.encoding = utf8 ? Encoding::Utf8 : Encoding::Windows1252;
    return f;
}

Loaded decode(const QByteArray &bytes)
{
    Loaded r;
    r.format = detect(bytes);
    const QByteArray declared = declaredCharset(bytes);
    if (r.format.encoding == Encoding::Windows1252 && !declared.isEmpty() && !declared.startsWith("utf") &&
        !QList<QByteArray>({"windows-1252", "cp1252", "iso-8859-1", "latin1", "iso-8859-15", "us-ascii", "ascii",
                            "x-cp1252"})
             .contains(declared))
    {
        r.note = QStringLiteral("The page declares the charset %1, which cannot be read here: shown as Windows-1252.")
                     .arg(QString::fromLatin1(declared));
        r.unreadCharset = declared;
    }
    switch (r.format.encoding) {
    case Encoding::Other: {
        if (bytes.contains('\0')) {
            r.error = QStringLiteral("The file contains NUL bytes; it looks like a binary file, not text.");
            return r;
        }
        QStringDecoder decoder(r.format.charset.constData());
        r.utf8 = QString(decoder.decode(bytes)).toUtf8();
        break;
    }
    case Encoding::Utf8:
        if (bytes.contains('\0')) {
            r.error = QStringLiteral("The file contains NUL bytes; it looks like a binary file, not text.");
            return r;
        }
        r.utf8 = r.format.bom ? bytes.mid(3) : bytes;
        break;
    case Encoding::Windows1252:
        if (bytes.contains('\0')) {
            r.error = QStringLiteral("The file contains NUL bytes; it looks like a binary file, not text.");
            return r;
        }
        r.utf8 = decode1252(bytes).toUtf8();
        break;
    case Encoding::Utf16LE:
    case Encoding::Utf16BE: {
        const QByteArray body = bytes.mid(2);
        if (body.size() % 2) {
            r.error = QStringLiteral("The file is not valid UTF-16 text.");
            return r;
        }
        QString text(body.size() / 2, Qt::Uninitialized);
        const bool le = r.format.encoding == Encoding::Utf16LE;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const auto a = static_cast<unsigned char>(body[2 * i]);
            const auto b = static_cast<unsigned char>(body[2 * i + 1]);
            text[i] = QChar(le ? char16_t(a | (b << 8)) : char16_t((a << 8) | b));
        }
        if (text.contains(QChar(0))) {
            r.error = QStringLiteral("The file contains NUL characters; it looks like a binary file, not text.");
            return r;
        }
        r.utf8 = text.toUtf8();
        // Unpaired surrogates would not survive the trip through UTF-8.
        if (QString::fromUtf8(r.utf8) != text) {
            r.utf8.clear();
            r.error = QStringLiteral("The file is not valid UTF-16 text.");
            return r;
        }
        break;
    }
    }
    r.format.eol = detectEol(r.utf8);
    r.ok = true;
    return r;
}

Loaded load(const QString &path)
{
    Loaded r;
    const QFileInfo info(path);
    if (!info.exists()) {
        r.error = QStringLiteral("The file does not exist.");
        return r;
    }
    if (info.isDir()) {
        r.error = QStringLiteral("This is a folder, not a file.");
        return r;
    }
    // A pipe, socket or device would be waited on, or read without end.
    if (!info.isFile()) {
        r.error = QStringLiteral("This is not a regular file (a pipe, socket or device).");
        return r;
    }
    if (info.size() > MaxFileSize) {
        r.error = QStringLiteral("The file is too large to edit (%1 MB; the limit is %2 MB).")
                      .arg(info.size() / (1024 * 1024))
                      .arg(MaxFileSize / (1024 * 1024));
        return r;
    }
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        r.error = f.errorString();
        return r;
    }
    // One read into a buffer of the file's size: no copy through a read buffer.
    QByteArray bytes(f.size(), Qt::Uninitialized);
    const qint64 got = f.read(bytes.data(), bytes.size());
    if (got < 0 || f.error() != QFileDevice::NoError) {
        r.error = f.errorString();
        return r;
    }
    bytes.truncate(got);
    return decode(bytes);
}

bool encode(const QByteArray &utf8, const Format &format, QByteArray *out)
{
    switch (format.encoding) {
    case Encoding::Other: {
        QStringEncoder encoder(format.charset.constData());
        if (!encoder.isValid())
            return false;
        *out = encoder.encode(QString::fromUtf8(utf8));
        return !encoder.hasError();
    }
    case Encoding::Utf8:
        *out = format.bom ? QByteArray("\xEF\xBB\xBF") + utf8 : utf8;
        return true;
    case Encoding::Windows1252:
        return encode1252(QString::fromUtf8(utf8), out);
    case Encoding::Utf16LE:
    case Encoding::Utf16BE: {
        const QString text = QString::fromUtf8(utf8);
        const bool le = format.encoding == Encoding::Utf16LE;
        out->clear();
        out->reserve(2 + text.size() * 2);
        out->append(le ? "\xFF\xFE" : "\xFE\xFF", 2);
        for (QChar c : text) {
            const char16_t u = c.unicode();
            const char lo = char(u & 0xFF), hi = char(u >> 8);
            out->append(le ? lo : hi);
            out->append(le ? hi : lo);
        }
        return true;
    }
    }
    return false;
}

QString backupName(const QString &path)
{
    const QFileInfo info(path);
    const QString base = info.completeSuffix().isEmpty()
                             ? info.fileName()
                             : info.fileName().left(info.fileName().size() - info.suffix().size() - 1);
    return info.dir().filePath(base + QLatin1String(".BAK"));
}

bool save(const QString &path, const QByteArray &utf8, const Format &format, bool backup, QString *error)
{
    QByteArray bytes;
    if (!encode(utf8, format, &bytes)) {
        *error = QStringLiteral("The text holds characters that %1 cannot store.").arg(encodingName(format.encoding));
        return false;
    }
    const QFileInfo info(path);
    if (info.exists() && !info.isWritable()) {
        *error = QStringLiteral("The file is read-only.");
        return false;
    }
    if (backup && !makeBackup(path, error))
        return false;
    return SafeFile::replace(path, bytes, error);
}

bool makeBackup(const QString &path, QString *error)
{
    const QFileInfo info(path);
    const QString bak = backupName(path);
    if (!info.isFile() || bak == path)
        return true;
    QString why;
    if (!SafeFile::copy(path, bak, &why)) {
        *error = QStringLiteral("Unable to keep the backup copy %1.\n\n%2").arg(bak, why);
        return false;
    }
    return true;
}

QString encodingName(Encoding e)
{
    switch (e) {
    case Encoding::Utf8: return QStringLiteral("UTF-8");
    case Encoding::Utf16LE: return QStringLiteral("UTF-16LE");
    case Encoding::Utf16BE: return QStringLiteral("UTF-16BE");
    case Encoding::Windows1252: return QStringLiteral("Windows-1252");
    case Encoding::Other: return QStringLiteral("Other");
    }
    return {};
}

QString encodingName(const Format &f)
{
    return f.encoding == Encoding::Other ? QString::fromLatin1(f.charset).toUpper() : encodingName(f.encoding);
}

QByteArray charsetName(const Format &f)
{
    switch (f.encoding) {
    case Encoding::Utf8: return "utf-8";
    case Encoding::Utf16LE: return "utf-16le";
    case Encoding::Utf16BE: return "utf-16be";
    case Encoding::Windows1252: return "windows-1252";
    case Encoding::Other: return f.charset;
    }
    return "utf-8";
}

QString eolName(Eol e)
{
    switch (e) {
    case Eol::CrLf: return QStringLiteral("CR LF");
    case Eol::Lf: return QStringLiteral("LF");
    case Eol::Cr: return QStringLiteral("CR");
    }
    return {};
}

} // namespace TextFile
