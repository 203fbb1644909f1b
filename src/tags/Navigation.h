#pragma once

#include <QObject>
#include <QString>

class AppServices;

// The Goto commands: each selects the next structural part of the active document (a link,
// a table, a form ...) or, from the top, its head, title or body tag.
class Navigation : public QObject {
    Q_OBJECT
public:
    Navigation(AppServices &services, QObject *parent = nullptr);

    // Finds startText (from the top, or after the caret and any selection), then endText
    // after it, without regard to case, and selects from the one to the other. False when
    // either is missing; a start found without its end stays selected.
    bool FindBlock(const QString &startText, const QString &endText, bool fromTop);

    // Binds the eleven Goto commands.
    void bindCommands();

private:
    AppServices &services_;
};
