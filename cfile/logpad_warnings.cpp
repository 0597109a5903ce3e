#include "cfile/logpad_warnings.h"

#include "cfile/capture_link.h"
#include "cfile/logpad.h"
#include "link/cro_state.h"

namespace zx {

QString croDeviceName(int device)
{
    static const char *const names[] = {" RV5 Vantor", " Shooting Valtry", " Unknow Chronograph", " LogPad Terminal"};
    return (device >= 0 && device <= 3) ? QString::fromLatin1(names[device]) : QString();
}

LogPadWarnings::LogPadWarnings(LogPad &pad, CroState &cro, CaptureLink &link) : m_pad(pad), m_cro(cro), m_link(link) {}

void LogPadWarnings::warnNowEditMode()
{
    m_pad.warnRemark(QStringLiteral("LogPad is now in ''Edit mode'' - shots will not be recorded into CFile."));
}

void LogPadWarnings::warnEditMode()
{
    if (m_link.captureSwitch() || (m_chronoWarnings && !m_chronoWarnings()))
        return;
    m_pad.warnRemark(QStringLiteral("LogPad is in Edit mode - shots will not be recorde into the cFile."));
    m_pad.warnRemark(QStringLiteral("To record shots into the CFile - goto <Chrono> and click on <Start>."));
}

void LogPadWarnings::warnNotCalibrated()
{
    if (m_cro.bCroCalOk)
        return;
    m_pad.warnRemark(QStringLiteral("RV5 is not calibrated - therefore it can not record shots."));
    m_pad.warnRemark(QStringLiteral("Without a succesful calibration it will only operate in Data review mode."));
}

void LogPadWarnings::warnSensorsOff()
{
    m_pad.warnRemark(QStringLiteral("Sensors are turned off."));
    m_pad.warnRemark(QStringLiteral("Chronograph is now in Data/Stats review mode."));
}

void LogPadWarnings::warnNotFound()
{
    m_pad.warnRemark(QStringLiteral("RV5 not found on port COM") + QString::number(m_link.linkPort()));
    m_pad.warnRemark(QStringLiteral("Check connections or setup - see <Interface>/<Setup>."));
    m_pad.warnRemark(QStringLiteral("To find RV5 click on <Detect>, to check RV5 click on <Test>."));
}

void LogPadWarnings::warnPortMissing()
{
    m_pad.warnRemark(QStringLiteral("Selected communications Port COM") + QString::number(m_link.linkPort()) +
                     QStringLiteral(" is not avaialble."));
    m_pad.warnRemark(QStringLiteral("Check your setup, go to <Interface>/<Setup> and select a valid Port."));
    m_pad.warnRemark(QStringLiteral("To find free port click on <Detect>."));
}

void LogPadWarnings::warnOnlyRV5()
{
    m_pad.logPadWrite(QStringLiteral("This function only works for RV5 chronographs."), 1, 1, 1);
    m_pad.warnRemark(QStringLiteral("For other chronographs use this program as TTY Terminal..!"));
    m_pad.warnRemark(QStringLiteral("Support for other chronographs is in the works."));
}

void LogPadWarnings::warnLinkError()
{
    m_pad.warnRemark(QStringLiteral("Communications error - could not establish a link with RV5."));
    m_pad.warnRemark(QStringLiteral("Sensor's status is uknown, check setup or connections."));
}

void LogPadWarnings::warnSetupChanged()
{
    m_pad.warnRemark(QStringLiteral("Setup has been changed - RV5 should be calibrated again."));
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
        m_pad.warnRemark(QStringLiteral("This function does not suport {") + name + QStringLiteral("}{") + functionName +
                         QStringLiteral("}"));
        return;
    }
    m_pad.warnRemark(QStringLiteral("Setup was selected for {") + name + QStringLiteral("}"));
    m_pad.warnRemark(QStringLiteral("See <Interface>/<Setup>, <Custome Setup>, <Device>"));
    m_pad.warnRemark(QStringLiteral("For now, this program does not suport {") + name + QStringLiteral("}"));
    m_pad.warnRemark(QStringLiteral("It will stil record shots as a TTY Terminal in <Custom Setup> mode..!"));
    m_pad.warnRemark(QStringLiteral("To stop these messages, go to <View>/<iNotes> and click on <Option>,"));
    m_pad.warnRemark(QStringLiteral("then clear ''Chrono Warning'' and/or ''System Warnins On'' checkmarks."));
}

void LogPadWarnings::warnAborted()
{
    if (m_link.takeCalAborted())
        m_pad.warnRemark(QStringLiteral("Operation Aborted by the user..!"));
}

} // namespace zx
