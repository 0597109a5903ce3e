#pragma once
// The Window menu's list of the open CFiles: rebuilt each time the menu opens, the one in
// front checked; choosing one brings it to the front, also past a maximised one (it then
// takes the maximised place).
class QMdiArea;
class QMenu;

namespace zx {

void listSubWindowsIn(QMenu *menu, QMdiArea *area);

} // namespace zx
