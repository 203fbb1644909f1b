#include "Editor.h"

#include "BackgroundLayout.h"
#include "Bookmarks.h"
#include "Contrast.h"
#include "Document.h"
#include "EditorAccessibility.h"
#include "TextSearch.h"

#include <Qsci/qscicommand.h>
#include <Qsci/qscicommandset.h>
#include <Qsci/qscilexerhtml.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QMimeData>
#include <QPalette>
#include <QUrl>

TEditor::TEditor(QWidget *parent, HtmlDocument *doc) : QsciScintilla(parent)
{
    if (!doc) {
        ownDocument_ = std::make_unique<HtmlDocument>();
        doc = ownDocument_.get();
    }
    // The lexer is given to the view while it still shows its own empty text: the control
    // colours the whole text it shows when it gets a lexer. The document has the same lexer
    // already (see HtmlDocument); the view keeps the lexer's styles.
    lexer_ = new QsciLexerHTML(this);
    lexer_->setFoldCompact(false);
    setLexer(lexer_);
    attach(doc);
    setUtf8(true);
    setObjectName(QStringLiteral("txtHTML"));
    EditorAccessibility::install();
    layout_ = new BackgroundLayout(this);

    font_ = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font_.setPointSize(10);
    fontColor_ = palette().color(QPalette::Text);
    background_ = palette().color(QPalette::Base);

    SendScintilla(SCI_SETLAYOUTCACHE, 1 /* SC_CACHE_CARET */);
    SendScintilla(SCI_INDICSETSTYLE, long(LongLines::BreakIndicator), long(INDIC_HIDDEN));
    fitToSize(doc_->length());

    setMarginLineNumbers(0, true);
    bookmarks_ = std::make_unique<Bookmarks>(this, doc_->longLines());

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
    setAcceptDrops(true);
}

TEditor::~TEditor() = default;

void TEditor::attach(HtmlDocument *doc)
{
    doc_ = doc;
    // The control puts its own line-end convention on a document it is given: the document's
    // stays.
    const long eol = doc->text()->SendScintilla(SCI_GETEOLMODE);
    setDocument(doc->qsciDocument());
    SendScintilla(SCI_SETEOLMODE, eol);
    connect(doc, &HtmlDocument::aboutToReplaceText, this, &TEditor::prepareForText);
    connect(doc, &HtmlDocument::textReplaced, this, &TEditor::textReplaced);
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
            lexer_->setColor(Contrast::readableOn(lexer_->defaultColor(style), background_), style);
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
    if (large == quietEdits_)
        return;
    quietEdits_ = large;
    // An insertion's notice carries its "performed by the user" flags too, so any mask
    // that lets those through lets the insertion through: large texts get none.
    SendScintilla(SCI_SETMODEVENTMASK, large ? 0L : long(SC_MODEVENTMASKALL));
}

void TEditor::updateLineNumberWidth()
{
    if (longLines().tracking()) {
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

void TEditor::prepareForText(qint64 size)
{
    // With wrapping on, the control would wrap every line of the new text before returning;
    // switched on afterwards, it wraps what is shown and the rest when idle.
    wrapAfterLoad_ = layout_->wrapInForce();
    layout_->cancelPendingWrap();
    layout_->forgetSkipped();
    SendScintilla(SCI_SETWRAPMODE, 0L);
    fitToSize(size); // before the text goes in: its notice alone is costly
    if (largeDocument_)
        wrapAfterLoad_ = 0;
}

void TEditor::fitToSize(qint64 size)
{
    // Lex only what is shown, and the rest when the program is idle, so a file opens at once;
    // a large text opens unwrapped and is lexed only as far as it is shown.
    largeDocument_ = size > LargeDocument;
    if (largeDocument_)
        setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    SendScintilla(SCI_SETIDLESTYLING, largeDocument_ ? 1L /* SC_IDLESTYLING_TOVISIBLE */ : 3L /* SC_IDLESTYLING_ALL */);
    setQuietEdits(size > LargeText);
}

void TEditor::textReplaced()
{
    lineDigits_ = -1;
    updateLineNumberWidth();
    SendScintilla(SCI_GOTOPOS, 0L);
    layout_->setWrap(wrapAfterLoad_);
    bookmarks_->clear();
    followSize();
}

void TEditor::caretLineCol(int *line, int *col) const
{
    longLines().lineColOf(SendScintilla(SCI_GETCURRENTPOS), line, col);
}

int TEditor::caretLine() const
{
    return longLines().lineOf(SendScintilla(SCI_GETCURRENTPOS));
}

int TEditor::caretCol() const
{
    int line, col;
    caretLineCol(&line, &col);
    return col;
}

bool TEditor::selection(Selection *sel) const
{
    const long a = SendScintilla(SCI_GETSELECTIONSTART);
    const long b = SendScintilla(SCI_GETSELECTIONEND);
    if (a == b)
        return false;
    if (sel) {
        longLines().lineColOf(a, &sel->startLine, &sel->startCol);
        longLines().lineColOf(b, &sel->endLine, &sel->endCol);
    }
    return true;
}

void TEditor::selectRange(int startLine, int startCol, int endLine, int endCol)
{
    SendScintilla(SCI_SETSEL, longLines().positionOf(startLine, startCol), longLines().positionOf(endLine, endCol));
}

void TEditor::insertAtCaret(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    layout_->insertUnwrapped(bytes.size() > LargeText, [&] { SendScintilla(SCI_REPLACESEL, 0UL, bytes.constData()); });
}



void TEditor::gotoByte(long pos, bool show)
{
    SendScintilla(SCI_GOTOPOS, pos);
    if (show)
        scrollToCaret();
}


void TEditor::paintEvent(QPaintEvent *e)
{
    layout_->beforePaint();
    QsciScintilla::paintEvent(e);
}

void TEditor::keyPressEvent(QKeyEvent *e)
{
    // The control's own undo key (where the frame has not taken it) undoes as the menu does,
    // so that display breaks come back too.
    const QsciCommand *undoKey = standardCommands()->find(QsciCommand::Undo);
    const int key = e->keyCombination().toCombined();
    if (undoKey && key && (undoKey->key() == key || undoKey->alternateKey() == key)) {
        undo();
        e->accept();
        return;
    }
    QsciScintilla::keyPressEvent(e);
}

bool TEditor::findForward(const QString &text, bool matchCase, bool wholeWord)
{
    long end = 0;
    const long found = TextSearch::find(*doc_, SendScintilla(SCI_GETCURRENTPOS), text, matchCase, wholeWord, &end);
    if (found < 0)
        return false;
    SendScintilla(SCI_SETSEL, found, end);
    SendScintilla(SCI_SCROLLCARET);
    return true;
}

int TEditor::replaceText(const QString &find, const QString &replacement, bool all, bool matchCase, bool wholeWord)
{
    const TextSearch::Replacement r = TextSearch::replacement(*doc_, find, replacement, all, matchCase, wholeWord);
    if (r.count == 0)
        return 0;
    if (r.count == 1)
        doc_->replaceRange(r.start, r.end, r.text);
    else
        replaceRange(r.start, r.end, r.text);
    SendScintilla(SCI_GOTOPOS, long(r.start + r.text.size()));
    return r.count;
}

void TEditor::copy()
{
    // What goes to the clipboard is the file's text: a display break pasted elsewhere would
    // become a real line break.
    if (!longLines().tracking() || !hasSelectedText()) {
        QsciScintilla::copy();
        return;
    }
    QApplication::clipboard()->setText(QString::fromUtf8(selectedFileText()));
}

void TEditor::cut()
{
    if (!longLines().tracking() || !hasSelectedText() || isReadOnly()) {
        QsciScintilla::cut();
        return;
    }
    copy();
    removeSelectedText();
}

void TEditor::undo()
{
    doc_->setUndoing(true);
    QsciScintilla::undo();
    doc_->setUndoing(false);
}

void TEditor::replaceRange(long start, long end, const QByteArray &utf8)
{
    layout_->changeUnwrapped([&] { doc_->replaceRange(start, end, utf8); });
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
    layout_->cancelPendingWrap(); // the user's choice wins over a wrap still waiting for styling
    setWrapMode(on ? WrapWord : WrapNone);
    setHorizontalScrollBarPolicy(on ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
}

bool TEditor::wordWrap() const
{
    return wrapMode() != WrapNone || layout_->wrapPending();
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

namespace {
// Drags this editor takes itself: an entry of one of the program's lists, or files from
// another program.
bool takenDrag(const QDropEvent *e)
{
    return TEditor::isListDrag(e->mimeData(), e->source()) || (e->mimeData()->hasUrls() && !e->source());
}
} // namespace

void TEditor::dragEnterEvent(QDragEnterEvent *e)
{
    if (takenDrag(e))
        e->acceptProposedAction();
    else
        QsciScintilla::dragEnterEvent(e);
}

void TEditor::dragMoveEvent(QDragMoveEvent *e)
{
    if (takenDrag(e))
        e->acceptProposedAction();
    else
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

bool TEditor::recolouring() const
{
    return layout_->recolouring();
}

long TEditor::findFrom(long from, const QString &text, bool matchCase, bool wholeWord, long *end)
{
    return TextSearch::find(*doc_, from, text, matchCase, wholeWord, end);
}

void TEditor::setBookmark(int n)
{
    bookmarks_->set(n);
}

bool TEditor::hasBookmark(int n) const
{
    return bookmarks_->has(n);
}

bool TEditor::gotoBookmark(int n)
{
    return bookmarks_->go(n);
}

QRect TEditor::screenRectOf(long from, long to) const
{
    const int x1 = int(SendScintilla(SCI_POINTXFROMPOSITION, 0UL, from));
    const int y = int(SendScintilla(SCI_POINTYFROMPOSITION, 0UL, from));
    const long line = SendScintilla(SCI_LINEFROMPOSITION, from);
    const int x2 = SendScintilla(SCI_LINEFROMPOSITION, to) == line ? int(SendScintilla(SCI_POINTXFROMPOSITION, 0UL, to))
                                                                 : viewport()->width();
    const int h = int(SendScintilla(SCI_TEXTHEIGHT, line));
    const QPoint topLeft = viewport()->mapToGlobal(QPoint(qMin(x1, x2), y));
    return QRect(topLeft, QSize(qMax(1, qAbs(x2 - x1)), qMax(1, h)));
}
