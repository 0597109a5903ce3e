// zentrix-cli status --port P: connect to the chronograph, read its status and print the
// status report. Exit 0 only when the status was read to its end.
#include "cli/cli_command.h"
#include "cli/cli_session.h"
#include "link/status_parser.h"
#include "link/status_report.h"

namespace {

// Esc, "D" when in a menu, then the sign-on "Q" (once more after Esc and "D" when it fails),
// and the status parse of its answer.
bool readStatus(zx::LinkSession &link, zx::cli::ConsoleLogPad &pad)
{
    link.cro.bCroStatusOk = false;
    link.croTransact(true, QStringLiteral("["), 0, 0);
    if (link.croTxn.failed)
        return false;
    if (link.croTxn.menu > 0) {
        link.croTransact(false, QStringLiteral("D"), 1, 0);
        if (link.croTxn.failed)
            return false;
    }
    link.croTransact(false, QStringLiteral("Q"), 1, 0);
    if (link.croTxn.failed) {
        link.croTransact(true, QStringLiteral("["), 0, 0);
        link.croTransact(false, QStringLiteral("D"), 1, 0);
        link.croTransact(false, QStringLiteral("Q"), 1, 0);
        if (link.croTxn.failed) {
            pad.logPadWrite(QStringLiteral("Failed to retrieve Chronograph Status."), 0, 1, 1);
            return false;
        }
    }
    return zx::parseStatus(link.cro, link.sCroRsp);
}

int runStatus(const QStringList &args)
{
    using namespace zx::cli;
    auto s = makeSession(args);
    if (!s)
        return 2;
    zx::LinkSession &link = *s->link;
    link.subOpenPort();   // a missing or busy port is reported here, in the program's words
    if (!link.MSComm1.portOpen())
        return 1;
    if (!link.croConnect()) {
        printText(QStringLiteral("RV5 not found on port COM%1\n").arg(s->comNumber), true);
        link.extTerminal();
        return 1;
    }
    const bool ok = readStatus(link, s->logPad);
    if (!ok) {
        printText(QStringLiteral("Failed to retrieve RV5 Status!\n"), true);
        link.extTerminal();
        return 1;
    }
    printText(zx::statusReport(link.cro, s->comNumber, 0, 0) + QStringLiteral("\n"));
    link.extTerminal();
    return 0;
}

zx::cli::Registrar reg({"status", "--port P [--yes]  connect to the RV5 on port P (COM number or device path), "
                                  "read and print its status report",
                        runStatus});

} // namespace
