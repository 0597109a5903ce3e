#pragma once
// The program's version, from the project's version in CMake.
#ifndef ZX_VERSION
#define ZX_VERSION "0.0.0"
#endif

namespace zx {
inline constexpr const char *kVersion = ZX_VERSION;
}
