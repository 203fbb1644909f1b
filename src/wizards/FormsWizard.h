#pragma once

#include <QDialog>
#include <QStringList>

class AppServices;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;
class QSpinBox;
class QStackedWidget;
class QTabBar;
class TBag;

// The texts of the form elements the forms wizard writes. Field values go in as they stand:
// the user may type markup or entities into them on purpose.
namespace FormHtml {

enum class Align { Left, Centre, Right };

QString form(const QString &method, const QString &action, const QString &mime);
QString submit(const QString &caption, const QString &name);
QString reset(const QString &caption);
QString textLine(const QString &name, const QString &defaultText, int size, int maxLength);
QString option(bool checkBox, const QString &name, const QString &value, Align align);
QString textArea(const QString &name, int rows, int cols);
QString select(const QString &name, int size, bool multiple);

// The predefined questionnaire, one line a list entry.
QStringList questionnaire();

} // namespace FormHtml

// The forms wizard: writes one form element at a time, the one of the selected tab, into the
// active document through the tag engine or onto the clipboard. Modeless and kept, so that a
// form is built piece by piece with its fields remembered between showings.
class TfFormWiz : public QDialog {
    Q_OBJECT
public:
    explicit TfFormWiz(AppServices &services);

    enum Page { FormPage, SubmitPage, ResetPage, TextLinePage, MultiLinePage, OptionPage, SelectPage, PredefinedPage };
    enum class Destination { Document, Clipboard };

    static const QString FileFilter;
    static const QString CopiedToClipboard;

    QTabBar *tabs() const { return TabSet1; }
    QStackedWidget *notebook() const { return Notebook1; }
    Destination destination() const { return destination_; }

    QLineEdit *tAction, *tMime, *tSubValue, *tSubName, *tResetValue, *tTextName, *tTextDefault;
    QLineEdit *tMultiName, *tOptText, *tOptRetVal, *tSelName;
    QComboBox *tMethod;
    QSpinBox *sTextMax, *sTextSize, *oMultiLines, *oMultiSize, *oSelLines;
    QPlainTextEdit *mMultiText, *mSel, *mSample;
    QCheckBox *oOptCB, *oOptRB, *oSelMulti;
    QRadioButton *btnLeft, *btnCentre, *btnRight;

public slots:
    void FormCreate();
    void TabSet1Click();
    void btnFFormClick();
    void btnFSubmitClick();
    void btnFRefreshClick();
    void btnFTextClick();
    void btnFMultiClick();
    void btnFOptClick();
    void RadioButton2Click();
    void btnPredefinedClick();
    void oOptCBClick();
    void oOptRBClick();
    void btnToDocClick();
    void btnToClipClick();
    void DoIt();
    void LoadTable();
    void btnLoadFormClick();
    void btnCancelClick();
    void HelpBtnClick();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void selectPage(int index);
    QWidget *buildPreviewPanel();
    void buildPages();
    // Delivers one element: into the document through the tag engine, or onto the clipboard.
    void SendTableTag(const QString &openTag, const QString &closeTag);
    void doTableTag();
    void doSubmitTag();
    void doResetTag();
    void doTextTag();
    void doOptionTag();
    // The text area and the selection list: opening tag, lines at the caret, closing tag.
    void doListElement(const QString &openTag, const QStringList &lines, const QString &closeTag);
    void doMultiTag();
    void doSelectTag();
    void doSample();

    AppServices &services_;
    QTabBar *TabSet1;
    QStackedWidget *Notebook1;
    Destination destination_ = Destination::Document;
    TBag *Prefs;
};
