#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

class HtmlDocument;

// Find and replace over a document's text. The search runs over the file's text, so that a
// match may go across a display break of a long line as it goes across nothing in the file;
// matches are given as positions of the shown text, where the editing interface works.
namespace TextSearch {

struct Match {
    long start = 0, end = 0;
};

// The matches of needle from position from on: the first only, or every one.
QList<Match> matches(const HtmlDocument &doc, long from, const QByteArray &needle, bool matchCase, bool wholeWord,
                     bool all);
// The first match at or after from, or -1; *end is its end.
long find(const HtmlDocument &doc, long from, const QString &text, bool matchCase, bool wholeWord, long *end);

// What replacing the first match (from the top) or every match comes to: the span from the
// first match to the last and the text that takes its place (display breaks left out: it is
// the file's text), and how many matches there are.
struct Replacement {
    long start = 0, end = 0;
    QByteArray text;
    int count = 0;
};
Replacement replacement(const HtmlDocument &doc, const QString &find, const QString &with, bool all, bool matchCase,
                        bool wholeWord);

} // namespace TextSearch
