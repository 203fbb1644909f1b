#pragma once

#include "platform/HelpWindow.h"

#include <QObject>
#include <QPointer>
#include <QString>

class CommandRegistry;
class QWidget;

// The Help menu: the program's help (contents, search, help on help, a topic by page) and
// the HTML primer, a help file of its own, in one help window made on first use.
class HelpCommands : public QObject {
    Q_OBJECT
public:
    explicit HelpCommands(QWidget *frame);

    void bindCommands(CommandRegistry &commands);

    void HelpContents();
    void HelpSearch();
    void HelpHowToUse();
    void HTMLPrimer1Click();
    // Shows a page of the program's help ("macros.html"); an empty topic shows the contents.
    void showHelpTopic(const QString &topic);
    // The help window once made, and the folder of the help it shows.
    HelpWindow *window() const { return help_; }
    QString folder() const { return helpFolder_; }
    // Closes the help window (the frame is closing).
    void close();

private:
    HelpWindow *help();

    QWidget *frame_;
    QPointer<HelpWindow> help_; // it goes with a modal dialog deleted while it belongs to it
    QString helpFolder_;
};
