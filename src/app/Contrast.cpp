#include "Contrast.h"

#include <cmath>

namespace Contrast {

double luminance(const QColor &c)
{
    auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

double ratio(const QColor &a, const QColor &b)
{
    const double la = luminance(a), lb = luminance(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}

QColor readableOn(const QColor &color, const QColor &background, double minimum)
{
    if (ratio(color, background) >= minimum)
        return color;
    // Same hue, lighter on a dark background and darker on a light one, until it reads.
    const bool dark = luminance(background) < 0.18;
    const QColor hsl = color.toHsl();
    const int hue = hsl.hslHue(), saturation = hsl.hslSaturation();
    for (int l = hsl.lightness(); l >= 0 && l <= 255; l += dark ? 5 : -5) {
        const QColor candidate = QColor::fromHsl(hue, saturation, l);
        if (ratio(candidate, background) >= minimum)
            return candidate;
    }
    return dark ? QColor(Qt::white) : QColor(Qt::black);
}

} // namespace Contrast
