#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>

class AppServices;
class CommandRegistry;

// A tool window that holds data the user may not have saved takes part in the question the
// program asks before it ends, as a document does.
class ExitQuestion {
public:
    virtual ~ExitQuestion() = default;
    // Asks about unsaved data (Yes saves, No drops, Cancel keeps the program running); false
    // when the program must not end.
    virtual bool askToExit() = 0;
};

// The frame's tool windows (pickers, macro windows, plug-ins, colours, the preview, wizards,
// the library, ...). Each is registered once with the handler that shows it and a factory; it
// is made on first use, found by name, closed with the frame, and asked before the program
// ends when it holds unsaved data.
class ToolWindows : public QObject {
    Q_OBJECT
public:
    // How the handler shows the window: modeless and raised, or as a modal dialog.
    enum class Show { Modeless, Modal };
    // Makes the window; nullptr with *error saying why when it cannot be made.
    using Factory = std::function<QWidget *(AppServices &services, QString *error)>;

    ToolWindows(AppServices &services, QObject *parent = nullptr);

    // Registers a window under name; with a handler, binds that command to show it.
    void add(const QString &name, Factory factory, const QString &handler = QString(), Show show = Show::Modeless);
    // The same, for a window class made from the services alone; its name is the class name.
    template <class T>
    void add(const QString &handler = QString(), Show show = Show::Modeless)
    {
        add(QString::fromLatin1(T::staticMetaObject.className()),
            [](AppServices &s, QString *) -> QWidget * { return new T(s); }, handler, show);
    }

    bool isRegistered(const QString &name) const { return factories_.contains(name); }
    // Every registered name, in the order of registration.
    QStringList names() const { return order_; }
    // The window, made now if it does not exist yet; nullptr (with *error) when it cannot be.
    QWidget *window(const QString &name, QString *error = nullptr);
    template <class T>
    T *get(QString *error = nullptr)
    {
        return qobject_cast<T *>(window(QString::fromLatin1(T::staticMetaObject.className()), error));
    }
    // The window if it has been made, else nullptr.
    QWidget *existing(const QString &name) const;
    // Shows the window as its registration says; reports a window that cannot be made.
    void present(const QString &name);

    // Asks every existing window that holds unsaved data; false on the first Cancel.
    bool askToExit();
    // Closes every visible window (the frame is closing).
    void closeAll();
    // Deletes every window (before the frame goes).
    void destroyAll();

private:
    struct Entry {
        Factory factory;
        Show show = Show::Modeless;
    };
    AppServices &services_;
    QHash<QString, Entry> factories_;
    QList<QString> order_;
    QHash<QString, QPointer<QWidget>> made_;
};
