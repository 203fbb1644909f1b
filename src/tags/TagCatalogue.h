#pragma once

#include <QDateTime>
#include <QHash>
#include <QString>

// The fixed tag commands of the Insert menu, the Shortcuts submenu and the tag toolbars: each
// handler's opening and closing texts. A command with a selection variant uses its first pair
// when text is selected and the second otherwise. Texts may hold the fields {User Name},
// {EMail}, {Home Page}, {Organisation}, {date} and {address}, filled in at each use.
namespace TagCatalogue {

struct Command {
    const char *handler;
    const char *open;
    const char *close;
    bool bySelection;
    const char *openNoSelection;
    const char *closeNoSelection;
};

extern const Command commands[];
extern const int commandCount;

// The address the {address} field stands for.
extern const char *const PlaceholderAddress;

// "Tuesday, 8 December, 2026 at 4:33 AM", with the system's day and month names.
QString lastUpdatedDate(const QDateTime &when);

// Fills the fields of a text in one pass; the values go in as they are.
QString fill(const QString &text, const QHash<QString, QString> &fields);

} // namespace TagCatalogue
