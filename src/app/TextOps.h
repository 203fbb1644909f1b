#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Text operations on whole documents that need no window.
namespace TextOps {

struct TagStrip {
    QByteArray text;     // the text without its tags
    QByteArray lastTag;  // the last tag removed, for the clipboard
    qsizetype lastPos = 0; // where the last tag stood in the new text: the caret goes there
    int removed = 0;
};

// Removes every tag, from a "<" to the next ">". A "<" with no ">" after it stays, and so
// does the rest of the text after it.
TagStrip stripTags(const QByteArray &utf8);

// The HTML colour text of the 16 palette colours, index 0 to 15.
QString PaletteColorToHTML(int index);

// The lines to print for a selection: the start line with the characters before the
// selection replaced by blanks, the end line cut after the selection. Columns are 1-based
// positions of the first selected character and of the character after the selection.
QStringList selectionPrintLines(const QStringList &lines, int startCol, int endCol);

} // namespace TextOps
