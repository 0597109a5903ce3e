// LogPad append rate: 100,000 shot lines through the capture path (the same call the receive
// routine makes while the capture switch is on), with a tag and a remark every 1,000 lines.
// Prints lines per second for each block of 10,000, so a slow-down shows at the end.
#include "cfile/cfile_manager.h"
#include "bench/bench_doubles.h"
#include "cfile/logpad.h"
#include "platform/prompter.h"
#include "platform/settings_store.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

using zx::bench::NoChooser;
using zx::bench::SilentPrompter;

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir settingsDir;
    qputenv("XDG_CONFIG_HOME", settingsDir.path().toLocal8Bit());

    SilentPrompter prompter;
    NoChooser chooser;
    zx::SettingsStore store;
    zx::CFileManager files(prompter, chooser, store, QStringLiteral("ZentrixBench"));
    zx::LogPad pad(files);
    files.createNewCFile();

    constexpr int kLines = 100000;
    constexpr int kBlock = 10000;
    QElapsedTimer total, block;
    total.start();
    block.start();
    std::printf("LogPad capture append, %d shot lines\n", kLines);
    for (int i = 1; i <= kLines; ++i) {
        // A shot line as the chronograph prints it, split like a serial read may split it.
        const QString line = QStringLiteral("CAP:#%1 %2 f/s 0.000696 sec  72.5 fah")
                                 .arg(i % 100, 2, 10, QLatin1Char('0'))
                                 .arg(2800.0 + (i % 97) * 0.37, 7, 'f', 2);
        pad.captureText(line.left(20));
        pad.captureText(line.mid(20) + QStringLiteral("\r"));
        pad.captureText(QStringLiteral("\n"));
        if (i % 1000 == 0)
            pad.logPadWrite(QStringLiteral("String done"), 0, 1, 1);
        if (i % kBlock == 0) {
            const double secs = block.nsecsElapsed() / 1e9;
            std::printf("  lines %6d-%6d: %9.0f lines/s\n", i - kBlock + 1, i, kBlock / secs);
            block.restart();
        }
    }
    const double secs = total.nsecsElapsed() / 1e9;
    std::printf("total: %.2f s, %.0f lines/s, document %d blocks\n", secs, kLines / secs,
                files.active()->document()->blockCount());
    return 0;
}
