#pragma once
// The desktop program's arguments: its own flags (--simulate, --help, --version) and the
// classic "N=xx,P=yy,Path/File" text made of everything else.
#include "app/app_context.h"

#include <QStringList>

namespace zx {

struct ParsedArguments {
    StartOptions options;
    bool showHelp = false;
    bool showVersion = false;
    QString error;   // an unknown "--" flag
};

ParsedArguments parseStartArguments(const QStringList &args);   // without the program name
QString startUsageText();

} // namespace zx
