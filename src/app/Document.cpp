#include "Document.h"

#include <QFileInfo>

TextFile::Loaded HtmlDocument::load(const QString &path)
{
    TextFile::Loaded r = TextFile::load(path);
    if (r.ok) {
        path_ = QFileInfo(path).absoluteFilePath();
        format_ = r.format;
        note_ = r.note;
        unreadCharset_ = r.unreadCharset;
        takeStamp();
    }
    return r;
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

bool HtmlDocument::save(const QString &path, const QByteArray &utf8, QString *error)
{
    const QString target = QFileInfo(path).absoluteFilePath();
    if (!TextFile::save(target, utf8, format_, false, error))
        return false;
    path_ = target;
    takeStamp();
    return true;
}

bool HtmlDocument::canStore(const QByteArray &utf8) const
{
    QByteArray out;
    return TextFile::encode(utf8, format_, &out);
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
