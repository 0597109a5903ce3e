// zentrix-cli rapidfire --port P on|off: switch the RV5's rapid-fire mode.
#include "cli/cli_command.h"
#include "cli/cmd_onoff.h"

namespace {
zx::cli::Registrar reg({"rapidfire", "--port P [--scale F] on|off",
                        "switch the RV5's rapid-fire mode",
                        "",
                        [](const QStringList &a) {
                            return zx::cli::runOnOff(a, "rapidfire",
                                                     [](zx::ChronoOps &o, bool on) { return o.rapidFire(on); });
                        }});
} // namespace
