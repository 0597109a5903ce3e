#pragma once
// The debug and test flags with their store, the shell's settings read when the main window
// starts and written at exit, and the two clearing functions.
#include "app/app_context.h"

namespace zx {

// Nine flags from section Morvane with their defaults.
void getSoftSettings(AppContext &ctx);
void saveSoftSettings(AppContext &ctx);
// The shipped state: every debug and test flag off, GetRegistry and SaveRegistry on, UserLevel 0.
void zapSoftFlags(AppContext &ctx);

// Keys of frmMDI, frmVipNotes and frmComSet read when the main window starts. A stored text
// that does not convert keeps the default and is reported at location.
void readStartSettings(AppContext &ctx);
// Shutdown step: MoreOptions, ShowWarn, ShowWarnRV, (shipMode on) UserLevel and SoftTest in
// frmVipNotes, AutoDetect, AutoConnect, ChronSelect, Device and Echo.
void saveExitSettings(AppContext &ctx);
void readErrorCount(AppContext &ctx);
void saveErrorCount(AppContext &ctx);

// The layout keys applied by the splash sequence.
struct LayoutSettings {
    bool standardToolbar = true;
    bool formatToolbar = true;
    bool ruler = false;
    bool statusBar = true;
    int viewMode = 0;   // 0 to 2
};
// Bad stored text is reported as "moxMain-soxSettings-" + step and start-up goes on.
LayoutSettings readLayoutSettings(AppContext &ctx);

// Removes this instance's sections in the fixed order; the flags in memory stay.
void clearRegistryNow(AppContext &ctx);
// Last shutdown step: with ClearRegistry on, asks and clears on Yes. Returns true when cleared.
bool clearRegistryAtExit(AppContext &ctx);

} // namespace zx
