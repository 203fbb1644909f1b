#pragma once

#include <Qsci/qsciscintilla.h>

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

class QsciLexerHTML;

// The text editing control of a document window. Positions are 1-based lines and columns;
// columns count characters. The text goes in and out as UTF-8 bytes so that a large file
// is never copied through a UTF-16 string.
class QTimer;

class TEditor : public QsciScintilla {
    Q_OBJECT
public:
    enum class TabType { Real, Fixed, Smart };

    // Highlighter colours read on the background at this contrast ratio at least.
    static constexpr double MinContrast = 4.5;
    static double contrast(const QColor &a, const QColor &b);
    // color, or the nearest colour of its hue that reads on background.
    static QColor readableOn(const QColor &color, const QColor &background);

    struct Selection {
        int startLine = 1, startCol = 1, endLine = 1, endCol = 1;
    };

    // Texts larger than this many bytes are edited without per-change notices (see followSize).
    static constexpr long LargeText = 2 * 1024 * 1024;
    // A document over this size opens without word wrap (the control lays out every wrapped
    // line, about a second of work per megabyte), unless it has a line over LongLine bytes.
    static constexpr long LargeDocument = 1024 * 1024;
    static constexpr long LongLine = 64 * 1024;

    explicit TEditor(QWidget *parent = nullptr);

    // Whether the control currently leaves out its notices of insertions and deletions.
    bool quietEdits() const { return quietEdits_; }

    // Replaces the whole text; the undo history is cleared and the modified flag is false.
    // A line over LongLine bytes is shown broken into display lines (between tags where it
    // can): the control lays out a whole line at every keystroke, which takes seconds for a
    // line of megabytes. The breaks are the editor's own: fileText() leaves them out, and
    // lines and columns (caretLine, setCaret ...) count the file's lines.
    void loadUtf8(const QByteArray &utf8);
    // The text as shown, display breaks included; positions in the control refer to it.
    QByteArray utf8Text() const;
    // The text as the file holds it: without the display breaks of long lines.
    QByteArray fileText() const;
    // Whether long lines are shown broken.
    bool hasDisplayBreaks() const { return tracking_ && !displayBreaks().empty(); }
    // The byte positions of the display breaks (each a line feed not in the file), in order.
    std::vector<long> displayBreaks() const;
    // The text with display breaks added to lines over LongLine bytes, and where they are.
    static QByteArray breakLongLines(const QByteArray &utf8, std::vector<long> *breaks);
    qint64 textSize() const;

    int caretLine() const;
    int caretCol() const;
    void caretLineCol(int *line, int *col) const; // both at once: the status panel's
    void setCaret(int line, int col);
    // False when nothing is selected.
    bool selection(Selection *sel) const;
    void selectRange(int startLine, int startCol, int endLine, int endCol);
    // The file's lines, without their line breaks (display breaks are not line breaks).
    QStringList fileLines() const;
    bool overwriteMode() const;

    // Inserts text at the caret, replacing the selection, and leaves the caret after it.
    void insertAtCaret(const QString &text);

    // Searches forward from the caret; selects the match with the caret after it.
    bool findForward(const QString &text, bool matchCase, bool wholeWord);
    // Finds text at or after the byte position from without moving anything; the match's
    // start, or -1, with *end set to its end.
    long findFrom(long from, const QString &text, bool matchCase, bool wholeWord, long *end);
    // Replaces the first match (from the top) or every match; one undo step. Returns the count.
    int replaceText(const QString &find, const QString &replacement, bool all, bool matchCase, bool wholeWord);

    // The clipboard gets the file's text of the selection (without display breaks).
    void copy() override;
    void cut() override;
    // Undo puts display breaks back where they were.
    void undo() override;
    QByteArray selectedFileText() const;

    // Replaces the bytes from start to end as one undo step.
    void replaceRange(long start, long end, const QByteArray &utf8);

    // Bookmarks 1 to 9: remembered caret positions that move with edits on earlier lines.
    void setBookmark(int n);
    bool gotoBookmark(int n);
    bool hasBookmark(int n) const;

    void setTabType(TabType t);
    TabType tabType() const { return tabType_; }
    // Wraps at the window's edge, keeping the given number of columns free at the right.
    // Word wrap as the settings ask; a large document stays unwrapped unless the user turns
    // wrapping on for it (userChoice).
    void setWordWrap(bool on, bool userChoice = false);
    bool wordWrap() const { return wrapMode() != WrapNone || pendingWrap_ >= 0; }
    // Whether the text was loaded as a large document (wrapping held off).
    bool largeDocument() const { return largeDocument_; }
    void setWrapReserve(int columns);
    int visibleColumns() const;

    void setEditorColor(const QColor &background);
    QColor editorColor() const { return background_; }
    void setFixedFont(const QFont &font, const QColor &color);
    QFont fixedFont() const { return font_; }
    QColor fontColor() const { return fontColor_; }

    // Gives the keys of the frame's menus to the frame: the editor's own bindings of these
    // keys (Ctrl+U lower-cases in the control, for instance) are removed.
    void releaseKeys(const QList<QKeySequence> &keys);

    // Whether a drag comes from one of the program's list boxes.
    static bool isListDrag(const QMimeData *data, QObject *source);

    // Whether colouring skipped on a far jump in a large document is still being caught up
    // with in the background.
    bool recolouring() const { return skippedFrom_ >= 0; }

signals:
    // The text may have changed. A large text's control sends no notice of each edit (see
    // followSize); for it this comes with the next update of the view after a change of its
    // contents (styling included), so a listener checks what it needs.
    void contentEdited();
    void listItemDropped();
    void filesDropped(const QStringList &paths);

protected:
    void paintEvent(QPaintEvent *e) override;
    void dragEnterEvent(QDragEnterEvent *e) override;
    void dragMoveEvent(QDragMoveEvent *e) override;
    void dropEvent(QDropEvent *e) override;

private:
    long searchFrom(long from, const QByteArray &needle, bool matchCase, bool wholeWord, long *end);
    // The matches from a position on (the first only unless all), as editor positions.
    QList<QPair<long, long>> matchesFrom(long from, const QByteArray &needle, bool matchCase, bool wholeWord,
                                         bool all);
    long positionOf(int line, int col) const;
    long charactersBetween(long from, long to) const;
    QByteArray fileTextWithout(const std::vector<long> &breaks) const;
    void lineColOf(long pos, int *line, int *col) const;
    void applyStyles();
    void updateLineNumberWidth();
    void followSize();
    void setQuietEdits(bool large);
    static bool hasLongLine(const QByteArray &utf8);
    // Keeps the display breaks where they are through insertions, deletions, undo and redo.
    void trackBreaks(int position, int type, int length);
    // The first position of the file line that holds pos.
    long fileLineStart(long pos, const std::vector<long> &breaks) const;
    // The display breaks from..to, as offsets from from.
    std::vector<long> breaksIn(long from, long to) const;
    void markBreak(long pos);
    // The control's notices of edits that keeping the breaks needs.
    void setBreakNotices(bool undoing);
    // The wrap mode in force, or the one a large insertion will switch back on.
    long wrapModeInForce() const;
    // Leaves wrapping off until the background styling has reached the end of the text.
    void resumeWrapWhenStyled(long wrap);
    void checkPendingWrap();
    void setWrapAndLayouts(long wrap);
    // Starts one of the editor's timers, made on first use.
    void startOwnTimer(QTimer *&timer, int interval, void (TEditor::*slot)());
    // Colouring after a far jump in a large document: the view first, the text before it
    // afterwards, a step at a time while the program is idle.
    void skipColouringToView();
    void recolourSkipped();

    QsciLexerHTML *lexer_ = nullptr;
    QTimer *wrapTimer_ = nullptr;
    long pendingWrap_ = -1;
    QTimer *recolourTimer_ = nullptr;
    long skippedFrom_ = -1; // where the text whose colouring was skipped begins, or -1
    bool largeDocument_ = false;
    std::array<int, 10> bookmarkHandles_{};
    std::array<int, 10> bookmarkCols_{};
    TabType tabType_ = TabType::Real;
    int wrapReserve_ = 0;
    QColor background_;
    QColor fontColor_;
    QFont font_;
    int lineDigits_ = 0;
    bool quietEdits_ = false;
    // The display breaks are marked with a hidden indicator, which the control moves with the
    // text; what it cannot do, bring a break back when a deletion is undone, is done here.
    static constexpr int BreakIndicator = 30;
    bool tracking_ = false; // the text was loaded with display breaks
    // The display breaks each deletion took, to put back when it is undone: one record a
    // deletion, in the order of the undo history.
    struct Taken {
        long pos, length;
        std::vector<long> offsets;
    };
    std::vector<Taken> undoTaken_, redoTaken_;
};

// Groups the edits made while it lives into one undo step of the editor.
class UndoGroup {
public:
    explicit UndoGroup(TEditor *ed) : ed_(ed) { ed_->beginUndoAction(); }
    ~UndoGroup() { ed_->endUndoAction(); }
    UndoGroup(const UndoGroup &) = delete;
    UndoGroup &operator=(const UndoGroup &) = delete;

private:
    TEditor *ed_;
};
