#pragma once

#include <QObject>
#include <functional>

class QsciScintilla;
class QTimer;

// Keeps an editor of a large text quick by doing its costly layout in the background: word
// wrap switched back on only once the text is styled (wrapping needs the styles, and the
// control would style and wrap the whole text before its next paint), and, after a far jump
// in a large document, the view coloured at once and the text above it a step at a time while
// the program is idle.
class BackgroundLayout : public QObject {
    Q_OBJECT
public:
    explicit BackgroundLayout(QsciScintilla *view);

    // The wrap mode in force, or the one a pending switch will set.
    long wrapInForce() const;
    bool wrapPending() const { return pendingWrap_ >= 0; }
    // Sets the wrap mode now (and the line layouts it needs); a pending switch is dropped.
    void setWrap(long wrap);
    void setWrapNow(long wrap);
    // Leaves wrapping off until the background styling has reached the end of the text.
    void resumeWrapWhenStyled(long wrap);
    void cancelPendingWrap() { pendingWrap_ = -1; }

    // A change that may be large (a whole text replaced, every match of a Replace All), made
    // with wrapping off: the control would wrap every changed line before returning;
    // switched on again, it wraps what is shown and the rest when idle.
    void changeUnwrapped(const std::function<void()> &change);
    // An insertion: when large (a big generated table), wrapping comes back only once the new
    // text is styled.
    void insertUnwrapped(bool large, const std::function<void()> &insert);

    // Called before each paint: a far jump in a large document colours the view first.
    void beforePaint();
    // A new text: nothing of the old one's colouring is owed.
    void forgetSkipped() { skippedFrom_ = -1; }
    // Whether colouring skipped on a far jump is still being caught up with.
    bool recolouring() const { return skippedFrom_ >= 0; }

private:
    void checkPendingWrap();
    void recolourSkipped();
    // Starts one of the timers, made on first use.
    void startTimer(QTimer *&timer, int interval, void (BackgroundLayout::*slot)());

    QsciScintilla *view_;
    QTimer *wrapTimer_ = nullptr;
    long pendingWrap_ = -1;
    QTimer *recolourTimer_ = nullptr;
    long skippedFrom_ = -1; // where the text whose colouring was skipped begins, or -1
};
