// zentrix-cli term --port P [--log FILE] [--echo] [--timestamps]: an interactive terminal on
// the link port. Keys go out as typed (raw mode when stdin is a terminal), or the piped input
// as it comes; what the chronograph sends is printed and, with --log, written to the
// communication log as the terminal window writes it (a log that cannot be written is given
// up after a few tries and the session goes on without it). Ctrl+] ends; so does the end of piped
// input once the line has been quiet for a second.
#include "cli/cli_command.h"
#include "cli/cli_session.h"
#include "term/terminal.h"

#include <QEventLoop>
#include <QSocketNotifier>
#include <QTimer>

#include <cstdio>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr char kEndKey = 0x1d;   // Ctrl+]
constexpr int kLogRetries = 3;

// Raw keys while the command runs; the terminal's own settings back afterwards.
class RawStdin {
public:
    RawStdin()
    {
        if (!isatty(STDIN_FILENO) || tcgetattr(STDIN_FILENO, &m_saved) != 0)
            return;
        termios raw = m_saved;
        cfmakeraw(&raw);
        raw.c_oflag |= OPOST | ONLCR;   // printed line ends still start a new line
        m_on = tcsetattr(STDIN_FILENO, TCSANOW, &raw) == 0;
    }
    ~RawStdin()
    {
        if (m_on)
            tcsetattr(STDIN_FILENO, TCSANOW, &m_saved);
    }
    bool on() const { return m_on; }

private:
    termios m_saved{};
    bool m_on = false;
};

void writeOut(const QByteArray &bytes)
{
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
}

int runTerm(const QStringList &args)
{
    using namespace zx::cli;
    auto s = makeSession(args);
    if (!s)
        return 2;
    zx::LinkSession &link = *s->link;
    link.subOpenPort();
    if (!link.MSComm1.portOpen())
        return 1;
    zx::Terminal term(link, s->prompter, nullptr);
    term.log().setTimestamps(hasFlag(args, QStringLiteral("--timestamps")));
    // A log that cannot be written is given up after a few tries, said once; the session
    // goes on without it and ends with exit code 1.
    bool logLost = false;
    term.setUnattended(kLogRetries, [&logLost](const QString &reason) {
        logLost = true;
        printText(QStringLiteral("zentrix-cli term: the log cannot be written (%1); going on without it\n").arg(reason),
                  true);
    });
    const QString logFile = option(args, QStringLiteral("--log"));
    if (!logFile.isEmpty() && !term.openLog(logFile, false, 0) && !logLost) {
        link.subClosePort();
        return 2;
    }
    link.bRxTo[0] = true;
    const bool echo = hasFlag(args, QStringLiteral("--echo"));
    const RawStdin raw;
    if (raw.on())
        printText(QStringLiteral("Connected to ") + link.portLabel() + QStringLiteral(" - Ctrl+] ends.\r\n"), true);

    QEventLoop loop;
    QTimer quiet;   // after the end of piped input: the answer is in once the line is quiet
    quiet.setSingleShot(true);
    quiet.setInterval(1000);
    QObject::connect(&quiet, &QTimer::timeout, &loop, &QEventLoop::quit);
    bool inputEnded = false;

    link.hooks.terminalText = [&](const QString &shown) {
        QByteArray bytes = zx::SerialPort::textToBytes(shown);
        if (!raw.on())
            bytes.replace("\r\n", "\n");
        writeOut(bytes);
        if (inputEnded)
            quiet.start();
    };
    QSocketNotifier keys(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&keys, &QSocketNotifier::activated, &loop, [&] {
        char buf[4096];
        const ssize_t n = ::read(STDIN_FILENO, buf, sizeof buf);
        if (n <= 0) {
            keys.setEnabled(false);
            inputEnded = true;
            quiet.start();
            return;
        }
        QByteArray typed(buf, int(n));
        const qsizetype end = typed.indexOf(kEndKey);
        if (end >= 0)
            typed.truncate(end);
        if (!typed.isEmpty()) {
            term.typeKey(0, Qt::NoModifier, zx::SerialPort::bytesToText(typed));
            if (echo)
                writeOut(typed);
        }
        if (end >= 0)
            loop.quit();
    });
    // A lost port ends the session; the log keeps what came.
    QObject::connect(&link.MSComm1, &zx::SerialPort::onComm, &loop, [&](int event) {
        if (event == zx::SerialPort::EvDeviceLost)
            loop.quit();
    });
    loop.exec();

    link.hooks.terminalText = nullptr;
    const bool lost = !link.MSComm1.portOpen();
    term.closeLog();
    if (!lost)
        link.subClosePort();
    return lost || logLost ? 1 : 0;
}

zx::cli::Registrar reg({"term", "--port P [--log FILE] [--echo] [--timestamps]",
                        "interactive terminal on the port",
                        "Ctrl+] ends; piped input ends a second after the last answer.",
                        runTerm});

} // namespace
