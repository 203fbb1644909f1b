#include "SafeFile.h"

#include <QFileInfo>
#include <QSaveFile>

namespace SafeFile {

bool replace(const QString &path, const QByteArray &bytes, QString *error)
{
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        *error = info.isDir() ? QStringLiteral("A folder stands in the file's place.")
                              : QStringLiteral("It is not a regular file.");
        return false;
    }
    // A read-only file refuses the write even where its folder would allow a replace.
    if (info.exists() && !info.isWritable()) {
        *error = QStringLiteral("The file is read-only.");
        return false;
    }
    QSaveFile out(path);
    // Unbuffered, each write reaches the file system at once, so a full disk is reported by
    // the write that meets it rather than lost in a buffer flushed at the commit.
    if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        *error = out.errorString();
        return false;
    }
    const qint64 written = out.write(bytes);
    if (written != bytes.size() || !out.flush() || out.error() != QFileDevice::NoError) {
        *error = out.error() != QFileDevice::NoError ? out.errorString()
                                                     : QStringLiteral("Only part of the file could be written.");
        out.cancelWriting();
        return false;
    }
    if (!out.commit()) {
        *error = out.errorString();
        return false;
    }
    return true;
}

} // namespace SafeFile
