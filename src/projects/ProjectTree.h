#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A project: a title and an ordered tree of file entries, kept as the list of entries in
// display order (a parent before its sub-entries), each with its level (1 at the top). The
// moves keep the subtree of the moved entry together.
class ProjectTree {
public:
    struct Entry {
        QString text;
        int level = 1;
        bool open = true; // shown with its sub-entries
    };

    QString title;

    const QList<Entry> &entries() const { return entries_; }
    int count() const { return int(entries_.size()); }
    const Entry &at(int i) const { return entries_[i]; }
    void clear() { entries_.clear(); }
    void setOpen(int i, bool open) { entries_[i].open = open; }

    bool hasChildren(int i) const { return i + 1 < count() && entries_[i + 1].level > entries_[i].level; }
    // The index after i's subtree.
    int subtreeEnd(int i) const;
    int parentOf(int i) const;     // -1 at the top level
    int previousSibling(int i) const; // -1 for the first of its group

    // Inserts text before entry i at its level, or at the end at the top level when i is
    // outside the list; returns the new entry's index.
    int insertBefore(int i, const QString &text);
    void append(const QString &text, int level = 1);
    void remove(int i); // with its sub-entries

    // The moves; each returns the moved entry's new index, or -1 when the move does not apply.
    int moveUp(int i);
    int moveDown(int i);
    int moveLeft(int i);
    int moveRight(int i);

    // The project file's lines: the title, then each entry after (level - 1) tabs.
    QStringList fileLines() const;
    // Reads a project file's lines into a new project; false, with *error saying why, for a
    // file that is not a project (an indented first line, a line nested more than one level
    // below the one before it, no lines at all).
    static bool fromLines(const QStringList &lines, ProjectTree *out, QString *error);

private:
    // Moves the subtree at i to stand before index to (an index of the list as it is), with
    // its levels shifted so that its root gets level; returns the root's new index.
    int moveSubtree(int i, int to, int level);

    QList<Entry> entries_;
};
