// Download figures.
// 1. A full eDisk (10 folders; default 5 strings of 20 shots, --layout SSNN to change) from the
//    RV5 simulator paced at 4800 baud on a pseudo-terminal, into a CFile, through the same
//    download the menu runs: wall time against the line-rate bound (characters on the wire /
//    480 per second). --scope 1|2|3 picks string, folder or eDisk; --shots N fills only the
//    first N shots instead of every string.
// 2. 10,000 memory lines through the receive path into a CFile (the capture switch on), in
//    serial-read sized chunks: lines per second in the first and in the last thousand.
#include "cfile/cfile_manager.h"
#include "bench/bench_doubles.h"
#include "cfile/logpad.h"
#include "link/chrono_ops.h"
#include "link/chrono_ops_host.h"
#include "link/link_session.h"
#include "link/progress_sink.h"
#include "platform/port_map.h"
#include "platform/prompter.h"
#include "platform/settings_store.h"
#include "remote/remote_ops.h"
#include "remote/remote_ops_host.h"
#include "sim/pty_transport.h"
#include "sim/rv5_simulator.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextDocument>
#include <cstdio>

namespace {

using zx::bench::NoChooser;
using zx::bench::SilentPrompter;

class QuietHost : public zx::ChronoOpsHost {
public:
    int needCFileToRecord() override { return 0; }
    void warnNotFound() override {}
    void warnPortMissing() override {}
    void warnEditMode() override {}
    void warnNotCalibrated() override {}
    void warnAborted() override {}
    void warnOtherDevice(int) override {}
    void warnSetupChangedIf() override {}
    void tagEvent(int) override {}
    void tagDevice() override {}
    void refreshStatus() override {}
    bool confirmWarning(const QString &) override { return true; }
    void noteDisabled() override {}
};

QString arg(const QStringList &args, const QString &name, const QString &fallback)
{
    const qsizetype i = args.indexOf(name);
    return i >= 0 && i + 1 < args.size() ? args.at(i + 1) : fallback;
}

int downloadFigures(zx::CFileManager &files, zx::LogPad &pad, int layout, int scope, int shots)
{
    zx::sim::Rv5Options opt;
    opt.shotIntervalMs = 0;
    opt.paced = true;
    opt.layout = layout;
    opt.fillEDisk = shots < 0;
    opt.prefillShots = shots;
    zx::sim::Rv5Simulator sim(opt);
    zx::sim::PtyTransport pty(&sim);
    if (!pty.open()) {
        std::printf("cannot open a pseudo-terminal: %s\n", qPrintable(pty.errorString()));
        return 1;
    }
    zx::PortMap::setOverride(1, pty.devicePath());
    SilentPrompter prompter;
    zx::LinkSession link(&prompter, nullptr, QStringLiteral("Zentrix0"), 0, &pad);
    link.MSComm1.setCommPort(1);
    link.subOpenPort();
    QuietHost host;
    zx::NullProgressSink progress;
    zx::ChronoOps ops(link, host, progress, prompter);
    zx::ChronoRemoteHost rhost(host, progress, prompter);
    zx::RemoteOps remote(link, ops, rhost);

    const qint64 sentBefore = sim.bytesSent();
    const qint64 rxBefore = sim.received().size();
    QElapsedTimer t;
    t.start();
    const int code = remote.croDownload(1, scope);
    const double wall = t.nsecsElapsed() / 1e9;
    const qint64 chars = (sim.bytesSent() - sentBefore) + (sim.received().size() - rxBefore);
    const double bound = chars / 480.0;
    const QString text = files.active()->document()->toPlainText();
    std::printf("Download of %s, layout %d, 10 folders, paced 4800 baud: result %d (%s), %lld shot lines\n",
                qPrintable(zx::RemoteOps::scopeName(scope)), layout, code,
                code == 0 ? "Download Successful..!" : "Download Failed", qlonglong(text.count(QRegularExpression(QStringLiteral("MMR:\\d\\d \\d")))));
    std::printf("  characters on the wire: %lld\n", qlonglong(chars));
    std::printf("  wall time:              %.3f s\n", wall);
    std::printf("  line-rate bound:        %.3f s (chars / 480)\n", bound);
    std::printf("  ratio wall / bound:     %.3f\n", wall / bound);
    link.extTerminal();
    zx::PortMap::clearOverrides();
    return code == 0 ? 0 : 1;
}

void receiveFigures(zx::LogPad &pad)
{
    SilentPrompter prompter;
    zx::LinkSession link(&prompter, nullptr, QStringLiteral("Zentrix0"), 0, &pad);
    link.bRxTo[1] = true;
    constexpr int kLines = 10000, kBlock = 1000, kChunk = 64;
    QString pending;
    QElapsedTimer block;
    double first = 0, last = 0;
    block.start();
    for (int i = 1; i <= kLines; ++i) {
        const int n = (i - 1) % 20 + 1;
        pending += QStringLiteral("\r\nMMR:%1 %2 0.000688 72.3")
                       .arg(n, 2, 10, QLatin1Char('0'))
                       .arg(2800.0 + (i % 97) * 0.37, 0, 'f', 2);
        while (pending.size() >= kChunk) {   // what one serial read hands over
            link.termRx(pending.left(kChunk));
            pending.remove(0, kChunk);
        }
        if (i % kBlock == 0) {
            const double rate = kBlock / (block.nsecsElapsed() / 1e9);
            if (i == kBlock)
                first = rate;
            last = rate;
            block.restart();
        }
    }
    link.termRx(pending);
    std::printf("10,000 memory lines through the receive path into a CFile (%d-character reads)\n", kChunk);
    std::printf("  first thousand: %.0f lines/s\n", first);
    std::printf("  last thousand:  %.0f lines/s\n", last);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir settingsDir;
    qputenv("XDG_CONFIG_HOME", settingsDir.path().toLocal8Bit());
    const QStringList args = app.arguments();
    const int layout = arg(args, QStringLiteral("--layout"), QStringLiteral("520")).toInt();
    const int scope = arg(args, QStringLiteral("--scope"), QStringLiteral("3")).toInt();
    const int shots = arg(args, QStringLiteral("--shots"), QStringLiteral("-1")).toInt();

    SilentPrompter prompter;
    NoChooser chooser;
    zx::SettingsStore store;
    zx::CFileManager files(prompter, chooser, store, QStringLiteral("ZentrixBench"));
    zx::LogPad pad(files);
    files.createNewCFile();
    receiveFigures(pad);
    files.createNewCFile();
    return args.contains(QStringLiteral("--no-line")) ? 0 : downloadFigures(files, pad, layout, scope, shots);
}
