#pragma once

#include "app/ToolWindows.h"

#include <QDialog>

class AppServices;
class HtmlTable;
class QCheckBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class TBag;
class tHTMLStringGrid;

// The table wizard: lays out an HTML table in a grid, with up to two title rows, and puts the
// finished markup into the active document (through the clipboard, as a paste). Modeless; it
// keeps its table, titles and table file between showings.
class TfTableWiz : public QDialog, public ExitQuestion {
    Q_OBJECT
public:
    explicit TfTableWiz(AppServices &services);

    // The end of the program writes the table back to its file (AutoSave) while the frame is
    // still open, so that a failure can be told; a file that was not read whole is replaced
    // only when the user says so.
    bool askToExit() override;

    static const QString FileFilter;
    static const QString NoDocument;

    tHTMLStringGrid *grid() const { return grdTable; }
    QSpinBox *rowsBox() const { return spnRows; }
    QSpinBox *colsBox() const { return spnCols; }
    QSpinBox *borderBox() const { return spnBorder; }
    QCheckBox *headerBox() const { return chkHeader; }
    QLineEdit *headEdit() const { return txtHead; }
    QLineEdit *title1Edit() const { return txtTitle1; }
    QLineEdit *title2Edit() const { return txtTitle2; }
    QCheckBox *useTitle1() const { return optUseTitle1; }
    QCheckBox *useTitle2() const { return optUseTitle2; }
    QCheckBox *asFooter() const { return opt2asfooter; }
    QLabel *hint() const { return pnlHint; }

    // The instructions shown when the window becomes active.
    static QString hintText();

public slots:
    void SetRows();
    void SetCols();
    void SetBorder();
    void chkHeaderClick();
    void SetHeading();
    void SetTitles();
    void SetOption();
    void cmdClearClick();
    void btnLoadTableClick();
    void btnSaveTableClick();
    void btnSaveTableAsClick();
    void SaveHTMLClick();
    void CancelBtnClick();
    void HelpBtnClick();
    void FormActivate();

protected:
    bool event(QEvent *e) override;

private slots:
    // The Rows, Columns and Border fields show the grid's size.
    void showSize();

private:
    void resizeTable(int rows, int cols);

    AppServices &services_;
    tHTMLStringGrid *grdTable;
    QSpinBox *spnRows, *spnCols, *spnBorder;
    QCheckBox *chkHeader, *optUseTitle1, *optUseTitle2, *opt2asfooter;
    QLineEdit *txtHead, *txtTitle1, *txtTitle2;
    QLabel *pnlHint;
    TBag *Prefs;
};
