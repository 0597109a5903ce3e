#pragma once
// A tool window with no stored place (a first run) would open where the window system puts it,
// often the screen's top-left corner, on top of the main window and of each other. Watched
// windows get a place beside the main window when first shown; a window that was moved to a
// stored place before that keeps it.
class QWidget;

namespace zx {

void placeBesideOnFirstShow(QWidget *window, QWidget *main);

} // namespace zx
