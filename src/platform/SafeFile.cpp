#include "SafeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace SafeFile {

namespace {

QString systemReason(int err)
{
    return QString::fromLocal8Bit(std::strerror(err));
}

// Writes every byte to fd, going on after short writes; false with errno set on failure.
bool writeAll(int fd, const char *data, qint64 size)
{
    qint64 done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd, data + done, size_t(qMin<qint64>(size - done, qint64(1) << 20)));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0) {
            errno = ENOSPC;
            return false;
        }
        done += n;
    }
    return true;
}

// Writes over an existing file whose folder refuses new files.
bool writeInPlace(const QString &path, const QByteArray &bytes, QString *error)
{
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) {
        *error = systemReason(errno);
        return false;
    }
    auto fail = [&](int err) {
        ::close(fd);
        *error = systemReason(err);
        return false;
    };
    // Room for the new text first: a full disk is reported while the old text is whole.
    if (!bytes.isEmpty()) {
        const int r = ::posix_fallocate(fd, 0, off_t(bytes.size()));
        if (r != 0 && r != EOPNOTSUPP && r != EINVAL)
            return fail(r);
    }
    if (!writeAll(fd, bytes.constData(), bytes.size()))
        return fail(errno);
    if (::ftruncate(fd, off_t(bytes.size())) != 0)
        return fail(errno);
    if (::fsync(fd) != 0 && errno != EINVAL)
        return fail(errno);
    if (::close(fd) != 0) {
        *error = systemReason(errno);
        return false;
    }
    return true;
}

} // namespace

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
    if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        // No temporary file beside the target (a folder the user may not write to, or one
        // that has no room for another file): a writable file can still be written in place.
        if (info.exists())
            return writeInPlace(path, bytes, error);
        *error = out.errorString();
        return false;
    }
    // Every byte reaches the file system before the commit, so a full disk is reported by the
    // write that meets it instead of being lost in a buffer that the commit flushes.
    if (!writeAll(int(out.handle()), bytes.constData(), bytes.size()) || ::fsync(int(out.handle())) != 0) {
        *error = systemReason(errno);
        out.cancelWriting();
        return false;
    }
    if (!out.commit()) {
        *error = out.errorString();
        return false;
    }
    return true;
}

bool copy(const QString &source, const QString &target, QString *error)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        *error = in.errorString();
        return false;
    }
    const QByteArray bytes = in.readAll();
    if (in.error() != QFileDevice::NoError) {
        *error = in.errorString();
        return false;
    }
    return replace(target, bytes, error);
}

} // namespace SafeFile
