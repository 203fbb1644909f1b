#pragma once

#include <QByteArray>
#include <QString>

// Writing a file so that a failure never leaves it half-written: the bytes go to a temporary
// file beside the target, every write and the flush to the disk are checked, and only then
// does the temporary file take the target's place.
namespace SafeFile {

// Replaces path with bytes. On failure *error says why (the system's reason, such as "No space
// left on device") and the file on disk is unchanged.
//
// A writable file in a folder that refuses the temporary file is written in place instead:
// the file is first grown to the new size, so that a full disk is found before its first byte
// is overwritten; only a failure after that point (a disk error in mid-write) can damage it.
bool replace(const QString &path, const QByteArray &bytes, QString *error);

// Copies source to target by the same safe replace. False with *error saying why.
bool copy(const QString &source, const QString &target, QString *error);

} // namespace SafeFile
