#pragma once
// The download and memory operations on the console: the operations' session of
// cmd_ops_host with the remote panel's progress log printed as it grows.
#include "cli/cmd_ops_host.h"
#include "remote/remote_ops.h"
#include "remote/remote_ops_host.h"

namespace zx::cli {

class CliRemoteHost : public ChronoRemoteHost {
public:
    CliRemoteHost(OpsSession &s, bool toStderr)
        : ChronoRemoteHost(*s.host, s.progress, s.cli->prompter), m_stderr(toStderr)
    {
    }
    void progressLogLine(const QString &line) override { printText(line + QStringLiteral("\n"), m_stderr); }

private:
    bool m_stderr;
};

struct RemoteSession {
    RemoteSession(OpsSession &s, bool logToStderr) : host(s, logToStderr), ops(*s.cli->link, *s.ops, host) {}
    CliRemoteHost host;
    RemoteOps ops;
};

} // namespace zx::cli
