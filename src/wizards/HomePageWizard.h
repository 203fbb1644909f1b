#pragma once

#include <QDialog>
#include <QStringList>

class AppServices;
class ColorGrid;
class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;
class QSpinBox;
class QStackedWidget;
class QTabBar;
class TBag;

// The page the home page wizard writes, from the user's answers. Field texts go into the page
// as they stand: the user may type markup into them on purpose.
namespace HomePage {

enum class Align { Left, Centre, Right };

struct Answers {
    QString title = QStringLiteral("My Home Page");
    QString subTitle;
    bool welcome = true;
    Align align = Align::Left;
    bool includeImage = true;
    QString image = QStringLiteral("Image Name");
    int border = 1;
    bool imageSlashes = true; // backslashes of the image name become forward slashes
    bool imageBeforeHeading = true;
    QStringList sections{QStringLiteral("Introduction"), QStringLiteral("About Me")};
    bool linesBetween = true;
    bool mailLink = true;
    bool address = true;
    QStringList addressLines{QStringLiteral("Your Address")};
    bool lastUpdated = true;
    int textColour = 4;
    int backColour = 7;
    bool setBackColour = true;
    bool setTextColour = true;
    bool useBackgroundImage = true;
    QString backgroundImage = QStringLiteral("Image Name");
    bool backgroundSlashes = true;
};

// The lines of the page, the last one empty; date is today's date as the user writes it.
QStringList page(const Answers &a, const QString &email, const QString &userName, const QString &date);

} // namespace HomePage

// The home page wizard: a few pages of questions, then a complete page in a new document
// window. Modal; its answers are kept for the next home page of the run.
class TfHPWiz : public QDialog {
    Q_OBJECT
public:
    explicit TfHPWiz(AppServices &services);

    static const QString ImageFilter;

    // The answers as the fields hold them now.
    HomePage::Answers answers() const;

    QTabBar *tabs() const { return TabSet; }
    QStackedWidget *notebook() const { return Notebook; }

    QPlainTextEdit *mWelcome, *mSections, *mAddress;
    QLineEdit *tTitle, *tSubTitle, *txtIM, *txtImageName;
    QCheckBox *optWelcome, *optIncImage, *optSlash2, *optLines, *optMail, *optAddress, *optUpdated;
    QCheckBox *optBColor, *optFColor, *optUseBGImage, *chkslash;
    QRadioButton *btnLeft, *btnCentre, *btnRight, *optIB, *optIA;
    QSpinBox *spnBorder;
    ColorGrid *grdColor;

    // The frame's command: the wizard, and the page it writes.
    static void NewHomePage1Click(AppServices &services);

public slots:
    void TabSetClick();
    void btnBrowse2Click();
    void btnUCClick();
    void btnLCClick();
    void btnBrowseClick();
    void btnUpperClick();
    void btnLowerClick();
    void OKBtnClick();
    void HelpBtnClick();

private:
    void buildPages();
    // An image name from the open dialog, or empty when the user cancelled.
    QString browseImage();

    AppServices &services_;
    QTabBar *TabSet;
    QStackedWidget *Notebook;
    TBag *Prefs;
};
