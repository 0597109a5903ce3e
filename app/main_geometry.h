#pragma once
// The main window's place and size, stored in twips (1/1440 inch). A stored size that does not
// fit the screen falls back to the default (8025 twips wide, two thirds of the screen high);
// a position that would put part of the window off the screen centres it.
#include "app/app_context.h"

#include <QPoint>
#include <QRect>
#include <QSize>

namespace zx {

inline constexpr int kDefaultMainWidthTwips = 8025;
inline constexpr int kMinMainSideTwips = 1440;   // smaller than an inch is no usable window

struct PixelGeometry {
    QPoint pos;
    QSize size;
};

// twipsPerPixel is 1440 / the screen's logical dots per inch (15 at 96 dpi).
PixelGeometry restoreMainGeometry(AppContext &ctx, const QRect &screenPx, double twipsPerPixel);
void saveMainGeometry(AppContext &ctx, const PixelGeometry &g, double twipsPerPixel);

// The rule itself, in twips; a stored value of -1 is missing or unreadable.
QRect fitMainGeometry(int storedX, int storedY, int storedW, int storedH, const QRect &screenTwips);

} // namespace zx
