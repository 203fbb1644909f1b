#pragma once

#include "platform/TextFile.h"

#include <QDateTime>
#include <QString>

// What a document window knows of its file: where it lives, how its bytes are stored
// (encoding, byte-order mark, line endings) and whether a save keeps a backup copy.
class HtmlDocument {
public:
    const QString &path() const { return path_; }
    const TextFile::Format &format() const { return format_; }
    void setFormat(const TextFile::Format &f) { format_ = f; }
    bool backup() const { return backup_; }
    // What the user should know about how the file was read, or empty (see TextFile::Loaded).
    const QString &readNote() const { return note_; }
    const QByteArray &unreadCharset() const { return unreadCharset_; }
    void setBackup(bool on) { backup_ = on; }

    // Reads path; on success the format is the file's and path() is the absolute path.
    TextFile::Loaded load(const QString &path);
    // Writes utf8 to path in the document's format (a backup copy is the caller's affair). On
    // failure *error says why.
    bool save(const QString &path, const QByteArray &utf8, QString *error);
    // Whether utf8 can be stored in the document's encoding.
    bool canStore(const QByteArray &utf8) const;

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

private:
    void takeStamp();

    QString note_;
    QByteArray unreadCharset_;
    QDateTime modified_;
    qint64 size_ = -1;
    bool known_ = false; // a file was read or saved
    QString path_;
    TextFile::Format format_;
    bool backup_ = false;
};
