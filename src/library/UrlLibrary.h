#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The URL library file ("library.fil" in the program folder): one entry a line, written in
// the order given (the windows keep it sorted), and the search that finds the link elements
// of a document's text.
namespace UrlLibrary {

QString path();

// The entries of a library file. A missing file is an empty library (*ok true); an unreadable
// or unsuitable one gives no entries, *ok false and *error saying why.
QStringList read(const QString &file, bool *ok, QString *error);

// Writes the entries by atomic replace; false with *error saying why, the old file intact.
// A line break inside an entry is written as a space, so the entry comes back whole (a link
// element means the same in HTML either way).
bool write(const QString &file, const QStringList &entries, QString *error);

// The line the file holds for an entry.
QString fileLine(const QString &entry);

// A link element's place in a text: byte offsets from its "<A HREF=" to after its "</A>".
struct Link {
    qsizetype start;
    qsizetype end;
};

// Every "<A HREF=" (in any case) followed later by a "</A>", in one pass: the element runs
// from the opening to the first closing after it, and the search goes on after that closing.
// An opening without a later closing is not a link, and neither is any opening after it.
QList<Link> findLinks(const char *text, qsizetype length);

} // namespace UrlLibrary
