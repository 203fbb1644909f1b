#pragma once

#include <QRect>

// Window placements read from settings files, fitted to the screens of today.
namespace Screens {

// A window rectangle from stored left, top, width and height. Null when no screen shows any of
// it (a placement from another screen layout) or the size is not positive; otherwise cut to
// the available area of the screen it overlaps most, so no stored number can make a window
// larger than a screen.
QRect fit(qint64 left, qint64 top, qint64 width, qint64 height);

} // namespace Screens
