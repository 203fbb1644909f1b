#include "WindowCommands.h"

#include "CommandRegistry.h"
#include "Document.h"
#include "DocumentArea.h"
#include "DocumentManager.h"
#include "Edit.h"
#include "Editor.h"
#include "TabStrip.h"

#include <QAction>
#include <QMenu>

WindowCommands::WindowCommands(DocumentArea &area, TabStrip &tabs, QMenu *windowMenu, QObject *parent)
    : QObject(parent), area_(area), tabs_(tabs), windowMenu_(windowMenu)
{
    setObjectName(QStringLiteral("WindowCommands"));
    DocumentManager &manager = area.manager();
    // A new window gets its tab before it is activated (activation selects the tab).
    connect(&area_, &DocumentArea::windowCreated, this, [this](TfHTML *w) { tabs_.TabsUpdate(w->caption()); });
    connect(&manager, &DocumentManager::renamed, this, [this](HtmlDocument *doc, const QString &old) {
        tabs_.RemovefromTabs(old);
        tabs_.TabsUpdate(doc->caption());
        tabs_.SelectTabName(doc->caption());
    });
    connect(&manager, &DocumentManager::closing, this, [this](HtmlDocument *doc) { tabs_.RemovefromTabs(doc->caption()); });
    connect(&tabs_, &TabStrip::tabChosen, this, &WindowCommands::DisplayTabName);
    connect(windowMenu_, &QMenu::aboutToShow, this, &WindowCommands::fillWindowMenu);
}

void WindowCommands::bindCommands(CommandRegistry &c)
{
    static constexpr CommandRegistry::Binding<WindowCommands> table[] = {
        {"WindowTile", &WindowCommands::WindowTile},
        {"WindowCascade", &WindowCommands::WindowCascade},
        {"WindowArrange", &WindowCommands::WindowArrange},
    };
    c.bindAll(this, table);
}

void WindowCommands::WindowTile()
{
    area_.tileSubWindows();
}

void WindowCommands::WindowCascade()
{
    // Each document at two thirds of the area, one title bar's step down and right from the
    // one before; the active one ends on top.
    const QSize area = area_.viewport()->size();
    const QSize size(qMax(area.width() * 2 / 3, qMin(area.width(), 400)), qMax(area.height() * 2 / 3, qMin(area.height(), 300)));
    TfHTML *active = area_.activeWindow();
    int step = 0;
    for (TfHTML *d : area_.windows()) {
        if (d->isMinimized() || d->isHidden())
            continue;
        d->showNormal();
        d->resize(size);
        const int offset = 26 * step;
        if (offset + size.width() > area.width() || offset + size.height() > area.height())
            step = 0;
        d->move(26 * step, 26 * step);
        d->raise();
        ++step;
    }
    if (active) {
        active->raise();
        area_.setActiveSubWindow(active);
    }
}

void WindowCommands::WindowArrange()
{
    // Minimised documents line up along the bottom of the frame's client area.
    const QList<TfHTML *> docs = area_.windows();
    int x = 0;
    const int bottom = area_.viewport()->height();
    for (TfHTML *d : docs)
        if (d->isMinimized()) {
            d->move(x, bottom - d->height());
            x += d->width();
        }
}

void WindowCommands::fillWindowMenu()
{
    QMenu *menu = windowMenu_;
    for (QAction *a : menu->actions())
        if (a->property("windowListItem").toBool()) {
            menu->removeAction(a);
            a->deleteLater();
        }
    const QList<TfHTML *> docs = area_.windows();
    if (docs.isEmpty())
        return;
    QAction *sep = menu->addSeparator();
    sep->setProperty("windowListItem", true);
    int n = 0;
    for (TfHTML *d : docs) {
        ++n;
        QAction *a = menu->addAction(QStringLiteral("&%1 %2").arg(n).arg(d->caption()));
        a->setProperty("windowListItem", true);
        // Only the active document carries a check; the others show no box.
        a->setCheckable(d == area_.activeWindow());
        a->setChecked(d == area_.activeWindow());
        connect(a, &QAction::triggered, this, [this, d] { area_.setActiveSubWindow(d); });
    }
}

void WindowCommands::DisplayTabName(const QString &name)
{
    if (TfHTML *d = area_.window(area_.manager().find(name))) {
        area_.setActiveSubWindow(d);
        d->editor()->setFocus();
    }
}
