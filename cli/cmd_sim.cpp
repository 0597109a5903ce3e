// zentrix-cli sim: an RV5 simulator on a pseudo-terminal. The first line of output is the
// device path to open as the chronograph's serial port; the simulator runs until stdin closes.
#include "cli/cli_command.h"
#include "sim/pty_transport.h"
#include "sim/rv5_simulator.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <unistd.h>

namespace {

bool readInt(const QStringList &args, const QString &name, int fallback, int min, int *out)
{
    const QString v = zx::cli::option(args, name);
    if (v.isEmpty()) {
        *out = fallback;
        return !args.contains(name);  // the flag without its value is an error
    }
    bool ok = false;
    *out = v.toInt(&ok);
    return ok && *out >= min;
}

int runSim(const QStringList &args)
{
    QTextStream err(stderr);
    zx::sim::Rv5Options opt;
    int shots = -1, interval = 0, seed = 0, layout = 0;
    int layoutCount = 0;
    const int *layouts = zx::sim::Rv5Menus::layouts(&layoutCount);
    if (!readInt(args, QStringLiteral("--shots"), -1, 0, &shots)
        || !readInt(args, QStringLiteral("--interval-ms"), opt.shotIntervalMs, 1, &interval)
        || !readInt(args, QStringLiteral("--seed"), 1, 0, &seed)
        || !readInt(args, QStringLiteral("--layout"), 0, 0, &layout)
        || (layout != 0 && std::find(layouts, layouts + layoutCount, layout) == layouts + layoutCount)) {
        err << "zentrix-cli sim: bad option value\n";
        return 2;
    }
    opt.layout = layout;
    opt.fillEDisk = zx::cli::hasFlag(args, QStringLiteral("--fill"));
    opt.seed = quint32(seed);
    opt.shotIntervalMs = interval;
    opt.liveShotLimit = shots;
    opt.sensorsOn = shots > 0;  // asking for shots means shooting now
    opt.paced = zx::cli::hasFlag(args, QStringLiteral("--pace"));

    zx::sim::Rv5Simulator sim(opt);
    zx::sim::PtyTransport pty(&sim);
    if (!pty.open()) {
        err << "zentrix-cli sim: cannot create a pseudo-terminal (" << pty.errorString() << ")\n";
        return 1;
    }
    std::printf("%s\n", qPrintable(pty.devicePath()));
    std::fflush(stdout);
    err << "RV5 simulator on " << pty.devicePath() << " (seed " << seed << (opt.paced ? ", 4800 baud paced" : "")
        << "); close stdin to stop\n";
    err.flush();

    // stdin is only watched for its end; what is typed there is ignored.
    QSocketNotifier in(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&in, &QSocketNotifier::activated, &in, [&in] {
        char buf[256];
        const ssize_t n = ::read(STDIN_FILENO, buf, sizeof buf);
        if (n <= 0) {
            in.setEnabled(false);
            QCoreApplication::quit();
        }
    });
    QObject::connect(&pty, &zx::sim::PtyTransport::closed, qApp, &QCoreApplication::quit);
    return QCoreApplication::exec();
}

zx::cli::Registrar reg({"sim", "[--shots N] [--interval-ms MS] [--seed S] [--pace] [--layout SSNN] [--fill]",
                        "run an RV5 simulator on a pseudo-terminal",
                        "Prints its device path and stops when stdin closes. --shots N: sensors on, N "
                        "live shots; --layout: strings x 100 + shots, e.g. 520; --fill: every string of "
                        "every folder full.",
                        runSim});

} // namespace
