#include "UrlWizard.h"

#include "app/ErrorBoundary.h"
#include "app/Services.h"
#include "app/Ubag.h"
#include "platform/AppInfo.h"
#include "platform/AppPaths.h"
#include "platform/Dialogs.h"
#include "platform/LineFile.h"
#include "tags/TagEngine.h"
#include "tools/PreviewModule.h"
#include "wizards/WizardParts.h"

#include <QComboBox>
#include <QCompleter>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>
#include <algorithm>

namespace UrlLists {

QStringList initialLocations()
{
    QStringList list{QStringLiteral(".htm"),       QStringLiteral(".html"),      QStringLiteral("http://"),
                     QStringLiteral("index.htm"),  QStringLiteral("index.html"), QStringLiteral("mailto:"),
                     QString::fromLatin1(AppInfo::WebSite)};
    sort(list);
    return list;
}

QStringList initialDescriptions()
{
    return {QStringLiteral("Send Mail to Me")};
}

namespace {
bool lessThan(const QString &a, const QString &b)
{
    const int c = a.compare(b, Qt::CaseInsensitive);
    return c != 0 ? c < 0 : a < b;
}
} // namespace

void sort(QStringList &list)
{
    std::stable_sort(list.begin(), list.end(), lessThan);
}

bool add(QStringList &list, const QString &entry)
{
    if (list.contains(entry, Qt::CaseSensitive))
        return false;
    list.insert(std::lower_bound(list.begin(), list.end(), entry, lessThan), entry);
    return true;
}

} // namespace UrlLists

// ---- the URL wizard ----

const QString TfrmURLWizard::LocationsFile = QStringLiteral("WURLU.fil");
const QString TfrmURLWizard::DescriptionsFile = QStringLiteral("WURLD.fil");

namespace {

QComboBox *comboField(QWidget *parent, const char *name)
{
    auto *c = new QComboBox(parent);
    c->setObjectName(QString::fromLatin1(name));
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    // Completion offers entries but never changes the letters typed: "Index.htm" is a
    // different link from "index.htm" on a web server.
    c->completer()->setCaseSensitivity(Qt::CaseSensitive);
    c->setMinimumContentsLength(36);
    return c;
}

} // namespace

TfrmURLWizard::TfrmURLWizard(AppServices &services) : QDialog(services.mainWindow()), services_(services)
{
    setObjectName(QStringLiteral("TfrmURLWizard"));
    setWindowTitle(QStringLiteral("Tolvenra URL Wizard"));
    setModal(false);
    setDialogFrame(this);

    cmbURL = comboField(this, "cmbURL");
    cmbDesc = comboField(this, "cmbDesc");
    auto *form = new QFormLayout;
    form->addRow(tr("&Location to Link To:"), cmbURL);
    form->addRow(tr("&Description of Location:"), cmbDesc);

    auto *ok = dialogButton(this, "OKBtn", QStringLiteral("To Document"));
    ok->setDefault(true);
    auto *close = dialogButton(this, "CancelBtn", QStringLiteral("&Close"));
    auto *help = dialogButton(this, "HelpBtn", QStringLiteral("&Help"));
    connect(ok, &QPushButton::clicked, this, &TfrmURLWizard::OKBtnClick);
    connect(close, &QPushButton::clicked, this, &TfrmURLWizard::CancelBtnClick);
    connect(help, &QPushButton::clicked, this, [this] { services_.showHelpTopic(QStringLiteral("wizards.html#url")); });

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttonRow({ok, close, help}));

    Prefs = BagPlacement::attach(this, QStringLiteral("URL Wizard"));
    locations_ = UrlLists::initialLocations();
    descriptions_ = UrlLists::initialDescriptions();
    LoadLists();
    cmbURL->setEditText(QStringLiteral("http://"));
    cmbDesc->setEditText(QStringLiteral("Description"));
}

void TfrmURLWizard::fill(QComboBox *box, const QStringList &list)
{
    const QString text = box->currentText();
    const QSignalBlocker block(box);
    box->clear();
    box->addItems(list);
    box->setEditText(text);
}

void TfrmURLWizard::readList(const QString &name, QStringList &list)
{
    const QString path = AppPaths::programFile(name);
    if (!QFileInfo::exists(path))
        return;
    bool ok = false;
    QString error;
    LineFile::Kept kept = LineFile::readKept(path, &ok, &error);
    if (!ok) {
        unreadable_.insert(name, error);
        return;
    }
    UrlLists::sort(kept.lines);
    list = kept.lines;
    raw_.insert(kept.raw); // lines written back unchanged keep their bytes
}

void TfrmURLWizard::LoadLists()
{
    readList(LocationsFile, locations_);
    readList(DescriptionsFile, descriptions_);
    fill(cmbURL, locations_);
    fill(cmbDesc, descriptions_);
}

void TfrmURLWizard::AddURLtoList(const QString &location)
{
    if (UrlLists::add(locations_, location))
        fill(cmbURL, locations_);
}

void TfrmURLWizard::AddDesctoList(const QString &description)
{
    if (UrlLists::add(descriptions_, description))
        fill(cmbDesc, descriptions_);
}

bool TfrmURLWizard::writeList(const QString &name, const QStringList &list)
{
    const QString path = AppPaths::programFile(name);
    if (unreadable_.contains(name)) {
        // A list file that could not be read is the user's data all the same.
        if (!Dialogs::instance().confirm(
                this, tr("The URL list %1 could not be read:\n%2\n\nReplace it with the wizard's list?")
                          .arg(QDir::toNativeSeparators(path), unreadable_.value(name))))
            return true;
        unreadable_.remove(name);
    }
    QString error;
    if (LineFile::write(path, list, raw_, &error))
        return true;
    Dialogs::instance().error(this, tr("Unable to save the URL list %1:\n%2").arg(QDir::toNativeSeparators(path), error));
    return false;
}

bool TfrmURLWizard::SaveLists()
{
    const bool urls = writeList(LocationsFile, locations_);
    const bool descriptions = writeList(DescriptionsFile, descriptions_);
    return urls && descriptions;
}

void TfrmURLWizard::OKBtnClick()
{
    const QString location = cmbURL->currentText();
    const QString description = cmbDesc->currentText();
    ErrorBoundary::run([&] {
        services_.tags().InsertTag(QStringLiteral("<A HREF=\"") + location + QStringLiteral("\">") + description,
                                   QStringLiteral("</A>"));
    });
    AddURLtoList(location);
    AddDesctoList(description);
    // A list that could not be saved keeps the window open, with the entries still in it.
    if (SaveLists())
        hide();
}

void TfrmURLWizard::CancelBtnClick()
{
    hide();
}

// ---- the Internet Explorer extensions ----

const QString TfrmIE::SoundFilter =
    QStringLiteral("All Sound Files|*.au;*.wav|Wave Files (*.wav)|*.wav|Audio Files (*.au)|*.au|All Files (*.*)|*.*");

TfrmIE::TfrmIE(AppServices &services) : QDialog(services.mainWindow()), services_(services)
{
    setObjectName(QStringLiteral("TfrmIE"));
    setWindowTitle(QStringLiteral("Microsoft Internet Explorer Extensions"));
    setModal(false);
    setDialogFrame(this);
    HTMLWrite.setFilename(QStringLiteral("tolv.ctl"));
    HTMLWrite.Errors = {};

    Notebook = new QStackedWidget(this);
    Notebook->setObjectName(QStringLiteral("Notebook"));
    Notebook->addWidget(buildSoundPage());
    Notebook->addWidget(buildMarqueePage());
    TabSet = WizardParts::footTabs(this);
    TabSet->addTab(QStringLiteral("Sounds"));
    TabSet->addTab(QStringLiteral("Marquees"));
    connect(TabSet, &QTabBar::currentChanged, this, &TfrmIE::TabSetClick);

    auto *ok = dialogButton(this, "OKBtn", QStringLiteral("To &Document"));
    ok->setDefault(true);
    auto *close = dialogButton(this, "CancelBtn", QStringLiteral("&Close"));
    auto *help = dialogButton(this, "HelpBtn", QStringLiteral("&Help"));
    connect(ok, &QPushButton::clicked, this, &TfrmIE::OKBtnClick);
    connect(close, &QPushButton::clicked, this, &TfrmIE::CancelBtnClick);
    connect(help, &QPushButton::clicked, this,
            [this] { services_.showHelpTopic(QStringLiteral("wizards.html#extensions")); });

    WizardParts::layOutTabbedPages(this, Notebook, TabSet, {ok, close, help});
    FormCreate();
}

QWidget *TfrmIE::buildSoundPage()
{
    auto *page = new QWidget(this);
    tSound = new QLineEdit(page);
    tSound->setObjectName(QStringLiteral("tSound"));
    spnSoundReps = new QSpinBox(page);
    spnSoundReps->setObjectName(QStringLiteral("spnSoundReps"));
    // A count below 0 means nothing to a browser; 0 is shown as the word it writes.
    spnSoundReps->setRange(0, INT_MAX);
    spnSoundReps->setSpecialValueText(QStringLiteral("infinite"));
    spnSoundReps->setToolTip(QStringLiteral("No of Repetitions (0 for Infinite)"));
    auto *form = new QFormLayout(page);
    form->addRow(tr("&Sound File:"), tSound);
    auto *buttons = new QHBoxLayout;
    addButtons<TfrmIE>(this, buttons,
                       {{"btnBrowse", "&Browse ...", &TfrmIE::btnBrowseClick},
                        {"btnUpper", "&UpperCase", &TfrmIE::btnUpperClick},
                        {"btnLower", "&LowerCase", &TfrmIE::btnLowerClick},
                        {"btnSlash", "Change &\\ to /", &TfrmIE::btnSlashClick}});
    form->addRow(QString(), buttons);
    form->addRow(tr("No of &Repetitions:"), spnSoundReps);

    QString error;
    MediaPlayer1 = PreviewModule::createMediaBar(page, &error);
    if (MediaPlayer1) {
        MediaPlayer1->setObjectName(QStringLiteral("MediaPlayer1"));
        form->addRow(tr("Listen:"), MediaPlayer1);
    } else {
        auto *none = new QLabel(tr("Sounds cannot be played here: %1").arg(error), page);
        none->setWordWrap(true);
        form->addRow(tr("Listen:"), none);
    }
    return page;
}

QWidget *TfrmIE::buildMarqueePage()
{
    auto *page = new QWidget(this);
    tMarquee = new QLineEdit(page);
    tMarquee->setObjectName(QStringLiteral("tMarquee"));
    auto *behaviour = new QGroupBox(tr("Behaviour"), page);
    btnMScroll = WizardParts::radio(behaviour, "btnMScroll", QStringLiteral("Scroll"));
    btnMSlide = WizardParts::radio(behaviour, "btnMSlide", QStringLiteral("Slide"));
    btnMAlternate = WizardParts::radio(behaviour, "btnMAlternate", QStringLiteral("Alternate"));
    auto *b = new QHBoxLayout(behaviour);
    b->addWidget(btnMScroll);
    b->addWidget(btnMSlide);
    b->addWidget(btnMAlternate);
    auto *direction = new QGroupBox(tr("Direction"), page);
    btnMLeft = WizardParts::radio(direction, "btnMLeft", QStringLiteral("Left"));
    btnMRight = WizardParts::radio(direction, "btnMRight", QStringLiteral("Right"));
    auto *d = new QHBoxLayout(direction);
    d->addWidget(btnMLeft);
    d->addWidget(btnMRight);
    spnMarqueeWidth = new QSpinBox(page);
    spnMarqueeWidth->setObjectName(QStringLiteral("spnMarqueeWidth"));
    spnMarqueeWidth->setRange(1, 100);
    spnMarqueeWidth->setSingleStep(5);

    auto *form = new QFormLayout(page);
    form->addRow(tr("&Marquee Text:"), tMarquee);
    auto *groups = new QHBoxLayout;
    groups->addWidget(behaviour);
    groups->addWidget(direction);
    form->addRow(groups);
    form->addRow(tr("&Percentage of Screen Width to Use:"), spnMarqueeWidth);
    return page;
}

void TfrmIE::FormCreate()
{
    spnSoundReps->setValue(1);
    tMarquee->setText(QStringLiteral("Tolvenra Pro Sample Text"));
    btnMScroll->setChecked(true);
    btnMLeft->setChecked(true);
    spnMarqueeWidth->setValue(100);
    TabSet->setCurrentIndex(SoundsPage);
    TabSetClick();
}

void TfrmIE::TabSetClick()
{
    Notebook->setCurrentIndex(TabSet->currentIndex());
}

void TfrmIE::btnBrowseClick()
{
    const QStringList names = Dialogs::instance().openFiles(this, QStringLiteral("Open a Sound File"), QString(), SoundFilter);
    if (names.isEmpty())
        return;
    // The name stays as the file system spells it: a name in other letters would name
    // another file here.
    tSound->setText(names.first());
    if (MediaPlayer1 && QFileInfo(names.first()).isFile())
        QMetaObject::invokeMethod(MediaPlayer1, "open", Q_ARG(QString, names.first()));
}

void TfrmIE::btnUpperClick() { tSound->setText(tSound->text().toUpper()); }
void TfrmIE::btnLowerClick() { tSound->setText(tSound->text().toLower()); }

void TfrmIE::btnSlashClick()
{
    tSound->setText(tSound->text().replace(u'\\', u'/'));
}

void TfrmIE::OKBtnClick()
{
    ErrorBoundary::run([this] {
        if (TabSet->currentIndex() == SoundsPage)
            doSoundTag();
        else
            doMarqueeTag();
    });
    hide();
}

void TfrmIE::doSoundTag()
{
    // The count is written as the field shows it; 0 ("infinite") is endless.
    services_.tags().InsertTag(HTMLWrite.BGSound(tSound->text(), spnSoundReps->value()), QString());
}

void TfrmIE::doMarqueeTag()
{
    const int behaviour = btnMScroll->isChecked() ? 0 : btnMSlide->isChecked() ? 1 : 2;
    const int direction = btnMLeft->isChecked() ? 0 : 1;
    services_.tags().InsertTag(HTMLWrite.Marquee(tMarquee->text(), 0, 20,
                                                 THTMLWriter::Percentage(spnMarqueeWidth->value()), 0, 0, 5, 1,
                                                 behaviour, direction, 0, THTMLWriter::NoColor),
                               QString());
}

void TfrmIE::CancelBtnClick()
{
    hide();
}
