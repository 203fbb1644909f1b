#include "Editor.h"

#include "BackgroundLayout.h"
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

#include <cmath>

namespace {
constexpr int BookmarkMarkerBase = 0; // markers 1..9 show bookmarks 1..9 (25..31 belong to folding)
constexpr int BookmarkMargin = 1;
} // namespace

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
    bookmarkHandles_.fill(-1);
    setUtf8(true);
    setObjectName(QStringLiteral("txtHTML"));
    EditorAccessibility::install();
    layout_ = new BackgroundLayout(this);

    font_ = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font_.setPointSize(10);
    fontColor_ = palette().color(QPalette::Text);
    background_ = palette().color(QPalette::Base);

    // Lex only what is shown, and the rest when the program is idle, so a large file opens
    // at once; a large document is lexed only as far as it is shown.
    const qint64 size = doc_->length();
    largeDocument_ = size > LargeDocument;
    SendScintilla(SCI_SETIDLESTYLING, largeDocument_ ? 1L /* SC_IDLESTYLING_TOVISIBLE */ : 3L /* SC_IDLESTYLING_ALL */);
    SendScintilla(SCI_SETLAYOUTCACHE, 1 /* SC_CACHE_CARET */);
    SendScintilla(SCI_INDICSETSTYLE, long(LongLines::BreakIndicator), long(INDIC_HIDDEN));
    setQuietEdits(size > LargeText);

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

const LongLines &TEditor::longLines() const
{
    return doc_->longLines();
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
    // A large text opens unwrapped; its styling in the background goes only as far as the part
    // shown, so the program is ready at once.
    largeDocument_ = size > LargeDocument;
    if (largeDocument_) {
        wrapAfterLoad_ = 0;
        setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    }
    SendScintilla(SCI_SETIDLESTYLING, largeDocument_ ? 1L /* SC_IDLESTYLING_TOVISIBLE */ : 3L /* SC_IDLESTYLING_ALL */);
    SendScintilla(SCI_SETWRAPMODE, 0L);
    setQuietEdits(size > LargeText); // before the text goes in: its notice alone is costly
}

void TEditor::textReplaced()
{
    lineDigits_ = -1;
    updateLineNumberWidth();
    SendScintilla(SCI_GOTOPOS, 0L);
    layout_->setWrap(wrapAfterLoad_);
    bookmarkHandles_.fill(-1);
    followSize();
}

void TEditor::loadUtf8(const QByteArray &utf8)
{
    doc_->setText(utf8);
}

QByteArray TEditor::utf8Text() const
{
    return doc_->characters().toByteArray();
}

QByteArray TEditor::fileText() const
{
    return doc_->fileText();
}

bool TEditor::hasDisplayBreaks() const
{
    return longLines().hasBreaks();
}

std::vector<long> TEditor::displayBreaks() const
{
    return longLines().breaks();
}

qint64 TEditor::textSize() const
{
    return SendScintilla(SCI_GETLENGTH);
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

void TEditor::setCaret(int line, int col)
{
    SendScintilla(SCI_GOTOPOS, longLines().positionOf(line, col));
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

QStringList TEditor::fileLines() const
{
    return longLines().fileLines();
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
    const long wrap = large ? layout_->wrapInForce() : 0L;
    if (large && wrap)
        layout_->setWrapNow(0L);
    SendScintilla(SCI_REPLACESEL, 0UL, bytes.constData());
    if (large && wrap)
        layout_->resumeWrapWhenStyled(wrap);
}

long TEditor::caretPosition() const
{
    return SendScintilla(SCI_GETCURRENTPOS);
}

long TEditor::selectionStart() const
{
    return SendScintilla(SCI_GETSELECTIONSTART);
}

long TEditor::selectionEnd() const
{
    return SendScintilla(SCI_GETSELECTIONEND);
}

void TEditor::selectBytes(long from, long to)
{
    SendScintilla(SCI_SETSEL, from, to);
}

void TEditor::gotoByte(long pos, bool show)
{
    SendScintilla(SCI_GOTOPOS, pos);
    if (show)
        scrollToCaret();
}

void TEditor::scrollToCaret()
{
    SendScintilla(SCI_SCROLLCARET);
}

void TEditor::insertBytes(long pos, const QByteArray &utf8)
{
    doc_->insert(pos, utf8);
}

void TEditor::paintEvent(QPaintEvent *e)
{
    layout_->beforePaint();
    QsciScintilla::paintEvent(e);
}

bool TEditor::recolouring() const
{
    return layout_->recolouring();
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

long TEditor::findFrom(long from, const QString &text, bool matchCase, bool wholeWord, long *end)
{
    return TextSearch::find(*doc_, from, text, matchCase, wholeWord, end);
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

QByteArray TEditor::selectedFileText() const
{
    return longLines().fileTextOf(SendScintilla(SCI_GETSELECTIONSTART), SendScintilla(SCI_GETSELECTIONEND));
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
    // A change of this size would be wrapped line by line before the call returns; with
    // wrapping switched off meanwhile, the control wraps what is shown and the rest when idle.
    const long wrap = layout_->wrapInForce();
    SendScintilla(SCI_SETWRAPMODE, 0L);
    doc_->replaceRange(start, end, utf8);
    if (!layout_->wrapPending()) // else it comes back when the styling is done
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
    bookmarkCols_[n] = int(longLines().charactersBetween(SendScintilla(SCI_POSITIONFROMLINE, line), pos)) + 1;
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
