#pragma once

#include <QApplication>
#include <functional>

// The application object. An error that slips past every command's own boundary ends here as
// a last resort and goes to the error handler the frame installs; the program goes on.
class TolvenraApplication : public QApplication {
    Q_OBJECT
public:
    TolvenraApplication(int &argc, char **argv);

    // handler receives the error's message for the user (empty when it has none).
    static void setErrorHandler(std::function<void(const QString &)> handler);
    bool notify(QObject *receiver, QEvent *event) override;

    // Sets the names, icon and organisation every window and settings file uses.
    static void describe();
};
