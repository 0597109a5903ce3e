// zentrix-cli version: the program's version, as `zentrix --version` prints it.
#include "cli/cli_command.h"
#include "platform/version.h"

#include <QTextStream>

static zx::cli::Registrar reg({"version", "", "print the program's version", "", [](const QStringList &) {
                                   QTextStream(stdout) << zx::versionText();
                                   return 0;
                               }});
