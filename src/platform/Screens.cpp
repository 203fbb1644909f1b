#include "Screens.h"

#include <QGuiApplication>
#include <QScreen>

namespace Screens {

QRect fit(qint64 left, qint64 top, qint64 width, qint64 height)
{
    if (width <= 0 || height <= 0)
        return {};
    // Far beyond any screen, but small enough that the rectangle's edges cannot overflow.
    constexpr qint64 Limit = 1 << 24;
    left = qBound(-Limit, left, Limit);
    top = qBound(-Limit, top, Limit);
    width = qMin(width, Limit);
    height = qMin(height, Limit);
    const QRect wanted{int(left), int(top), int(width), int(height)};
    const QScreen *best = nullptr;
    qint64 bestArea = 0;
    for (const QScreen *s : QGuiApplication::screens()) {
        const QRect overlap = s->availableGeometry().intersected(wanted);
        const qint64 area = qint64(overlap.width()) * overlap.height();
        if (area > bestArea) {
            best = s;
            bestArea = area;
        }
    }
    if (!best)
        return {};
    const QRect screen = best->availableGeometry();
    QRect r = wanted;
    r.setWidth(qMin(r.width(), screen.width()));
    r.setHeight(qMin(r.height(), screen.height()));
    // Keep the whole of it on that screen.
    r.moveLeft(qBound(screen.left(), r.left(), screen.right() - r.width() + 1));
    r.moveTop(qBound(screen.top(), r.top(), screen.bottom() - r.height() + 1));
    return r;
}

} // namespace Screens
