#pragma once

#include <QDialog>

// The title screen shown once at start.
class TitleScreen : public QDialog {
    Q_OBJECT
public:
    explicit TitleScreen(QWidget *parent = nullptr);
};
