#pragma once
// Where a window stored from an earlier run may go: screens are unplugged and rearranged
// between runs, so a stored place is kept only while the window lies wholly on the screens.
#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace zx {

// The screen a rectangle belongs to: the one it overlaps most, else the nearest.
QRect screenFor(const QRect &r, const QList<QRect> &screens);
// True when r lies wholly on the screens (together; it may span two).
bool onScreens(const QRect &r, const QList<QRect> &screens);
// r's top-left when it lies wholly on the screens, else the place that centres it on its
// screen. With no screens known, r stays where it is.
QPoint fitWindowPlace(const QRect &r, const QList<QRect> &screens);
// Where a window that has no stored place opens: beside the main window (right, left, below,
// above), clear of the main window and of the windows already open where its screen has room
// (made smaller, down to its minimum, when that makes room), else where it covers least of the
// main window; always wholly on the main window's screen. All rectangles are frames.
QRect placeBeside(const QRect &window, const QSize &minimum, const QRect &main, const QList<QRect> &taken,
                  const QList<QRect> &screens);

} // namespace zx
