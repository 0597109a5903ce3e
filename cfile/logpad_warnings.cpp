#include "cfile/logpad_warnings.h"

#include "cfile/capture_link.h"
#include "link/logpad_sink.h"
#include "link/cro_state.h"

namespace zx {

QString croDeviceName(int device)
{
    static const char *const names[] = {" RV5 Vantor", " Shooting Valtry", " Unknow Chronograph", " LogPad Terminal"};
    return (device >= 0 && device <= 3) ? QString::fromLatin1(names[device]) : QString();
}

LogPadWarnings::LogPadWarnings(LogPadSink &pad, CroState &cro, CaptureLink &link) : m_pad(pad), m_cro(cro), m_link(link) {}

void LogPadWarnings::remark(const QString &text) { m_pad.logPadWrite(text, 0, 1, 1); }

void LogPadWarnings::warnNowEditMode()
{
    remark(QStringLiteral("LogPad is now in ''Edit mode'' - shots will not be recorded into CFile."));
}

void LogPadWarnings::warnEditMode()
{
    if (m_link.captureSwitch() || (m_chronoWarnings && !m_chronoWarnings()))
        return;
    remark(QStringLiteral("LogPad is in Edit mode - shots will not be recorde into the cFile."));
    remark(QStringLiteral("To record shots into the CFile - goto <Chrono> and click on <Start>."));
}

void LogPadWarnings::warnNotCalibrated()
{
    if (m_cro.bCroCalOk)
        return;
    remark(QStringLiteral("RV5 is not calibrated - therefore it can not record shots."));
    remark(QStringLiteral("Without a succesful calibration it will only operate in Data review mode."));
}

void LogPadWarnings::warnSensorsOff()
{
    remark(QStringLiteral("Sensors are turned off."));
    remark(QStringLiteral("Chronograph is now in Data/Stats review mode."));
}

void LogPadWarnings::warnNotFound()
{
    remark(QStringLiteral("RV5 not found on port COM") + QString::number(m_link.linkPort()));
    remark(QStringLiteral("Check connections or setup - see <Interface>/<Setup>."));
    remark(QStringLiteral("To find RV5 click on <Detect>, to check RV5 click on <Test>."));
}

void LogPadWarnings::warnPortMissing()
{
    remark(QStringLiteral("Selected communications Port COM") + QString::number(m_link.linkPort()) +
                     QStringLiteral(" is not avaialble."));
    remark(QStringLiteral("Check your setup, go to <Interface>/<Setup> and select a valid Port."));
    remark(QStringLiteral("To find free port click on <Detect>."));
}

void LogPadWarnings::warnOnlyRV5()
{
    m_pad.logPadWrite(QStringLiteral("This function only works for RV5 chronographs."), 1, 1, 1);
    remark(QStringLiteral("For other chronographs use this program as TTY Terminal..!"));
    remark(QStringLiteral("Support for other chronographs is in the works."));
}

void LogPadWarnings::warnLinkError()
{
    remark(QStringLiteral("Communications error - could not establish a link with RV5."));
    remark(QStringLiteral("Sensor's status is uknown, check setup or connections."));
}

void LogPadWarnings::warnSetupChanged()
{
    remark(QStringLiteral("Setup has been changed - RV5 should be calibrated again."));
}

void LogPadWarnings::warnSetupChangedIf()
{
    if (m_cro.bCroSetupChg)
        warnSetupChanged();
}

void LogPadWarnings::warnOtherDevice(int mode, const QString &functionName)
{
    const QString name = croDeviceName(m_cro.iCroDevice);
    if (mode != 0) {
        remark(QStringLiteral("This function does not suport {") + name + QStringLiteral("}{") + functionName +
                         QStringLiteral("}"));
        return;
    }
    remark(QStringLiteral("Setup was selected for {") + name + QStringLiteral("}"));
    remark(QStringLiteral("See <Interface>/<Setup>, <Custome Setup>, <Device>"));
    remark(QStringLiteral("For now, this program does not suport {") + name + QStringLiteral("}"));
    remark(QStringLiteral("It will stil record shots as a TTY Terminal in <Custom Setup> mode..!"));
    remark(QStringLiteral("To stop these messages, go to <View>/<iNotes> and click on <Option>,"));
    remark(QStringLiteral("then clear ''Chrono Warning'' and/or ''System Warnins On'' checkmarks."));
}

void LogPadWarnings::warnAborted()
{
    if (m_link.takeCalAborted())
        remark(QStringLiteral("Operation Aborted by the user..!"));
}

} // namespace zx
