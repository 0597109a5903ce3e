#include "cli/cli_session.h"

#include "cli/cli_command.h"
#include "platform/one_shot_timer.h"
#include "platform/port_map.h"

#include <QTextStream>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace zx::cli {
namespace {

// The first reason stdout refused text (a full disk, a closed pipe): a command whose product
// did not arrive must not end as a success.
QString &stdoutFailure()
{
    static QString reason;
    return reason;
}

void noteStdoutFailure(int err)
{
    if (stdoutFailure().isEmpty())
        stdoutFailure() = err ? QString::fromLocal8Bit(std::strerror(err)) : QStringLiteral("write error");
}

QString localLines(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

} // namespace

void printText(const QString &text, bool toStderr)
{
    QTextStream out(toStderr ? stderr : stdout);
    out << localLines(text);
    out.flush();
    if (!toStderr && out.status() != QTextStream::Ok)
        noteStdoutFailure(errno);
}

QString stdoutError()
{
    if (std::fflush(stdout) != 0)
        noteStdoutFailure(errno);
    if (std::ferror(stdout))
        noteStdoutFailure(0);
    return stdoutFailure();
}

MsgAnswer ConsolePrompter::show(const MsgRequest &request)
{
    const QList<MsgAnswer> answers = buttonAnswers(request.buttons);
    MsgAnswer a = defaultAnswer(request);
    if (m_yes) {
        for (MsgAnswer want : {MsgAnswer::Yes, MsgAnswer::Ok, MsgAnswer::Retry, MsgAnswer::Ignore})
            if (answers.contains(want)) {
                a = want;
                break;
            }
    }
    QString title = request.title.isEmpty() ? QStringLiteral("Zentrix") : request.title;
    printText(QStringLiteral("[") + title + QStringLiteral("] ") + request.text + QStringLiteral("\n"), true);
    if (request.buttons != MsgButtons::Ok)
        printText(QStringLiteral("  -> ") + answerName(a) + QStringLiteral("\n"), true);
    return a;
}

void ConsoleLogPad::logPadWrite(const QString &text, int nBefore, int nAfter, int kind)
{
    const QString crlf = QStringLiteral("\r\n");
    QString line;
    switch (kind) {
    case 0: line = text; break;
    case 1: line = QStringLiteral("REM: ") + text; break;
    case 2:
        line = QStringLiteral("REM:") + QString::number(shotTotal).rightJustified(5, QLatin1Char('0'))
               + QLatin1Char(' ') + text;
        break;
    case 10: line = QStringLiteral("TAG: ") + text; break;
    case 11: line = QStringLiteral("TAG: ") + text; break;
    case 20: printText(text); return;
    default: return;
    }
    printText(crlf.repeated(nBefore) + line + crlf.repeated(nAfter));
}

void ConsoleLogPad::captureText(const QString &chunk) { printText(chunk); }

CliSession::CliSession(bool yes) : prompter(yes) {}

std::unique_ptr<CliSession> makeSession(const QStringList &args)
{
    const QString port = option(args, QStringLiteral("--port"));
    if (port.isEmpty()) {
        printText(QStringLiteral("zentrix-cli: --port P is required (a COM number or a device path)\n"), true);
        return nullptr;
    }
    const QString scale = option(args, QStringLiteral("--scale"));
    if (!scale.isEmpty())
        OneShotTimer::setScale(scale.toDouble());
    auto s = std::make_unique<CliSession>(hasFlag(args, QStringLiteral("--yes")));
    QString num = port;
    if (num.startsWith(QLatin1String("COM"), Qt::CaseInsensitive))
        num = num.mid(3);
    bool isNumber = false;
    const int n = num.toInt(&isNumber);
    if (isNumber && n >= 1 && n <= 255) {
        s->comNumber = n;
    } else {
        s->comNumber = 1;
        PortMap::setOverride(1, port);
    }
    // No settings store: a scripted run leaves the user's instances and their port records alone.
    s->link = std::make_unique<LinkSession>(&s->prompter, nullptr, QStringLiteral("Zentrix0"), 0, &s->logPad);
    s->link->MSComm1.setCommPort(s->comNumber);
    if (!isNumber)
        s->link->setPortLabel(port);
    s->link->MSComm1.setSettings(QString::fromLatin1(LinkSession::kDefaultSettings));
    return s;
}

} // namespace zx::cli
