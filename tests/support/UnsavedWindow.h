#pragma once

#include "app/ToolWindows.h"
#include "platform/Dialogs.h"

#include <QWidget>

// A tool window holding data the user has not saved.
class UnsavedWindow : public QWidget, public ExitQuestion {
public:
    explicit UnsavedWindow(QWidget *parent) : QWidget(parent, Qt::Window) {}
    bool askToExit() override
    {
        ++asked;
        return Dialogs::instance().ask(this, "Save the notes?", true) != Dialogs::Answer::Cancel;
    }
    int asked = 0;
};
