// zentrix-cli probe --port P: identify a chronograph on port P through the probe port and
// print the probe messages, the result and, when an RV5 answered, its status report.
#include "cli/cli_command.h"
#include "cli/cli_session.h"
#include "link/status_report.h"

namespace {

int runProbe(const QStringList &args)
{
    using namespace zx::cli;
    auto s = makeSession(args);
    if (!s)
        return 2;
    zx::LinkSession &link = *s->link;
    link.hooks.probeMessage = [](const QString &m) { printText(m + QStringLiteral("\n")); };
    link.getPrtState();
    const int err = link.com2Open(s->comNumber);
    if (err != 0) {
        printText(QStringLiteral("Communications Port %1 is not available (error %2)\n").arg(link.portLabel()).arg(err));
        link.com2Close();
        return 1;
    }
    const int r = link.croProbe();
    static const char *const meaning[] = {"an RV5 answered and its status was read", "no answer",
                                          "something answered but was not identified"};
    printText(QStringLiteral("Probe result: %1 (%2)\n").arg(r).arg(QLatin1String(meaning[r < 0 || r > 2 ? 1 : r])));
    if (r == 0)
        printText(zx::statusReport(link.cro, s->comNumber, 0, 0) + QStringLiteral("\n"));
    return r == 0 ? 0 : 1;
}

zx::cli::Registrar reg({"probe", "--port P",
                        "probe port P for an RV5 and print the result",
                        "P is a COM number or a device path.",
                        runProbe});

} // namespace
