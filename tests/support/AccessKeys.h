#pragma once

// Finds access keys that clash: two items a user can reach with the same Alt+letter at the
// same time, in a menu, a menu bar or a window's fields and buttons.

#include <QAbstractButton>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QStackedWidget>
#include <QTabBar>

namespace AccessKeys {

// One item with an access key, and the pages it lives on: an item on a page of a stack (a tab's
// page) is reachable only while that page shows, so it can clash only with items on the same
// page, on a page holding that page, or outside every page.
struct KeyedItem {
    QString key;
    QString text;
    QList<QWidget *> pages;
};

inline QString accessKey(const QString &text)
{
    return QKeySequence::mnemonic(text).toString();
}

inline bool reachableTogether(const KeyedItem &a, const KeyedItem &b)
{
    const int n = qMin(a.pages.size(), b.pages.size());
    return a.pages.mid(0, n) == b.pages.mid(0, n);
}

inline QStringList clashes(const QList<KeyedItem> &items, const QString &where)
{
    QStringList found;
    for (int i = 0; i < items.size(); ++i)
        for (int j = i + 1; j < items.size(); ++j)
            if (items[i].key == items[j].key && reachableTogether(items[i], items[j]))
                found << QStringLiteral("%1: \"%2\" and \"%3\" (%4)").arg(where, items[i].text, items[j].text, items[i].key);
    return found;
}

inline QStringList menuClashes(QMenu *menu, const QString &where, QSet<QMenu *> &seen)
{
    QStringList found;
    if (!menu || seen.contains(menu))
        return found;
    seen.insert(menu);
    // Menus filled as they open are filled now.
    emit menu->aboutToShow();
    QList<KeyedItem> items;
    for (QAction *a : menu->actions()) {
        if (a->isSeparator() || !a->isVisible())
            continue;
        const QString key = accessKey(a->text());
        if (!key.isEmpty())
            items.append({key, a->text(), {}});
        if (a->menu())
            found << menuClashes(a->menu(), where + " > " + QString(a->text()).remove(u'&'), seen);
    }
    found << clashes(items, where);
    return found;
}

inline QStringList menuBarClashes(QMenuBar *bar, const QString &where, QList<KeyedItem> *titles, QSet<QMenu *> &seen)
{
    QStringList found;
    for (QAction *a : bar->actions()) {
        if (!a->isVisible())
            continue;
        const QString key = accessKey(a->text());
        if (!key.isEmpty())
            titles->append({key, a->text(), {}});
        found << menuClashes(a->menu(), where + " > " + QString(a->text()).remove(u'&'), seen);
    }
    return found;
}

// The menus a window owns outside its menu bar (context menus, button menus).
inline QStringList ownMenuClashes(QWidget *owner, const QString &where, QSet<QMenu *> &seen)
{
    QStringList found;
    for (QMenu *menu : owner->findChildren<QMenu *>()) {
        const QString name = !menu->title().isEmpty() ? QString(menu->title()).remove(u'&')
                             : !menu->objectName().isEmpty() ? menu->objectName()
                                                              : QStringLiteral("context menu");
        found << menuClashes(menu, where + " > " + name, seen);
    }
    return found;
}

// The pages of stacks between a widget and its window, outermost first; false when an
// ancestor other than a stack's page is hidden (the item is not there to reach).
inline bool pagesOf(QWidget *w, QWidget *window, QList<QWidget *> *pages)
{
    for (QWidget *p = w; p && p != window; p = p->parentWidget()) {
        const bool isPage = qobject_cast<QStackedWidget *>(p->parentWidget()) != nullptr;
        if (isPage)
            pages->prepend(p);
        else if (p->isHidden())
            return false;
    }
    return true;
}

inline QStringList windowClashes(QWidget *window)
{
    const QString where = window->windowTitle().isEmpty() ? window->metaObject()->className() : window->windowTitle();
    QList<KeyedItem> items;
    QStringList found;
    QSet<QMenu *> seen;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (w->window() != window)
            continue;
        QList<QWidget *> pages;
        if (!pagesOf(w, window, &pages))
            continue;
        auto add = [&](const QString &text) {
            const QString key = accessKey(text);
            if (!key.isEmpty())
                items.append({key, text, pages});
        };
        if (auto *b = qobject_cast<QAbstractButton *>(w))
            add(b->text());
        else if (auto *l = qobject_cast<QLabel *>(w); l && l->buddy())
            add(l->text());
        else if (auto *g = qobject_cast<QGroupBox *>(w))
            add(g->title());
        else if (auto *t = qobject_cast<QTabBar *>(w))
            for (int i = 0; i < t->count(); ++i)
                if (t->isTabVisible(i))
                    add(t->tabText(i));
        else if (auto *bar = qobject_cast<QMenuBar *>(w))
            found << menuBarClashes(bar, where, &items, seen);
    }
    found << ownMenuClashes(window, where, seen);
    found << clashes(items, where);
    return found;
}

} // namespace AccessKeys
