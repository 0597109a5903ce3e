#pragma once
// The main window's place and size, stored in twips (1/1440 inch). A stored size that does not
// fit its screen falls back to the default (8025 twips wide, two thirds of the screen high); a
// position that would put part of the window outside every screen (a monitor unplugged since,
// a changed layout) centres it on the screen it overlaps most, else the nearest one.
#include "app/app_context.h"

#include <QList>
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

// twipsPerPixel is 1440 / the screen's logical dots per inch (15 at 96 dpi). screensPx: the
// available area of every screen, the primary one first.
PixelGeometry restoreMainGeometry(AppContext &ctx, const QList<QRect> &screensPx, double twipsPerPixel);
void saveMainGeometry(AppContext &ctx, const PixelGeometry &g, double twipsPerPixel);

// A first run's window (no stored size) widened to the right to what its toolbars need, as far
// as its screen allows; never narrowed.
QRect widenForToolbars(const QRect &placed, int neededWidth, const QRect &screen);

// The rule itself, in twips; a stored value of -1 is missing or unreadable.
QRect fitMainGeometry(int storedX, int storedY, int storedW, int storedH, const QList<QRect> &screensTwips);

} // namespace zx
