#pragma once
// The RV5's texts, one function per answer; docs/protocol.md shows each of them.
// Every line the chronograph prints starts with CR LF (the prompt ends the previous output),
// except the value answers inside a menu, which start with the value itself.
#include "sim/edisk.h"
#include "sim/rv5_state.h"

#include <QByteArray>

namespace zx::sim::fmt {

inline constexpr const char *kBannerMarker = "rv5vantor.example";

QByteArray onOff(bool on);                       // "ON" / "OFF"
QByteArray prompt(const Rv5State &st);           // "DAT>", "STS>" or "MEN><DAT> 12?"
QByteArray menuPrompt(int menu, int item, int sub);
QByteArray capOff(const Rv5State &st);           // " CAP=OFF" while the sensors are off, else ""

QByteArray signOn(const Rv5State &st, const EDisk &disk);   // answer to "Q" without the prompt
QByteArray sensorLine(const Rv5State &st);                  // answer to "Z" without the prompt
QByteArray memPosition(const Rv5State &st, const EDisk &disk);  // answer to "W" without the prompt
QByteArray statsLine(const Rv5State &st, const EDisk &disk);    // answer to "S" without the prompt

QByteArray velocity(const Rv5State &st, double fps);  // "2875.42" (or m/s)
QByteArray temperature(const Rv5State &st, double c); // "72.5" (fah or cel)

// Live shot line, e.g. "CAP:#07 2875.42 f/s 0.000696 sec  72.5 fah" (+ statistics with L on).
QByteArray captureLine(const Rv5State &st, const EDisk &disk, int folder, int string, int number);
// Memory listing records.
QByteArray memHeader(const Rv5State &st, const EDisk &disk, int folder, int string);
QByteArray memShot(const Rv5State &st, int number, const Shot &s);
QByteArray memStringEnd(int folder, int string);
QByteArray reviewLine(const Rv5State &st, const EDisk &disk);  // answer to a cursor key

} // namespace zx::sim::fmt
