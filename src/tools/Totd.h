#pragma once

#include <QDialog>
#include <QStringList>

class QCheckBox;
class QLabel;
class QPushButton;

// Reading a line of "TIPS.TXT": its first character picks the heading, the rest is the text,
// in which each of up to five "%s" is a line break and "%%" a percent sign.
namespace TipText {
QString heading(const QString &line);
QString text(const QString &line);
} // namespace TipText

// The tip of the day: one tip of "TIPS.TXT" at a time, Previous and Next going round, and a
// check box that says whether tips appear at start.
class TfTipOfTheDay : public QDialog {
    Q_OBJECT
public:
    explicit TfTipOfTheDay(QWidget *parent = nullptr);

    QCheckBox *showAtStartup() const { return cbShowTips; }
    QString currentHeading() const;
    QString currentTip() const;
    int index() const { return index_; }
    // Starts from a known tip instead of a random one (the next shown is index + 1).
    void setIndex(int index);

public slots:
    void bClick(bool forward);

private:
    QStringList tips_;
    int index_ = 0;
    QLabel *lTitle;
    QLabel *lTip;
    QPushButton *bPrevious, *bNext;
    QCheckBox *cbShowTips;
};

// The About box.
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget *parent = nullptr);
    static const char *const RightsNotice;
    static const char *const WebAddress;
};
