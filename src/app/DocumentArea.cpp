#include "DocumentArea.h"

#include "DocumentManager.h"
#include "Edit.h"

DocumentArea::DocumentArea(DocumentManager &manager, DocumentHost &host, QWidget *parent)
    : QMdiArea(parent), manager_(manager), host_(host)
{
    setObjectName(QStringLiteral("MDIClient"));
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    connect(&manager_, &DocumentManager::created, this, &DocumentArea::show);
    connect(this, &QMdiArea::subWindowActivated, &manager_, [this](QMdiSubWindow *w) {
        auto *window = qobject_cast<TfHTML *>(w);
        manager_.setActive(window ? &window->document() : nullptr);
    });
}

DocumentArea::~DocumentArea()
{
    // The windows go with the area; no more news of their activation.
    disconnect(this, &QMdiArea::subWindowActivated, nullptr, nullptr);
}

TfHTML *DocumentArea::activeWindow() const
{
    return qobject_cast<TfHTML *>(currentSubWindow());
}

QList<TfHTML *> DocumentArea::windows() const
{
    QList<TfHTML *> out;
    for (QMdiSubWindow *w : subWindowList(QMdiArea::CreationOrder))
        if (auto *d = qobject_cast<TfHTML *>(w))
            out << d;
    return out;
}

TfHTML *DocumentArea::window(const HtmlDocument *doc) const
{
    if (!doc)
        return nullptr;
    for (QMdiSubWindow *w : subWindowList(QMdiArea::CreationOrder))
        if (auto *d = qobject_cast<TfHTML *>(w); d && &d->document() == doc)
            return d;
    return nullptr;
}

void DocumentArea::show(HtmlDocument *doc)
{
    auto *w = new TfHTML(&host_, doc);
    addSubWindow(w);
    connect(w, &TfHTML::closed, &manager_, &DocumentManager::close);
    const QSize area = viewport()->size();
    if (area.width() > 200 && area.height() > 150)
        w->resize(area.width() * 3 / 4, area.height() * 3 / 4);
    else
        w->resize(720, 480);
    // New windows step down from the top left corner, as a cascade does.
    const int step = 26 * (int(subWindowList().size() - 1) % 8);
    if (!w->isMaximized())
        w->move(step, step);
    emit windowCreated(w);
    w->show();
    setActiveSubWindow(w);
}
