#pragma once

#include <QDialog>

class AppServices;
class QCheckBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;
class QTabWidget;

// The application options: tag insertion, the editor, the user's details and start-up, read
// from the settings at each activation and written by "Save".
class TfOptions : public QDialog {
    Q_OBJECT
public:
    explicit TfOptions(AppServices &services);

    // The settings' longest value: longer texts are not accepted by the fields.
    static constexpr int MaxText = 1023;

    QTabWidget *pages() const { return Notebook1; }
    QRadioButton *optLowerCase, *optUpperCase, *optKorvo, *optLeaveSel, *optStaySel;
    QCheckBox *optST, *optWW, *chkTPL, *chkBKUP, *chkTips;
    QSpinBox *nTabs;
    QLineEdit *txtUser, *txtEMail, *txtHP, *txtOrg, *txtStartup;

public slots:
    void LoadIniSettings();
    void OKBtnClick();
    void CancelBtnClick();
    void HelpBtnClick();
    void ResetTips();

protected:
    bool event(QEvent *e) override;

private:
    AppServices &services_;
    QTabWidget *Notebook1;
    bool unsaved_ = false; // the last Save failed: the values typed are kept
};
