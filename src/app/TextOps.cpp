#include "TextOps.h"

namespace TextOps {

TagStrip stripTags(const QByteArray &utf8)
{
    TagStrip r;
    r.text.reserve(utf8.size());
    qsizetype pos = 0;
    while (pos < utf8.size()) {
        const qsizetype open = utf8.indexOf('<', pos);
        if (open < 0)
            break;
        const qsizetype close = utf8.indexOf('>', open + 1);
        if (close < 0)
            break;
        r.text.append(utf8.constData() + pos, open - pos);
        r.lastTag = utf8.mid(open, close - open + 1);
        r.lastPos = r.text.size();
        ++r.removed;
        pos = close + 1;
    }
    r.text.append(utf8.constData() + pos, utf8.size() - pos);
    return r;
}

QString PaletteColorToHTML(int index)
{
    static const char *const table[16] = {"#000000", "#770000", "#339933", "#999900", "#000099", "#993399",
                                          "#009999", "#CCCCCC", "#777777", "#FF3333", "#00FF33", "#FFFF00",
                                          "#3333FF", "#FF66CC", "#00FFFF", "#FFFFFF"};
    if (index < 0 || index > 15)
        return {};
    return QString::fromLatin1(table[index]);
}

QStringList selectionPrintLines(const QStringList &lines, int startCol, int endCol)
{
    QStringList out = lines;
    if (out.isEmpty())
        return out;
    // The end line first: its columns are counted before the start line's blanks go in,
    // which only matters when both are the same line, and then both count from the same text.
    out.last() = out.last().left(qMax(0, endCol - 1));
    const int before = qMin(qMax(0, startCol - 1), int(out.first().size()));
    out.first().replace(0, before, QString(before, u' '));
    return out;
}

} // namespace TextOps
