#include "TestHost.h"

#include <QMdiSubWindow>

TestHost::TestHost()
{
    setObjectName(QStringLiteral("TestHost"));
    area_ = new QMdiArea(this);
    setCentralWidget(area_);
    settings_ = new TMegaRegistry(QStringLiteral("Tolvenra HTML Editor Version 2"), QStringLiteral("Tolvenra Software"),
                                  QStringLiteral("TOLVENRA.INI"), this);
    commands_ = new CommandRegistry(this);
    tags_ = new TagEngine(*this, this);
    windows_ = new ToolWindows(*this, this);
    tags_->bindCatalogue(*commands_);
    resize(900, 600);
}

TestHost::~TestHost()
{
    windows_->destroyAll();
}

TfHTML *TestHost::activeDocument() const
{
    return qobject_cast<TfHTML *>(area_->currentSubWindow());
}

QList<TfHTML *> TestHost::documents() const
{
    QList<TfHTML *> out;
    for (QMdiSubWindow *w : area_->subWindowList(QMdiArea::CreationOrder))
        if (auto *d = qobject_cast<TfHTML *>(w))
            out << d;
    return out;
}

TfHTML *TestHost::newDocumentFromText(const QString &text, const QString &caption)
{
    auto *doc = new TfHTML(this);
    area_->addSubWindow(doc);
    doc->setCaption(caption.isEmpty() ? QStringLiteral("New HTML Document %1").arg(++counter_) : caption);
    doc->editor()->loadUtf8(text.toUtf8());
    doc->show();
    area_->setActiveSubWindow(doc);
    doc->setModified(false);
    return doc;
}

TfHTML *TestHost::openDocument(const QString &path)
{
    auto *doc = new TfHTML(this);
    QString error;
    if (!doc->loadFile(path, &error)) {
        delete doc;
        return nullptr;
    }
    area_->addSubWindow(doc);
    doc->setCaption(path);
    doc->show();
    area_->setActiveSubWindow(doc);
    doc->setModified(false);
    return doc;
}
