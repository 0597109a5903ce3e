#pragma once
// Reading the RV5's answers into the chronograph state. Pure functions over the
// answer text: they send nothing and never throw. The transactions that fetch the
// answers ("Q", "Z", "W", "C") live with the transaction layer, which hands the
// answer text (sCroRsp or sCom2Rsp) to these functions.
#include "link/cro_state.h"

#include <QString>
#include <QStringView>
#include <optional>

namespace zx {

// The leading-number rule used for every number the chronograph sends: blanks are
// skipped, then the longest number at the start (sign, digits, decimal point,
// exponent) is read; 0 when there is none. Sets *len (if given) to the characters used.
double leadingNumber(QStringView text, qsizetype *len = nullptr);

// leadingNumber truncated toward zero to a signed 16-bit integer; empty when the
// value does not fit (the chronograph's fields are 16-bit: such a value is an error).
std::optional<qint16> leadingInt16(QStringView text);

// Reads a status answer (the sign-on answer to "Q" or the status answer to "Z",
// from either port) into st. bCroStatusOk is cleared first and set only when all
// 22 fields were found; a missing key or terminator stops the parse there, the
// fields read so far keep their new values and the rest their old ones.
// Returns bCroStatusOk; *stepsDone (if given) receives the number of fields read.
bool parseStatus(CroState &st, const QString &text, int *stepsDone = nullptr);

// The memory position of a "W" answer ("Fol=", "Str=", "Siz=", "Sho=" and an
// "Att=" block). Fills the four out values as far as they were read; true only when
// all four were found and the "Att=" block repeats them (folder, string, size, shot).
// The Esc / "D" / "W" transactions that fetch the answer are the caller's.
bool parseMemPos(const QString &answer, double &folder, double &string, double &shot,
                 qint16 &size);

// The verdict of the sensors-off sequence (Esc, then "Z") on its final answer:
// when neither transaction failed and the answer holds "Sens=OFF", clears
// bCroSensorsOn and returns true; otherwise clears bCroStatusOk and returns false.
bool sensorsOffAnswer(CroState &st, const QString &rsp, bool failed);

// Noise figure of a calibration answer: the second-last word of its last complete
// line, at most 3 characters; 9999 when the answer is short, holds "ERR" or has no
// readable figure.
qint16 calNoise(const QString &rsp);

// " On" or " Off", with the leading space, as the reports print flags.
QString onOffText(bool flag);

} // namespace zx
