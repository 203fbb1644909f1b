#pragma once

#include "LongLines.h"
#include "platform/TextFile.h"

#include <Qsci/qscidocument.h>

#include <QByteArrayView>
#include <QDateTime>
#include <QObject>
#include <QString>
#include <memory>

class QsciScintilla;

// One HTML document: its text (with its undo history), the file it belongs to and how its
// bytes are stored there (encoding, byte-order mark, line endings), whether it was changed
// since it was read or saved, and a revision number that every change raises. It lives apart
// from any window: an editor shows it and edits it (TEditor), and a test or a background job
// can open, change, save and reload it with no window at all.
//
// Its identity is its caption: the file's absolute path, or "New HTML Document " and a number
// while it has never been saved.
class HtmlDocument : public QObject {
    Q_OBJECT
public:
    static const QString Untitled; // "New HTML Document"
    static bool IsUntitled(const QString &caption);

    explicit HtmlDocument(QObject *parent = nullptr);
    ~HtmlDocument() override;

    // ---- identity
    QString caption() const { return path_.isEmpty() ? untitledName_ : path_; }
    bool isUntitled() const { return path_.isEmpty(); }
    // The file's absolute path; empty while the document has never been saved.
    const QString &path() const { return path_; }
    // The name of a document never saved ("New HTML Document 3").
    void setUntitledName(const QString &name);
    // Binds the document to a file without reading or writing it (an open document was saved
    // elsewhere); an empty path makes it untitled again under its untitled name.
    void setPath(const QString &path);

    // ---- text
    // The text as the file holds it: without the display breaks of long lines.
    QByteArray fileText() const;
    // The text as shown, display breaks included: positions of the editing interface count
    // its bytes. The view is valid until the next change.
    QByteArrayView characters() const;
    qint64 length() const;
    // The size the file's text has (the shown length less the display breaks).
    qint64 fileSize() const;
    // Raised by every change of the text, however it is made.
    quint64 revision() const { return revision_; }
    struct Snapshot {
        QByteArray text; // as the file holds it
        quint64 revision = 0;
    };
    Snapshot snapshot() const;

    // Replaces the whole text; the undo history is cleared and the document is unmodified.
    // Lines over LongLines::LongLine bytes are shown broken (the breaks never reach the file).
    void setText(const QByteArray &utf8);
    // Changes made as one undo step each; positions are bytes of the shown text.
    void replaceRange(long start, long end, const QByteArray &utf8);
    void insert(long pos, const QByteArray &utf8);
    void beginUndoAction();
    void endUndoAction();
    // Undo and redo for a document edited without a view (a view undoes in place, so that its
    // caret goes where the change was).
    void undo();
    void redo();
    bool canUndo() const;

    const LongLines &longLines() const { return *lines_; }
    // An undo starts or ends in a view: the display breaks it brings back are marked.
    void setUndoing(bool on);

    // ---- state
    // Changed since it was last read or saved, or made by the program and never saved.
    bool isModified() const;
    void setModified(bool on);

    // ---- its file
    const TextFile::Format &format() const { return format_; }
    void setFormat(const TextFile::Format &f);
    bool backup() const { return backup_; }
    void setBackup(bool on) { backup_ = on; }
    // What the user should know about how the file was read, or empty (see TextFile::Loaded).
    const QString &readNote() const { return note_; }
    const QByteArray &unreadCharset() const { return unreadCharset_; }

    // Reads path into the document: its text, format and path. On failure *error says why
    // and the document is unchanged.
    bool load(const QString &path, QString *error);
    // Reads a file's text into the document, which keeps its name (a new document made from
    // a template); it is stored as UTF-8 with the file's line ends.
    bool loadTemplate(const QString &path, QString *error);
    // Reads the document's own file again (another program changed it).
    bool reload(QString *error);
    // Writes the text to path in the document's format and binds the document to it (a
    // backup copy is the caller's affair); the document is then unmodified. On failure
    // *error says why and nothing changes.
    bool save(const QString &path, QString *error);
    // Writes the text to path as a save does, but the document keeps its file and its
    // modified state. Text the encoding cannot hold is written as UTF-8. A backup copy of
    // the file replaced is made when the document keeps them and keepBackup is true (a copy
    // refreshed while the user types makes none); one that cannot be made does not stop it.
    bool saveCopy(const QString &path, QString *error, bool keepBackup = true) const;
    // Whether the text can be stored in the document's encoding.
    bool canStore() const;
    // The document's format with the encoding UTF-8 (for text its encoding cannot hold).
    TextFile::Format utf8Format() const;
    // The text of a line break in the document's convention.
    QByteArray eolBytes() const;

    // Whether another program changed or removed the file since it was read or saved here.
    enum class DiskState { Same, Changed, Deleted };
    DiskState diskState() const;
    // Takes the file as it is now as the one read or saved (the user chose to keep their text).
    void acceptDiskState();
    // The file as it was when read or saved here (an invalid time and -1 when never).
    QDateTime stampModified() const { return known_ ? modified_ : QDateTime(); }
    qint64 stampSize() const { return known_ ? size_ : -1; }

    // ---- for the editors that show it
    QsciDocument qsciDocument() const;
    // The control that holds the text, for the editing interface of this program's own
    // editor units; features use the calls above.
    QsciScintilla *text() const { return text_.get(); }

signals:
    // The text changed (once for a burst of changes: sent when the program is next idle).
    void changed();
    void modifiedChanged(bool modified);
    // The caption changed (a first save, Save As).
    void captionChanged(const QString &oldCaption, const QString &caption);
    // The whole text is about to be replaced by one of size bytes, and was replaced: the
    // editors showing it prepare for a large text and take it afterwards.
    void aboutToReplaceText(qint64 size);
    void textReplaced();

private:
    void takeStamp();
    void noticeEdit(int position, int type, int length);
    void updateNotices();
    void setCaption(const QString &path, const QString &untitled);

    std::unique_ptr<QsciScintilla> text_;
    std::unique_ptr<LongLines> lines_;
    QString path_;
    QString untitledName_;
    TextFile::Format format_;
    bool backup_ = false;
    QString note_;
    QByteArray unreadCharset_;
    QDateTime modified_;
    qint64 size_ = -1;
    bool known_ = false; // a file was read or saved
    bool unsavedText_ = false; // text put in by the program that no file holds
    quint64 revision_ = 0;
    bool changePending_ = false;
    bool undoing_ = false;
};
