#pragma once
// The start-up window's sequence: every window created and restored, the layout applied,
// one empty CFile opened and the command-line file loaded into it.
#include "app/app_context.h"

class QMdiSubWindow;

namespace zx {

class FrmMdi;

// Runs the sequence and returns the main window, shown and enabled.
FrmMdi *runSplashSequence(AppContext &ctx);

// The start-up CFile: a new one, holding cmdPath + cmdFile when the command line names a
// file. A file that cannot be loaded is told as for any CFile (a missing one as for a recent
// file, one that is not valid rich text with its description) and the empty CFile stays.
QMdiSubWindow *openStartupCFile(FrmMdi &mdi);

} // namespace zx
