#pragma once
// The program's version, from the project's version in CMake: here so that the desktop
// program and zentrix-cli both print it without one reaching into the other. Only
// version.cpp is compiled with the number, so a new version rebuilds one file.
#include <QString>

namespace zx {

extern const char *const kVersion;

// "zentrix 1.2.3\n", as `zentrix --version` and `zentrix-cli version` print it.
QString versionText();

} // namespace zx
