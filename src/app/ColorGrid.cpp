#include "ColorGrid.h"

#include <QMouseEvent>
#include <QPainter>

namespace {
constexpr QRgb standard[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
                               0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
}

ColorGrid::ColorGrid(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ColorGrid1"));
    setMinimumSize(sizeHint());
    setToolTip(tr("Left button: text colour. Right button: background colour."));
}

QColor ColorGrid::standardColor(int index)
{
    return index >= 0 && index < 16 ? QColor(standard[index]) : QColor();
}

QColor ColorGrid::cellColor(int index) const
{
    if (colors_.size() == 16)
        return index >= 0 && index < 16 ? colors_[index] : QColor();
    return standardColor(index);
}

void ColorGrid::setCellColors(const QList<QColor> &colors)
{
    colors_ = colors.size() == 16 ? colors : QList<QColor>();
    update();
}

void ColorGrid::setForegroundIndex(int i)
{
    fg_ = i;
    update();
    emit changed();
}

void ColorGrid::setBackgroundIndex(int i)
{
    bg_ = i;
    update();
    emit changed();
}

void ColorGrid::hideForegroundMark()
{
    fg_ = -1;
    update();
}

void ColorGrid::setForegroundOnly(bool on)
{
    foregroundOnly_ = on;
    setToolTip(on ? QString() : tr("Left button: text colour. Right button: background colour."));
    update();
}

QRect ColorGrid::cellRect(int i) const
{
    const int w = (width() - 2) / 4, h = (height() - 2) / 4;
    return QRect(1 + (i % 4) * w, 1 + (i / 4) * h, w - 2, h - 2);
}

int ColorGrid::cellAt(const QPoint &p) const
{
    for (int i = 0; i < 16; ++i)
        if (cellRect(i).contains(p))
            return i;
    return -1;
}

void ColorGrid::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    for (int i = 0; i < 16; ++i) {
        const QRect r = cellRect(i);
        p.fillRect(r, cellColor(i));
        p.setPen(QColor(0x60, 0x60, 0x60));
        p.drawRect(r.adjusted(0, 0, -1, -1));
        // "FG" and "BG" mark the two selections, in a colour that reads on the cell.
        const QColor ink = cellColor(i).lightness() > 128 ? Qt::black : Qt::white;
        p.setPen(ink);
        QFont f = font();
        f.setPointSizeF(f.pointSizeF() * 0.75);
        f.setBold(true);
        p.setFont(f);
        if (i == fg_ && foregroundOnly_) {
            p.setPen(QPen(ink, 2));
            p.drawRect(r.adjusted(2, 2, -2, -2));
        } else if (i == fg_) {
            p.drawText(r.adjusted(2, 1, 0, 0), Qt::AlignLeft | Qt::AlignTop, QStringLiteral("FG"));
        }
        if (i == bg_ && !foregroundOnly_)
            p.drawText(r.adjusted(0, 0, -2, -1), Qt::AlignRight | Qt::AlignBottom, QStringLiteral("BG"));
    }
}

void ColorGrid::mousePressEvent(QMouseEvent *e)
{
    const int i = cellAt(e->position().toPoint());
    if (i < 0)
        return;
    if (e->button() == Qt::LeftButton)
        setForegroundIndex(i);
    else if (e->button() == Qt::RightButton && !foregroundOnly_)
        setBackgroundIndex(i);
}
