#pragma once
// The line end of the chronograph's protocol and of the texts the program writes for it.
#include <QString>

namespace zx {

inline const QString kCrLf = QStringLiteral("\r\n");

} // namespace zx
