#include "cfile/chrono_stack.h"

#include "link/link_session.h"
#include "link/port_detect_text.h"

namespace zx {

int LogPadOpsHost::needCFileToRecord() { return m_capture.capture.needCFileToRecord(); }
void WarningOpsHost::warnNotFound() { m_warn.warnNotFound(); }
void WarningOpsHost::warnPortMissing() { m_warn.warnPortMissing(); }
void WarningOpsHost::warnEditMode() { m_warn.warnEditMode(); }
void WarningOpsHost::warnNotCalibrated() { m_warn.warnNotCalibrated(); }
void WarningOpsHost::warnAborted() { m_warn.warnAborted(); }
void WarningOpsHost::warnOtherDevice(int mode) { m_warn.warnOtherDevice(mode); }
void WarningOpsHost::warnSetupChangedIf() { m_warn.warnSetupChangedIf(); }

void LogPadOpsHost::tagEvent(int event)
{
    m_capture.pad.tagEvent(event);
}

void LogPadOpsHost::tagDevice()
{
    m_capture.pad.tagDevice(deviceName(m_session.cro.iCroDevice), m_session.MSComm1.commPort());
}

void LogPadOpsHost::refreshStatus()
{
    if (hooks.refresh)
        hooks.refresh();
    else if (m_session.hooks.refreshMain)
        m_session.hooks.refreshMain();
}

void LogPadOpsHost::panelMessage(const QString &text)
{
    if (hooks.panelMessage)
        hooks.panelMessage(text);
}

bool LogPadOpsHost::confirmWarning(const QString &question)
{
    return !hooks.confirmWarning || hooks.confirmWarning(question);
}

void LogPadOpsHost::noteDisabled()
{
    if (hooks.noteDisabled)
        hooks.noteDisabled();
}

bool LogPadOpsHost::softDebug() const { return hooks.softDebug && hooks.softDebug(); }

void LogPadOpsHost::openSensorsDialog()
{
    if (hooks.openSensorsDialog)
        hooks.openSensorsDialog();
}

void LogPadOpsHost::openSetupPanel()
{
    if (hooks.openSetupPanel)
        hooks.openSetupPanel();
}

void LogPadOpsHost::openControlDialog()
{
    if (hooks.openControlDialog)
        hooks.openControlDialog();
}

ForwardedChronoOperations::ForwardedChronoOperations(CaptureStack &capture, LinkSession &session, ChronoOps &ops)
    : ChronoOperations(capture.link, capture.pad, capture.warn, session.cro), m_ops(ops)
{
}

void ForwardedChronoOperations::getStatus() { m_ops.getStatus(); }
void ForwardedChronoOperations::fetchStatus(int mode) { m_ops.fetchStatus(mode); }
void ForwardedChronoOperations::ensureStatus(bool withProgress) { m_ops.ensureStatus(withProgress); }
void ForwardedChronoOperations::calibrate(bool quiet) { m_ops.calibrate(quiet); }
bool ForwardedChronoOperations::setSensors(bool turnOn) { return m_ops.setSensors(turnOn); }

ChronoStack::ChronoStack(CaptureStack &capture, LinkSession &session, Prompter &prompter, ProgressSink &progress)
    : host(capture, session),
      task(prompter, [&session] { return deviceName(session.cro.iCroDevice); },
           [&session] { session.croTxn.connAbort = true; }),
      ops(session, host, progress, prompter), forwarded(capture, session, ops)
{
    ops.setTask(&task);
    forwarded.setProgress(&progress);
    capture.capture.setOperations(forwarded);
}

} // namespace zx
