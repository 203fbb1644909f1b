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

namespace TextOps {

// Finds needle in text[from, size) by plain bytes, as the editor's find does: without regard to
// the case of ASCII letters unless matchCase, and, with wholeWord, only where neither side
// touches a word character (letters, digits, "_" and any non-ASCII byte). Returns the byte
// offset, or -1. The needle must be ASCII when !matchCase.
qsizetype findText(const char *text, qsizetype size, qsizetype from, const QByteArray &needle, bool matchCase,
                   bool wholeWord);
bool isAscii(const QByteArray &bytes);
// The same for any needle, folding the case of every letter (UTF-8 text); slower.
qsizetype findTextFolded(const char *text, qsizetype size, qsizetype from, const QString &needle, bool wholeWord,
                         qsizetype *matchEnd);

} // namespace TextOps
