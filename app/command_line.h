#pragma once
// The classic command line "N=xx,P=yy,Path/File": instance number, COM port, file to open.
#include "app/app_context.h"

namespace zx {

CommandLine readCommandLine(const QString &text);

// The numeric value of text as the classic Val reads it: blanks skipped, digits up to the first
// other character (an optional sign and fraction), no digits read as 0.
double valOf(const QString &text);

} // namespace zx

namespace zx {

// The file named on the command line (cmdPath + cmdFile); empty when none.
inline QString cmdLineFilePath(const CommandLine &cmd) { return cmd.cmdFile.isEmpty() ? QString() : cmd.cmdPath + cmd.cmdFile; }
// Loaded as rich text when the last three characters, in capitals, are "RTF".
inline bool cmdLineFileIsRich(const QString &cmdFile) { return cmdFile.right(3).toUpper() == QLatin1String("RTF"); }

} // namespace zx
