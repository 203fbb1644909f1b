#pragma once

#include <QDialog>

class AppServices;
class QComboBox;
class QLineEdit;
class QSpinBox;
class TBag;

// The APPLET start tag the Java wizard writes. Values go in as they stand, without quotation
// marks, as the applet declarations of the time were written.
namespace AppletHtml {

struct Applet {
    QString code = QStringLiteral("AppletFile");
    int width = 100;
    int height = 100;
    QString align = QStringLiteral("Left");
    QString codeBase = QStringLiteral("CodeBaseURL");
    QString alt = QStringLiteral("AlternateText");
    QString name = QStringLiteral("AppletInstanceName");
    int vspace = 0;
    int hspace = 0;
};

// The alignments offered, first the one chosen at start.
extern const char *const Alignments[9];

QString openingText(const Applet &a);
inline QString closingText() { return QStringLiteral("</APPLET>"); }

} // namespace AppletHtml

// The Java applet wizard: an APPLET element around the selection or at the caret.
class TfrmJavaWiz : public QDialog {
    Q_OBJECT
public:
    explicit TfrmJavaWiz(AppServices &services);

    AppletHtml::Applet applet() const;

    QLineEdit *tCode, *tCBase, *tAlt, *tName;
    QSpinBox *tWidth, *tHeight, *tVSpace, *tHSpace;
    QComboBox *tAlign;

public slots:
    void FormCreate();
    void OKBtnClick();
    void CancelBtnClick();

private:
    AppServices &services_;
    TBag *Prefs;
};
