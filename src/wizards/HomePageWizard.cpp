#include "HomePageWizard.h"

#include "app/ErrorBoundary.h"
#include "app/Guards.h"
#include "app/Services.h"
#include "app/SettingsTable.h"
#include "app/TextOps.h"
#include "app/ToolWindows.h"
#include "app/Megares.h"
#include "app/Ubag.h"
#include "platform/Dialogs.h"
#include "app/ColorGrid.h"
#include "wizards/WizardParts.h"

#include <QCheckBox>
#include <QDate>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

namespace HomePage {

namespace {

QString colour(int index)
{
    return TextOps::PaletteColorToHTML(index >= 0 && index < 16 ? index : 0);
}

QString slashed(QString name, bool on)
{
    if (on)
        name.replace(u'\\', u'/');
    return name;
}

} // namespace

QStringList page(const Answers &a, const QString &email, const QString &userName, const QString &date)
{
    QStringList out;
    // The declaration and the head.
    out << QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN//3.0\">") << QStringLiteral("<HTML>")
        << QStringLiteral("<HEAD>");
    out << QStringLiteral("<TITLE>") + a.title + QStringLiteral("</TITLE>") << QStringLiteral("</HEAD>") << QString();
    if (!a.setTextColour && !a.setBackColour && !a.useBackgroundImage) {
        out << QStringLiteral("<BODY>");
    } else {
        QString body = QStringLiteral("<BODY ");
        if (a.useBackgroundImage)
            body += QStringLiteral("BACKGROUND=\"") + slashed(a.backgroundImage, a.backgroundSlashes) +
                    QStringLiteral("\" ");
        if (a.setBackColour)
            body += QStringLiteral("BGCOLOR=\"") + colour(a.backColour) + QStringLiteral("\" ");
        if (a.setTextColour)
            body += QStringLiteral("TEXT=\"") + colour(a.textColour) + u'"';
        out << body + u'>';
    }
    out << QString();

    // The welcome, the heading and the page image.
    static const char *const aligns[] = {"LEFT", "CENTER", "RIGHT"};
    const QString align = QLatin1String(aligns[int(a.align)]);
    const QString image = QStringLiteral("<IMG SRC=\"") + slashed(a.image, a.imageSlashes) +
                          QStringLiteral("\" BORDER=") + QString::number(a.border) + u'>';
    if (a.welcome)
        out << QStringLiteral("<h3 ALIGN=") + align + QStringLiteral(">Welcome to</h3>");
    if (a.includeImage && a.imageBeforeHeading)
        out << image;
    out << QStringLiteral("<h1 ALIGN=") + align + u'>' + a.title + QStringLiteral("</h1>");
    if (!a.subTitle.isEmpty())
        out << QStringLiteral("<h2 ALIGN=") + align + u'>' + a.subTitle + QStringLiteral("</h2>");
    out << QStringLiteral("<p>");
    if (a.includeImage && !a.imageBeforeHeading)
        out << image;
    if (a.linesBetween)
        out << QStringLiteral("<HR SIZE=2>");

    // The sections.
    for (const QString &section : a.sections) {
        out << QStringLiteral("<h1>") + section + QStringLiteral("</h1>");
        out << QStringLiteral("<!-- The text for \"") + section + QStringLiteral("\" goes here. -->");
        out << QStringLiteral("<P>");
        if (a.linesBetween)
            out << QStringLiteral("<HR SIZE=1>");
    }

    // The footer.
    if (a.mailLink)
        out << QStringLiteral("Send comments and mail to <A HREF=\"Mailto:") + email + QStringLiteral("\">") + userName +
                   QStringLiteral("</a><P>");
    if (a.address) {
        out << QStringLiteral("<ADDRESS>");
        for (qsizetype i = 0; i < a.addressLines.size(); ++i)
            out << (i == 0 ? QStringLiteral("<STRONG>") + a.addressLines[i] + QStringLiteral("</STRONG><BR>")
                           : a.addressLines[i] + QStringLiteral("<BR>"));
        out << QStringLiteral("</ADDRESS><P>");
    }
    if (a.lastUpdated)
        out << QStringLiteral("<hr><p>")
            << QStringLiteral("<I>Last updated by ") + userName + QStringLiteral(" on ") + date + QStringLiteral("</I>");
    out << QStringLiteral("</BODY>") << QStringLiteral("</HTML>") << QString();
    return out;
}

} // namespace HomePage

// ---- the window ----

using namespace WizardParts;

const QString TfHPWiz::ImageFilter = QStringLiteral(
    "Graphics Files|*.gif;*.jpg|GIF Files (*.gif)|*.gif|JPEG Files (*.jpg)|*.jpg|All Files (*.*)|*.*");

namespace {

const char *const PageCaptions[] = {"Welcome", "Document &Title", "Page &Image", "&Sections", "&Footer",
                                    "&Appearance"};

const char *const WelcomeText =
    "Welcome to the Tolvenra Home Page Wizard !\n\n"
    "This wizard asks a few questions about your home page and then writes the complete page "
    "into a new document window, ready for you to fill in and save.\n\n"
    "Turn the pages with the tabs below: give the page a title, choose an image for its header, "
    "name its sections, say what goes at its foot and choose its colours and background. "
    "Your answers are kept until the program ends, so a second page starts from the first.\n\n"
    "Press \"Create it\" when you are ready.";

QCheckBox *check(QWidget *parent, const char *name, const QString &caption)
{
    auto *c = new QCheckBox(caption, parent);
    c->setObjectName(QString::fromLatin1(name));
    c->setChecked(true);
    return c;
}

// An image-name row: the field, "Browse ..." and the two case buttons.
QHBoxLayout *imageRow(QLineEdit *name, QList<QPushButton *> buttons)
{
    auto *row = new QHBoxLayout;
    row->addWidget(name, 1);
    for (QPushButton *b : buttons)
        row->addWidget(b);
    return row;
}

} // namespace

TfHPWiz::TfHPWiz(AppServices &services) : QDialog(services.mainWindow()), services_(services)
{
    setObjectName(QStringLiteral("TfHPWiz"));
    setWindowTitle(QStringLiteral("Home Page Wizard"));
    setDialogFrame(this);

    Notebook = new QStackedWidget(this);
    Notebook->setObjectName(QStringLiteral("Notebook"));
    TabSet = footTabs(this);
    buildPages();
    for (const char *caption : PageCaptions)
        TabSet->addTab(QString::fromLatin1(caption));
    connect(TabSet, &QTabBar::currentChanged, this, &TfHPWiz::TabSetClick);

    auto *ok = dialogButton(this, "OKBtn", QStringLiteral("Create it"));
    ok->setDefault(true);
    auto *cancel = dialogButton(this, "CancelBtn", QStringLiteral("Cancel"));
    auto *help = dialogButton(this, "HelpBtn", QStringLiteral("&Help"));
    connect(ok, &QPushButton::clicked, this, &TfHPWiz::OKBtnClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, &TfHPWiz::HelpBtnClick);

    layOutTabbedPages(this, Notebook, TabSet, {ok, cancel, help});
    resize(560, 400);

    Prefs = BagPlacement::attach(this, QStringLiteral("HP Wizard"));
}

void TfHPWiz::buildPages()
{
    auto page = [this]() {
        auto *w = new QWidget(Notebook);
        Notebook->addWidget(w);
        auto *form = new QFormLayout(w);
        form->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
        return form;
    };
    auto button = [this](const char *name, const QString &caption, void (TfHPWiz::*slot)()) {
        QPushButton *b = dialogButton(this, name, caption);
        connect(b, &QPushButton::clicked, this, slot);
        return b;
    };

    QFormLayout *f = page();
    mWelcome = new QPlainTextEdit(QString::fromLatin1(WelcomeText), this);
    mWelcome->setObjectName(QStringLiteral("mWelcome"));
    mWelcome->setReadOnly(true);
    f->addRow(mWelcome);

    f = page();
    tTitle = field(this, "tTitle", QStringLiteral("My Home Page"));
    f->addRow(tr("Titl&e:"), tTitle);
    tSubTitle = field(this, "tSubTitle", QString());
    tSubTitle->setPlaceholderText(tr("optional"));
    f->addRow(tr("S&ub-title:"), tSubTitle);
    optWelcome = check(this, "optWelcome", QStringLiteral("Include a \"Welcome to\" greeting ?"));
    f->addRow(optWelcome);
    f->addRow(alignmentBox(this, &btnLeft, &btnCentre, &btnRight));

    f = page();
    optIncImage = check(this, "optIncImage", QStringLiteral("Include an Image in your Home Page Header"));
    f->addRow(optIncImage);
    txtIM = field(this, "txtIM", QStringLiteral("Image Name"));
    f->addRow(tr("Image:"), imageRow(txtIM, {button("btnBrowse2", tr("&Browse ..."), &TfHPWiz::btnBrowse2Click),
                                              button("btnUC", tr("&UpperCase"), &TfHPWiz::btnUCClick),
                                              button("btnLC", tr("&LowerCase"), &TfHPWiz::btnLCClick)}));
    spnBorder = new QSpinBox(this);
    spnBorder->setObjectName(QStringLiteral("spnBorder"));
    spnBorder->setRange(0, 50);
    spnBorder->setValue(1);
    f->addRow(tr("Border si&ze:"), spnBorder);
    optSlash2 = check(this, "optSlash2", QStringLiteral("Change \"\\\" to \"/\""));
    f->addRow(optSlash2);
    auto *placeBox = new QGroupBox(tr("Position"), this);
    optIB = radio(placeBox, "optIB", QStringLiteral("Position Before Heading"), true);
    optIA = radio(placeBox, "optIA", QStringLiteral("Position After Heading"), false);
    auto *placeRow = new QHBoxLayout(placeBox);
    placeRow->addWidget(optIB);
    placeRow->addWidget(optIA);
    placeRow->addStretch(1);
    f->addRow(placeBox);

    f = page();
    mSections = memo(this, "mSections", QStringLiteral("Introduction\nAbout Me"));
    mSections->setToolTip(tr("One section title a line"));
    f->addRow(new QLabel(tr("Section titles, one a line:"), this));
    f->addRow(mSections);
    optLines = check(this, "optLines", QStringLiteral("Add Lines between sections ?"));
    f->addRow(optLines);

    f = page();
    optMail = check(this, "optMail", QStringLiteral("Add a Mail to me Link"));
    f->addRow(optMail);
    optAddress = check(this, "optAddress", QStringLiteral("Add an Address Section"));
    f->addRow(optAddress);
    mAddress = memo(this, "mAddress", QStringLiteral("Your Address"));
    f->addRow(mAddress);
    optUpdated = check(this, "optUpdated", QStringLiteral("Add a Last Updated Section"));
    f->addRow(optUpdated);

    f = page();
    grdColor = new ColorGrid(this);
    grdColor->setObjectName(QStringLiteral("grdColor"));
    // The page gets the palette's HTML colours, so the grid shows those, not the standard 16.
    QList<QColor> written;
    for (int i = 0; i < 16; ++i)
        written.append(QColor(TextOps::PaletteColorToHTML(i)));
    grdColor->setCellColors(written);
    grdColor->setForegroundIndex(4);
    grdColor->setBackgroundIndex(7);
    grdColor->setToolTip(tr("Left button: text colour; right button: background colour"));
    auto *colours = new QVBoxLayout;
    optBColor = check(this, "optBColor", QStringLiteral("Set Background Colour"));
    optFColor = check(this, "optFColor", QStringLiteral("Set Text Colour"));
    colours->addWidget(optBColor);
    colours->addWidget(optFColor);
    colours->addStretch(1);
    auto *colourRow = new QHBoxLayout;
    colourRow->addWidget(grdColor);
    colourRow->addLayout(colours, 1);
    f->addRow(colourRow);
    optUseBGImage = check(this, "optUseBGImage", QStringLiteral("Use a Background Image"));
    f->addRow(optUseBGImage);
    txtImageName = field(this, "txtImageName", QStringLiteral("Image Name"));
    f->addRow(tr("Image:"), imageRow(txtImageName,
                                      {button("btnBrowse", tr("B&rowse ..."), &TfHPWiz::btnBrowseClick),
                                       button("btnUpper", tr("U&pperCase"), &TfHPWiz::btnUpperClick),
                                       button("btnLower", tr("L&owerCase"), &TfHPWiz::btnLowerClick)}));
    chkslash = check(this, "chkslash", QStringLiteral("Change \"\\\" to \"/\""));
    f->addRow(chkslash);
}

HomePage::Answers TfHPWiz::answers() const
{
    HomePage::Answers a;
    a.title = tTitle->text();
    a.subTitle = tSubTitle->text();
    a.welcome = optWelcome->isChecked();
    a.align = btnLeft->isChecked() ? HomePage::Align::Left
              : btnCentre->isChecked() ? HomePage::Align::Centre
                                       : HomePage::Align::Right;
    a.includeImage = optIncImage->isChecked();
    a.image = txtIM->text();
    a.border = spnBorder->value();
    a.imageSlashes = optSlash2->isChecked();
    a.imageBeforeHeading = optIB->isChecked();
    a.sections = linesOf(mSections);
    a.linesBetween = optLines->isChecked();
    a.mailLink = optMail->isChecked();
    a.address = optAddress->isChecked();
    a.addressLines = linesOf(mAddress);
    a.lastUpdated = optUpdated->isChecked();
    a.textColour = grdColor->foregroundIndex();
    a.backColour = grdColor->backgroundIndex();
    a.setBackColour = optBColor->isChecked();
    a.setTextColour = optFColor->isChecked();
    a.useBackgroundImage = optUseBGImage->isChecked();
    a.backgroundImage = txtImageName->text();
    a.backgroundSlashes = chkslash->isChecked();
    return a;
}

void TfHPWiz::TabSetClick()
{
    Notebook->setCurrentIndex(TabSet->currentIndex());
}

QString TfHPWiz::browseImage()
{
    const QStringList names = Dialogs::instance().openFiles(this, tr("Open"), QString(), ImageFilter);
    return names.isEmpty() ? QString() : names.first();
}

void TfHPWiz::btnBrowse2Click()
{
    const QString name = browseImage();
    if (!name.isEmpty())
        txtIM->setText(name);
}

void TfHPWiz::btnUCClick() { txtIM->setText(txtIM->text().toUpper()); }
void TfHPWiz::btnLCClick() { txtIM->setText(txtIM->text().toLower()); }

void TfHPWiz::btnBrowseClick()
{
    const QString name = browseImage();
    if (!name.isEmpty())
        txtImageName->setText(name);
}

void TfHPWiz::btnUpperClick() { txtImageName->setText(txtImageName->text().toUpper()); }
void TfHPWiz::btnLowerClick() { txtImageName->setText(txtImageName->text().toLower()); }

void TfHPWiz::OKBtnClick()
{
    ErrorBoundary::run([this] {
        TMegaRegistry &settings = services_.settings();
        const QString date = QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
        const QStringList lines =
            HomePage::page(answers(), settings.read(Settings::EMail), settings.read(Settings::UserName), date);
        // The page is given whole, in the new document's own line breaks, so no line is cut.
        services_.newDocumentFromText(lines.join(u'\n') + u'\n');
        services_.SetStatusText(QStringLiteral("Ready ..."));
    });
    accept();
}

void TfHPWiz::HelpBtnClick()
{
    services_.showHelpTopic(QStringLiteral("wizards.html#homepage"));
}

void TfHPWiz::NewHomePage1Click(AppServices &services)
{
    StatusGuard status(services, QStringLiteral("Loading Home Page Wizard ..."));
    services.toolWindows().present(QStringLiteral("TfHPWiz"));
}
