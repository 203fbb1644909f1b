#pragma once

#include <QDialog>
#include <QSpinBox>
#include <QStringList>

class AppServices;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class TBag;

// The BODY start tag the body wizard composes, and the sample shown under it.
namespace BodyHtml {

struct Colours {
    quint32 background = 0x000000;
    quint32 text = 0xFFFFFF;
    quint32 link = 0x00FFFF;
    quint32 visitedLink = 0x00FF00;
    quint32 activeLink = 0x0000FF;
};

// Every attribute is written, each followed by a blank, the image name as it stands.
QString bodyLine(const QString &image, const Colours &c);
// The lines that follow the tag in the sample.
QStringList sampleLines();

} // namespace BodyHtml

// A colour number from 0 to FFFFFF shown as six hexadecimal digits; its arrows step by 64.
class HexColourBox : public QSpinBox {
    Q_OBJECT
public:
    explicit HexColourBox(QWidget *parent = nullptr);

protected:
    QString textFromValue(int value) const override;
    int valueFromText(const QString &text) const override;
    QValidator::State validate(QString &text, int &pos) const override;
};

// The body wizard: the BODY tag from a background image and five colours, with a rendered
// sample, inserted into the active document (replacing its BODY tag when the user says so).
class TfWizBody : public QDialog {
    Q_OBJECT
public:
    explicit TfWizBody(AppServices &services);

    static const QString MediaFilter;
    static const QString ReplaceQuestion;

    BodyHtml::Colours colours() const;
    // The rendered sample, or nullptr when the browser engine could not be loaded.
    QWidget *viewer() const { return prevHTML; }

    QLineEdit *tImage;
    HexColourBox *tBGCOLOR, *tText, *tLink, *tVLink, *tALink;
    QPlainTextEdit *Memo1;

public slots:
    void FormCreate();
    void btnPreviewClick();
    void UpdateHTML();
    void RedoMemo();
    void RestoreSample();
    void btnBrowseClick();
    void btnUpperClick();
    void btnLowerClick();
    void btnSlashClick();
    void OKBtnClick();
    void CancelBtnClick();

protected:
    void changeEvent(QEvent *event) override;

private:
    AppServices &services_;
    QWidget *prevHTML = nullptr;
    QLabel *noViewer_ = nullptr;
    TBag *Prefs;
};
