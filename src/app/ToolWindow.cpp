#include "ToolWindow.h"

#include "Services.h"
#include "Ubag.h"

#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QStyledItemDelegate>

namespace {

// Paints an entry's two columns, the second starting at a share of the width.
class TwoColumnDelegate : public QStyledItemDelegate {
public:
    TwoColumnDelegate(double share, QObject *parent) : QStyledItemDelegate(parent), share_(share) {}

    void paint(QPainter *p, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        // An entry is shown on one line: line breaks inside it (a link written over several
        // lines) show as spaces. The item text is read itself: the style option has its line
        // feeds already turned into line separators.
        QString entry = index.data(Qt::DisplayRole).toString();
        entry.replace(QLatin1String("\r\n"), QLatin1String(" "));
        entry.replace(u'\r', u' ');
        entry.replace(u'\n', u' ');
        opt.text.clear();
        opt.widget->style()->drawControl(QStyle::CE_ItemViewItem, &opt, p, opt.widget);
        const QRect r = opt.rect.adjusted(4, 0, -4, 0);
        p->save();
        p->setPen(opt.palette.color(opt.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text));
        auto draw = [&](const QRect &box, const QString &text) {
            p->drawText(box, Qt::AlignVCenter | Qt::AlignLeft, opt.fontMetrics.elidedText(text, Qt::ElideRight, box.width()));
        };
        if (!entry.contains(u'\t')) {
            draw(r, entry); // one column: the whole width
        } else {
            const int split = r.left() + int(r.width() * share_);
            draw(QRect(r.left(), r.top(), split - r.left() - 6, r.height()), PickerList::firstColumn(entry));
            draw(QRect(split, r.top(), r.right() - split, r.height()), PickerList::secondColumn(entry));
        }
        p->restore();
    }

private:
    double share_;
};

} // namespace

PickerList::PickerList(double secondColumnShare, QWidget *parent) : QListWidget(parent)
{
    setItemDelegate(new TwoColumnDelegate(secondColumnShare, this));
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
}

QString PickerList::firstColumn(const QString &entry)
{
    const qsizetype tab = entry.indexOf(u'\t');
    return tab < 0 ? entry : entry.left(tab);
}

QString PickerList::secondColumn(const QString &entry)
{
    const qsizetype tab = entry.indexOf(u'\t');
    return tab < 0 ? QString() : entry.mid(tab + 1);
}

void PickerList::startDrag(Qt::DropActions supportedActions)
{
    if (!currentItem())
        return;
    if (onDrag)
        onDrag(currentItem()->text());
    QListWidget::startDrag(supportedActions);
}

ToolWindow::ToolWindow(AppServices &services, const QString &name, const QString &caption, const QString &bagSection)
    : QMainWindow(services.mainWindow(), Qt::Window), services_(services)
{
    setObjectName(name);
    setWindowTitle(caption);
    fileMenu_ = menuBar()->addMenu(tr("&File"));
    fileMenu_->addAction(tr("&Close"), this, &ToolWindow::Close1Click)->setObjectName(QStringLiteral("Close1"));
    keepOnTop_ = fileMenu_->addAction(tr("&Keep on Top"));
    keepOnTop_->setObjectName(QStringLiteral("KeeponTop1"));
    keepOnTop_->setCheckable(true);
    keepOnTop_->setChecked(true);
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    connect(keepOnTop_, &QAction::triggered, this, [this] {
        // The menu already flipped the check; the handler flips it itself.
        keepOnTop_->setChecked(!keepOnTop_->isChecked());
        KeeponTop1Click();
    });
    Prefs = BagPlacement::attach(this, bagSection);
}

void ToolWindow::KeeponTop1Click()
{
    keepOnTop_->setChecked(!keepOnTop_->isChecked());
    const bool shown = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, keepOnTop_->isChecked());
    if (shown) {
        reshowing_ = true;
        show(); // changing the flag hides the window
        reshowing_ = false;
    }
}
