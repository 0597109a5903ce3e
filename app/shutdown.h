#pragma once
// The shutdown sequence, run once the main window's close is accepted. The shell's own steps
// are here; the steps of other windows (Excel link, support windows, terminal timers) are
// handed in as hooks so each window keeps its own closing code.
#include "app/main_geometry.h"

#include <functional>
#include <vector>

namespace zx {

struct ShutdownHooks {
    std::function<void()> releaseExcel;                     // step 6, when a link is open
    std::vector<std::function<void()>> supportClosing;      // frmTip, frmProperties, frmTerminal, frmRemCtr
    std::function<void()> stopTerminalTimers;               // step 7
    std::vector<std::function<void()>> destroyWindows;      // progress, frmTip, frmRemCtr, frmTerminal, frmProperties
    std::function<void()> closeOtherWindows;                // every other window still open
};

// Steps 2 to 9: geometry, soft settings (shipMode off), instance record, shell keys, hooks,
// error count, optional clear. g is the main window's normal (restored) geometry.
void runShutdown(AppContext &ctx, const PixelGeometry &g, double twipsPerPixel, const ShutdownHooks &hooks);

} // namespace zx
