// zentrix-cli setup --port P [set NAME VALUE]: the RV5 setup panel on the console. Without
// "set" it prints every value the panel shows, one "name: value" line each; with it, it
// changes one setting through the panel's own operation and prints the value read back. Either
// way the chronograph is left at its data prompt (at the Stats prompt after "set mode stats").
#include "cli/cli_command.h"
#include "cli/cmd_ops_host.h"
#include "link/link_session.h"
#include "setup/cro_setup.h"
#include "setup/setup_settings.h"

namespace {

// The menu walks leave the chronograph inside a menu; the next session (or the user at the
// chronograph) finds it at its data prompt, or at the Stats prompt when that was asked for.
void leaveAtPrompt(zx::LinkSession &link, bool stats)
{
    if (!link.cro.bCroLinkOk)
        return;
    link.croTransact(false, stats ? QStringLiteral("S") : QStringLiteral("D"), 0, 0);
    link.croTxn.menuPos = 0;
}

int runSetup(const QStringList &args)
{
    using namespace zx::cli;
    const qsizetype at = args.indexOf(QStringLiteral("set"));
    QString name, value;
    if (at >= 0) {
        if (at + 2 >= args.size()) {
            printText(QStringLiteral("zentrix-cli setup: set NAME VALUE, NAME one of %1\n")
                          .arg(zx::setupSettingNames().join(QStringLiteral(", "))),
                      true);
            return 2;
        }
        name = args.at(at + 1);
        value = args.at(at + 2);
        const QString error = zx::checkSetupValue(name, value);
        if (!error.isEmpty()) {
            printText(QStringLiteral("zentrix-cli setup: ") + error + QLatin1Char('\n'), true);
            return 2;
        }
    }
    auto s = makeOpsSession(args);
    if (!s)
        return 1;
    zx::LinkSession &link = *s->cli->link;
    if (!connectOrEnd(*s))
        return 1;
    zx::CroSetup setup(*s->ops, s->cli->prompter);
    s->ops->getStatus();
    setup.open();
    if (!link.cro.bCroStatusOk) {
        printText(zx::CroSetup::statusFailure() + QLatin1Char('\n'), true);
        endOpsSession(*s);
        return 1;
    }
    int rc = 0;
    if (name.isEmpty()) {
        setup.readSwitch(zx::CroSetup::MemAlarm);
        setup.readSwitch(zx::CroSetup::ExpertMode);
        for (const auto &[n, v] : zx::setupValues(setup))
            printText(n + QStringLiteral(": ") + v + QLatin1Char('\n'));
    } else {
        const bool ok = zx::applySetupValue(setup, name, value);
        const QString shown = zx::setupValue(setup, name);
        printText(name + QStringLiteral(": ") + shown + QLatin1Char('\n'));
        if (!ok || shown != value) {
            if (link.cro.bCroLinkOk)   // the chronograph answered but went no further
                printText(QStringLiteral("zentrix-cli setup: the RV5 does not take %1 %2; it shows %3\n").arg(name, value, shown),
                          true);
            rc = 1;
        }
    }
    leaveAtPrompt(link, name == QLatin1String("mode") && zx::setupValue(setup, name) == QLatin1String("stats"));
    endOpsSession(*s);
    return rc;
}

zx::cli::Registrar reg({"setup", "--port P [--scale F] [set NAME VALUE]",
                        "print the RV5's setup values, or change one",
                        "NAME is one of sensors, sensitivity, archery, rapid-fire, velocity-units, "
                        "temperature-units, power-down, power-down-time, string-size, mode, "
                        "memory-alarm, expert-mode, send-capture-tag, send-temperature, send-stats.",
                        runSetup});

} // namespace
