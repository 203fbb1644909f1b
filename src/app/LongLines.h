#pragma once

#include <QByteArray>
#include <QStringList>
#include <vector>

class QsciScintillaBase;

// Lines over LongLine bytes are shown broken into display lines of about a kilobyte (between
// tags where it can): the editing control lays out a whole line at every keystroke, which
// takes seconds for a line of megabytes. The breaks are line feeds that the file does not
// hold, marked in the text with a hidden indicator that the control moves with the text; what
// it cannot do, bring a break back when the deletion that took it is undone, is done here.
//
// This also maps between positions in the text as shown and the file's lines and columns
// (1-based; columns count characters), which the display breaks do not count.
class LongLines {
public:
    static constexpr long LongLine = 64 * 1024;
    // The indicator that marks a display break.
    static constexpr int BreakIndicator = 30;

    // text is the control holding the document's text (any view of it).
    explicit LongLines(QsciScintillaBase *text);

    static bool hasLongLine(const QByteArray &utf8);
    // The text with display breaks added to lines over LongLine bytes, and where they are.
    static QByteArray breakLongLines(const QByteArray &utf8, std::vector<long> *breaks);

    // A new text went in: marks its breaks (none when it has no long line) and forgets the
    // records of the old text's edits.
    void reset(bool tracking, const std::vector<long> &breaks);
    // Whether the text was loaded with display breaks.
    bool tracking() const { return tracking_; }
    bool hasBreaks() const { return tracking_ && !breaks().empty(); }
    // The byte positions of the display breaks, in order.
    std::vector<long> breaks() const;
    // The display breaks from..to, as offsets from from.
    std::vector<long> breaksIn(long from, long to) const;

    // The text as the file holds it, and a part of it (from..to of the shown text).
    QByteArray fileText() const;
    QByteArray textWithout(const std::vector<long> &breaks) const;
    QByteArray fileTextOf(long from, long to) const;
    // The file's lines, without their line breaks.
    QStringList fileLines() const;

    // The notices of the control's edits that keeping the breaks needs: every deletion
    // before it happens, and insertions while an undo runs (a deletion's breaks come back).
    int noticesNeeded(bool undoing) const;
    void notice(int position, int type, int length);
    // The undo history was cleared or trimmed by the control: what could be redone is gone.
    void undoStarting();

    // Positions and the file's lines and columns.
    long positionOf(int line, int col) const;
    void lineColOf(long pos, int *line, int *col) const;
    int lineOf(long pos) const;
    // Characters (not bytes) between two positions.
    long charactersBetween(long from, long to) const;

private:
    // The first position of the file line that holds pos.
    long fileLineStart(long pos, const std::vector<long> &breaks) const;
    void markBreak(long pos);

    QsciScintillaBase *text_;
    bool tracking_ = false;
    // The display breaks each deletion took, to put back when it is undone: one record a
    // deletion, in the order of the undo history.
    struct Taken {
        long pos, length;
        std::vector<long> offsets;
    };
    std::vector<Taken> undoTaken_, redoTaken_;
};
