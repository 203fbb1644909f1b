#include "BackgroundLayout.h"

#include <Qsci/qsciscintilla.h>

#include <QTimer>

using Sci = QsciScintillaBase;

BackgroundLayout::BackgroundLayout(QsciScintilla *view) : QObject(view), view_(view) {}

long BackgroundLayout::wrapInForce() const
{
    return pendingWrap_ >= 0 ? pendingWrap_ : long(view_->SendScintilla(Sci::SCI_GETWRAPMODE));
}

void BackgroundLayout::setWrap(long wrap)
{
    pendingWrap_ = -1;
    setWrapNow(wrap);
}

void BackgroundLayout::setWrapNow(long wrap)
{
    // Layouts are kept for every line only where wrapping needs them (as the control's own
    // wrap switch does). Kept for every line of an unwrapped large text, the control walks that
    // whole table at each change of colour: ~35 ms a step of the background colouring of a
    // text of 250,000 lines.
    view_->SendScintilla(Sci::SCI_SETLAYOUTCACHE, wrap ? 3L /* SC_CACHE_DOCUMENT */ : 1L /* SC_CACHE_CARET */);
    view_->SendScintilla(Sci::SCI_SETWRAPMODE, wrap);
}

void BackgroundLayout::changeUnwrapped(const std::function<void()> &change)
{
    const long wrap = wrapInForce();
    view_->SendScintilla(Sci::SCI_SETWRAPMODE, 0L);
    change();
    if (pendingWrap_ < 0) // else it comes back when the styling is done
        view_->SendScintilla(Sci::SCI_SETWRAPMODE, wrap);
}

void BackgroundLayout::insertUnwrapped(bool large, const std::function<void()> &insert)
{
    const long wrap = large ? wrapInForce() : 0L;
    if (wrap)
        setWrapNow(0L);
    insert();
    if (wrap)
        resumeWrapWhenStyled(wrap);
}

void BackgroundLayout::resumeWrapWhenStyled(long wrap)
{
    // Wrapping the lines in view needs them styled, and the lexer styles from the start of the
    // change: switched on at once, wrapping would style the whole new text before the next
    // paint. The control styles it in the background meanwhile, in short steps.
    if (!view_->lexer()) {
        setWrap(wrap);
        return;
    }
    pendingWrap_ = wrap;
    startTimer(wrapTimer_, 40, &BackgroundLayout::checkPendingWrap);
}

void BackgroundLayout::startTimer(QTimer *&timer, int interval, void (BackgroundLayout::*slot)())
{
    if (!timer) {
        timer = new QTimer(this);
        timer->setInterval(interval);
        connect(timer, &QTimer::timeout, this, slot);
    }
    timer->start();
}

void BackgroundLayout::checkPendingWrap()
{
    if (pendingWrap_ < 0) {
        wrapTimer_->stop();
        return;
    }
    if (view_->SendScintilla(Sci::SCI_GETENDSTYLED) < view_->SendScintilla(Sci::SCI_GETLENGTH)) {
        // Styling only goes on while the control is idle and shown: a hidden document is
        // styled when it is next shown, so its wrapping waits too.
        if (view_->isVisible())
            return;
    }
    wrapTimer_->stop();
    setWrap(pendingWrap_);
}

void BackgroundLayout::beforePaint()
{
    // A large document is coloured only down to the view, and the lexer works from the top:
    // after a jump far down (Ctrl+End, the scroll bar) the control would colour all the text
    // in between, some 20-40 ms of it at every paint for a second or more. Instead the view is
    // coloured at once, starting as page text, and the text in between afterwards, which also
    // puts right the view's colours where it starts inside a script or a comment.
    constexpr long FarJump = 512 * 1024;
    if (!view_->lexer() || view_->SendScintilla(Sci::SCI_GETIDLESTYLING) != 1L /* SC_IDLESTYLING_TOVISIBLE */ ||
        view_->SendScintilla(Sci::SCI_GETWRAPMODE) != 0)
        return;
    const long styled = view_->SendScintilla(Sci::SCI_GETENDSTYLED);
    const long firstLine = view_->SendScintilla(Sci::SCI_DOCLINEFROMVISIBLE, view_->SendScintilla(Sci::SCI_GETFIRSTVISIBLELINE));
    const long viewStart = view_->SendScintilla(Sci::SCI_POSITIONFROMLINE, firstLine);
    if (viewStart - styled < FarJump)
        return;
    skippedFrom_ = skippedFrom_ < 0 ? styled : qMin(skippedFrom_, styled);
    view_->SendScintilla(Sci::SCI_STARTSTYLING, viewStart, 0L);
    startTimer(recolourTimer_, 0, &BackgroundLayout::recolourSkipped);
}

void BackgroundLayout::recolourSkipped()
{
    // A step of about 5 ms, ending at a line start; the control's mark of how far the text is
    // coloured goes back to where it was, so its own colouring goes on from there.
    constexpr long Step = 128 * 1024;
    const long styled = view_->SendScintilla(Sci::SCI_GETENDSTYLED);
    if (skippedFrom_ < 0 || skippedFrom_ >= styled) {
        // Done, or an edit before the skipped text made the control colour from there itself.
        skippedFrom_ = -1;
        recolourTimer_->stop();
        return;
    }
    long to = view_->SendScintilla(Sci::SCI_POSITIONFROMLINE, view_->SendScintilla(Sci::SCI_LINEFROMPOSITION, skippedFrom_ + Step) + 1);
    if (to <= skippedFrom_ || to > styled)
        to = styled;
    view_->SendScintilla(Sci::SCI_COLOURISE, skippedFrom_, to);
    view_->SendScintilla(Sci::SCI_STARTSTYLING, styled, 0L);
    skippedFrom_ = to;
}
