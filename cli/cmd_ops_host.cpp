#include "cli/cmd_ops_host.h"

#include "cfile/logpad.h"
#include "link/port_detect_text.h"

#include <QDateTime>

namespace zx::cli {

void ConsoleOpsHost::tagEvent(int event)
{
    m_pad.logPadWrite(LogPad::eventTagText(event, QDateTime::currentDateTime()), 1, 1, 10);
}

void ConsoleOpsHost::tagDevice()
{
    m_pad.logPadWrite(LogPad::deviceTagText(deviceName(m_link.cro.iCroDevice), m_link.MSComm1.commPort()), 0, 1, 10);
}

void ConsoleOpsHost::panelMessage(const QString &text)
{
    printText(text + QStringLiteral("\n"), true);
}

void ConsoleOpsHost::noteDisabled()
{
    m_prompter.inform(QStringLiteral("[0:0] - This function is temporarily disabled..."));
}

std::unique_ptr<OpsSession> makeOpsSession(const QStringList &args, bool openPort)
{
    auto s = std::make_unique<OpsSession>();
    s->cli = makeSession(args);
    if (!s->cli)
        return nullptr;
    LinkSession &link = *s->cli->link;
    s->capLink = std::make_unique<LinkCaptureAdapter>(link);
    s->warn = std::make_unique<LogPadWarnings>(s->cli->logPad, link.cro, *s->capLink);
    s->host = std::make_unique<ConsoleOpsHost>(link, s->cli->logPad, s->cli->prompter, *s->warn);
    s->ops = std::make_unique<ChronoOps>(link, *s->host, s->progress, s->cli->prompter);
    if (openPort) {
        link.subOpenPort();  // a missing or busy port is reported here, in the program's words
        if (!link.MSComm1.portOpen())
            return nullptr;
    }
    return s;
}

void endOpsSession(OpsSession &s)
{
    s.cli->link->extTerminal();
}

bool connectOrEnd(OpsSession &s)
{
    if (s.cli->link->croConnect())
        return true;
    printText(QStringLiteral("RV5 not found on port ") + s.cli->link->portLabel() + u'\n', true);
    endOpsSession(s);
    return false;
}

} // namespace zx::cli
