// zentrix-cli power --port P off|on: switch the RV5 off, or check that it was switched on.
#include "cli/cli_command.h"
#include "cli/cmd_onoff.h"

namespace {
zx::cli::Registrar reg({"power", "--port P [--scale F] off|on",
                        "power the RV5 down, or detect its power-on",
                        "",
                        [](const QStringList &a) {
                            return zx::cli::runOnOff(a, "power",
                                                     [](zx::ChronoOps &o, bool on) { return o.powerSwitch(on); });
                        }});
} // namespace
