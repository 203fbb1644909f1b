#include "TestHost.h"

TestHost::TestHost()
{
    setObjectName(QStringLiteral("TestHost"));
    manager_ = new DocumentManager(this);
    area_ = new DocumentArea(*manager_, *this, this);
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

TfHTML *TestHost::newDocumentFromText(const QString &text, const QString &caption)
{
    HtmlDocument *doc = manager_->newFromText(text, caption);
    doc->setModified(false);
    return area_->window(doc);
}

TfHTML *TestHost::openDocument(const QString &path)
{
    QString error;
    HtmlDocument *doc = manager_->open(path, &error);
    return doc ? area_->window(doc) : nullptr;
}
