#include "SmallDisk.h"

#include <QDir>
#include <QFile>

#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>

SmallDisk::SmallDisk(qint64 bytes, int files)
{
    if (geteuid() != 0 || !dir_.isValid())
        return;
    QByteArray options = "size=" + QByteArray::number(bytes);
    if (files > 0)
        options += ",nr_inodes=" + QByteArray::number(files);
    mounted_ = ::mount("tmpfs", QFile::encodeName(dir_.path()).constData(), "tmpfs", 0, options.constData()) == 0;
}

SmallDisk::~SmallDisk()
{
    if (mounted_)
        ::umount2(QFile::encodeName(dir_.path()).constData(), MNT_DETACH);
}

QString SmallDisk::path(const QString &name) const
{
    return name.isEmpty() ? dir_.path() : QDir(dir_.path()).filePath(name);
}

QString SmallDisk::write(const QString &name, const QByteArray &bytes) const
{
    QFile f(path(name));
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
    return path(name);
}

QByteArray SmallDisk::read(const QString &name) const
{
    QFile f(path(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

qint64 SmallDisk::freeBytes() const
{
    struct statvfs s {};
    if (::statvfs(QFile::encodeName(dir_.path()).constData(), &s) != 0)
        return 0;
    return qint64(s.f_bavail) * qint64(s.f_frsize);
}

void SmallDisk::fillLeaving(qint64 left) const
{
    QFile f(path(QStringLiteral("filler")));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return;
    const QByteArray block(4096, 'f');
    while (freeBytes() > left)
        if (f.write(block.constData(), qMin<qint64>(block.size(), freeBytes() - left)) <= 0)
            break;
}
