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

namespace TextOps {

namespace {
inline unsigned char fold(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') ? c + 32 : c;
}
inline bool wordByte(unsigned char c)
{
    return c >= 0x80 || c == '_' || (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
} // namespace

bool isAscii(const QByteArray &bytes)
{
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

qsizetype findText(const char *text, qsizetype size, qsizetype from, const QByteArray &needle, bool matchCase,
                   bool wholeWord)
{
    const qsizetype m = needle.size();
    if (m == 0 || from < 0 || size - from < m)
        return -1;
    const auto *s = reinterpret_cast<const unsigned char *>(text);
    // Horspool's shift table over folded bytes.
    unsigned char pat[256];
    const qsizetype pm = qMin<qsizetype>(m, 256);
    if (m > 256) {
        // Long needles: plain scan.
        for (qsizetype i = from; i + m <= size; ++i) {
            qsizetype k = 0;
            while (k < m && (matchCase ? s[i + k] == static_cast<unsigned char>(needle[k])
                                       : fold(s[i + k]) == fold(static_cast<unsigned char>(needle[k]))))
                ++k;
            if (k == m && (!wholeWord || ((i == 0 || !wordByte(s[i - 1])) && (i + m == size || !wordByte(s[i + m])))))
                return i;
        }
        return -1;
    }
    for (qsizetype k = 0; k < pm; ++k)
        pat[k] = matchCase ? static_cast<unsigned char>(needle[k]) : fold(static_cast<unsigned char>(needle[k]));
    qsizetype shift[256];
    for (auto &v : shift)
        v = m;
    for (qsizetype k = 0; k + 1 < m; ++k) {
        shift[pat[k]] = m - 1 - k;
        if (!matchCase && pat[k] >= 'a' && pat[k] <= 'z')
            shift[pat[k] - 32] = m - 1 - k;
    }
    const unsigned char last = pat[m - 1];
    qsizetype i = from;
    while (i + m <= size) {
        const unsigned char c = s[i + m - 1];
        if ((matchCase ? c : fold(c)) == last) {
            qsizetype k = m - 2;
            while (k >= 0 && (matchCase ? s[i + k] : fold(s[i + k])) == pat[k])
                --k;
            if (k < 0 && (!wholeWord || ((i == 0 || !wordByte(s[i - 1])) && (i + m == size || !wordByte(s[i + m])))))
                return i;
        }
        i += shift[c];
    }
    return -1;
}

namespace {
// Decodes the UTF-8 character at s[i]; a malformed byte stands for itself, as U+FFFD never
// matches a needle's letter.
char32_t decodeAt(const unsigned char *s, qsizetype size, qsizetype i, int *len)
{
    const unsigned char c = s[i];
    int n = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
    if (n == 0 || i + n > size) {
        *len = 1;
        return 0xFFFD;
    }
    char32_t cp = n == 1 ? c : n == 2 ? (c & 0x1F) : n == 3 ? (c & 0x0F) : (c & 0x07);
    for (int k = 1; k < n; ++k) {
        if ((s[i + k] & 0xC0) != 0x80) {
            *len = 1;
            return 0xFFFD;
        }
        cp = (cp << 6) | (s[i + k] & 0x3F);
    }
    *len = n;
    return cp;
}
} // namespace

qsizetype findTextFolded(const char *text, qsizetype size, qsizetype from, const QString &needle, bool wholeWord,
                         qsizetype *matchEnd)
{
    QList<char32_t> pat;
    for (char32_t cp : needle.toUcs4())
        pat << QChar::toCaseFolded(cp);
    if (pat.isEmpty())
        return -1;
    const auto *s = reinterpret_cast<const unsigned char *>(text);
    for (qsizetype i = from; i < size; ++i) {
        if ((s[i] & 0xC0) == 0x80)
            continue; // not the start of a character
        qsizetype j = i;
        qsizetype k = 0;
        while (k < pat.size() && j < size) {
            int len;
            if (QChar::toCaseFolded(decodeAt(s, size, j, &len)) != pat[k])
                break;
            j += len;
            ++k;
        }
        if (k < pat.size())
            continue;
        if (wholeWord && ((i > 0 && wordByte(s[i - 1])) || (j < size && wordByte(s[j]))))
            continue;
        *matchEnd = j;
        return i;
    }
    return -1;
}

} // namespace TextOps
