#pragma once
// The warning remarks the chronograph operations write into the LogPad.
#include <QString>
#include <functional>

namespace zx {

class CaptureLink;
class LogPadSink;
struct CroState;

class LogPadWarnings {
public:
    // Any LogPad: the CFile's own, or the console's in zentrix-cli.
    LogPadWarnings(LogPadSink &pad, CroState &cro, CaptureLink &link);
    // The chronograph-warnings option of the notes window (ShowWarnRV).
    void setChronoWarnings(std::function<bool()> f) { m_chronoWarnings = std::move(f); }

    void warnEditMode();
    void warnNowEditMode();
    void warnNotCalibrated();
    void warnSensorsOff();
    void warnNotFound();
    void warnPortMissing();
    void warnOnlyRV5();
    void warnLinkError();
    void warnSetupChanged();
    void warnSetupChangedIf();
    void warnOtherDevice(int mode, const QString &functionName = {});
    void warnAborted();

private:
    void remark(const QString &text);

    LogPadSink &m_pad;
    CroState &m_cro;
    CaptureLink &m_link;
    std::function<bool()> m_chronoWarnings;
};

} // namespace zx
