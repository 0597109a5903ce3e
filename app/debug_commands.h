#pragma once
// The Debug menu's commands (visible only while SoftDebugSee is on) acting on the debug and
// test flags, and the check marks and captions the menu shows for them.
#include "app/app_context.h"

#include <QString>

namespace zx {

enum class DebugCommand {
    SftDbg,     // toggle SoftDebug
    SftHid,     // SoftDebugSee off, menu hidden
    SftShp,     // toggle shipMode
    SftTst,     // toggle SoftTest
    MaxLev,     // UserLevel 4
    MinLev,     // UserLevel 0
    IncLev,     // UserLevel + 1, at most 4
    DecLev,     // UserLevel - 1, at least 0
    GetReg,     // toggle GetRegistry
    SavReg,     // toggle SaveRegistry
    ZapReg,     // toggle ClearRegistry
    ZapRegNow,  // the immediate clear
};

// The command's objectName in the Debug menu ("mnuDbgSftDbg"...).
QString debugCommandName(DebugCommand c);

// Runs a command; true when the mode and status refresh must follow.
bool runDebugCommand(AppContext &ctx, DebugCommand c);

// Whether the command shows a check mark now (false for commands without one).
bool debugCommandChecked(const AppContext &ctx, DebugCommand c);
// Caption of the level command: "Lev-" + UserLevel + "...".
QString debugLevelCaption(const AppContext &ctx);

} // namespace zx
