#include "Editor.h"

#include <algorithm>
#include <QClipboard>
#include <QApplication>

#include <cmath>
#include <cstring>

#include <Qsci/qscicommand.h>
#include <Qsci/qscicommandset.h>
#include <Qsci/qscilexerhtml.h>

#include "EditorAccessibility.h"
#include "TextOps.h"

#include <QAbstractItemView>
#include <QDragEnterEvent>
#include <QFontDatabase>
#include <QMimeData>
#include <QPalette>
#include <QTimer>
#include <QUrl>

namespace {
constexpr int BookmarkMarkerBase = 0; // markers 1..9 show bookmarks 1..9 (25..31 belong to folding)
constexpr int BookmarkMargin = 1;
} // namespace

TEditor::TEditor(QWidget *parent) : QsciScintilla(parent)
{
    bookmarkHandles_.fill(-1);
    setUtf8(true);
    setObjectName(QStringLiteral("txtHTML"));
    EditorAccessibility::install();

    font_ = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font_.setPointSize(10);
    fontColor_ = palette().color(QPalette::Text);
    background_ = palette().color(QPalette::Base);

    lexer_ = new QsciLexerHTML(this);
    lexer_->setFoldCompact(false);
    setLexer(lexer_);
    // Lex only what is shown, and the rest when the program is idle, so a large file opens
    // at once.
    SendScintilla(SCI_SETIDLESTYLING, 3 /* SC_IDLESTYLING_ALL */);
    SendScintilla(SCI_SETLAYOUTCACHE, 1 /* SC_CACHE_CARET */);

    setMarginLineNumbers(0, true);
    setMarginType(BookmarkMargin, SymbolMargin);
    setMarginWidth(BookmarkMargin, 14);
    setMarginSensitivity(BookmarkMargin, false);
    unsigned mask = 0;
    for (int n = 1; n <= 9; ++n) {
        markerDefine(char('0' + n), BookmarkMarkerBase + n);
        setMarkerForegroundColor(QColor(0xFF, 0xFF, 0xFF), BookmarkMarkerBase + n);
        setMarkerBackgroundColor(QColor(0x2A, 0x62, 0xB8), BookmarkMarkerBase + n);
        mask |= 1u << (BookmarkMarkerBase + n);
    }
    setMarginMarkerMask(BookmarkMargin, int(mask));
    setMarginMarkerMask(0, 0);

    setTabWidth(8);
    setIndentationsUseTabs(true);
    setWordWrap(true);
    setWrapVisualFlags(WrapFlagNone);
    setCaretLineVisible(false);
    setBraceMatching(NoBraceMatch);
    setEolVisibility(false);
    SendScintilla(SCI_SETSCROLLWIDTHTRACKING, 1);
    SendScintilla(SCI_SETSCROLLWIDTH, 1);
    applyStyles();
    updateLineNumberWidth();
    connect(this, &QsciScintillaBase::SCN_UPDATEUI, this, &TEditor::followSize);
    connect(this, &QsciScintilla::textChanged, this, [this] {
        if (!quietEdits_)
            emit contentEdited();
    });
    connect(this, &QsciScintillaBase::SCN_MODIFIED, this,
            [this](int position, int type, const char *, int length) { trackBreaks(position, type, length); });
    connect(this, &QsciScintillaBase::SCN_UPDATEUI, this, [this](int updated) {
        if (quietEdits_ && (updated & SC_UPDATE_CONTENT))
            emit contentEdited();
    });
    setAcceptDrops(true);
}

namespace {

// The relative luminance and contrast ratio of the web's accessibility guidelines.
double luminance(const QColor &c)
{
    auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

} // namespace

double TEditor::contrast(const QColor &a, const QColor &b)
{
    const double la = luminance(a), lb = luminance(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}

QColor TEditor::readableOn(const QColor &color, const QColor &background)
{
    if (contrast(color, background) >= MinContrast)
        return color;
    // Same hue, lighter on a dark background and darker on a light one, until it reads.
    const bool dark = luminance(background) < 0.18;
    const QColor hsl = color.toHsl();
    const int hue = hsl.hslHue(), saturation = hsl.hslSaturation();
    for (int l = hsl.lightness(); l >= 0 && l <= 255; l += dark ? 5 : -5) {
        const QColor candidate = QColor::fromHsl(hue, saturation, l);
        if (contrast(candidate, background) >= MinContrast)
            return candidate;
    }
    return dark ? QColor(Qt::white) : QColor(Qt::black);
}

void TEditor::applyStyles()
{
    // Every lexer style takes the chosen face and size and the chosen background; plain text
    // is in the chosen colour, and the highlighter's colours for tags, attributes, comments
    // and the rest are kept where they read on that background, else made lighter or darker.
    lexer_->setDefaultFont(font_);
    lexer_->setFont(font_, -1);
    lexer_->setPaper(background_, -1);
    lexer_->setDefaultPaper(background_);
    for (int style = 0; style <= QsciScintillaBase::STYLE_MAX; ++style)
        if (style != QsciLexerHTML::Default && !lexer_->description(style).isEmpty())
            lexer_->setColor(readableOn(lexer_->defaultColor(style), background_), style);
    lexer_->setColor(fontColor_, QsciLexerHTML::Default);
    setMarginsFont(font_);
    setCaretForegroundColor(fontColor_);
    updateLineNumberWidth();
}

void TEditor::followSize()
{
    updateLineNumberWidth();
    // The control's accessibility support counts the characters from the top of the text at
    // every insertion and deletion it is told of: some 40 ms per keystroke in a 20 MB text.
    // Large texts do without those notices (screen readers still read the text itself).
    setQuietEdits(SendScintilla(SCI_GETLENGTH) > LargeText);
}

void TEditor::setQuietEdits(bool large)
{
    if (large != quietEdits_) {
        quietEdits_ = large;
        // An insertion's notice carries its "performed by the user" flags too, so any mask
        // that lets those through lets the insertion through: large texts get none.
        SendScintilla(SCI_SETMODEVENTMASK, large ? 0L : long(SC_MODEVENTMASKALL));
    }
    if (large && tracking_)
        setBreakNotices(false);
}

void TEditor::setBreakNotices(bool undoing)
{
    // A deletion is announced before it happens, without the costly notice; an insertion only
    // while undoing, when a deletion's breaks come back.
    if (quietEdits_ && tracking_)
        SendScintilla(SCI_SETMODEVENTMASK, long(SC_MOD_BEFOREDELETE | (undoing ? SC_MOD_INSERTTEXT : 0)));
}

void TEditor::updateLineNumberWidth()
{
    if (tracking_) {
        // The control would number the display lines, not the file's: the status bar says
        // which line of the file the caret is on.
        setMarginWidth(0, 0);
        lineDigits_ = 0;
        return;
    }
    const int digits = qMax(3, int(QString::number(lines()).size()));
    if (digits == lineDigits_)
        return;
    lineDigits_ = digits;
    setMarginWidth(0, QString(digits + 1, u'9'));
}

bool TEditor::hasLongLine(const QByteArray &utf8)
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

void TEditor::loadUtf8(const QByteArray &utf8)
{
    // With wrapping on, the control would wrap every line of the new text before returning;
    // switched on afterwards, it wraps what is shown and the rest when idle.
    long wrap = wrapModeInForce();
    pendingWrap_ = -1;
    std::vector<long> breaks;
    const bool longLines = hasLongLine(utf8);
    const QByteArray shown = longLines ? breakLongLines(utf8, &breaks) : utf8;
    tracking_ = false;
    skippedFrom_ = -1; // a new text: nothing of the old one's colouring is owed
    // A large text opens unwrapped; its styling in the background goes only as far as the part
    // shown, so the program is ready at once.
    largeDocument_ = shown.size() > LargeDocument;
    if (largeDocument_) {
        wrap = 0;
        setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    }
    SendScintilla(SCI_SETIDLESTYLING, largeDocument_ ? 1L /* SC_IDLESTYLING_TOVISIBLE */ : 3L /* SC_IDLESTYLING_ALL */);
    SendScintilla(SCI_SETWRAPMODE, 0L);
    SendScintilla(SCI_SETUNDOCOLLECTION, 0L);
    setQuietEdits(shown.size() > LargeText); // before the text goes in: its notice alone is costly
    SendScintilla(SCI_CLEARALL);
    SendScintilla(SCI_ALLOCATE, long(shown.size() + 1024));
    SendScintilla(SCI_APPENDTEXT, shown.size(), shown.constData());
    SendScintilla(SCI_SETUNDOCOLLECTION, 1L);
    SendScintilla(SCI_EMPTYUNDOBUFFER);
    SendScintilla(SCI_INDICSETSTYLE, long(BreakIndicator), long(INDIC_HIDDEN));
    SendScintilla(SCI_SETINDICATORCURRENT, long(BreakIndicator));
    SendScintilla(SCI_SETINDICATORVALUE, 1L);
    for (long b : breaks)
        SendScintilla(SCI_INDICATORFILLRANGE, b, 1L);
    tracking_ = longLines;
    undoTaken_.clear();
    redoTaken_.clear();
    setBreakNotices(false); // the notices the display breaks need, from now on
    lineDigits_ = -1;
    updateLineNumberWidth();
    SendScintilla(SCI_SETSAVEPOINT);
    SendScintilla(SCI_GOTOPOS, 0L);
    setWrapAndLayouts(wrap);
    bookmarkHandles_.fill(-1);
    followSize();
}

QByteArray TEditor::utf8Text() const
{
    const long len = SendScintilla(SCI_GETLENGTH);
    const char *p = reinterpret_cast<const char *>(SendScintilla(SCI_GETCHARACTERPOINTER));
    return QByteArray(p, len);
}

std::vector<long> TEditor::displayBreaks() const
{
    std::vector<long> out;
    if (!tracking_)
        return out;
    const long length = SendScintilla(SCI_GETLENGTH);
    long pos = 0;
    while (pos < length) {
        if (SendScintilla(SCI_INDICATORVALUEAT, long(BreakIndicator), pos)) {
            const long end = SendScintilla(SCI_INDICATOREND, long(BreakIndicator), pos);
            for (long b = pos; b < end; ++b)
                out.push_back(b);
            pos = end > pos ? end : pos + 1;
        } else {
            const long end = SendScintilla(SCI_INDICATOREND, long(BreakIndicator), pos);
            if (end <= pos)
                break;
            pos = end;
        }
    }
    return out;
}

std::vector<long> TEditor::breaksIn(long from, long to) const
{
    std::vector<long> out;
    long pos = from;
    while (pos < to) {
        const long end = qMin(to, long(SendScintilla(SCI_INDICATOREND, long(BreakIndicator), pos)));
        if (SendScintilla(SCI_INDICATORVALUEAT, long(BreakIndicator), pos))
            for (long b = pos; b < end; ++b)
                out.push_back(b - from);
        if (end <= pos)
            break;
        pos = end;
    }
    return out;
}

void TEditor::markBreak(long pos)
{
    SendScintilla(SCI_SETINDICATORCURRENT, long(BreakIndicator));
    SendScintilla(SCI_SETINDICATORVALUE, 1L);
    SendScintilla(SCI_INDICATORFILLRANGE, pos, 1L);
}

QByteArray TEditor::fileText() const
{
    return fileTextWithout(displayBreaks());
}

QByteArray TEditor::fileTextWithout(const std::vector<long> &breaks) const
{
    if (breaks.empty())
        return utf8Text();
    const long len = SendScintilla(SCI_GETLENGTH);
    const char *p = reinterpret_cast<const char *>(SendScintilla(SCI_GETCHARACTERPOINTER));
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

QByteArray TEditor::breakLongLines(const QByteArray &utf8, std::vector<long> *breaks)
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

void TEditor::trackBreaks(int position, int type, int length)
{
    if (!tracking_)
        return;
    const long pos = position, len = length;
    if (type & SC_MOD_BEFOREDELETE) {
        if (type & SC_PERFORMED_UNDO)
            return; // an insertion undone: it held no display breaks of its own
        if (type & SC_PERFORMED_REDO) {
            if (!redoTaken_.empty() && redoTaken_.back().pos == pos && redoTaken_.back().length == len) {
                undoTaken_.push_back(std::move(redoTaken_.back()));
                redoTaken_.pop_back();
            }
            return;
        }
        // One record a deletion, in the order of the control's undo history.
        undoTaken_.push_back({pos, len, breaksIn(pos, pos + len)});
        redoTaken_.clear();
    } else if ((type & SC_MOD_INSERTTEXT) && (type & SC_PERFORMED_UNDO)) {
        // A deletion undone: the display breaks it took come back with its text.
        if (!undoTaken_.empty() && undoTaken_.back().pos == pos && undoTaken_.back().length == len) {
            const char *p = reinterpret_cast<const char *>(SendScintilla(SCI_GETRANGEPOINTER, pos, len));
            for (long off : undoTaken_.back().offsets)
                if (off < len && p[off] == '\n')
                    markBreak(pos + off);
            redoTaken_.push_back(std::move(undoTaken_.back()));
            undoTaken_.pop_back();
        }
    }
}

void TEditor::undo()
{
    if (!tracking_) {
        QsciScintilla::undo();
        return;
    }
    if (!SendScintilla(SCI_CANREDO))
        redoTaken_.clear(); // the control has forgotten what could be redone
    setBreakNotices(true);
    QsciScintilla::undo();
    setBreakNotices(false);
}

namespace {
long countBefore(const std::vector<long> &breaks, long pos)
{
    return long(std::lower_bound(breaks.begin(), breaks.end(), pos) - breaks.begin());
}
} // namespace

long TEditor::fileLineStart(long pos, const std::vector<long> &breaks) const
{
    long start = SendScintilla(SCI_POSITIONFROMLINE, SendScintilla(SCI_LINEFROMPOSITION, pos));
    // A display line that follows a display break continues the file line before it.
    while (start > 0 && std::binary_search(breaks.begin(), breaks.end(), start - 1))
        start = SendScintilla(SCI_POSITIONFROMLINE, SendScintilla(SCI_LINEFROMPOSITION, start - 1));
    return start;
}

long TEditor::charactersBetween(long from, long to) const
{
    // The text is UTF-8: every byte but a continuation byte starts a character. Counted over
    // the text in place; the control's own count steps through each character, some 10 ms a
    // megabyte, which a caret deep in a long line would pay at every refresh of the status.
    if (to <= from)
        return 0;
    const auto *p = reinterpret_cast<const unsigned char *>(SendScintilla(SCI_GETRANGEPOINTER, from, to - from));
    long n = 0;
    for (long i = 0; i < to - from; ++i)
        n += (p[i] & 0xC0) != 0x80;
    return n;
}

void TEditor::caretLineCol(int *line, int *col) const
{
    lineColOf(SendScintilla(SCI_GETCURRENTPOS), line, col);
}

qint64 TEditor::textSize() const
{
    return SendScintilla(SCI_GETLENGTH);
}

long TEditor::positionOf(int line, int col) const
{
    const std::vector<long> breaks = tracking_ ? displayBreaks() : std::vector<long>();
    if (!breaks.empty()) {
        // The first display line of the file line: display line d shows file line
        // d - (display breaks before it), and the first one of a file line follows no break.
        long lo = 0, hi = SendScintilla(SCI_GETLINECOUNT) - 1;
        while (lo < hi) {
            const long mid = (lo + hi) / 2;
            const long fileLine = mid - countBefore(breaks, SendScintilla(SCI_POSITIONFROMLINE, mid));
            if (fileLine < line - 1)
                lo = mid + 1;
            else
                hi = mid;
        }
        const long start = SendScintilla(SCI_POSITIONFROMLINE, lo);
        const long length = SendScintilla(SCI_GETLENGTH);
        long end = start;
        // The file line ends at the first line end that is not a display break.
        for (;;) {
            end = SendScintilla(SCI_GETLINEENDPOSITION, SendScintilla(SCI_LINEFROMPOSITION, end));
            if (end >= length || !std::binary_search(breaks.begin(), breaks.end(), end))
                break;
            ++end;
        }
        // Columns count characters; display breaks are not among them.
        long pos = start, remaining = col - 1;
        while (remaining > 0 && pos < end) {
            const auto next = std::lower_bound(breaks.begin(), breaks.end(), pos);
            const long segmentEnd = next != breaks.end() && *next < end ? *next : end;
            const long chars = SendScintilla(SCI_COUNTCHARACTERS, pos, segmentEnd);
            if (remaining <= chars)
                return SendScintilla(SCI_POSITIONRELATIVE, pos, remaining);
            remaining -= chars;
            pos = segmentEnd < end ? segmentEnd + 1 : end;
        }
        return qMin(pos, end);
    }
    const long start = SendScintilla(SCI_POSITIONFROMLINE, line - 1);
    if (start < 0)
        return SendScintilla(SCI_GETLENGTH);
    const long end = SendScintilla(SCI_GETLINEENDPOSITION, line - 1);
    const long pos = SendScintilla(SCI_POSITIONRELATIVE, start, long(col - 1));
    return (pos <= 0 && col > 1) || pos > end ? end : pos;
}

void TEditor::lineColOf(long pos, int *line, int *col) const
{
    const std::vector<long> breaks = tracking_ ? displayBreaks() : std::vector<long>();
    if (!breaks.empty()) {
        const long start = fileLineStart(pos, breaks);
        const long l = SendScintilla(SCI_LINEFROMPOSITION, start);
        *line = int(l - countBefore(breaks, start)) + 1;
        *col = int(charactersBetween(start, pos) - (countBefore(breaks, pos) - countBefore(breaks, start))) + 1;
        return;
    }
    const long l = SendScintilla(SCI_LINEFROMPOSITION, pos);
    const long start = SendScintilla(SCI_POSITIONFROMLINE, l);
    *line = int(l) + 1;
    *col = int(charactersBetween(start, pos)) + 1;
}

int TEditor::caretLine() const
{
    if (tracking_) {
        int line, col;
        lineColOf(SendScintilla(SCI_GETCURRENTPOS), &line, &col);
        return line;
    }
    return int(SendScintilla(SCI_LINEFROMPOSITION, SendScintilla(SCI_GETCURRENTPOS))) + 1;
}

int TEditor::caretCol() const
{
    int line, col;
    lineColOf(SendScintilla(SCI_GETCURRENTPOS), &line, &col);
    return col;
}

void TEditor::setCaret(int line, int col)
{
    SendScintilla(SCI_GOTOPOS, positionOf(line, col));
}

bool TEditor::selection(Selection *sel) const
{
    const long a = SendScintilla(SCI_GETSELECTIONSTART);
    const long b = SendScintilla(SCI_GETSELECTIONEND);
    if (a == b)
        return false;
    if (sel) {
        lineColOf(a, &sel->startLine, &sel->startCol);
        lineColOf(b, &sel->endLine, &sel->endCol);
    }
    return true;
}

void TEditor::selectRange(int startLine, int startCol, int endLine, int endCol)
{
    SendScintilla(SCI_SETSEL, positionOf(startLine, startCol), positionOf(endLine, endCol));
}

QStringList TEditor::fileLines() const
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

bool TEditor::overwriteMode() const
{
    return SendScintilla(SCI_GETOVERTYPE) != 0;
}

void TEditor::insertAtCaret(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    // A large text (a big generated table) goes in with wrapping off: switched on again, the
    // control wraps what is shown at once and the rest when idle, instead of every new line
    // before returning.
    const bool large = bytes.size() > LargeText;
    const long wrap = large ? wrapModeInForce() : 0L;
    if (large && wrap)
        setWrapAndLayouts(0L);
    SendScintilla(SCI_REPLACESEL, 0UL, bytes.constData());
    if (large && wrap)
        resumeWrapWhenStyled(wrap);
}

void TEditor::paintEvent(QPaintEvent *e)
{
    skipColouringToView();
    QsciScintilla::paintEvent(e);
}

void TEditor::skipColouringToView()
{
    // A large document is coloured only down to the view, and the lexer works from the top:
    // after a jump far down (Ctrl+End, the scroll bar) the control would colour all the text
    // in between, some 20-40 ms of it at every paint for a second or more. Instead the view is
    // coloured at once, starting as page text, and the text in between afterwards, which also
    // puts right the view's colours where it starts inside a script or a comment.
    constexpr long FarJump = 512 * 1024;
    if (!lexer_ || SendScintilla(SCI_GETIDLESTYLING) != 1L /* SC_IDLESTYLING_TOVISIBLE */ ||
        SendScintilla(SCI_GETWRAPMODE) != 0)
        return;
    const long styled = SendScintilla(SCI_GETENDSTYLED);
    const long firstLine = SendScintilla(SCI_DOCLINEFROMVISIBLE, SendScintilla(SCI_GETFIRSTVISIBLELINE));
    const long viewStart = SendScintilla(SCI_POSITIONFROMLINE, firstLine);
    if (viewStart - styled < FarJump)
        return;
    skippedFrom_ = skippedFrom_ < 0 ? styled : qMin(skippedFrom_, styled);
    SendScintilla(SCI_STARTSTYLING, viewStart, 0L);
    startOwnTimer(recolourTimer_, 0, &TEditor::recolourSkipped);
}

void TEditor::recolourSkipped()
{
    // A step of about 5 ms, ending at a line start; the control's mark of how far the text is
    // coloured goes back to where it was, so its own colouring goes on from there.
    constexpr long Step = 128 * 1024;
    const long styled = SendScintilla(SCI_GETENDSTYLED);
    if (skippedFrom_ < 0 || skippedFrom_ >= styled) {
        // Done, or an edit before the skipped text made the control colour from there itself.
        skippedFrom_ = -1;
        recolourTimer_->stop();
        return;
    }
    long to = SendScintilla(SCI_POSITIONFROMLINE, SendScintilla(SCI_LINEFROMPOSITION, skippedFrom_ + Step) + 1);
    if (to <= skippedFrom_ || to > styled)
        to = styled;
    SendScintilla(SCI_COLOURISE, skippedFrom_, to);
    SendScintilla(SCI_STARTSTYLING, styled, 0L);
    skippedFrom_ = to;
}

long TEditor::wrapModeInForce() const
{
    return pendingWrap_ >= 0 ? pendingWrap_ : long(SendScintilla(SCI_GETWRAPMODE));
}

void TEditor::resumeWrapWhenStyled(long wrap)
{
    // Wrapping the lines in view needs them styled, and the lexer styles from the start of the
    // change: switched on at once, wrapping would style the whole new text before the next
    // paint. The control styles it in the background meanwhile, in short steps.
    if (!lexer_) {
        setWrapAndLayouts(wrap);
        return;
    }
    pendingWrap_ = wrap;
    startOwnTimer(wrapTimer_, 40, &TEditor::checkPendingWrap);
}

void TEditor::startOwnTimer(QTimer *&timer, int interval, void (TEditor::*slot)())
{
    if (!timer) {
        timer = new QTimer(this);
        timer->setInterval(interval);
        connect(timer, &QTimer::timeout, this, slot);
    }
    timer->start();
}

void TEditor::checkPendingWrap()
{
    if (pendingWrap_ < 0) {
        wrapTimer_->stop();
        return;
    }
    if (SendScintilla(SCI_GETENDSTYLED) < SendScintilla(SCI_GETLENGTH)) {
        // Styling only goes on while the control is idle and shown: a hidden document is
        // styled when it is next shown, so its wrapping waits too.
        if (isVisible())
            return;
    }
    wrapTimer_->stop();
    const long wrap = pendingWrap_;
    pendingWrap_ = -1;
    setWrapAndLayouts(wrap);
}

void TEditor::setWrapAndLayouts(long wrap)
{
    // Layouts are kept for every line only where wrapping needs them (as the control's own
    // wrap switch does). Kept for every line of an unwrapped large text, the control walks that
    // whole table at each change of colour: ~35 ms a step of the background colouring of a
    // text of 250,000 lines.
    SendScintilla(SCI_SETLAYOUTCACHE, wrap ? 3L /* SC_CACHE_DOCUMENT */ : 1L /* SC_CACHE_CARET */);
    SendScintilla(SCI_SETWRAPMODE, wrap);
}

// The first match at or after from in text, or -1; *end is the match's end.
static long searchBytes(const char *text, long length, long from, const QByteArray &needle, bool matchCase,
                        bool wholeWord, long *end)
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
    const qsizetype found =
        TextOps::findTextFolded(text, length, from, QString::fromUtf8(needle), wholeWord, &matchEnd);
    if (found < 0)
        return -1;
    *end = long(matchEnd);
    return long(found);
}

QList<QPair<long, long>> TEditor::matchesFrom(long from, const QByteArray &needle, bool matchCase, bool wholeWord,
                                              bool all)
{
    QList<QPair<long, long>> matches;
    const std::vector<long> breaks = tracking_ ? displayBreaks() : std::vector<long>();
    // With display breaks the search runs over the file's text, so a match may go across a
    // break as it goes across nothing in the file; the matches are brought back to the
    // editor's positions.
    const char *text = nullptr;
    long length = 0;
    QByteArray file;
    std::vector<long> fileBreaks; // where each break stands in the file's text
    if (breaks.empty()) {
        text = reinterpret_cast<const char *>(SendScintilla(SCI_GETCHARACTERPOINTER));
        length = SendScintilla(SCI_GETLENGTH);
    } else {
        file = fileTextWithout(breaks);
        fileBreaks.reserve(breaks.size());
        for (size_t i = 0; i < breaks.size(); ++i)
            fileBreaks.push_back(breaks[i] - long(i));
        from -= long(std::lower_bound(breaks.begin(), breaks.end(), from) - breaks.begin());
        text = file.constData();
        length = file.size();
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
        matches.append({shownStart(found), shownEnd(end)});
        if (!all)
            break;
        from = end > found ? end : found + 1;
    }
    return matches;
}

long TEditor::searchFrom(long from, const QByteArray &needle, bool matchCase, bool wholeWord, long *end)
{
    const auto matches = matchesFrom(from, needle, matchCase, wholeWord, false);
    if (matches.isEmpty())
        return -1;
    *end = matches.first().second;
    return matches.first().first;
}

long TEditor::findFrom(long from, const QString &text, bool matchCase, bool wholeWord, long *end)
{
    return text.isEmpty() ? -1 : searchFrom(from, text.toUtf8(), matchCase, wholeWord, end);
}

bool TEditor::findForward(const QString &text, bool matchCase, bool wholeWord)
{
    if (text.isEmpty())
        return false;
    long end = 0;
    const long found = searchFrom(SendScintilla(SCI_GETCURRENTPOS), text.toUtf8(), matchCase, wholeWord, &end);
    if (found < 0)
        return false;
    SendScintilla(SCI_SETSEL, found, end);
    SendScintilla(SCI_SCROLLCARET);
    return true;
}

int TEditor::replaceText(const QString &find, const QString &replacement, bool all, bool matchCase, bool wholeWord)
{
    if (find.isEmpty())
        return 0;
    const QByteArray needle = find.toUtf8();
    const QByteArray with = replacement.toUtf8();

    // Find every match first, without touching the text, then apply them all as one change.
    const QList<QPair<long, long>> matches = matchesFrom(0, needle, matchCase, wholeWord, all);
    if (matches.isEmpty())
        return 0;

    if (matches.size() == 1) {
        SendScintilla(SCI_BEGINUNDOACTION);
        SendScintilla(SCI_SETTARGETRANGE, matches[0].first, matches[0].second);
        SendScintilla(SCI_REPLACETARGET, with.size(), with.constData());
        SendScintilla(SCI_ENDUNDOACTION);
        SendScintilla(SCI_GOTOPOS, long(matches[0].first + with.size()));
        return 1;
    }
    // Rebuild the span from the first to the last match in one piece.
    const long spanStart = matches.first().first;
    const long spanEnd = matches.last().second;
    const char *text = reinterpret_cast<const char *>(SendScintilla(SCI_GETRANGEPOINTER, spanStart, spanEnd - spanStart));
    QByteArray out;
    out.reserve(spanEnd - spanStart + matches.size() * (with.size() - needle.size()) + 16);
    long cursor = spanStart;
    const std::vector<long> breaks = displayBreaks();
    // Display breaks are left out of the new span: it is the file's text (Undo brings the
    // breaks back with the old span).
    auto copyKept = [&](long from, long to) {
        auto b = std::lower_bound(breaks.begin(), breaks.end(), from);
        for (; b != breaks.end() && *b < to; ++b) {
            out.append(text + (from - spanStart), *b - from);
            from = *b + 1;
        }
        out.append(text + (from - spanStart), to - from);
    };
    for (const auto &m : std::as_const(matches)) {
        copyKept(cursor, m.first);
        out.append(with);
        cursor = m.second;
    }
    replaceRange(spanStart, spanEnd, out);
    SendScintilla(SCI_GOTOPOS, long(spanStart + out.size()));
    return int(matches.size());
}

QByteArray TEditor::selectedFileText() const
{
    const long a = SendScintilla(SCI_GETSELECTIONSTART), b = SendScintilla(SCI_GETSELECTIONEND);
    const char *p = reinterpret_cast<const char *>(SendScintilla(SCI_GETRANGEPOINTER, a, b - a));
    QByteArray out;
    long from = a;
    for (long off : breaksIn(a, b)) {
        out.append(p + (from - a), a + off - from);
        from = a + off + 1;
    }
    out.append(p + (from - a), b - from);
    return out;
}

void TEditor::copy()
{
    // What goes to the clipboard is the file's text: a display break pasted elsewhere would
    // become a real line break.
    if (!tracking_ || !hasSelectedText()) {
        QsciScintilla::copy();
        return;
    }
    QApplication::clipboard()->setText(QString::fromUtf8(selectedFileText()));
}

void TEditor::cut()
{
    if (!tracking_ || !hasSelectedText() || isReadOnly()) {
        QsciScintilla::cut();
        return;
    }
    copy();
    removeSelectedText();
}

void TEditor::replaceRange(long start, long end, const QByteArray &utf8)
{
    // A change of this size would be wrapped line by line before the call returns; with
    // wrapping switched off meanwhile, the control wraps what is shown and the rest when idle.
    const long wrap = wrapModeInForce();
    SendScintilla(SCI_SETWRAPMODE, 0L);
    SendScintilla(SCI_BEGINUNDOACTION);
    SendScintilla(SCI_SETTARGETRANGE, start, end);
    SendScintilla(SCI_REPLACETARGET, utf8.size(), utf8.constData());
    SendScintilla(SCI_ENDUNDOACTION);
    if (pendingWrap_ < 0) // else it comes back when the styling is done
        SendScintilla(SCI_SETWRAPMODE, wrap);
}

void TEditor::setBookmark(int n)
{
    if (n < 1 || n > 9)
        return;
    const int marker = BookmarkMarkerBase + n;
    if (bookmarkHandles_[n] >= 0)
        SendScintilla(SCI_MARKERDELETEHANDLE, bookmarkHandles_[n]);
    // The mark sits on the display line (the same as the file's line unless long lines are
    // shown broken), the column counted in it.
    const long pos = SendScintilla(SCI_GETCURRENTPOS);
    const long line = SendScintilla(SCI_LINEFROMPOSITION, pos);
    bookmarkHandles_[n] = int(SendScintilla(SCI_MARKERADD, line, marker));
    bookmarkCols_[n] = int(charactersBetween(SendScintilla(SCI_POSITIONFROMLINE, line), pos)) + 1;
}

bool TEditor::hasBookmark(int n) const
{
    return n >= 1 && n <= 9 && bookmarkHandles_[n] >= 0 &&
           SendScintilla(SCI_MARKERLINEFROMHANDLE, bookmarkHandles_[n]) >= 0;
}

bool TEditor::gotoBookmark(int n)
{
    if (!hasBookmark(n))
        return false;
    const long line = SendScintilla(SCI_MARKERLINEFROMHANDLE, bookmarkHandles_[n]);
    const long start = SendScintilla(SCI_POSITIONFROMLINE, line);
    const long end = SendScintilla(SCI_GETLINEENDPOSITION, line);
    const int col = bookmarkCols_[n];
    long pos = SendScintilla(SCI_POSITIONRELATIVE, start, long(col - 1));
    if ((pos <= 0 && col > 1) || pos > end)
        pos = end;
    SendScintilla(SCI_GOTOPOS, pos);
    SendScintilla(SCI_SCROLLCARET);
    return true;
}

void TEditor::setTabType(TabType t)
{
    tabType_ = t;
    // Real tabs put tab characters; smart tabs indent with blanks to the next tab stop.
    setIndentationsUseTabs(t == TabType::Real);
    setTabIndents(t == TabType::Smart);
}

void TEditor::setWordWrap(bool on, bool userChoice)
{
    if (userChoice)
        largeDocument_ = false; // the user decides for this document from now on
    else if (largeDocument_)
        on = false;
    pendingWrap_ = -1; // the user's choice wins over a wrap still waiting for styling
    setWrapMode(on ? WrapWord : WrapNone);
    setHorizontalScrollBarPolicy(on ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
}

void TEditor::setWrapReserve(int columns)
{
    wrapReserve_ = qMax(0, columns);
    const int charWidth = int(SendScintilla(SCI_TEXTWIDTH, 32L /* STYLE_DEFAULT */, "n"));
    SendScintilla(SCI_SETMARGINRIGHT, 0UL, long(wrapReserve_ * qMax(1, charWidth)));
}

int TEditor::visibleColumns() const
{
    const int charWidth = qMax(1, int(SendScintilla(SCI_TEXTWIDTH, 32L /* STYLE_DEFAULT */, "n")));
    int margins = 0;
    for (int m = 0; m < 5; ++m)
        margins += marginWidth(m);
    return qMax(1, (viewport()->width() - margins) / charWidth);
}

void TEditor::setEditorColor(const QColor &background)
{
    background_ = background;
    applyStyles();
}

void TEditor::setFixedFont(const QFont &font, const QColor &color)
{
    font_ = font;
    fontColor_ = color;
    applyStyles();
}

void TEditor::releaseKeys(const QList<QKeySequence> &keys)
{
    QsciCommandSet *set = standardCommands();
    for (const QKeySequence &k : keys) {
        if (k.isEmpty())
            continue;
        const int key = k[0].toCombined();
        for (QsciCommand *cmd : set->commands()) {
            if (cmd->key() == key)
                cmd->setKey(0);
            if (cmd->alternateKey() == key)
                cmd->setAlternateKey(0);
        }
    }
}

bool TEditor::isListDrag(const QMimeData *, QObject *source)
{
    return qobject_cast<QAbstractItemView *>(source) != nullptr;
}

void TEditor::dragEnterEvent(QDragEnterEvent *e)
{
    if (isListDrag(e->mimeData(), e->source()) || (e->mimeData()->hasUrls() && !e->source())) {
        e->acceptProposedAction();
        return;
    }
    QsciScintilla::dragEnterEvent(e);
}

void TEditor::dragMoveEvent(QDragMoveEvent *e)
{
    if (isListDrag(e->mimeData(), e->source()) || (e->mimeData()->hasUrls() && !e->source())) {
        e->acceptProposedAction();
        return;
    }
    QsciScintilla::dragMoveEvent(e);
}

void TEditor::dropEvent(QDropEvent *e)
{
    if (isListDrag(e->mimeData(), e->source())) {
        e->acceptProposedAction();
        emit listItemDropped();
        return;
    }
    if (e->mimeData()->hasUrls() && !e->source()) {
        QStringList paths;
        for (const QUrl &u : e->mimeData()->urls())
            if (u.isLocalFile())
                paths << u.toLocalFile();
        if (!paths.isEmpty()) {
            e->acceptProposedAction();
            emit filesDropped(paths);
            return;
        }
    }
    QsciScintilla::dropEvent(e);
}
