#include "FontForm.h"

#include "app/Ubag.h"
#include "platform/Dialogs.h"
#include "platform/HtmlViewer.h"
#include "app/ColorGrid.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QSpinBox>
#include <QVBoxLayout>

const char *const TFontForm::SampleHtml =
    "<center><h1>Heading</h1></center><ul>Some normal text.<li><a href=NoWhere>First HotSpot Item</a>"
    "<li><b>Bold Text</b><li><i>Italicized Text</i><li><code>Code Text</code></ul><hr>";

namespace {
const QString SystemFont = QStringLiteral("System");

QLabel *buddyLabel(const QString &text, QWidget *buddy, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setBuddy(buddy);
    return l;
}
} // namespace

TFontForm::TFontForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FontForm"));
    setWindowTitle(QStringLiteral("Edit Default Font and Colors"));
    setDialogFrame(this);

    lstFonts = new QListWidget(this);
    lstFonts->setObjectName(QStringLiteral("lstFonts"));
    lstFonts->setMinimumWidth(210);
    QStringList families = QFontDatabase::families();
    if (!families.contains(SystemFont))
        families << SystemFont;
    families.sort(Qt::CaseInsensitive);
    lstFonts->addItems(families);

    lstBackground = new QListWidget(this);
    lstBackground->setObjectName(QStringLiteral("lstBackground"));
    for (const ColorCode::Named &n : ColorCode::plainNames)
        lstBackground->addItem(QString::fromLatin1(n.name));

    spnSize = new QSpinBox(this);
    spnSize->setObjectName(QStringLiteral("spnSize"));
    spnSize->setRange(MinSize, MaxSize);
    spnSize->setValue(12);

    FontColorGrid = new ColorGrid(this);
    FontColorGrid->setObjectName(QStringLiteral("FontColorGrid"));
    FontColorGrid->setForegroundOnly(true);
    HotSpotColorGrid = new ColorGrid(this);
    HotSpotColorGrid->setObjectName(QStringLiteral("HotSpotColorGrid"));
    HotSpotColorGrid->setForegroundOnly(true);

    Viewer = new HtmlViewer(this);
    Viewer->setObjectName(QStringLiteral("Viewer"));
    Viewer->setMinimumSize(260, 200);
    Viewer->loadHtml(QString::fromLatin1(SampleHtml));

    btnOK = new QPushButton(tr("O&K"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setDefault(true);
    btnCancel = new QPushButton(tr("Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnReset = new QPushButton(tr("&Reset"), this);
    btnReset->setObjectName(QStringLiteral("btnReset"));

    auto *grid = new QGridLayout;
    grid->addWidget(buddyLabel(tr("Font &Name"), lstFonts, this), 0, 0);
    grid->addWidget(lstFonts, 1, 0, 3, 1);
    grid->addWidget(buddyLabel(tr("&Font Color"), FontColorGrid, this), 0, 1);
    grid->addWidget(FontColorGrid, 1, 1);
    grid->addWidget(buddyLabel(tr("&Link Color"), HotSpotColorGrid, this), 0, 2);
    grid->addWidget(HotSpotColorGrid, 1, 2);
    auto *sizeRow = new QHBoxLayout;
    sizeRow->addWidget(buddyLabel(tr("Font &Size"), spnSize, this));
    sizeRow->addWidget(spnSize);
    sizeRow->addStretch();
    grid->addLayout(sizeRow, 2, 1);
    grid->addWidget(buddyLabel(tr("&Background"), lstBackground, this), 2, 2);
    grid->addWidget(lstBackground, 3, 2);
    grid->addWidget(Viewer, 3, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 2);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    buttons->addWidget(btnReset);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addLayout(buttons);
    resize(800, 460);

    connect(lstFonts, &QListWidget::itemClicked, this, &TFontForm::ListBoxClicks);
    connect(lstBackground, &QListWidget::itemClicked, this, &TFontForm::ListBoxClicks);
    connect(spnSize, &QSpinBox::valueChanged, this, &TFontForm::ListBoxClicks);
    connect(FontColorGrid, &ColorGrid::changed, this, &TFontForm::FontColorGridChange);
    connect(HotSpotColorGrid, &ColorGrid::changed, this, &TFontForm::HotSpotColorGridChange);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(btnReset, &QPushButton::clicked, this, &TFontForm::ResetButtonClick);

    Prefs = BagPlacement::attach(this, QStringLiteral("Def Font and Color"));

    setFontName(QFont().family());
    setFontColor(0);
    setBackground(0xFFFFFF);
}

void TFontForm::setFontName(const QString &name)
{
    fontName_ = name;
    Viewer->setDefFontName(name);
    const QList<QListWidgetItem *> found = lstFonts->findItems(name, Qt::MatchFixedString);
    const QList<QListWidgetItem *> pick = found.isEmpty() ? lstFonts->findItems(SystemFont, Qt::MatchFixedString) : found;
    if (!pick.isEmpty()) {
        lstFonts->setCurrentItem(pick.first());
        lstFonts->scrollToItem(pick.first());
    }
}

void TFontForm::setFontColor(int code)
{
    fontColor_ = code;
    Viewer->setDefFontColor(ColorCode::toColor(code));
    FontColorGrid->hideForegroundMark();
}

void TFontForm::setFontSize(int size)
{
    fontSize_ = qBound(MinSize, size, MaxSize);
    Viewer->setDefFontSize(fontSize_);
    updating_ = true;
    spnSize->setValue(fontSize_);
    updating_ = false;
}

void TFontForm::setHotSpotColor(int code)
{
    hotSpotColor_ = code;
    Viewer->setDefHotSpotColor(ColorCode::toColor(code));
    HotSpotColorGrid->hideForegroundMark();
}

void TFontForm::setBackground(int code)
{
    background_ = code;
    Viewer->setDefBackground(ColorCode::toColor(code));
    const QString name = ColorCode::nameOrHex(code);
    QList<QListWidgetItem *> found = lstBackground->findItems(name, Qt::MatchFixedString);
    if (found.isEmpty()) {
        lstBackground->addItem(name);
        found = lstBackground->findItems(name, Qt::MatchFixedString);
    }
    lstBackground->setCurrentItem(found.first());
}

void TFontForm::ListBoxClicks()
{
    if (updating_)
        return;
    if (sender() == lstFonts && lstFonts->currentItem())
        setFontName(lstFonts->currentItem()->text());
    else if (sender() == lstBackground && lstBackground->currentItem()) {
        bool ok = false;
        const int code = ColorCode::codeOf(lstBackground->currentItem()->text(), &ok);
        if (ok)
            setBackground(code);
    } else if (sender() == spnSize) {
        setFontSize(spnSize->value());
    }
}

void TFontForm::FontColorGridChange()
{
    fontColor_ = ColorCode::fromColor(FontColorGrid->foregroundColor());
    Viewer->setDefFontColor(FontColorGrid->foregroundColor());
}

void TFontForm::HotSpotColorGridChange()
{
    hotSpotColor_ = ColorCode::fromColor(HotSpotColorGrid->foregroundColor());
    Viewer->setDefHotSpotColor(HotSpotColorGrid->foregroundColor());
}

TFontForm::Values TFontForm::values() const
{
    return {fontName_, fontColor_, fontSize_, hotSpotColor_, background_};
}

void TFontForm::setValues(const Values &v)
{
    setFontName(v.fontName);
    setFontColor(v.fontColor);
    setFontSize(v.fontSize);
    setHotSpotColor(v.hotSpotColor);
    setBackground(v.background);
}

void TFontForm::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (!e->spontaneous())
        FormShow();
}

void TFontForm::FormShow()
{
    // The placement comes from the bag (see BagPlacement); the values as shown are kept for Reset.
    shown_ = values();
}

void TFontForm::ResetButtonClick()
{
    setValues(shown_);
}
