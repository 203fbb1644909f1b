#include "Document.h"

#include <QFileInfo>

TextFile::Loaded HtmlDocument::load(const QString &path)
{
    TextFile::Loaded r = TextFile::load(path);
    if (r.ok) {
        path_ = QFileInfo(path).absoluteFilePath();
        format_ = r.format;
    }
    return r;
}

bool HtmlDocument::save(const QString &path, const QByteArray &utf8, QString *error)
{
    const QString target = QFileInfo(path).absoluteFilePath();
    if (!TextFile::save(target, utf8, format_, backup_, error))
        return false;
    path_ = target;
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
