// zentrix-cli sensors --port P on|off: turn the RV5's sensors on or off through its menu.
#include "cli/cli_command.h"
#include "cli/cmd_onoff.h"

namespace {
zx::cli::Registrar reg({"sensors", "--port P [--scale F] on|off",
                        "turn the RV5's sensors on or off",
                        "",
                        [](const QStringList &a) {
                            return zx::cli::runOnOff(a, "sensors", [](zx::ChronoOps &o, bool on) { return o.sensors(on); });
                        }});
} // namespace
