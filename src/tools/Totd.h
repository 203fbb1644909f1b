#pragma once

#include <QDialog>
#include <QStringList>

class QCheckBox;
class QLabel;

// The tip of the day: one tip of "TIPS.TXT" at a time, with Next and a check box that says
// whether tips appear at start.
class TfTipOfTheDay : public QDialog {
    Q_OBJECT
public:
    explicit TfTipOfTheDay(QWidget *parent = nullptr);

    QCheckBox *showAtStartup() const { return cbShowTips; }
    QString currentTip() const;

public slots:
    void NextClick();

private:
    void showTip();

    QStringList tips_;
    int index_ = 0;
    QLabel *lblTip;
    QCheckBox *cbShowTips;
};
