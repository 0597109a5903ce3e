// Wall time of 100 "Z" status transactions against the RV5 simulator paced at 4800 baud,
// compared with what the line allows: characters on the wire / 480 per second, plus the
// 50 ms guard between transactions. A ratio near 1 means the program adds little of its own.
#include "link/link_session.h"
#include "platform/port_map.h"
#include "sim/pty_transport.h"
#include "sim/rv5_simulator.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    zx::sim::Rv5Options opt;
    opt.shotIntervalMs = 0;
    opt.paced = true;
    zx::sim::Rv5Simulator sim(opt);
    zx::sim::PtyTransport pty(&sim);
    if (!pty.open()) {
        out << "cannot open a pseudo-terminal: " << pty.errorString() << "\n";
        return 1;
    }
    zx::PortMap::setOverride(1, pty.devicePath());
    zx::LinkSession s(nullptr, nullptr, QStringLiteral("Zentrix0"), 0, nullptr);
    s.MSComm1.setCommPort(1);
    s.subOpenPort();
    if (!s.croConnect()) {
        out << "the simulator did not answer\n";
        return 1;
    }
    const int n = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 100;
    const qint64 sentBefore = sim.bytesSent();
    const qint64 rxBefore = sim.received().size();
    int failed = 0;
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < n; ++i) {
        s.croTransact(false, QStringLiteral("Z"), 1, 0);
        failed += s.croTxn.failed ? 1 : 0;
    }
    const double wall = t.nsecsElapsed() / 1e9;
    const qint64 chars = (sim.bytesSent() - sentBefore) + (sim.received().size() - rxBefore);
    const double bound = chars / 480.0 + n * 0.050;
    out << QStringLiteral("%1 \"Z\" transactions at 4800 baud (paced simulator), %2 failed\n").arg(n).arg(failed);
    out << QStringLiteral("characters on the wire: %1 (%2 per transaction)\n").arg(chars).arg(double(chars) / n, 0, 'f', 1);
    out << QStringLiteral("wall time:              %1 s\n").arg(wall, 0, 'f', 3);
    out << QStringLiteral("line-rate bound:        %1 s (chars / 480 + %2 x 50 ms guard)\n").arg(bound, 0, 'f', 3).arg(n);
    out << QStringLiteral("ratio wall / bound:     %1\n").arg(wall / bound, 0, 'f', 3);
    return failed == 0 ? 0 : 1;
}
