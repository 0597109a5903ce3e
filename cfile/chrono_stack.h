#pragma once
// The chronograph operations bound to shot capture: the operations write their
// remarks, warnings and tags into the LogPad, check for a CFile as Start does,
// run inside one task guard, and Start's calibration offer and forced sensors-on
// go through them. The desktop program and zentrix-cli build one each over a
// CaptureStack; what needs windows (questions, refresh, panels) comes as hooks.
#include "cfile/capture_stack.h"
#include "link/chrono_ops.h"
#include "link/chrono_ops_host.h"
#include "link/cro_task.h"

#include <functional>

namespace zx {

class ProgressSink;

// The operations' warnings, written by the LogPad's warning writers.
class WarningOpsHost : public ChronoOpsHost {
public:
    explicit WarningOpsHost(LogPadWarnings &warn) : m_warn(warn) {}
    void warnNotFound() override;
    void warnPortMissing() override;
    void warnEditMode() override;
    void warnNotCalibrated() override;
    void warnAborted() override;
    void warnOtherDevice(int mode) override;
    void warnSetupChangedIf() override;

protected:
    LogPadWarnings &m_warn;
};

class LogPadOpsHost : public WarningOpsHost {
public:
    LogPadOpsHost(CaptureStack &capture, LinkSession &session)
        : WarningOpsHost(capture.warn), m_capture(capture), m_session(session)
    {
    }

    struct Hooks {
        std::function<void()> refresh;
        std::function<void(const QString &)> panelMessage;
        std::function<bool(const QString &)> confirmWarning;   // none: go ahead
        std::function<void()> noteDisabled;
        std::function<bool()> softDebug;
        std::function<void()> openSensorsDialog, openSetupPanel, openControlDialog;
    } hooks;

    int needCFileToRecord() override;
    void tagEvent(int event) override;
    void tagDevice() override;
    void refreshStatus() override;
    void panelMessage(const QString &text) override;
    bool confirmWarning(const QString &question) override;
    void noteDisabled() override;
    bool softDebug() const override;
    void openSensorsDialog() override;
    void openSetupPanel() override;
    void openControlDialog() override;

private:
    CaptureStack &m_capture;
    LinkSession &m_session;
};

// Start's calls for status, calibration and sensors, carried out by ChronoOps.
class ForwardedChronoOperations : public ChronoOperations {
public:
    ForwardedChronoOperations(CaptureStack &capture, LinkSession &session, ChronoOps &ops);
    void getStatus() override;
    void fetchStatus(int mode) override;
    void ensureStatus(bool withProgress) override;
    void calibrate(bool quiet) override;
    bool setSensors(bool turnOn) override;

private:
    ChronoOps &m_ops;
};

class ChronoStack {
public:
    ChronoStack(CaptureStack &capture, LinkSession &session, Prompter &prompter, ProgressSink &progress);

    LogPadOpsHost host;
    CroTask task;
    ChronoOps ops;
    ForwardedChronoOperations forwarded;
};

} // namespace zx
