#include "cli/cmd_ops_host.h"

#include "link/port_detect_text.h"

#include <QDateTime>
#include <QTime>

namespace zx::cli {

void ConsoleOpsHost::remark(const QString &text)
{
    if (LogPadSink *pad = m_link.logPad())
        pad->logPadWrite(text, 0, 1, 1);
}

void ConsoleOpsHost::warnNotFound()
{
    remark(QStringLiteral("RV5 not found on port COM") + QString::number(m_link.MSComm1.commPort()));
    remark(QStringLiteral("Check connections or setup - see <Interface>/<Setup>."));
    remark(QStringLiteral("To find RV5 click on <Detect>, to check RV5 click on <Test>."));
}

void ConsoleOpsHost::warnPortMissing()
{
    remark(QStringLiteral("Selected communications Port COM") + QString::number(m_link.MSComm1.commPort())
           + QStringLiteral(" is not avaialble."));
    remark(QStringLiteral("Check your setup, go to <Interface>/<Setup> and select a valid Port."));
    remark(QStringLiteral("To find free port click on <Detect>."));
}

void ConsoleOpsHost::warnEditMode()
{
    if (m_link.bRxTo[1])
        return;
    remark(QStringLiteral("LogPad is in Edit mode - shots will not be recorde into the cFile."));
    remark(QStringLiteral("To record shots into the CFile - goto <Chrono> and click on <Start>."));
}

void ConsoleOpsHost::warnNotCalibrated()
{
    if (m_link.cro.bCroCalOk)
        return;
    remark(QStringLiteral("RV5 is not calibrated - therefore it can not record shots."));
    remark(QStringLiteral("Without a succesful calibration it will only operate in Data review mode."));
}

void ConsoleOpsHost::warnAborted()
{
    if (!m_link.croTxn.calAborted)
        return;
    m_link.croTxn.calAborted = false;
    remark(QStringLiteral("Operation Aborted by the user..!"));
}

void ConsoleOpsHost::warnOtherDevice(int mode)
{
    const QString name = deviceName(m_link.cro.iCroDevice);
    if (mode != 0) {
        remark(QStringLiteral("This function does not suport {") + name + QStringLiteral("}{}"));
        return;
    }
    remark(QStringLiteral("Setup was selected for {") + name + QStringLiteral("}"));
    remark(QStringLiteral("See <Interface>/<Setup>, <Custome Setup>, <Device>"));
    remark(QStringLiteral("For now, this program does not suport {") + name + QStringLiteral("}"));
    remark(QStringLiteral("It will stil record shots as a TTY Terminal in <Custom Setup> mode..!"));
    remark(QStringLiteral("To stop these messages, go to <View>/<iNotes> and click on <Option>,"));
    remark(QStringLiteral("then clear ''Chrono Warning'' and/or ''System Warnins On'' checkmarks."));
}

void ConsoleOpsHost::warnSetupChangedIf()
{
    if (m_link.cro.bCroSetupChg)
        remark(QStringLiteral("Setup has been changed - RV5 should be calibrated again."));
}

void ConsoleOpsHost::tagEvent(int event)
{
    static const char *words[] = {"", "Start-", "Stop-", "PowerOff-", "PowerOn-"};
    const QDateTime now = QDateTime::currentDateTime();
    const QTime t = now.time();
    const float secs = float(t.msecsSinceStartOfDay() / 1000.0);
    const QString word = (event >= 0 && event <= 4) ? QString::fromLatin1(words[event]) : QString();
    if (LogPadSink *pad = m_link.logPad())
        pad->logPadWrite(word + QStringLiteral("{Date=") + QLocale().toString(now.date(), QLocale::ShortFormat)
                             + QStringLiteral("  Time=") + QLocale().toString(t, QLocale::LongFormat)
                             + QStringLiteral("  t=") + QString::number(secs) + QStringLiteral(" sec}"),
                         1, 1, 10);
}

void ConsoleOpsHost::tagDevice()
{
    if (LogPadSink *pad = m_link.logPad())
        pad->logPadWrite(QStringLiteral("Device-{") + deviceName(m_link.cro.iCroDevice) + QStringLiteral("} Port-{COM")
                             + QString::number(m_link.MSComm1.commPort()) + QStringLiteral("}"),
                         0, 1, 10);
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
    s->host = std::make_unique<ConsoleOpsHost>(link, s->cli->prompter);
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

} // namespace zx::cli
