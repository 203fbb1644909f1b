#pragma once

#include <QStringList>

// The recent-files list of the File menu: four entries, the most recent first, some possibly
// empty. Entries compare exactly, as paths do on this file system.
class RecentFiles {
public:
    static constexpr int Size = 4;

    RecentFiles() = default;
    explicit RecentFiles(const QStringList &entries) : entries_(entries) {}

    // Puts name at the top, drops an older copy of it and keeps the three most recent others.
    // A name with a line break is left out: the list is stored one name a line.
    void MRUUpdate(const QString &name);
    const QStringList &entries() const { return entries_; }
    QString entry(int i) const { return i >= 0 && i < entries_.size() ? entries_[i] : QString(); }
    void append(const QString &name) { entries_ << name; }

private:
    QStringList entries_;
};
