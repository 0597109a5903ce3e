#pragma once
// Shared plumbing of the zentrix-cli commands that talk to a chronograph: a console prompter
// (boxes printed on stderr, answered from --yes or with the preselected button), a console
// LogPad (remark lines printed on stdout) and a link session on the port given by --port.
#include "link/link_session.h"
#include "link/logpad_sink.h"
#include "platform/prompter.h"

#include <QStringList>

#include <memory>

namespace zx::cli {

class ConsolePrompter : public Prompter {
public:
    explicit ConsolePrompter(bool yes) : m_yes(yes) {}
    MsgAnswer show(const MsgRequest &request) override;

private:
    bool m_yes;
};

// Prints what the LogPad would show; captured chronograph text is printed as it comes.
class ConsoleLogPad : public LogPadSink {
public:
    void logPadWrite(const QString &text, int nBefore, int nAfter, int kind) override;
    void captureText(const QString &chunk) override;
    bool hasActiveCFile() const override { return true; }
    qint16 shotTotal = 0;
};

// Prints text with CR LF (or lone CR) line ends as local lines.
void printText(const QString &text, bool toStderr = false);
// Empty when everything printed to stdout arrived; else the system's reason it did not.
QString stdoutError();

struct CliSession {
    explicit CliSession(bool yes);
    ConsolePrompter prompter;
    ConsoleLogPad logPad;
    std::unique_ptr<LinkSession> link;
    int comNumber = 1;
};

// "--port P": a COM number ("3", "COM3") or a device path (bound to COM1 for this run).
// --scale F scales every timer (for scripted runs). Returns nullptr after printing the reason
// when the option is missing or malformed. The port is not opened.
std::unique_ptr<CliSession> makeSession(const QStringList &args);

} // namespace zx::cli
