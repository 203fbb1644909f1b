#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <functional>

class QAction;
class QMainWindow;
class QMenu;
class QMenuBar;
class QToolBar;

// Builds the frame's menu bar and toolbars from the command table and connects every menu item
// and button to its handler by name. A command whose handler is not bound yet stays disabled,
// so the menus show every command without pretending to carry out the missing ones.
class CommandRegistry : public QObject {
    Q_OBJECT
public:
    // A line of a table of commands: a handler name and the method of a part that runs it.
    template <class T>
    struct Binding {
        const char *handler;
        void (T::*method)();
    };

    explicit CommandRegistry(QMainWindow *frame);

    void build();
    // The Edit menu's keys, pressed in a field or list of another window than the frame, go to
    // that field rather than to the active document.
    void leaveEditingKeysToOtherWindows();

    // Connects handler; enables its menu items and buttons unless the table disables them.
    void bind(const QString &handler, std::function<void()> fn);
    // Binds every line of a part's table of commands to that part.
    template <class T, std::size_t N>
    void bindAll(T *part, const Binding<T> (&table)[N])
    {
        for (const Binding<T> &b : table)
            bind(QString::fromLatin1(b.handler), [part, method = b.method] { (part->*method)(); });
    }
    // Same, for handlers that need to know which menu item was chosen (the recent-files items).
    void bindWithSender(const QString &handler, std::function<void(QAction *)> fn);

    bool isBound(const QString &handler) const { return handlers_.contains(handler); }
    // Runs the handler as its menu item would; false when nothing is bound to it.
    bool trigger(const QString &handler);

    // The first menu item (or, failing that, button) bound to handler.
    QAction *action(const QString &handler) const;
    QList<QAction *> actions(const QString &handler) const { return actions_.value(handler); }
    QMenu *menu(const QString &name) const { return menus_.value(name); }
    QToolBar *toolBar(const QString &name) const { return bars_.value(name); }
    QAction *menuAction(const QString &name) const;
    // Every shortcut of the table, for editors that must leave these keys to the frame.
    QList<QKeySequence> shortcuts() const;

private:
    void run(QAction *source);

    QMainWindow *frame_;
    QHash<QString, QList<QAction *>> actions_;
    QHash<QString, std::function<void(QAction *)>> handlers_;
    QHash<QString, QMenu *> menus_;
    QHash<QString, QToolBar *> bars_;
    QHash<QAction *, bool> tableDisabled_;
};
