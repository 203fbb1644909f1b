#include "DocumentManager.h"

#include "Document.h"

#include <QFileInfo>

DocumentManager::DocumentManager(QObject *parent) : QObject(parent) {}

DocumentManager::~DocumentManager()
{
    // Documents still shown go with their windows; the list forgets them first.
    for (HtmlDocument *doc : std::as_const(documents_))
        disconnect(doc, nullptr, this, nullptr);
}

HtmlDocument *DocumentManager::find(const QString &caption) const
{
    for (HtmlDocument *doc : documents_)
        if (doc->caption() == caption)
            return doc;
    return nullptr;
}

void DocumentManager::setActive(HtmlDocument *doc)
{
    if (doc == active_)
        return;
    active_ = doc;
    emit activated(doc);
}

QString DocumentManager::nextUntitledName()
{
    return HtmlDocument::Untitled + u' ' + QString::number(++untitled_);
}

HtmlDocument *DocumentManager::add(HtmlDocument *doc)
{
    documents_ << doc;
    connect(doc, &HtmlDocument::captionChanged, this, [this, doc](const QString &old) { emit renamed(doc, old); });
    // A document deleted with its window (the frame going away) leaves the list at once.
    connect(doc, &QObject::destroyed, this, [this, doc] {
        documents_.removeOne(doc);
        if (active_ == doc)
            active_ = nullptr;
    });
    emit created(doc);
    return doc;
}

HtmlDocument *DocumentManager::newDocument()
{
    auto *doc = new HtmlDocument(this);
    doc->setUntitledName(nextUntitledName());
    return add(doc);
}

HtmlDocument *DocumentManager::newFromText(const QString &text, const QString &caption)
{
    auto *doc = new HtmlDocument(this);
    // A caption that is not an untitled name is a file's path (the text of a file restored
    // from a recovery copy): a save writes that file.
    if (caption.isEmpty() || HtmlDocument::IsUntitled(caption))
        doc->setUntitledName(caption.isEmpty() ? nextUntitledName() : caption);
    else
        doc->setPath(caption);
    doc->setText(text.toUtf8());
    doc->setModified(true);
    return add(doc);
}

HtmlDocument *DocumentManager::open(const QString &path, QString *error)
{
    auto *doc = new HtmlDocument(this);
    if (!doc->load(QFileInfo(path).absoluteFilePath(), error)) {
        delete doc;
        return nullptr;
    }
    return add(doc);
}

void DocumentManager::close(HtmlDocument *doc)
{
    if (!documents_.contains(doc))
        return;
    emit closing(doc);
    documents_.removeOne(doc);
    disconnect(doc, nullptr, this, nullptr);
    if (active_ == doc)
        setActive(nullptr);
    if (doc->parent() == this)
        doc->deleteLater();
}
