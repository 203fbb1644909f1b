#include "Options.h"

#include "app/ErrorBoundary.h"
#include "app/Megares.h"
#include "app/Services.h"
#include "app/SettingsTable.h"
#include "platform/AppPaths.h"
#include "platform/Dialogs.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

template <class T> T *named(T *w, const char *name)
{
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

QLineEdit *textField(QWidget *parent, const char *name)
{
    auto *e = named(new QLineEdit(parent), name);
    e->setMaxLength(TfOptions::MaxText);
    return e;
}

} // namespace

TfOptions::TfOptions(AppServices &services) : QDialog(services.mainWindow()), services_(services)
{
    setObjectName(QStringLiteral("TfOptions"));
    setWindowTitle(QStringLiteral("Tolvenra Application Options"));
    setDialogFrame(this);
    Notebook1 = named(new QTabWidget(this), "Notebook1");

    // Editing
    auto *editing = new QWidget(Notebook1);
    auto *caseBox = new QGroupBox(QStringLiteral(" Insert Tags in "), editing);
    optLowerCase = named(new QRadioButton(QStringLiteral("lower case"), caseBox), "optLowerCase");
    optUpperCase = named(new QRadioButton(QStringLiteral("UPPER CASE"), caseBox), "optUpperCase");
    optKorvo = named(new QRadioButton(QStringLiteral("Let Tolvenra Decide"), caseBox), "optKorvo");
    optKorvo->setChecked(true);
    auto *caseLayout = new QVBoxLayout(caseBox);
    for (QRadioButton *b : {optLowerCase, optUpperCase, optKorvo})
        caseLayout->addWidget(b);
    auto *selBox = new QGroupBox(QStringLiteral("'Insert Tag' Behaviour"), editing);
    optLeaveSel = named(new QRadioButton(QStringLiteral("Leave text selected after Insert"), selBox), "optLeaveSel");
    optStaySel = named(new QRadioButton(QStringLiteral("Move cursor to end of inserted text"), selBox), "optStaySel");
    optLeaveSel->setChecked(true);
    auto *selLayout = new QVBoxLayout(selBox);
    selLayout->addWidget(optLeaveSel);
    selLayout->addWidget(optStaySel);
    auto *editorBox = new QGroupBox(QStringLiteral("Editor Behaviour "), editing);
    optST = named(new QCheckBox(QStringLiteral("Use Smart Tabs"), editorBox), "optST");
    optWW = named(new QCheckBox(QStringLiteral("Word Wrap"), editorBox), "optWW");
    nTabs = named(new QSpinBox(editorBox), "nTabs");
    nTabs->setRange(0, 99);
    auto *tabRow = new QHBoxLayout;
    auto *tabLabel = new QLabel(QStringLiteral("Tab Width"), editorBox);
    tabLabel->setBuddy(nTabs);
    tabRow->addWidget(tabLabel);
    tabRow->addWidget(nTabs);
    tabRow->addStretch(1);
    auto *editorLayout = new QVBoxLayout(editorBox);
    editorLayout->addWidget(optST);
    editorLayout->addLayout(tabRow);
    editorLayout->addWidget(optWW);
    auto *editingLayout = new QGridLayout(editing);
    editingLayout->addWidget(caseBox, 0, 0);
    editingLayout->addWidget(selBox, 1, 0);
    editingLayout->addWidget(editorBox, 0, 1, 2, 1);
    Notebook1->addTab(editing, QStringLiteral("&Editing"));

    // User Defaults
    auto *user = new QWidget(Notebook1);
    auto *userForm = new QFormLayout(user);
    txtUser = textField(user, "txtUser");
    txtEMail = textField(user, "txtEMail");
    txtHP = textField(user, "txtHP");
    txtOrg = textField(user, "txtOrg");
    userForm->addRow(QStringLiteral("User Name"), txtUser);
    userForm->addRow(QStringLiteral("E-Mail Address"), txtEMail);
    userForm->addRow(QStringLiteral("Home Page"), txtHP);
    userForm->addRow(QStringLiteral("Organisation"), txtOrg);
    Notebook1->addTab(user, QStringLiteral("&User Defaults"));

    // System Settings
    auto *system = new QWidget(Notebook1);
    txtStartup = textField(system, "txtStartup");
    txtStartup->setToolTip(QStringLiteral("The Default Startup Directory for HTML Documents"));
    auto *misc = new QGroupBox(QStringLiteral("Misc Options"), system);
    chkTPL = named(new QCheckBox(QStringLiteral("Load Template on Start Up"), misc), "chkTPL");
    chkBKUP = named(new QCheckBox(QStringLiteral("Create Backup Files"), misc), "chkBKUP");
    chkTips = named(new QCheckBox(QStringLiteral("Show Tips on Start Up"), misc), "chkTips");
    auto *miscLayout = new QVBoxLayout(misc);
    for (QCheckBox *c : {chkTPL, chkBKUP, chkTips})
        miscLayout->addWidget(c);
    auto *systemLayout = new QVBoxLayout(system);
    systemLayout->addWidget(new QLabel(QStringLiteral("Default Startup Directory"), system));
    systemLayout->addWidget(txtStartup);
    systemLayout->addWidget(misc);
    systemLayout->addStretch(1);
    Notebook1->addTab(system, QStringLiteral("&System Settings"));

    auto *ok = named(new QPushButton(QStringLiteral("Save"), this), "OKBtn");
    ok->setDefault(true);
    auto *cancel = named(new QPushButton(QStringLiteral("Cancel"), this), "CancelBtn");
    auto *help = named(new QPushButton(QStringLiteral("&Help"), this), "HelpBtn");
    QHBoxLayout *buttons = buttonRow({ok, cancel, help});
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Notebook1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(ok, &QPushButton::clicked, this, &TfOptions::OKBtnClick);
    connect(cancel, &QPushButton::clicked, this, &TfOptions::CancelBtnClick);
    connect(help, &QPushButton::clicked, this, &TfOptions::HelpBtnClick);
    connect(chkTips, &QCheckBox::clicked, this, &TfOptions::ResetTips);

    adjustSize();
    centreOnScreen(this);
}

bool TfOptions::event(QEvent *e)
{
    // The settings are read afresh when the dialog becomes active, except while it holds
    // values whose save failed: they stay until they are saved or the user cancels.
    if (e->type() == QEvent::WindowActivate && !unsaved_)
        LoadIniSettings();
    if (e->type() == QEvent::Hide)
        unsaved_ = false;
    return QDialog::event(e);
}

void TfOptions::LoadIniSettings()
{
    services_.SetStatusText(QStringLiteral("Loading Application Options ..."));
    TMegaRegistry &ini = services_.settings();
    optST->setChecked(ini.readBool(Settings::SmartTabs));
    optWW->setChecked(ini.readBool(Settings::WordWrap));
    chkTPL->setChecked(ini.readBool(Settings::OpenTemplate));
    chkBKUP->setChecked(ini.readBool(Settings::CreateBackup));
    chkTips->setChecked(ini.readBool(Settings::Tips));
    nTabs->setValue(ini.readInt(Settings::TabSize));
    // The folder as the file system spells it (the settings may hold it with a trailing "/").
    const QString startup = ini.read(Settings::StartupDirectory);
    txtStartup->setText(startup.isEmpty() ? AppPaths::programFolder() : startup);
    txtUser->setText(ini.read(Settings::UserName));
    txtHP->setText(ini.read(Settings::HomePage));
    txtEMail->setText(ini.read(Settings::EMail));
    txtOrg->setText(ini.read(Settings::Organisation));
    const QString letterCase = ini.read(Settings::TagCase);
    if (letterCase.startsWith(u'L'))
        optLowerCase->setChecked(true);
    else if (letterCase.startsWith(u'U'))
        optUpperCase->setChecked(true);
    else
        optKorvo->setChecked(true);
    if (ini.read(Settings::StaySelected) == QLatin1String("Y"))
        optLeaveSel->setChecked(true);
    else
        optStaySel->setChecked(true);
}

void TfOptions::OKBtnClick()
{
    QString folder = txtStartup->text();
    if (folder.endsWith(u'/') && folder.size() > 1) {
        folder.chop(1);
        txtStartup->setText(folder);
    }
    TMegaRegistry &ini = services_.settings();
    // One replace of the settings file for the whole dialog; a file that cannot be written is
    // reported and the dialog stays open.
    const bool saved = ErrorBoundary::run([&] {
        TMegaRegistry::Batch batch(ini);
        ini.write(Settings::StartupDirectory, QFileInfo(folder).isDir() ? folder : AppPaths::programFolder());
        ini.write(Settings::TagCase, QLatin1String(optLowerCase->isChecked() ? "L" : optUpperCase->isChecked() ? "U" : "W"));
        ini.write(Settings::StaySelected, QLatin1String(optLeaveSel->isChecked() ? "Y" : "N"));
        ini.write(Settings::UserName, txtUser->text()); // the frame's user panel follows at once
        ini.write(Settings::HomePage, txtHP->text());
        ini.write(Settings::Organisation, txtOrg->text());
        ini.write(Settings::EMail, txtEMail->text());
        ini.writeBool(Settings::WordWrap, optWW->isChecked());
        ini.writeBool(Settings::SmartTabs, optST->isChecked());
        ini.writeBool(Settings::OpenTemplate, chkTPL->isChecked());
        ini.writeBool(Settings::CreateBackup, chkBKUP->isChecked());
        ini.writeInt(Settings::TabSize, nTabs->value());
        batch.commit();
    });
    unsaved_ = !saved;
    if (saved)
        accept();
}

void TfOptions::CancelBtnClick()
{
    unsaved_ = false;
    reject();
}

void TfOptions::HelpBtnClick()
{
    services_.showHelpTopic(QStringLiteral("settings.html#options"));
}

void TfOptions::ResetTips()
{
    ErrorBoundary::run([this] { services_.settings().writeBool(Settings::Tips, chkTips->isChecked()); });
}
