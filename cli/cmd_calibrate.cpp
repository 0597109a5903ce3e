// zentrix-cli calibrate --port P: calibrate the RV5, printing the LogPad remarks the
// calibration writes. Exit 0 when the calibration passed.
#include "cli/cli_command.h"
#include "cli/cmd_ops_host.h"
#include "link/link_session.h"

namespace {

int runCalibrate(const QStringList &args)
{
    auto s = zx::cli::makeOpsSession(args);
    if (!s)
        return 2;
    zx::LinkSession &link = *s->cli->link;
    link.cro.bCroCalPass = false;
    s->ops->calibrate(zx::cli::hasFlag(args, QStringLiteral("--quiet")));
    const bool ok = link.cro.bCroCalPass;
    zx::cli::endOpsSession(*s);
    return ok ? 0 : 1;
}

zx::cli::Registrar reg({"calibrate", "--port P [--quiet] [--scale F]",
                        "calibrate the RV5 on port P",
                        "", runCalibrate});

} // namespace
