// zentrix-cli status --port P: connect to the chronograph, read its status and print the
// status report. Exit 0 only when the status was read to its end.
#include "cli/cli_command.h"
#include "cli/cmd_ops_host.h"
#include "link/status_report.h"

namespace {

int runStatus(const QStringList &args)
{
    using namespace zx::cli;
    auto s = makeOpsSession(args);   // a missing or busy port is reported here, in the program's words
    if (!s)
        return 1;
    zx::LinkSession &link = *s->cli->link;
    if (!connectOrEnd(*s))
        return 1;
    s->ops->getStatus();
    if (!link.cro.bCroStatusOk) {
        printText(QStringLiteral("Failed to retrieve RV5 Status!\n"), true);
        endOpsSession(*s);
        return 1;
    }
    printText(zx::statusReport(link.cro, s->cli->comNumber, 0, 0) + QStringLiteral("\n"));
    endOpsSession(*s);
    return 0;
}

zx::cli::Registrar reg({"status", "--port P [--yes]",
                        "read and print the status report of the RV5 on port P",
                        "P is a COM number or a device path.",
                        runStatus});

} // namespace
