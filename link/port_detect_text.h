#pragma once
// Texts and packed values of the port list in the properties window: device
// names, row texts, the packed 16-bit item value, the progress log's append rule
// and the line settings string.
#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace zx {

// Devices as listed in the properties window (with their leading blank).
QStringList deviceNames();
QString deviceName(int index);  // out of range: the RV5's name

// Port states of a scan.
enum PortState { PortAbsent = 0, PortOwn = 1, PortFree = 3, PortInUse = 4, PortBad = 6 };

// bits 0-7 COM number, 8-11 state, 12-15 a third field (written, never read here).
quint16 packPortItem(int com, int state, int third = 0);
int itemCom(quint16 item);
int itemState(quint16 item);
int itemThird(quint16 item);

// State of a probed port from its open error e and its close error f.
int portStateFromErrors(int openError, int closeError);

// "COM" + n + four spaces (n below 10) or two, then the state's text.
QString portRowText(int com, int state);
// The progress log's line for a port of any state.
QString portLogText(int com, int state);
// Replace a row's text from its first "{" on by tag.
QString replaceRowTag(const QString &row, const QString &tag);

// The progress log's append rule, on the log's text.
void prtLogAppend(QString &log, const QString &text, int code, int count);

// Settings string from the four control texts: baud, parity's first character,
// data bits, stop bits, each trimmed, joined by commas.
QString buildPortSettings(const QString &baud, const QString &parity, const QString &dataBits,
                          const QString &stopBits);

} // namespace zx
