#pragma once
// The start-up window's sequence: every window created and restored, the layout applied,
// one empty CFile opened and the command-line file loaded into it.
#include "app/app_context.h"

class QMdiSubWindow;

namespace zx {

class FrmMdi;

// Runs the sequence and returns the main window, shown and enabled.
FrmMdi *runSplashSequence(AppContext &ctx);

// Loads cmdPath + cmdFile (when named) into the given CFile window.
void showCmdLineFile(FrmMdi &mdi, QMdiSubWindow *doc);

} // namespace zx
