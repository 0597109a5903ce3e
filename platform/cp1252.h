#pragma once
// Windows-1252 ("ANSI") text <-> bytes, one character per byte, on every system.
// The chronograph and the serial terminal speak in bytes; the program turns each
// received byte into exactly one character so counts and positions stay byte counts.
#include <QByteArray>
#include <QString>

namespace zx {

// Each byte becomes one character. The five bytes undefined in Windows-1252
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the control characters of the same value.
QString cp1252ToString(const QByteArray &bytes);
QString cp1252ToString(const char *data, qsizetype size);

// Each character becomes one byte; characters outside Windows-1252 become '?'.
QByteArray stringToCp1252(QStringView text);

// One character as a byte (for single-key output); '?' when it has no byte.
char cp1252Byte(QChar c);

} // namespace zx
