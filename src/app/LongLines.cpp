#include "LongLines.h"

#include <Qsci/qsciscintillabase.h>

#include <algorithm>
#include <cstring>

using Sci = QsciScintillaBase;

namespace {
long countBefore(const std::vector<long> &breaks, long pos)
{
    return long(std::lower_bound(breaks.begin(), breaks.end(), pos) - breaks.begin());
}
} // namespace

LongLines::LongLines(QsciScintillaBase *text) : text_(text) {}

bool LongLines::hasLongLine(const QByteArray &utf8)
{
    const char *p = utf8.constData(), *end = p + utf8.size();
    while (end - p > LongLine) {
        const void *nl = std::memchr(p, '\n', size_t(LongLine + 1));
        if (!nl)
            return true;
        p = static_cast<const char *>(nl) + 1;
    }
    return false;
}

QByteArray LongLines::breakLongLines(const QByteArray &utf8, std::vector<long> *breaks)
{
    // Display lines of about Target bytes: broken between two tags ("><") where one comes
    // soon, else after a blank, else at a character boundary.
    constexpr long Target = 1024, Reach = 3072;
    const char *p = utf8.constData();
    const long n = utf8.size();
    QByteArray out;
    out.reserve(n + n / Target + 16);
    long lineStart = 0;
    while (lineStart < n) {
        const char *nl = static_cast<const char *>(std::memchr(p + lineStart, '\n', size_t(n - lineStart)));
        const long lineEnd = nl ? long(nl - p) : n; // the line feed itself, or the end
        const long next = nl ? lineEnd + 1 : n;
        if (lineEnd - lineStart <= LongLine) {
            out.append(p + lineStart, next - lineStart);
            lineStart = next;
            continue;
        }
        long from = lineStart;
        while (lineEnd - from > Target + Reach) {
            long cut = -1;
            const long limit = from + Target + Reach;
            for (long i = from + Target; i < limit && cut < 0; ++i)
                if (p[i] == '>' && p[i + 1] == '<')
                    cut = i + 1;
            for (long i = from + Target; i < limit && cut < 0; ++i)
                if (p[i] == ' ')
                    cut = i + 1;
            if (cut < 0) {
                cut = from + Target;
                while ((uchar(p[cut]) & 0xC0) == 0x80) // not inside a character
                    ++cut;
            }
            if (p[cut - 1] == '\r') // never between a carriage return and what follows
                ++cut;
            out.append(p + from, cut - from);
            breaks->push_back(out.size());
            out.append('\n');
            from = cut;
        }
        out.append(p + from, next - from);
        lineStart = next;
    }
    return out;
}

void LongLines::reset(bool tracking, const std::vector<long> &breaks)
{
    text_->SendScintilla(Sci::SCI_SETINDICATORCURRENT, long(BreakIndicator));
    text_->SendScintilla(Sci::SCI_SETINDICATORVALUE, 1L);
    for (long b : breaks)
        text_->SendScintilla(Sci::SCI_INDICATORFILLRANGE, b, 1L);
    tracking_ = tracking;
    undoTaken_.clear();
    redoTaken_.clear();
}

std::vector<long> LongLines::breaks() const
{
    std::vector<long> out;
    if (!tracking_)
        return out;
    const long length = text_->SendScintilla(Sci::SCI_GETLENGTH);
    long pos = 0;
    while (pos < length) {
        if (text_->SendScintilla(Sci::SCI_INDICATORVALUEAT, long(BreakIndicator), pos)) {
            const long end = text_->SendScintilla(Sci::SCI_INDICATOREND, long(BreakIndicator), pos);
            for (long b = pos; b < end; ++b)
                out.push_back(b);
            pos = end > pos ? end : pos + 1;
        } else {
            const long end = text_->SendScintilla(Sci::SCI_INDICATOREND, long(BreakIndicator), pos);
            if (end <= pos)
                break;
            pos = end;
        }
    }
    return out;
}

std::vector<long> LongLines::breaksIn(long from, long to) const
{
    std::vector<long> out;
    if (!tracking_)
        return out;
    long pos = from;
    while (pos < to) {
        const long end = qMin(to, long(text_->SendScintilla(Sci::SCI_INDICATOREND, long(BreakIndicator), pos)));
        if (text_->SendScintilla(Sci::SCI_INDICATORVALUEAT, long(BreakIndicator), pos))
            for (long b = pos; b < end; ++b)
                out.push_back(b - from);
        if (end <= pos)
            break;
        pos = end;
    }
    return out;
}

void LongLines::markBreak(long pos)
{
    text_->SendScintilla(Sci::SCI_SETINDICATORCURRENT, long(BreakIndicator));
    text_->SendScintilla(Sci::SCI_SETINDICATORVALUE, 1L);
    text_->SendScintilla(Sci::SCI_INDICATORFILLRANGE, pos, 1L);
}

QByteArray LongLines::fileText() const
{
    return textWithout(breaks());
}

QByteArray LongLines::textWithout(const std::vector<long> &breaks) const
{
    const long len = text_->SendScintilla(Sci::SCI_GETLENGTH);
    const char *p = reinterpret_cast<const char *>(text_->SendScintilla(Sci::SCI_GETCHARACTERPOINTER));
    if (breaks.empty())
        return QByteArray(p, len);
    QByteArray out;
    out.reserve(len);
    long from = 0;
    for (long b : breaks) {
        out.append(p + from, b - from);
        from = b + 1;
    }
    out.append(p + from, len - from);
    return out;
}

QByteArray LongLines::fileTextOf(long a, long b) const
{
    if (b <= a)
        return {};
    const char *p = reinterpret_cast<const char *>(text_->SendScintilla(Sci::SCI_GETRANGEPOINTER, a, b - a));
    QByteArray out;
    long from = a;
    for (long off : breaksIn(a, b)) {
        out.append(p + (from - a), a + off - from);
        from = a + off + 1;
    }
    out.append(p + (from - a), b - from);
    return out;
}

QStringList LongLines::fileLines() const
{
    const QByteArray text = fileText();
    QStringList out;
    const char *p = text.constData();
    const qsizetype n = text.size();
    qsizetype from = 0;
    for (qsizetype i = 0; i < n; ++i) {
        if (p[i] != '\n' && p[i] != '\r')
            continue;
        out << QString::fromUtf8(p + from, i - from);
        if (p[i] == '\r' && i + 1 < n && p[i + 1] == '\n')
            ++i;
        from = i + 1;
    }
    out << QString::fromUtf8(p + from, n - from);
    return out;
}

int LongLines::noticesNeeded(bool undoing) const
{
    // A deletion is announced before it happens, without the costly notice of the deleted
    // text; an insertion only while undoing, when a deletion's breaks come back.
    if (!tracking_)
        return 0;
    return Sci::SC_MOD_BEFOREDELETE | (undoing ? Sci::SC_MOD_INSERTTEXT : 0);
}

void LongLines::undoStarting()
{
    if (!text_->SendScintilla(Sci::SCI_CANREDO))
        redoTaken_.clear(); // the control has forgotten what could be redone
}

void LongLines::notice(int position, int type, int length)
{
    if (!tracking_)
        return;
    const long pos = position, len = length;
    if (type & Sci::SC_MOD_BEFOREDELETE) {
        if (type & Sci::SC_PERFORMED_UNDO)
            return; // an insertion undone: it held no display breaks of its own
        if (type & Sci::SC_PERFORMED_REDO) {
            if (!redoTaken_.empty() && redoTaken_.back().pos == pos && redoTaken_.back().length == len) {
                undoTaken_.push_back(std::move(redoTaken_.back()));
                redoTaken_.pop_back();
            }
            return;
        }
        // One record a deletion, in the order of the control's undo history.
        undoTaken_.push_back({pos, len, breaksIn(pos, pos + len)});
        redoTaken_.clear();
    } else if ((type & Sci::SC_MOD_INSERTTEXT) && (type & Sci::SC_PERFORMED_UNDO)) {
        // A deletion undone: the display breaks it took come back with its text.
        if (!undoTaken_.empty() && undoTaken_.back().pos == pos && undoTaken_.back().length == len) {
            const char *p = reinterpret_cast<const char *>(text_->SendScintilla(Sci::SCI_GETRANGEPOINTER, pos, len));
            for (long off : undoTaken_.back().offsets)
                if (off < len && p[off] == '\n')
                    markBreak(pos + off);
            redoTaken_.push_back(std::move(undoTaken_.back()));
            undoTaken_.pop_back();
        }
    }
}

long LongLines::fileLineStart(long pos, const std::vector<long> &breaks) const
{
    long start = text_->SendScintilla(Sci::SCI_POSITIONFROMLINE, text_->SendScintilla(Sci::SCI_LINEFROMPOSITION, pos));
    // A display line that follows a display break continues the file line before it.
    while (start > 0 && std::binary_search(breaks.begin(), breaks.end(), start - 1))
        start = text_->SendScintilla(Sci::SCI_POSITIONFROMLINE, text_->SendScintilla(Sci::SCI_LINEFROMPOSITION, start - 1));
    return start;
}

long LongLines::charactersBetween(long from, long to) const
{
    // The text is UTF-8: every byte but a continuation byte starts a character. Counted over
    // the text in place; the control's own count steps through each character, some 10 ms a
    // megabyte, which a caret deep in a long line would pay at every refresh of the status.
    if (to <= from)
        return 0;
    const auto *p = reinterpret_cast<const unsigned char *>(text_->SendScintilla(Sci::SCI_GETRANGEPOINTER, from, to - from));
    long n = 0;
    for (long i = 0; i < to - from; ++i)
        n += (p[i] & 0xC0) != 0x80;
    return n;
}

long LongLines::positionOf(int line, int col) const
{
    const std::vector<long> breaks = tracking_ ? this->breaks() : std::vector<long>();
    if (!breaks.empty()) {
        // The first display line of the file line: display line d shows file line
        // d - (display breaks before it), and the first one of a file line follows no break.
        long lo = 0, hi = text_->SendScintilla(Sci::SCI_GETLINECOUNT) - 1;
        while (lo < hi) {
            const long mid = (lo + hi) / 2;
            const long fileLine = mid - countBefore(breaks, text_->SendScintilla(Sci::SCI_POSITIONFROMLINE, mid));
            if (fileLine < line - 1)
                lo = mid + 1;
            else
                hi = mid;
        }
        const long start = text_->SendScintilla(Sci::SCI_POSITIONFROMLINE, lo);
        const long length = text_->SendScintilla(Sci::SCI_GETLENGTH);
        long end = start;
        // The file line ends at the first line end that is not a display break.
        for (;;) {
            end = text_->SendScintilla(Sci::SCI_GETLINEENDPOSITION, text_->SendScintilla(Sci::SCI_LINEFROMPOSITION, end));
            if (end >= length || !std::binary_search(breaks.begin(), breaks.end(), end))
                break;
            ++end;
        }
        // Columns count characters; display breaks are not among them.
        long pos = start, remaining = col - 1;
        while (remaining > 0 && pos < end) {
            const auto next = std::lower_bound(breaks.begin(), breaks.end(), pos);
            const long segmentEnd = next != breaks.end() && *next < end ? *next : end;
            const long chars = text_->SendScintilla(Sci::SCI_COUNTCHARACTERS, pos, segmentEnd);
            if (remaining <= chars)
                return text_->SendScintilla(Sci::SCI_POSITIONRELATIVE, pos, remaining);
            remaining -= chars;
            pos = segmentEnd < end ? segmentEnd + 1 : end;
        }
        return qMin(pos, end);
    }
    const long start = text_->SendScintilla(Sci::SCI_POSITIONFROMLINE, line - 1);
    if (start < 0)
        return text_->SendScintilla(Sci::SCI_GETLENGTH);
    const long end = text_->SendScintilla(Sci::SCI_GETLINEENDPOSITION, line - 1);
    const long pos = text_->SendScintilla(Sci::SCI_POSITIONRELATIVE, start, long(col - 1));
    return (pos <= 0 && col > 1) || pos > end ? end : pos;
}

void LongLines::lineColOf(long pos, int *line, int *col) const
{
    const std::vector<long> breaks = tracking_ ? this->breaks() : std::vector<long>();
    if (!breaks.empty()) {
        const long start = fileLineStart(pos, breaks);
        const long l = text_->SendScintilla(Sci::SCI_LINEFROMPOSITION, start);
        *line = int(l - countBefore(breaks, start)) + 1;
        *col = int(charactersBetween(start, pos) - (countBefore(breaks, pos) - countBefore(breaks, start))) + 1;
        return;
    }
    const long l = text_->SendScintilla(Sci::SCI_LINEFROMPOSITION, pos);
    const long start = text_->SendScintilla(Sci::SCI_POSITIONFROMLINE, l);
    *line = int(l) + 1;
    *col = int(charactersBetween(start, pos)) + 1;
}

int LongLines::lineOf(long pos) const
{
    if (tracking_) {
        int line, col;
        lineColOf(pos, &line, &col);
        return line;
    }
    return int(text_->SendScintilla(Sci::SCI_LINEFROMPOSITION, pos)) + 1;
}
