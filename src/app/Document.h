#pragma once

#include "platform/TextFile.h"

#include <QString>

// What a document window knows of its file: where it lives, how its bytes are stored
// (encoding, byte-order mark, line endings) and whether a save keeps a backup copy.
class HtmlDocument {
public:
    const QString &path() const { return path_; }
    const TextFile::Format &format() const { return format_; }
    void setFormat(const TextFile::Format &f) { format_ = f; }
    bool backup() const { return backup_; }
    void setBackup(bool on) { backup_ = on; }

    // Reads path; on success the format is the file's and path() is the absolute path.
    TextFile::Loaded load(const QString &path);
    // Writes utf8 to path in the document's format. On failure *error says why.
    bool save(const QString &path, const QByteArray &utf8, QString *error);
    // Whether utf8 can be stored in the document's encoding.
    bool canStore(const QByteArray &utf8) const;

    // The text of a line break in the document's convention.
    QByteArray eolBytes() const;

private:
    QString path_;
    TextFile::Format format_;
    bool backup_ = false;
};
