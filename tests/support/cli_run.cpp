#include "support/cli_run.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QSignalSpy>

namespace zx::test {

bool cliAvailable() { return !qEnvironmentVariable("ZX_BINARY_DIR").isEmpty(); }

CliRun runCli(const QStringList &args, const QByteArray &input, int timeoutMs, const std::function<void()> &child)
{
    QProcess p;
    p.setProgram(qEnvironmentVariable("ZX_BINARY_DIR") + QStringLiteral("/cli/zentrix-cli"));
    p.setArguments(args);
    if (child)
        p.setChildProcessModifier(child);
    QSignalSpy done(&p, &QProcess::finished);
    QElapsedTimer clock;
    clock.start();
    p.start();
    if (!p.waitForStarted(5000))
        return {};
    if (!input.isEmpty())
        p.write(input);
    p.closeWriteChannel();
    CliRun r;
    if (!done.wait(timeoutMs)) {
        p.kill();
        p.waitForFinished(5000);
    } else {
        r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    }
    r.ms = clock.elapsed();
    r.out = QString::fromLocal8Bit(p.readAllStandardOutput());
    r.err = QString::fromLocal8Bit(p.readAllStandardError());
    return r;
}

} // namespace zx::test
