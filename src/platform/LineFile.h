#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

// The program's own line files (macros, plug-ins, symbols, tips, the library, notes, projects,
// tables, URL lists): text of the program, not web pages. They are written as UTF-8 with CR LF
// line ends, by atomic replace; on reading, lines may end in CR LF, LF or CR, and a line whose
// bytes are not valid UTF-8 is taken as Windows-1252. The encoding is never guessed from the
// content, so a macro holding a <meta charset> tag reads back as it was written.
namespace LineFile {

// Larger files are refused rather than read into memory.
constexpr qint64 MaxSize = qint64(64) * 1024 * 1024;

// One line's bytes as text: UTF-8 when they are valid UTF-8, else Windows-1252.
QString decodeLine(const QByteArray &bytes);

// The lines of a file's bytes, as read() gives them. With raw, the bytes of each line that is
// not UTF-8 (taken as Windows-1252) are kept there under its text, so that writing the lines
// again gives back the bytes of those that did not change.
QStringList parse(QByteArray bytes, QHash<QString, QByteArray> *raw = nullptr);

// A file's lines with the bytes of those that are not UTF-8 (see parse).
struct Kept {
    QStringList lines;
    QHash<QString, QByteArray> raw;
};
Kept readKept(const QString &path, bool *ok = nullptr, QString *error = nullptr);

// The lines of a file, without a last empty line and without a leading UTF-8 byte-order mark.
// A missing, unreadable or unsuitable file (a folder, a pipe, binary data) gives an empty
// list, with *ok false and *error saying why.
QStringList read(const QString &path, bool *ok = nullptr, QString *error = nullptr);

// The bytes of lines as written: UTF-8, each line ended by CR LF; a line found in raw keeps
// the bytes it was read with.
QByteArray encode(const QStringList &lines, const QHash<QString, QByteArray> &raw = {});

// Writes lines by atomic replace; false with *error saying why, the old file intact.
bool write(const QString &path, const QStringList &lines, QString *error);
bool write(const QString &path, const QStringList &lines, const QHash<QString, QByteArray> &raw, QString *error);

// Why bytes that hold NUL bytes are not a line file: UTF-16 text, or binary data.
QString nulReason(const QString &path, const QByteArray &bytes);

// Why path cannot be read as a file (a folder, a pipe, a device), or an empty string when it
// is a regular file or does not exist.
QString notRegularReason(const QString &path);

} // namespace LineFile
