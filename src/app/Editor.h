#pragma once

#include "Contrast.h"
#include "Document.h"
#include "LongLines.h"

#include <Qsci/qsciscintilla.h>

#include <QByteArray>
#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <array>
#include <memory>
#include <vector>

class BackgroundLayout;
class Bookmarks;
class HtmlDocument;
class QsciLexerHTML;

// The editor of a document window: a view of one document (HtmlDocument), which holds the
// text. Positions are 1-based lines and columns of the file (display breaks of long lines are
// not counted); columns count characters. Byte positions (the editing interface below) count
// the bytes of the text as shown. The text goes in and out as UTF-8 bytes so that a large file
// is never copied through a UTF-16 string.
class TEditor : public QsciScintilla {
    Q_OBJECT
public:
    enum class TabType { Real, Fixed, Smart };

    // Highlighter colours read on the background at this contrast ratio at least.
    static constexpr double MinContrast = 4.5;
    static double contrast(const QColor &a, const QColor &b) { return Contrast::ratio(a, b); }
    // color, or the nearest colour of its hue that reads on background.
    static QColor readableOn(const QColor &color, const QColor &background)
    {
        return Contrast::readableOn(color, background, MinContrast);
    }

    struct Selection {
        int startLine = 1, startCol = 1, endLine = 1, endCol = 1;
    };

    // Texts larger than this many bytes are edited without per-change notices (see followSize).
    static constexpr long LargeText = 2 * 1024 * 1024;
    // A document over this size opens without word wrap (the control lays out every wrapped
    // line, about a second of work per megabyte), unless it has a line over LongLine bytes.
    static constexpr long LargeDocument = 1024 * 1024;
    static constexpr long LongLine = LongLines::LongLine;

    // An editor of doc; without one, of a document of its own.
    explicit TEditor(QWidget *parent = nullptr, HtmlDocument *doc = nullptr);
    ~TEditor() override;

    HtmlDocument &document() const { return *doc_; }

    // Whether the control currently leaves out its notices of insertions and deletions.
    bool quietEdits() const { return quietEdits_; }

    // Replaces the whole text of the document (see HtmlDocument::setText).
    void loadUtf8(const QByteArray &utf8) { doc_->setText(utf8); }
    // The text as shown, display breaks included; positions in the control refer to it.
    QByteArray utf8Text() const { return doc_->characters().toByteArray(); }
    // The text as the file holds it: without the display breaks of long lines.
    QByteArray fileText() const { return doc_->fileText(); }
    // Whether long lines are shown broken.
    bool hasDisplayBreaks() const { return longLines().hasBreaks(); }
    // The byte positions of the display breaks (each a line feed not in the file), in order.
    std::vector<long> displayBreaks() const { return longLines().breaks(); }
    static QByteArray breakLongLines(const QByteArray &utf8, std::vector<long> *breaks)
    {
        return LongLines::breakLongLines(utf8, breaks);
    }
    qint64 textSize() const { return SendScintilla(SCI_GETLENGTH); }

    int caretLine() const;
    int caretCol() const;
    void caretLineCol(int *line, int *col) const; // both at once: the status panel's
    void setCaret(int line, int col) { SendScintilla(SCI_GOTOPOS, longLines().positionOf(line, col)); }
    // False when nothing is selected.
    bool selection(Selection *sel) const;
    void selectRange(int startLine, int startCol, int endLine, int endCol);
    // The file's lines, without their line breaks (display breaks are not line breaks).
    QStringList fileLines() const { return longLines().fileLines(); }
    bool overwriteMode() const { return SendScintilla(SCI_GETOVERTYPE) != 0; }

    // Inserts text at the caret, replacing the selection, and leaves the caret after it.
    void insertAtCaret(const QString &text);

    // ---- the editing interface in byte positions of the shown text
    long caretPosition() const { return SendScintilla(SCI_GETCURRENTPOS); }
    long selectionStart() const { return SendScintilla(SCI_GETSELECTIONSTART); }
    long selectionEnd() const { return SendScintilla(SCI_GETSELECTIONEND); }
    // Selects from..to with the caret at to, and shows it.
    void selectBytes(long from, long to) { SendScintilla(SCI_SETSEL, from, to); }
    // Puts the caret at pos (no selection), and shows it when asked.
    void gotoByte(long pos, bool show = false);
    void scrollToCaret() { SendScintilla(SCI_SCROLLCARET); }
    // The screen rectangle of the text from..to on its line (the whole line's height), for
    // windows that must not cover it.
    QRect screenRectOf(long from, long to) const;
    // Inserts text at pos without moving the caret unless it is after pos.
    void insertBytes(long pos, const QByteArray &utf8) { doc_->insert(pos, utf8); }

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
    QByteArray selectedFileText() const
    {
        return longLines().fileTextOf(SendScintilla(SCI_GETSELECTIONSTART), SendScintilla(SCI_GETSELECTIONEND));
    }

    // Replaces the bytes from start to end as one undo step.
    void replaceRange(long start, long end, const QByteArray &utf8);

    // Bookmarks 1 to 9: remembered caret positions that move with edits on earlier lines.
    void setBookmark(int n);
    bool gotoBookmark(int n);
    bool hasBookmark(int n) const;

    void setTabType(TabType t);
    TabType tabType() const { return tabType_; }
    // Word wrap as the settings ask; a large document stays unwrapped unless the user turns
    // wrapping on for it (userChoice).
    void setWordWrap(bool on, bool userChoice = false);
    bool wordWrap() const;
    // Whether the text was loaded as a large document (wrapping held off).
    bool largeDocument() const { return largeDocument_; }
    // Wraps at the window's edge, keeping the given number of columns free at the right.
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
    bool recolouring() const;

signals:
    void listItemDropped();
    void filesDropped(const QStringList &paths);

protected:
    void paintEvent(QPaintEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void dragEnterEvent(QDragEnterEvent *e) override;
    void dragMoveEvent(QDragMoveEvent *e) override;
    void dropEvent(QDropEvent *e) override;

private:
    void attach(HtmlDocument *doc);
    void prepareForText(qint64 size);
    void fitToSize(qint64 size);
    void textReplaced();
    void applyStyles();
    void updateLineNumberWidth();
    void followSize();
    void setQuietEdits(bool large);
    const LongLines &longLines() const { return doc_->longLines(); }

    std::unique_ptr<HtmlDocument> ownDocument_;
    HtmlDocument *doc_ = nullptr;
    QsciLexerHTML *lexer_ = nullptr;
    BackgroundLayout *layout_ = nullptr;
    long wrapAfterLoad_ = 0;
    std::unique_ptr<Bookmarks> bookmarks_;
    bool largeDocument_ = false;
    TabType tabType_ = TabType::Real;
    int wrapReserve_ = 0;
    QColor background_;
    QColor fontColor_;
    QFont font_;
    int lineDigits_ = 0;
    bool quietEdits_ = false;
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
