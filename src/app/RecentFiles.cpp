#include "RecentFiles.h"

void RecentFiles::MRUUpdate(const QString &name)
{
    if (name.contains(u'\n') || name.contains(u'\r'))
        return;
    // Earlier copies of the name go, from the first entry to the one before the last.
    for (qsizetype i = 0; i + 1 < entries_.size();) {
        if (entries_[i] == name)
            entries_.removeAt(i);
        else
            ++i;
    }
    while (entries_.size() >= Size)
        entries_.removeLast();
    while (entries_.size() < Size - 1)
        entries_.append(QString());
    entries_.prepend(name);
}
