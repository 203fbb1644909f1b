#pragma once

#include <QByteArray>
#include <QString>

// Writing a file so that a failure never leaves it half-written: the bytes go to a temporary
// file beside the target, every write and the final flush are checked, and only then does the
// temporary file take the target's place.
namespace SafeFile {

// Replaces path with bytes. On failure *error says why (the system's reason, such as "No space
// left on device") and the file on disk is unchanged.
bool replace(const QString &path, const QByteArray &bytes, QString *error);

} // namespace SafeFile
