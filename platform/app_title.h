#pragma once
// The application title: the running instance's name ("Zentrix" + number). Every message box
// without a title of its own carries it. Process-wide by nature, like the title of a program.
#include <QString>

namespace zx {

QString appTitle();
void setAppTitle(const QString &title);

} // namespace zx
