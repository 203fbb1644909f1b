#include "ProjectTree.h"

#include <QCoreApplication>

int ProjectTree::subtreeEnd(int i) const
{
    int j = i + 1;
    while (j < count() && entries_[j].level > entries_[i].level)
        ++j;
    return j;
}

int ProjectTree::parentOf(int i) const
{
    for (int j = i - 1; j >= 0; --j)
        if (entries_[j].level < entries_[i].level)
            return j;
    return -1;
}

int ProjectTree::previousSibling(int i) const
{
    for (int j = i - 1; j >= 0; --j) {
        if (entries_[j].level == entries_[i].level)
            return j;
        if (entries_[j].level < entries_[i].level)
            return -1;
    }
    return -1;
}

int ProjectTree::insertBefore(int i, const QString &text)
{
    if (i < 0 || i >= count()) {
        append(text);
        return count() - 1;
    }
    entries_.insert(i, Entry{text, entries_[i].level, true});
    return i;
}

void ProjectTree::append(const QString &text, int level)
{
    entries_.append(Entry{text, level, true});
}

void ProjectTree::remove(int i)
{
    if (i >= 0 && i < count())
        entries_.remove(i, subtreeEnd(i) - i);
}

int ProjectTree::moveSubtree(int i, int to, int level)
{
    const int end = subtreeEnd(i);
    QList<Entry> moved = entries_.mid(i, end - i);
    const int shift = level - moved.first().level;
    for (Entry &e : moved)
        e.level += shift;
    entries_.remove(i, end - i);
    if (to > i)
        to -= end - i;
    for (int k = 0; k < moved.size(); ++k)
        entries_.insert(to + k, moved[k]);
    return to;
}

int ProjectTree::moveUp(int i)
{
    if (i < 1 || i >= count())
        return -1;
    return moveSubtree(i, i - 1, entries_[i - 1].level);
}

int ProjectTree::moveDown(int i)
{
    // One place down among its siblings: after the next sibling and that sibling's own
    // sub-entries. The last of its group stays where it is ("<" takes it out of the group).
    if (i < 0 || i >= count())
        return -1;
    const int next = subtreeEnd(i);
    if (next >= count() || entries_[next].level != entries_[i].level)
        return -1;
    return moveSubtree(i, subtreeEnd(next), entries_[i].level);
}

int ProjectTree::moveLeft(int i)
{
    if (i < 0 || i >= count() || entries_[i].level <= 1)
        return -1;
    const int parent = parentOf(i);
    return moveSubtree(i, parent, entries_[parent].level);
}

int ProjectTree::moveRight(int i)
{
    if (i < 0 || i >= count() || previousSibling(i) < 0)
        return -1;
    const int end = subtreeEnd(i);
    for (int k = i; k < end; ++k)
        ++entries_[k].level;
    return i;
}

QStringList ProjectTree::fileLines() const
{
    QStringList lines;
    lines.reserve(count() + 1);
    lines << title;
    for (const Entry &e : entries_)
        lines << QString(e.level - 1, u'\t') + e.text;
    return lines;
}

bool ProjectTree::fromLines(const QStringList &lines, ProjectTree *out, QString *error)
{
    auto fail = [&](const QString &why) {
        *error = QCoreApplication::translate("ProjectTree", "File load error") + QStringLiteral("\n\n") + why;
        return false;
    };
    if (lines.isEmpty())
        return fail(QCoreApplication::translate("ProjectTree", "The file is empty: a project file starts with its title."));
    ProjectTree tree;
    int previous = 0; // the title's level
    for (int n = 0; n < lines.size(); ++n) {
        const QString &line = lines[n];
        int tabs = 0;
        while (tabs < line.size() && line[tabs] == u'\t')
            ++tabs;
        if (tabs > previous)
            return fail(QCoreApplication::translate("ProjectTree",
                                                    "Line %1 is nested more than one level below the line before it.")
                            .arg(n + 1));
        if (n == 0) {
            tree.title = line;
        } else {
            tree.append(line.mid(tabs), tabs + 1);
            previous = tabs + 1;
        }
    }
    *out = std::move(tree);
    return true;
}
