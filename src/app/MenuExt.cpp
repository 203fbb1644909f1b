#include "MenuExt.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int CheckMargin = 20; // room for the check mark at the left
constexpr int MinItemHeight = 18;

// The access key of a caption: the character after its single "&", upper-cased.
QChar accessKey(const QString &text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i)
        if (text[i] == u'&') {
            if (text[i + 1] != u'&')
                return text[i + 1].toUpper();
            ++i;
        }
    return {};
}

QString withoutAmpersand(const QString &text)
{
    QString out = text;
    return out.remove(u'&');
}

class MenuItemDelegate : public QStyledItemDelegate {
public:
    explicit MenuItemDelegate(TMenuListBox *list) : QStyledItemDelegate(list), list_(list) {}

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const QAction *a = list_->actionAt(index.row());
        const int h = option.fontMetrics.height();
        if (!a || a->isSeparator())
            return {10, qMax(4, h / 2)};
        QString text = a->text();
        if (!a->shortcut().isEmpty())
            text += QStringLiteral("    ") + a->shortcut().toString(QKeySequence::NativeText);
        return {CheckMargin + option.fontMetrics.horizontalAdvance(text) + 24, qMax(MinItemHeight, h + 2)};
    }

    void paint(QPainter *p, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const QAction *a = list_->actionAt(index.row());
        const QRect r = option.rect;
        const QPalette &pal = option.palette;
        p->save();
        if (!a || a->isSeparator()) {
            // An etched line across the middle of the row.
            p->fillRect(r, pal.button());
            const int y = r.center().y();
            p->setPen(pal.color(QPalette::Dark));
            p->drawLine(r.left() + 2, y, r.right() - 2, y);
            p->setPen(pal.color(QPalette::Light));
            p->drawLine(r.left() + 2, y + 1, r.right() - 2, y + 1);
            p->restore();
            return;
        }
        // The state is read from the menu item now, so the list shows what the menu would.
        const bool selected = option.state & QStyle::State_Selected;
        p->fillRect(r, selected ? pal.highlight() : pal.button());
        const QRect textRect = r.adjusted(CheckMargin, 0, -16, 0);
        const int flags = Qt::AlignVCenter | Qt::AlignLeft | Qt::TextShowMnemonic | Qt::TextExpandTabs;
        const QString shortcut = a->shortcut().toString(QKeySequence::NativeText);
        auto drawText = [&](const QColor &color, int dx) {
            p->setPen(color);
            p->drawText(textRect.translated(dx, dx), flags, a->text());
            if (!shortcut.isEmpty())
                p->drawText(textRect.translated(dx, dx), Qt::AlignVCenter | Qt::AlignRight, shortcut);
        };
        if (a->isEnabled()) {
            drawText(selected ? pal.color(QPalette::HighlightedText) : pal.color(QPalette::ButtonText), 0);
        } else {
            drawText(Qt::white, 1); // embossed: a light copy one pixel down and right
            drawText(QColor(128, 128, 128), 0);
        }
        QStyleOption mark;
        mark.palette = pal;
        mark.state = QStyle::State_Enabled;
        if (a->isCheckable() && a->isChecked()) {
            // The mark in the text's own colour: styles draw a menu's check mark for their
            // menu background, which is not this list's button face.
            const QColor ink = !a->isEnabled() ? QColor(128, 128, 128)
                               : selected      ? pal.color(QPalette::HighlightedText)
                                               : pal.color(QPalette::ButtonText);
            const QRectF box(r.left() + 5, r.center().y() - 5, 10, 10);
            p->setRenderHint(QPainter::Antialiasing);
            p->setPen(QPen(ink, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p->drawPolyline(QPolygonF({QPointF(box.left(), box.center().y()),
                                       QPointF(box.left() + box.width() * 0.38, box.bottom()),
                                       QPointF(box.right(), box.top())}));
            p->setRenderHint(QPainter::Antialiasing, false);
        }
        if (a->menu()) {
            mark.rect = QRect(r.right() - 14, r.center().y() - 5, 10, 10);
            list_->style()->drawPrimitive(QStyle::PE_IndicatorArrowRight, &mark, p, list_);
        }
        p->restore();
    }

private:
    TMenuListBox *list_;
};

} // namespace

// ---- the list ----

TMenuListBox::TMenuListBox(QWidget *parent) : QListWidget(parent)
{
    setObjectName(QStringLiteral("TMenuListBox"));
    setItemDelegate(new MenuItemDelegate(this));
    setFrameStyle(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setMouseTracking(true);
    // The room below the last item is the menu's face too, not a white list background.
    QPalette face = palette();
    face.setColor(QPalette::Base, face.color(QPalette::Button));
    setPalette(face);
}

void TMenuListBox::setActions(const QList<QAction *> &actions)
{
    clear();
    actions_.clear();
    for (QAction *a : actions) {
        actions_.append(a);
        new QListWidgetItem(withoutAmpersand(a->text()), this);
    }
}

void TMenuListBox::runSelected()
{
    const int row = currentRow();
    QAction *a = actionAt(row);
    if (!a || a->isSeparator() || !onRun)
        return;
    const QRect r = visualItemRect(item(row));
    onRun(a, viewport()->mapToGlobal(QPoint(r.right() + 4, r.top())));
}

void TMenuListBox::moveSelection(int step)
{
    for (int row = currentRow() + step; row >= 0 && row < count(); row += step)
        if (QAction *a = actionAt(row); a && !a->isSeparator()) {
            setCurrentRow(row);
            return;
        }
}

bool TMenuListBox::typeChar(QChar c)
{
    const QChar key = c.toUpper();
    for (int row = 0; row < count(); ++row)
        if (QAction *a = actionAt(row); a && !a->isSeparator() && accessKey(a->text()) == key) {
            setCurrentRow(row);
            runSelected();
            return true;
        }
    QList<int> candidates;
    for (int row = 0; row < count(); ++row)
        if (QAction *a = actionAt(row); a && !a->isSeparator() && withoutAmpersand(a->text()).startsWith(key, Qt::CaseInsensitive))
            candidates << row;
    if (candidates.isEmpty()) {
        QApplication::beep();
        return false;
    }
    int chosen = candidates.first();
    for (int row : candidates)
        if (row > currentRow()) {
            chosen = row;
            break;
        }
    setCurrentRow(chosen);
    if (candidates.size() == 1)
        runSelected();
    return true;
}

void TMenuListBox::keyPressEvent(QKeyEvent *e)
{
    switch (e->key()) {
    case Qt::Key_Up: moveSelection(-1); return;
    case Qt::Key_Down: moveSelection(1); return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space: runSelected(); return;
    case Qt::Key_Right:
        if (QAction *a = actionAt(currentRow()); a && a->menu())
            runSelected();
        return;
    default: break;
    }
    if (!e->text().isEmpty() && e->text()[0].isPrint()) {
        typeChar(e->text()[0]);
        return;
    }
    e->ignore();
}

void TMenuListBox::mouseReleaseEvent(QMouseEvent *e)
{
    QListWidget::mouseReleaseEvent(e);
    if (e->button() == Qt::LeftButton && itemAt(e->pos()))
        runSelected();
}

// ---- the window ----

TbpPopupMenu::TbpPopupMenu(TbpslMenuExt *ext, QMenu *menu, const QString &caption, QWidget *owner)
    : QWidget(owner, Qt::Tool | Qt::WindowStaysOnTopHint), ext_(ext), menu_(menu)
{
    setObjectName(QStringLiteral("TbpPopupMenu"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(caption);
    list_ = new TMenuListBox(this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(list_);
    list_->onRun = [this](QAction *a, QPoint at) {
        if (a->menu()) {
            ext_->TearOffMenu(at, a->menu());
            return;
        }
        // A greyed item is not run: its command has nothing to act on now.
        if (a->isEnabled())
            a->trigger();
    };
    rebuild();
}

void TbpPopupMenu::rebuild()
{
    if (!menu_)
        return;
    list_->setUpdatesEnabled(false);
    const int row = list_->currentRow();
    QList<QAction *> shown;
    for (QAction *a : menu_->actions())
        if (a->isVisible())
            shown << a;
    list_->setActions(shown);
    int width = 0, height = 0;
    QStyleOptionViewItem option;
    option.initFrom(list_);
    for (int i = 0; i < list_->count(); ++i) {
        QListWidgetItem *item = list_->item(i);
        const QSize size = list_->itemDelegate()->sizeHint(option, list_->indexFromItem(item));
        item->setSizeHint(size);
        width = qMax(width, size.width());
        height += size.height();
    }
    list_->setCurrentRow(qMin(row, list_->count() - 1));
    list_->setUpdatesEnabled(true);
    resize(width + 30, height + 30);
}

void TbpPopupMenu::closeEvent(QCloseEvent *e)
{
    ext_->removeWindow(this);
    QWidget::closeEvent(e);
}

// ---- the extension ----

TbpslMenuExt::TbpslMenuExt(QMainWindow *owner, QMdiArea *area, QMenu *windowMenu)
    : QObject(owner), owner_(owner), windowMenu_(windowMenu)
{
    setObjectName(QStringLiteral("bpslMenuExt1"));
    qApp->installEventFilter(this);
    if (area)
        connect(area, &QMdiArea::subWindowActivated, this, [this] {
            // After the documents change, once the frame has settled.
            QTimer::singleShot(0, this, &TbpslMenuExt::windowListChanged);
        });
}

TbpslMenuExt::~TbpslMenuExt()
{
    qApp->removeEventFilter(this);
}

bool TbpslMenuExt::belongsToOwner(QMenu *menu) const
{
    // A menu of the owner's menu bar, at any depth.
    QList<QAction *> actions = owner_->menuBar()->actions();
    while (!actions.isEmpty()) {
        QAction *a = actions.takeFirst();
        if (QMenu *m = a->menu()) {
            if (m == menu)
                return true;
            actions += m->actions();
        }
    }
    return false;
}

QString TbpslMenuExt::captionOf(QMenu *menu) const
{
    return QStringLiteral("     ") + withoutAmpersand(menu->menuAction()->text());
}

bool TbpslMenuExt::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::MouseButtonPress)
        return false;
    auto *menu = qobject_cast<QMenu *>(watched);
    auto *press = static_cast<QMouseEvent *>(event);
    if (!menu || press->button() != Qt::RightButton || !belongsToOwner(menu))
        return false;
    // A right click inside an open drop-down menu tears it off.
    const QPoint at = press->globalPosition().toPoint() - QPoint(30, 15);
    for (QWidget *w : QApplication::topLevelWidgets())
        if (qobject_cast<QMenu *>(w) && w->isVisible())
            w->close();
    TearOffMenu(at, menu);
    return true;
}

TbpPopupMenu *TbpslMenuExt::TearOffMenu(QPoint at, QMenu *menu)
{
    if (menu == windowMenu_)
        emit menu->aboutToShow(); // the window list is filled when the menu opens
    if (!AllowDup)
        for (TbpPopupMenu *w : std::as_const(windows_))
            if (w->menu() == menu) {
                w->rebuild();
                w->raise();
                w->activateWindow();
                return w;
            }
    if (windows_.size() >= MaxWindows) {
        // The oldest tear-off makes room for the new one.
        windows_.first()->close();
    }
    auto *w = new TbpPopupMenu(this, menu, captionOf(menu), owner_);
    windows_.append(w);
    w->move(at);
    w->show();
    return w;
}

void TbpslMenuExt::windowListChanged()
{
    if (!windowMenu_)
        return;
    for (TbpPopupMenu *w : std::as_const(windows_))
        if (w->menu() == windowMenu_) {
            emit windowMenu_->aboutToShow();
            w->rebuild();
        }
}
