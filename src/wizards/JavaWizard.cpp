#include "JavaWizard.h"

#include "app/ErrorBoundary.h"
#include "app/Services.h"
#include "app/Ubag.h"
#include "platform/Dialogs.h"
#include "tags/TagEngine.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace AppletHtml {

const char *const Alignments[9] = {"Left",   "Right",    "Top",    "TextTop", "Middle",
                                   "AbsMiddle", "Baseline", "Bottom", "AbsBottom"};

QString openingText(const Applet &a)
{
    QString s = QStringLiteral("<APPLET CODE=") + a.code + QStringLiteral(" WIDTH=") + QString::number(a.width) +
                QStringLiteral(" HEIGHT=") + QString::number(a.height) + QStringLiteral(" ALIGN=") + a.align + u' ';
    if (!a.codeBase.isEmpty())
        s += QStringLiteral("CODEBASE=") + a.codeBase + u' ';
    if (a.vspace > 0)
        s += QStringLiteral("VSPACE=") + QString::number(a.vspace) + u' ';
    if (a.hspace > 0)
        s += QStringLiteral("HSPACE=") + QString::number(a.hspace) + u' ';
    if (!a.name.isEmpty())
        s += QStringLiteral("NAME=") + a.name + u' ';
    if (!a.alt.isEmpty())
        s += QStringLiteral("ALT=") + a.alt + u' ';
    return s + u'>';
}

} // namespace AppletHtml

namespace {

QLineEdit *field(QWidget *parent, const char *name, const QString &hint)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setToolTip(hint);
    e->setMinimumWidth(170);
    return e;
}

QSpinBox *number(QWidget *parent, const char *name, const QString &hint)
{
    auto *s = new QSpinBox(parent);
    s->setObjectName(QString::fromLatin1(name));
    s->setRange(0, 2147483647);
    s->setSingleStep(10);
    s->setToolTip(hint);
    return s;
}

} // namespace

TfrmJavaWiz::TfrmJavaWiz(AppServices &services) : QDialog(services.mainWindow()), services_(services)
{
    setObjectName(QStringLiteral("TfrmJavaWiz"));
    setWindowTitle(QStringLiteral("Tolvenra Java Wizard"));
    setModal(false);
    setDialogFrame(this);

    tCode = field(this, "tCode", tr("The file that contains the applet's compiled Applet subclass"));
    tWidth = number(this, "tWidth", tr("Initial width in pixels of the applet display area"));
    tHeight = number(this, "tHeight", tr("Initial height in pixels of the applet display area"));
    tAlign = new QComboBox(this);
    tAlign->setObjectName(QStringLiteral("tAlign"));
    for (const char *a : AppletHtml::Alignments)
        tAlign->addItem(QString::fromLatin1(a));
    tCBase = field(this, "tCBase", tr("The base URL of the applet"));
    tAlt = field(this, "tAlt", tr("Text shown by a browser that cannot display Java applets"));
    tName = field(this, "tName", tr("The name of the applet instance"));
    tVSpace = number(this, "tVSpace", tr("Pixels above and below the applet"));
    tHSpace = number(this, "tHSpace", tr("Pixels on each side of the applet"));

    auto *required = new QGroupBox(tr("Required"), this);
    auto *r = new QFormLayout(required);
    r->addRow(tr("&Code:"), tCode);
    r->addRow(tr("&Width:"), tWidth);
    r->addRow(tr("Hei&ght:"), tHeight);
    r->addRow(tr("A&lignment:"), tAlign);
    auto *optional = new QGroupBox(tr("Optional"), this);
    auto *o = new QFormLayout(optional);
    o->addRow(tr("Code&Base:"), tCBase);
    o->addRow(tr("&Alternate:"), tAlt);
    o->addRow(tr("&Name:"), tName);
    o->addRow(tr("&Vertical Space:"), tVSpace);
    o->addRow(tr("Hori&zontal Space:"), tHSpace);

    auto *ok = dialogButton(this, "OKBtn", QStringLiteral("To Document"));
    ok->setDefault(true);
    auto *cancel = dialogButton(this, "CancelBtn", QStringLiteral("Cancel"));
    auto *help = dialogButton(this, "HelpBtn", QStringLiteral("&Help"));
    connect(ok, &QPushButton::clicked, this, &TfrmJavaWiz::OKBtnClick);
    connect(cancel, &QPushButton::clicked, this, &TfrmJavaWiz::CancelBtnClick);
    connect(help, &QPushButton::clicked, this, [this] { services_.showHelpTopic(QStringLiteral("wizards.html#java")); });

    auto *groups = new QHBoxLayout;
    groups->addWidget(required, 1);
    groups->addWidget(optional, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addLayout(buttonRow({ok, cancel, help}));

    Prefs = BagPlacement::attach(this, QStringLiteral("Java Wizard"));
    FormCreate();
}

void TfrmJavaWiz::FormCreate()
{
    const AppletHtml::Applet initial;
    tCode->setText(initial.code);
    tWidth->setValue(initial.width);
    tHeight->setValue(initial.height);
    tAlign->setCurrentIndex(0);
    tCBase->setText(initial.codeBase);
    tAlt->setText(initial.alt);
    tName->setText(initial.name);
    tVSpace->setValue(initial.vspace);
    tHSpace->setValue(initial.hspace);
}

AppletHtml::Applet TfrmJavaWiz::applet() const
{
    AppletHtml::Applet a;
    a.code = tCode->text();
    a.width = tWidth->value();
    a.height = tHeight->value();
    a.align = tAlign->currentText();
    a.codeBase = tCBase->text();
    a.alt = tAlt->text();
    a.name = tName->text();
    a.vspace = tVSpace->value();
    a.hspace = tHSpace->value();
    return a;
}

void TfrmJavaWiz::OKBtnClick()
{
    ErrorBoundary::run([this] { services_.tags().InsertTag(AppletHtml::openingText(applet()), AppletHtml::closingText()); });
    hide();
}

void TfrmJavaWiz::CancelBtnClick()
{
    hide();
}
