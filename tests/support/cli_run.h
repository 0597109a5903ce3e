#pragma once
// Runs zentrix-cli as its own process, as a script would, while this process pumps events (the
// simulator on the other end of the line lives here).
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

namespace zx::test {

struct CliRun {
    int code = -1;   // -1: it did not end in time (killed) or did not start
    QString out, err;
    qint64 ms = 0;   // how long it ran
};

// args follow the program name; input is written to its stdin, which is then closed. child
// runs in the child before the program starts (limits for fault tests).
CliRun runCli(const QStringList &args, const QByteArray &input = {}, int timeoutMs = 60000,
              const std::function<void()> &child = {});

// The folder of the built zentrix-cli is known (ZX_BINARY_DIR).
bool cliAvailable();

} // namespace zx::test
