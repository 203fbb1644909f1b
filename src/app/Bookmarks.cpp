#include "Bookmarks.h"

#include "LongLines.h"

#include <Qsci/qsciscintilla.h>

using Sci = QsciScintillaBase;

namespace {
constexpr int MarkerBase = 0; // markers 1..9 show bookmarks 1..9 (25..31 belong to folding)
constexpr int Margin = 1;
} // namespace

Bookmarks::Bookmarks(QsciScintilla *view, const LongLines &lines) : view_(view), lines_(lines)
{
    handles_.fill(-1);
    view->setMarginType(Margin, QsciScintilla::SymbolMargin);
    view->setMarginWidth(Margin, 14);
    view->setMarginSensitivity(Margin, false);
    unsigned mask = 0;
    for (int n = 1; n <= 9; ++n) {
        view->markerDefine(char('0' + n), MarkerBase + n);
        view->setMarkerForegroundColor(QColor(0xFF, 0xFF, 0xFF), MarkerBase + n);
        view->setMarkerBackgroundColor(QColor(0x2A, 0x62, 0xB8), MarkerBase + n);
        mask |= 1u << (MarkerBase + n);
    }
    view->setMarginMarkerMask(Margin, int(mask));
    view->setMarginMarkerMask(0, 0);
}

void Bookmarks::set(int n)
{
    if (n < 1 || n > 9)
        return;
    if (handles_[n] >= 0)
        view_->SendScintilla(Sci::SCI_MARKERDELETEHANDLE, handles_[n]);
    // The mark sits on the display line (the same as the file's line unless long lines are
    // shown broken), the column counted in it.
    const long pos = view_->SendScintilla(Sci::SCI_GETCURRENTPOS);
    const long line = view_->SendScintilla(Sci::SCI_LINEFROMPOSITION, pos);
    handles_[n] = int(view_->SendScintilla(Sci::SCI_MARKERADD, line, MarkerBase + n));
    cols_[n] = int(lines_.charactersBetween(view_->SendScintilla(Sci::SCI_POSITIONFROMLINE, line), pos)) + 1;
}

bool Bookmarks::has(int n) const
{
    return n >= 1 && n <= 9 && handles_[n] >= 0 && view_->SendScintilla(Sci::SCI_MARKERLINEFROMHANDLE, handles_[n]) >= 0;
}

bool Bookmarks::go(int n)
{
    if (!has(n))
        return false;
    const long line = view_->SendScintilla(Sci::SCI_MARKERLINEFROMHANDLE, handles_[n]);
    const long start = view_->SendScintilla(Sci::SCI_POSITIONFROMLINE, line);
    const long end = view_->SendScintilla(Sci::SCI_GETLINEENDPOSITION, line);
    const int col = cols_[n];
    long pos = view_->SendScintilla(Sci::SCI_POSITIONRELATIVE, start, long(col - 1));
    if ((pos <= 0 && col > 1) || pos > end)
        pos = end;
    view_->SendScintilla(Sci::SCI_GOTOPOS, pos);
    view_->SendScintilla(Sci::SCI_SCROLLCARET);
    return true;
}
