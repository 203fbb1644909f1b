#include "TextSearch.h"

#include "Document.h"
#include "TextOps.h"

#include <algorithm>
#include <vector>

namespace {

// The first match at or after from in text, or -1; *end is the match's end.
long searchBytes(const char *text, long length, long from, const QByteArray &needle, bool matchCase, bool wholeWord,
                 long *end)
{
    if (matchCase || TextOps::isAscii(needle)) {
        // Plain bytes: a fast scan over the text in place.
        const qsizetype found = TextOps::findText(text, length, from, needle, matchCase, wholeWord);
        if (found < 0)
            return -1;
        *end = long(found + needle.size());
        return long(found);
    }
    // Letters beyond ASCII: fold each character.
    qsizetype matchEnd = 0;
    const qsizetype found = TextOps::findTextFolded(text, length, from, QString::fromUtf8(needle), wholeWord, &matchEnd);
    if (found < 0)
        return -1;
    *end = long(matchEnd);
    return long(found);
}

} // namespace

namespace TextSearch {

QList<Match> matches(const HtmlDocument &doc, long from, const QByteArray &needle, bool matchCase, bool wholeWord,
                     bool all)
{
    QList<Match> out;
    const LongLines &lines = doc.longLines();
    const std::vector<long> breaks = lines.breaks();
    const char *text = nullptr;
    long length = 0;
    QByteArray file;
    std::vector<long> fileBreaks; // where each break stands in the file's text
    if (breaks.empty()) {
        const QByteArrayView shown = doc.characters();
        text = shown.constData();
        length = long(shown.size());
    } else {
        file = lines.textWithout(breaks);
        fileBreaks.reserve(breaks.size());
        for (size_t i = 0; i < breaks.size(); ++i)
            fileBreaks.push_back(breaks[i] - long(i));
        from -= long(std::lower_bound(breaks.begin(), breaks.end(), from) - breaks.begin());
        text = file.constData();
        length = long(file.size());
    }
    // A match starts after a break that stands at its start, and ends before one at its end.
    auto shownStart = [&](long p) {
        return p + long(std::upper_bound(fileBreaks.begin(), fileBreaks.end(), p) - fileBreaks.begin());
    };
    auto shownEnd = [&](long p) {
        return p + long(std::lower_bound(fileBreaks.begin(), fileBreaks.end(), p) - fileBreaks.begin());
    };
    while (from <= length) {
        long end = 0;
        const long found = searchBytes(text, length, from, needle, matchCase, wholeWord, &end);
        if (found < 0)
            break;
        out.append({shownStart(found), shownEnd(end)});
        if (!all)
            break;
        from = end > found ? end : found + 1;
    }
    return out;
}

long find(const HtmlDocument &doc, long from, const QString &text, bool matchCase, bool wholeWord, long *end)
{
    if (text.isEmpty())
        return -1;
    const QList<Match> found = matches(doc, from, text.toUtf8(), matchCase, wholeWord, false);
    if (found.isEmpty())
        return -1;
    *end = found.first().end;
    return found.first().start;
}

Replacement replacement(const HtmlDocument &doc, const QString &find, const QString &with, bool all, bool matchCase,
                        bool wholeWord)
{
    Replacement r;
    if (find.isEmpty())
        return r;
    const QByteArray needle = find.toUtf8();
    const QByteArray bytes = with.toUtf8();
    // Every match first, without touching the text; they are applied as one change.
    const QList<Match> found = matches(doc, 0, needle, matchCase, wholeWord, all);
    if (found.isEmpty())
        return r;
    r.count = int(found.size());
    r.start = found.first().start;
    r.end = found.last().end;
    if (found.size() == 1) {
        r.text = bytes;
        return r;
    }
    // The span from the first to the last match is rebuilt in one piece.
    const char *text = doc.characters().constData() + r.start;
    r.text.reserve(r.end - r.start + found.size() * (bytes.size() - needle.size()) + 16);
    long cursor = r.start;
    const std::vector<long> breaks = doc.longLines().breaks();
    auto copyKept = [&](long from, long to) {
        auto b = std::lower_bound(breaks.begin(), breaks.end(), from);
        for (; b != breaks.end() && *b < to; ++b) {
            r.text.append(text + (from - r.start), *b - from);
            from = *b + 1;
        }
        r.text.append(text + (from - r.start), to - from);
    };
    for (const Match &m : found) {
        copyKept(cursor, m.start);
        r.text.append(bytes);
        cursor = m.end;
    }
    return r;
}

} // namespace TextSearch
