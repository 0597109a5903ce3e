#pragma once
// Where a window stored from an earlier run may go: screens are unplugged and rearranged
// between runs, so a stored place is kept only while the window lies wholly on the screens.
#include <QList>
#include <QPoint>
#include <QRect>

namespace zx {

// The screen a rectangle belongs to: the one it overlaps most, else the nearest.
QRect screenFor(const QRect &r, const QList<QRect> &screens);
// True when r lies wholly on the screens (together; it may span two).
bool onScreens(const QRect &r, const QList<QRect> &screens);
// r's top-left when it lies wholly on the screens, else the place that centres it on its
// screen. With no screens known, r stays where it is.
QPoint fitWindowPlace(const QRect &r, const QList<QRect> &screens);

} // namespace zx
