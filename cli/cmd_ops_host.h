#pragma once
// The console side of the chronograph operations for zentrix-cli: the LogPad is
// standard output (always "open"), the warnings and tags are the program's own
// LogPad writers aimed at it, questions go to the console prompter.
#include "cfile/chrono_stack.h"
#include "cfile/link_capture_adapter.h"
#include "cfile/logpad_warnings.h"
#include "cli/cli_session.h"
#include "link/chrono_ops.h"
#include "link/progress_sink.h"

#include <memory>

namespace zx::cli {

class ConsoleOpsHost : public WarningOpsHost {
public:
    ConsoleOpsHost(LinkSession &link, LogPadSink &pad, Prompter &prompter, LogPadWarnings &warn)
        : WarningOpsHost(warn), m_link(link), m_pad(pad), m_prompter(prompter)
    {
    }

    int needCFileToRecord() override { return 0; }
    void tagEvent(int event) override;
    void tagDevice() override;
    void refreshStatus() override {}
    void panelMessage(const QString &text) override;
    bool confirmWarning(const QString &) override { return true; }
    void noteDisabled() override;

private:
    LinkSession &m_link;
    LogPadSink &m_pad;
    Prompter &m_prompter;
};

// A session with the operations on it; the link port opened. nullptr after
// printing the reason when the port option is missing or the port cannot open.
struct OpsSession {
    std::unique_ptr<CliSession> cli;
    std::unique_ptr<LinkCaptureAdapter> capLink;
    std::unique_ptr<LogPadWarnings> warn;
    std::unique_ptr<ConsoleOpsHost> host;
    NullProgressSink progress;
    std::unique_ptr<ChronoOps> ops;
};
std::unique_ptr<OpsSession> makeOpsSession(const QStringList &args, bool openPort = true);
// Closes the link port (draining output) at the end of a command.
void endOpsSession(OpsSession &s);
// Wakes the chronograph (croConnect). When it does not answer: prints "RV5 not found on port
// COMn", ends the session and returns false.
bool connectOrEnd(OpsSession &s);

} // namespace zx::cli
