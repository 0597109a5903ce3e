// zentrix-cli ports [--port P]: scan COM1 to COM16 and look for RV5 chronographs on the
// free ones, printing the properties window's progress log as it grows. Exit 0 when at
// least one RV5 answered. --port names this instance's link port (default COM1; it is
// not opened, so it is probed like any other port).
#include "cli/cli_command.h"
#include "cli/cli_session.h"
#include "link/port_detect.h"

namespace {

int runPorts(const QStringList &argsIn)
{
    using namespace zx::cli;
    QStringList args = argsIn;
    if (option(args, QStringLiteral("--port")).isEmpty())
        args << QStringLiteral("--port") << QStringLiteral("1");
    auto s = makeSession(args);
    if (!s)
        return 2;
    zx::PortDetect detect(*s->link, s->prompter);
    qsizetype printed = 0;
    detect.logChanged = [&] {
        const QString &log = detect.log();
        if (log.size() < printed)  // trimmed or replaced: start again
            printed = 0;
        printText(log.mid(printed));
        printed = log.size();
    };
    detect.cmdDetect();
    printText(QStringLiteral("\n"));
    for (const zx::PortRow &r : detect.rows())
        printText(r.text + QStringLiteral("\n"));
    return detect.rv5Found() > 0 ? 0 : 1;
}

zx::cli::Registrar reg({"ports", "[--port P] [--scale F]",
                        "scan COM1..COM16 for RV5 chronographs",
                        "Detects RV5 chronographs and prints the progress log and the port list.",
                        runPorts});

} // namespace
