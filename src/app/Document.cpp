#include "Document.h"

#include <Qsci/qscilexerhtml.h>
#include <Qsci/qsciscintilla.h>

#include <QFileInfo>

using Sci = QsciScintillaBase;

const QString HtmlDocument::Untitled = QStringLiteral("New HTML Document");

bool HtmlDocument::IsUntitled(const QString &caption)
{
    return caption.left(17) == Untitled;
}

HtmlDocument::HtmlDocument(QObject *parent) : QObject(parent)
{
    // The text lives in a control of its own that is never shown; editors show the same
    // text (the control's document is shared) and their edits are its edits.
    text_ = std::make_unique<QsciScintilla>();
    text_->setObjectName(QStringLiteral("documentText"));
    text_->setAttribute(Qt::WA_DontShowOnScreen);
    text_->setUtf8(true);
    // The lexer belongs to the text (the editors that show it keep its styles): given while
    // the text is empty, it costs nothing; the text is coloured as editors show it.
    auto *lexer = new QsciLexerHTML(text_.get());
    lexer->setFoldCompact(false);
    text_->setLexer(lexer);
    lines_ = std::make_unique<LongLines>(text_.get());
    updateNotices();
    connect(text_.get(), &QsciScintillaBase::SCN_MODIFIED, this,
            [this](int position, int type, const char *, int length) { noticeEdit(position, type, length); });
    connect(text_.get(), &QsciScintilla::modificationChanged, this, [this] { emit modifiedChanged(isModified()); });
    untitledName_ = Untitled;
}

HtmlDocument::~HtmlDocument() = default;

void HtmlDocument::setUntitledName(const QString &name)
{
    setCaption(path_, name);
}

void HtmlDocument::setPath(const QString &path)
{
    setCaption(path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath(), untitledName_);
}

void HtmlDocument::setCaption(const QString &path, const QString &untitled)
{
    const QString old = caption();
    path_ = path;
    untitledName_ = untitled;
    if (caption() != old)
        emit captionChanged(old, caption());
}

void HtmlDocument::updateNotices()
{
    // Every change is announced before it happens: that raises the revision at no cost. The
    // notices of inserted and deleted texts are left out, as the control's accessibility
    // support counts the characters from the top of the text at each of them (some 40 ms a
    // keystroke in a 20 MB text); only the display breaks of long lines need some of them.
    const long mask = Sci::SC_MOD_BEFOREINSERT | Sci::SC_MOD_BEFOREDELETE | lines_->noticesNeeded(undoing_);
    text_->SendScintilla(Sci::SCI_SETMODEVENTMASK, mask);
}

void HtmlDocument::noticeEdit(int position, int type, int length)
{
    if (type & (Sci::SC_MOD_BEFOREINSERT | Sci::SC_MOD_BEFOREDELETE)) {
        ++revision_;
        if (!changePending_) {
            changePending_ = true;
            QMetaObject::invokeMethod(
                this,
                [this] {
                    changePending_ = false;
                    emit changed();
                },
                Qt::QueuedConnection);
        }
    }
    lines_->notice(position, type, length);
}

void HtmlDocument::setUndoing(bool on)
{
    if (on)
        lines_->undoStarting();
    undoing_ = on;
    updateNotices();
}

QByteArray HtmlDocument::fileText() const
{
    return lines_->fileText();
}

QByteArrayView HtmlDocument::characters() const
{
    const long len = text_->SendScintilla(Sci::SCI_GETLENGTH);
    const char *p = reinterpret_cast<const char *>(text_->SendScintilla(Sci::SCI_GETCHARACTERPOINTER));
    return QByteArrayView(p, len);
}

qint64 HtmlDocument::length() const
{
    return text_->SendScintilla(Sci::SCI_GETLENGTH);
}

qint64 HtmlDocument::fileSize() const
{
    return length() - qint64(lines_->breaks().size());
}

HtmlDocument::Snapshot HtmlDocument::snapshot() const
{
    return {fileText(), revision_};
}

void HtmlDocument::setText(const QByteArray &utf8)
{
    std::vector<long> breaks;
    const bool longLines = LongLines::hasLongLine(utf8);
    const QByteArray shown = longLines ? LongLines::breakLongLines(utf8, &breaks) : utf8;
    emit aboutToReplaceText(shown.size());
    lines_->reset(false, {});
    updateNotices();
    text_->SendScintilla(Sci::SCI_SETUNDOCOLLECTION, 0L);
    text_->SendScintilla(Sci::SCI_CLEARALL);
    text_->SendScintilla(Sci::SCI_ALLOCATE, long(shown.size() + 1024));
    text_->SendScintilla(Sci::SCI_APPENDTEXT, shown.size(), shown.constData());
    text_->SendScintilla(Sci::SCI_SETUNDOCOLLECTION, 1L);
    text_->SendScintilla(Sci::SCI_EMPTYUNDOBUFFER);
    lines_->reset(longLines, breaks);
    updateNotices();
    const bool was = isModified();
    unsavedText_ = false;
    text_->setModified(false);
    emit textReplaced();
    if (was)
        emit modifiedChanged(false);
}

void HtmlDocument::replaceRange(long start, long end, const QByteArray &utf8)
{
    text_->SendScintilla(Sci::SCI_BEGINUNDOACTION);
    text_->SendScintilla(Sci::SCI_SETTARGETRANGE, start, end);
    text_->SendScintilla(Sci::SCI_REPLACETARGET, utf8.size(), utf8.constData());
    text_->SendScintilla(Sci::SCI_ENDUNDOACTION);
}

void HtmlDocument::insert(long pos, const QByteArray &utf8)
{
    text_->SendScintilla(Sci::SCI_INSERTTEXT, pos, utf8.constData());
}

void HtmlDocument::beginUndoAction()
{
    text_->SendScintilla(Sci::SCI_BEGINUNDOACTION);
}

void HtmlDocument::endUndoAction()
{
    text_->SendScintilla(Sci::SCI_ENDUNDOACTION);
}

void HtmlDocument::undo()
{
    setUndoing(true);
    text_->SendScintilla(Sci::SCI_UNDO);
    setUndoing(false);
}

void HtmlDocument::redo()
{
    text_->SendScintilla(Sci::SCI_REDO);
}

bool HtmlDocument::canUndo() const
{
    return text_->SendScintilla(Sci::SCI_CANUNDO) != 0;
}

bool HtmlDocument::isModified() const
{
    // The control's flag follows its notices of leaving and reaching the saved state.
    return unsavedText_ || text_->isModified();
}

void HtmlDocument::setModified(bool on)
{
    // The control can only be told that its text is saved; a text that never was (one made
    // by the program) is marked here.
    unsavedText_ = on;
    if (!on)
        text_->setModified(false);
    emit modifiedChanged(isModified());
}

namespace {
long eolMode(TextFile::Eol eol)
{
    switch (eol) {
    case TextFile::Eol::CrLf: return QsciScintilla::EolWindows;
    case TextFile::Eol::Cr: return QsciScintilla::EolMac;
    case TextFile::Eol::Lf: break;
    }
    return QsciScintilla::EolUnix;
}
} // namespace

void HtmlDocument::setFormat(const TextFile::Format &f)
{
    format_ = f;
    // New lines typed into the document take its convention.
    text_->SendScintilla(Sci::SCI_SETEOLMODE, eolMode(f.eol));
}

bool HtmlDocument::load(const QString &path, QString *error)
{
    const TextFile::Loaded r = TextFile::load(path);
    if (!r.ok) {
        *error = r.error;
        return false;
    }
    note_ = r.note;
    unreadCharset_ = r.unreadCharset;
    setCaption(QFileInfo(path).absoluteFilePath(), untitledName_);
    setText(r.utf8);
    setFormat(r.format);
    takeStamp();
    return true;
}

bool HtmlDocument::loadTemplate(const QString &path, QString *error)
{
    const TextFile::Loaded r = TextFile::load(path);
    if (!r.ok) {
        *error = r.error;
        return false;
    }
    // The text only: the document keeps its name and is stored as UTF-8 with the template's
    // line ends.
    setText(r.utf8);
    TextFile::Format f;
    f.eol = r.format.eol;
    setFormat(f);
    return true;
}

bool HtmlDocument::reload(QString *error)
{
    return load(path_, error);
}

void HtmlDocument::takeStamp()
{
    const QFileInfo info(path_);
    known_ = info.exists();
    modified_ = info.lastModified();
    size_ = info.size();
}

HtmlDocument::DiskState HtmlDocument::diskState() const
{
    if (!known_ || path_.isEmpty())
        return DiskState::Same;
    const QFileInfo info(path_);
    if (!info.exists())
        return DiskState::Deleted;
    return info.lastModified() == modified_ && info.size() == size_ ? DiskState::Same : DiskState::Changed;
}

void HtmlDocument::acceptDiskState()
{
    takeStamp();
}

bool HtmlDocument::save(const QString &path, QString *error)
{
    const QString target = QFileInfo(path).absoluteFilePath();
    if (!TextFile::save(target, fileText(), format_, false, error))
        return false;
    setCaption(target, untitledName_);
    takeStamp();
    setModified(false);
    return true;
}

bool HtmlDocument::saveCopy(const QString &path, QString *error, bool keepBackup) const
{
    const QByteArray text = fileText();
    QByteArray encoded;
    const TextFile::Format f = TextFile::encode(text, format_, &encoded) ? format_ : utf8Format();
    const QString target = QFileInfo(path).absoluteFilePath();
    QString ignored;
    if (backup_ && keepBackup)
        TextFile::makeBackup(target, &ignored);
    return TextFile::save(target, text, f, false, error);
}

bool HtmlDocument::canStore() const
{
    QByteArray out;
    return TextFile::encode(fileText(), format_, &out);
}

TextFile::Format HtmlDocument::utf8Format() const
{
    TextFile::Format f = format_;
    f.encoding = TextFile::Encoding::Utf8;
    f.bom = false;
    return f;
}

QByteArray HtmlDocument::eolBytes() const
{
    switch (format_.eol) {
    case TextFile::Eol::CrLf: return "\r\n";
    case TextFile::Eol::Cr: return "\r";
    case TextFile::Eol::Lf: break;
    }
    return "\n";
}

QsciDocument HtmlDocument::qsciDocument() const
{
    return text_->document();
}
