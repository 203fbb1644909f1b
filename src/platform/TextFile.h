#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Reads and writes documents whole, so that opening and saving without an edit gives back the
// same bytes: the encoding, a byte-order mark, the line endings and the final line break are
// kept. The text travels to and from the editor as UTF-8.
namespace TextFile {

// Other: a charset the page declares that the system's converters know (Shift_JIS, KOI8-R,
// ...), named in Format::charset.
enum class Encoding { Utf8, Utf16LE, Utf16BE, Windows1252, Other };
enum class Eol { CrLf, Lf, Cr };

struct Format {
    Encoding encoding = Encoding::Utf8;
    bool bom = false;
    Eol eol = Eol::Lf;
    QByteArray charset; // for Encoding::Other
};

struct Loaded {
    bool ok = false;
    QString error;   // the reason, for the user, when !ok
    QByteArray utf8; // the text
    Format format;
    // Something the user should know about how the file was read (a declared charset that
    // could not be used), or empty.
    QString note;
    QByteArray unreadCharset; // the declared charset the note is about
};

// Files larger than this are refused rather than read into memory.
constexpr qint64 MaxFileSize = qint64(512) * 1024 * 1024;

// The encoding of bytes: a byte-order mark; else a charset declared in a <meta> tag near the
// start; else UTF-8 when the bytes are valid UTF-8; else Windows-1252.
Format detect(const QByteArray &bytes);

// Decodes bytes read from a file; refuses text with NUL bytes (a binary file).
Loaded decode(const QByteArray &bytes);
Loaded load(const QString &path);

// The bytes that store utf8 in format. Returns false when a character has no code in the
// format's encoding (Windows-1252 holds only 256 characters).
bool encode(const QByteArray &utf8, const Format &format, QByteArray *out);

// Saves by atomic replace. With backup, an existing file is first copied to the same name with
// the extension "BAK" (and the save does not go ahead when that copy fails). On failure *error
// says why and the file on disk is unchanged.
bool save(const QString &path, const QByteArray &utf8, const Format &format, bool backup, QString *error);

// Copies an existing file to its "BAK" name; the new copy replaces the old one atomically, so
// there is always a whole backup. True when there is nothing to copy.
bool makeBackup(const QString &path, QString *error);

QString backupName(const QString &path);
QString encodingName(Encoding e);
// The name of a format's encoding, the declared charset's for Encoding::Other.
QString encodingName(const Format &f);
// The charset name a browser knows the format's encoding by.
QByteArray charsetName(const Format &f);
QString eolName(Eol e);

bool isValidUtf8(const char *data, qsizetype size);

// Bytes as Windows-1252 text; every byte decodes, and encodes back to itself.
QString fromWindows1252(const QByteArray &bytes);

} // namespace TextFile
