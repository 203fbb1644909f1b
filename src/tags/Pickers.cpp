#include "Pickers.h"

#include "PickerTables.h"
#include "TagEngine.h"
#include "app/Services.h"
#include "app/Ubag.h"
#include "platform/AppPaths.h"
#include "platform/Dialogs.h"
#include "platform/LineFile.h"

#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QVBoxLayout>

ListPicker::ListPicker(AppServices &services, const QString &name, const QString &caption,
                       const QString &bagSection, double share, const QString &hint)
    : ToolWindow(services, name, caption, bagSection)
{
    list_ = new PickerList(share, this);
    list_->setObjectName(QStringLiteral("lSym"));
    list_->setToolTip(hint);
    list_->setStatusTip(hint);
    setCentralWidget(list_);
    resize(320, 420);
}

TfSymbol::TfSymbol(AppServices &services)
    : ListPicker(services, QStringLiteral("TfSymbol"), QStringLiteral("Symbols"), QStringLiteral("Symbols"), 0.3,
                 QStringLiteral("Double Click or Drag & Drop to Insert Symbol"))
{
    for (int i = 0; i < PickerTables::symbolCount; ++i)
        list()->addItem(QString::fromUtf8(PickerTables::symbols[i]));
    dragInsertsFirstColumn();
    connect(list(), &QListWidget::itemDoubleClicked, this, &TfSymbol::lSymDblClick);
}

bool TfSymbol::event(QEvent *e)
{
    if (e->type() == QEvent::WindowActivate)
        LoadSymbols();
    return ListPicker::event(e);
}

void TfSymbol::LoadSymbols()
{
    const QString path = AppPaths::programFile(QStringLiteral("symbols.web"));
    if (!QFileInfo::exists(path))
        return;
    bool ok = false;
    const QStringList lines = LineFile::read(path, &ok);
    if (!ok)
        return;
    list()->clear();
    list()->addItems(lines);
}

void TfSymbol::lSymDblClick()
{
    insertCurrentFirstColumn();
}

void ListPicker::dragInsertsFirstColumn()
{
    list()->onDrag = [this](const QString &entry) { services_.tags().setLastPair(insertedText(entry), QString()); };
}

void ListPicker::insertCurrentFirstColumn()
{
    if (QListWidgetItem *item = list()->currentItem())
        services_.tags().InsertTag(insertedText(item->text()), QString());
}

QString ListPicker::insertedText(const QString &entry) const
{
    return PickerList::firstColumn(entry);
}

QString TfSymbol::insertedText(const QString &entry) const
{
    return entry.contains(u'\t') ? PickerList::firstColumn(entry) : QString();
}

TfHTMLTags::TfHTMLTags(AppServices &services)
    : ListPicker(services, QStringLiteral("TfHTMLTags"), QStringLiteral("HTML Tags"), QStringLiteral("HTML Tags"), 0.5,
                 QStringLiteral("Double Click or Drag & Drop to Insert HTML Tag"))
{
    for (int i = 0; i < PickerTables::tagCount; ++i)
        list()->addItem(QString::fromUtf8(PickerTables::tags[i]));
    list()->onDrag = [this](const QString &entry) {
        services_.tags().setLastPair(PickerList::firstColumn(entry), PickerList::secondColumn(entry));
    };
    connect(list(), &QListWidget::itemDoubleClicked, this, &TfHTMLTags::InsertHTML);
}

void TfHTMLTags::InsertHTML()
{
    QListWidgetItem *item = list()->currentItem();
    if (!item)
        return;
    services_.tags().InsertTag(PickerList::firstColumn(item->text()), PickerList::secondColumn(item->text()));
}

const char *const TfColorChooser::gridColors[16] = {"#000000", "#800000", "#008000", "#808000", "#000080", "#800080",
                                                    "#008080", "#C0C0C0", "#808080", "#FF0000", "#00FF00", "#FFFF00",
                                                    "#0000FF", "#FF00FF", "#00FFFF", "#FFFFFF"};

TfColorChooser::TfColorChooser(AppServices &services) : QDialog(services.mainWindow()), services_(services)
{
    setObjectName(QStringLiteral("TfColorChooser"));
    setWindowTitle(QStringLiteral("Color Chooser"));
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    setModal(false);

    auto *grid = new QGridLayout;
    grid->setSpacing(3);
    for (int i = 0; i < 16; ++i) {
        auto *cell = new QToolButton(this);
        cell->setObjectName(QStringLiteral("ColorGrid%1").arg(i));
        cell->setFixedSize(34, 26);
        cell->setToolTip(QString::fromLatin1(gridColors[i]));
        cell->setStyleSheet(QStringLiteral("QToolButton { background: %1; border: 1px solid #606060; }")
                                .arg(QString::fromLatin1(gridColors[i])));
        connect(cell, &QToolButton::clicked, this, [this, i] { ColorGridClick(i); });
        grid->addWidget(cell, i / 4, i % 4);
    }
    auto *more = new QPushButton(QStringLiteral("&More Colors ..."), this);
    more->setObjectName(QStringLiteral("btnMore"));
    edtValue = new QLineEdit(QStringLiteral("#FFFFFF"), this);
    edtValue->setObjectName(QStringLiteral("edtValue"));
    edtValue->setMaxLength(7);
    edtValue->setToolTip(QStringLiteral("RGB Value : You can also type one in here."));
    auto *insert = new QPushButton(QStringLiteral("Insert"), this);
    insert->setObjectName(QStringLiteral("OKBtn"));
    insert->setToolTip(QStringLiteral("Insert the Color Code at the current cursor position"));
    insert->setDefault(true);
    auto *closeBtn = new QPushButton(QStringLiteral("&Close"), this);
    closeBtn->setObjectName(QStringLiteral("CancelBtn"));

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(insert);
    buttons->addWidget(closeBtn);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(more);
    layout->addWidget(edtValue);
    layout->addLayout(buttons);

    connect(more, &QPushButton::clicked, this, &TfColorChooser::btnMoreClick);
    connect(insert, &QPushButton::clicked, this, &TfColorChooser::OKBtnClick);
    connect(closeBtn, &QPushButton::clicked, this, &TfColorChooser::CancelBtnClick);

    Prefs = BagPlacement::attach(this, QStringLiteral("Color Chooser"));
}

QString TfColorChooser::swapRGB(const QString &bgr)
{
    if (bgr.size() != 6)
        return bgr;
    return bgr.mid(4, 2) + bgr.mid(2, 2) + bgr.left(2);
}

QString TfColorChooser::colorCode(const QColor &c)
{
    // The colour value holds blue, green, red from the high byte down.
    const QString bgr = QStringLiteral("%1").arg(ColorCode::fromColor(c), 6, 16, QLatin1Char('0')).toUpper();
    return u'#' + swapRGB(bgr);
}

void TfColorChooser::ColorGridClick(int index)
{
    if (index >= 0 && index < 16)
        edtValue->setText(colorCode(QColor(QString::fromLatin1(gridColors[index]))));
}

void TfColorChooser::btnMoreClick()
{
    QColor c(edtValue->text());
    if (!c.isValid())
        c = Qt::white;
    if (Dialogs::instance().color(this, c))
        edtValue->setText(colorCode(c));
}

void TfColorChooser::OKBtnClick()
{
    services_.tags().InsertTag(edtValue->text(), QString());
}
