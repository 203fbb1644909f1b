#pragma once

#include <QColor>

// Colour contrast as the web's accessibility guidelines measure it (relative luminance and
// contrast ratio, from 1 to 21), and colours nudged until they read on a background.
namespace Contrast {

// The ratio that normal text needs to read well.
inline constexpr double Readable = 4.5;

double luminance(const QColor &c);
double ratio(const QColor &a, const QColor &b);
// color, or the nearest colour of its hue that reaches minimum on background.
QColor readableOn(const QColor &color, const QColor &background, double minimum = Readable);

} // namespace Contrast
