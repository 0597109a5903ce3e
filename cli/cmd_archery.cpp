// zentrix-cli archery --port P on|off: switch the RV5's archery mode.
#include "cli/cli_command.h"
#include "cli/cmd_onoff.h"

namespace {
zx::cli::Registrar reg({"archery", "--port P [--scale F] on|off",
                        "switch the RV5's archery mode",
                        "",
                        [](const QStringList &a) {
                            return zx::cli::runOnOff(a, "archery", [](zx::ChronoOps &o, bool on) { return o.archery(on); });
                        }});
} // namespace
