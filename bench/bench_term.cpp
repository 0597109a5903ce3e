// The terminal window's cost: 20 MB of chronograph text in 1 KB chunks through the receive
// path into the terminal view (redrawn after every chunk, the worst case) and the
// communication log, with the per-chunk time of the first and the last megabyte (it must stay
// flat: the view appends and cuts its front, never rescans). Then a text file sent to the
// simulator at 4800 baud, against the time the line itself needs.
#include "bench_doubles.h"
#include "link/link_session.h"
#include "platform/port_map.h"
#include "sim/pty_transport.h"
#include "sim/rv5_simulator.h"
#include "term/terminal.h"
#include "term/ui/term_view.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

QTextStream out(stdout);

void feedView()
{
    zx::bench::SilentPrompter prompter;
    zx::LinkSession s(&prompter, nullptr, QStringLiteral("Zentrix0"), 0, nullptr);
    s.bRxTo[0] = true;
    zx::Terminal term(s, prompter, nullptr);
    zx::TermView view;
    view.resize(640, 400);
    view.show();
    QTemporaryDir dir;
    term.openLog(dir.filePath(QStringLiteral("comm.txt")), true, 0);

    QString chunk;
    for (int n = 0; chunk.size() < 1024; ++n)
        chunk += QStringLiteral("MMR:#%1 2875.42 f/s 0.000696 sec  72.5 fah\r\n").arg(n % 100, 2, 10, QLatin1Char('0'));
    chunk.truncate(1024);

    constexpr qint64 total = 20LL << 20, mb = 1 << 20;
    QElapsedTimer all, one;
    qint64 firstNs = 0, lastNs = 0, fed = 0;
    all.start();
    while (fed < total) {
        one.start();
        s.termRx(chunk);
        view.follow(s.txtTerm);
        const qint64 ns = one.nsecsElapsed();
        if (fed < mb)
            firstNs += ns;
        else if (fed >= total - mb)
            lastNs += ns;
        fed += chunk.size();
    }
    QCoreApplication::processEvents();
    const double secs = all.nsecsElapsed() / 1e9;
    const qint64 logSize = QFileInfo(dir.filePath(QStringLiteral("comm.txt"))).size();
    term.closeLog();
    const double chunksPerMb = double(mb) / chunk.size();
    out << "terminal view + communication log, 20 MB in 1 KB chunks (view redrawn per chunk)\n";
    out << QStringLiteral("  %1 MB/s overall; per chunk: first MB %2 us, last MB %3 us\n")
               .arg(20 / secs, 0, 'f', 1)
               .arg(firstNs / chunksPerMb / 1000, 0, 'f', 1)
               .arg(lastNs / chunksPerMb / 1000, 0, 'f', 1);
    out << QStringLiteral("  view holds %1 received characters, terminal text %2, log file %3 bytes\n")
               .arg(view.heldCharacters())
               .arg(s.txtTerm.size())
               .arg(logSize);
    out.flush();
}

void sendFile(qint64 size)
{
    zx::sim::Rv5Options o;
    o.shotIntervalMs = 0;
    o.paced = true;
    zx::sim::Rv5Simulator sim(o);
    zx::sim::PtyTransport pty(&sim);
    if (!pty.open()) {
        out << "no pseudo-terminal: " << pty.errorString() << "\n";
        return;
    }
    zx::PortMap::setOverride(1, pty.devicePath());
    zx::bench::SilentPrompter prompter;
    zx::LinkSession s(&prompter, nullptr, QStringLiteral("Zentrix0"), 0, nullptr);
    s.MSComm1.setCommPort(1);
    s.subOpenPort();
    zx::Terminal term(s, prompter, nullptr);
    QTemporaryDir dir;
    QFile f(dir.filePath(QStringLiteral("send.txt")));
    f.open(QIODevice::WriteOnly);
    QByteArray line = "Note 0000: velocity 2875.42 f/s, time 0.000696 sec, 72.5 fah\r\n";
    while (f.size() < size)
        f.write(line);
    f.resize(size);
    f.close();
    sim.clearReceived();
    QElapsedTimer t;
    t.start();
    const bool ok = term.sendTextFile(f.fileName());
    while (sim.received().size() < size && t.elapsed() < 600000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    const double secs = t.nsecsElapsed() / 1e9;
    const double bound = size * 10.0 / 4800;   // 10 bits a character
    out << QStringLiteral("text file of %1 KB sent at 4800,n,8,1 (%2): %3 s wall, line-rate bound %4 s, received %5 bytes\n")
               .arg(size / 1024)
               .arg(ok ? QStringLiteral("complete") : QStringLiteral("failed"))
               .arg(secs, 0, 'f', 2)
               .arg(bound, 0, 'f', 1)
               .arg(sim.received().size());
    out.flush();
    s.subClosePort();
    zx::PortMap::clearOverrides();
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    feedView();
    sendFile(20 * 1024);
    sendFile(1024 * 1024);
    return 0;
}
