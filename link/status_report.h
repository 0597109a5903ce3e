#pragma once
// The texts that show the chronograph state to the user: the full status report
// (LogPad, remote control panel) and the one-line summary written before a calibration.
#include "link/cro_state.h"

#include <QString>

namespace zx {

// A Single as the report prints it: its shortest decimal form ("9.1", "23", "-0.5").
QString singleText(float v);

// The firmware version as the report prints it: 105 gives "10.5P5".
QString versionText(qint16 version);

// The status report: one text of lines ending in CR LF (the last one without), with
// an empty line after each group. comPort is the link port's COM number.
// The line prefix is empty unless mode is 2; then prefixKind 0 gives none,
// 1 "REM: ", 2 "REM:" + the shot total as five digits + " ".
QString statusReport(const CroState &st, int comPort, int prefixKind, int mode);

// The short status summary, "RV5 Status-{ Archery= On  RapidFire= Off ...".
QString statusLine(const CroState &st);

} // namespace zx
