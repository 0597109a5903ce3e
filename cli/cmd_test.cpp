// zentrix-cli test --port P: the link test (probe the port, read and report the status),
// written as the LogPad would show it. Exit 0 when the RV5 answered and its status was read.
#include "cli/cli_command.h"
#include "cli/cmd_ops_host.h"
#include "link/link_session.h"

namespace {

int runTest(const QStringList &args)
{
    auto s = zx::cli::makeOpsSession(args, false);
    if (!s)
        return 2;
    s->ops->croTest(2, 2);
    const bool ok = s->cli->link->cro.bCroStatusOk;
    zx::cli::endOpsSession(*s);
    return ok ? 0 : 1;
}

zx::cli::Registrar reg({"test", "--port P [--scale F]",
                        "test the RV5 on port P and print its status report",
                        "", runTest});

} // namespace
