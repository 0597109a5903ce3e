#pragma once
// The program's version, from the project's version in CMake: here so that the desktop
// program and zentrix-cli both print it without one reaching into the other.
#include <QString>

#ifndef ZX_VERSION
#define ZX_VERSION "0.0.0"
#endif

namespace zx {
inline constexpr const char *kVersion = ZX_VERSION;

// "zentrix 1.2.3\n", as `zentrix --version` and `zentrix-cli version` print it.
inline QString versionText() { return QStringLiteral("zentrix ") + QLatin1String(kVersion) + QLatin1Char('\n'); }
} // namespace zx
