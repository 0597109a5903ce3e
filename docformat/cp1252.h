#pragma once
// Windows-1252 ("ANSI" on western Windows) in both directions. Qt's Latin-1 is not the same:
// 0x80-0x9F hold the euro sign, curly quotes, dashes and so on in 1252.
#include <QByteArray>
#include <QString>

namespace zx::cp1252 {

// The character for one byte. The five bytes 1252 leaves undefined map to the C1 control of the
// same value, as Windows does, so that any byte sequence round-trips.
char16_t toUnicode(unsigned char byte);

// The byte for a character, or -1 when 1252 cannot represent it.
int fromUnicode(char16_t ch);

QString decode(const char *data, qsizetype size);
inline QString decode(const QByteArray &bytes) { return decode(bytes.constData(), bytes.size()); }

// Characters 1252 cannot represent become '?'.
QByteArray encode(const QString &text);

// True when every character of text has a 1252 byte.
bool canEncode(const QString &text);

} // namespace zx::cp1252
