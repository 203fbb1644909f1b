#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A small file system of its own (a tmpfs of a given size and number of files), mounted for
// one test. Mounting needs root, as CI runs; elsewhere ok() is false and the test skips.
class SmallDisk {
public:
    SmallDisk(qint64 bytes, int files = 0);
    ~SmallDisk();
    SmallDisk(const SmallDisk &) = delete;
    SmallDisk &operator=(const SmallDisk &) = delete;

    bool ok() const { return mounted_; }
    QString path(const QString &name = QString()) const;
    QString write(const QString &name, const QByteArray &bytes) const;
    QByteArray read(const QString &name) const;
    // Fills the disk with a file until at most `left` bytes stay free.
    void fillLeaving(qint64 left) const;
    qint64 freeBytes() const;

private:
    QTemporaryDir dir_;
    bool mounted_ = false;
};

#define REQUIRE_SMALL_DISK(disk)                                                                   \
    if (!(disk).ok())                                                                              \
    GTEST_SKIP() << "a small file system can only be mounted as root"
