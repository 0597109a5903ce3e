#include "link/chrono_ops.h"
#include "platform/crlf.h"

#include "link/chrono_ops_host.h"
#include "link/cro_task.h"
#include "link/link_session.h"
#include "link/logpad_sink.h"
#include "link/port_detect_text.h"
#include "link/progress_sink.h"
#include "link/status_parser.h"
#include "link/status_report.h"
#include "platform/prompter.h"

#include <QElapsedTimer>

namespace zx {

namespace {
const QString kGetStatus = QStringLiteral("Get RV5 Status");
const QString kCalibrating = QStringLiteral("Please Wait - Calibrating...");
} // namespace

ChronoOps::ChronoOps(LinkSession &link, ChronoOpsHost &host, ProgressSink &progress, Prompter &prompter)
    : m_link(link), m_host(host), m_progress(progress), m_prompter(prompter)
{
}

CroState &ChronoOps::cro() { return m_link.cro; }

QString ChronoOps::deviceName() const { return zx::deviceName(m_link.cro.iCroDevice); }

bool ChronoOps::captureSwitch() const { return m_link.bRxTo[1]; }

void ChronoOps::setCaptureSwitch(bool on) { m_link.bRxTo[1] = on; }

bool ChronoOps::guarded(const std::function<void()> &op)
{
    if (m_task) {
        CroTaskScope scope(*m_task);
        if (scope.refused())
            return false;
        op();
    } else {
        op();
    }
    m_host.refreshStatus();
    return true;
}

bool ChronoOps::transact(bool isKey, const QString &request, int expect, int shortMs)
{
    m_link.croTransact(isKey, request, expect, shortMs);
    return !m_link.croTxn.failed;
}

void ChronoOps::logPad(const QString &text, int nBefore, int nAfter, int kind)
{
    if (LogPadSink *pad = m_link.logPad())
        pad->logPadWrite(text, nBefore, nAfter, kind);
}

void ChronoOps::warnRemark(const QString &text) { logPad(text, 0, 1, 1); }

void ChronoOps::message(int target, const QString &text, int nBefore)
{
    if (target == 2)
        logPad(text, nBefore, 1, 1);
    else if (target == 4)
        m_host.panelMessage(text);
}

// ---------------------------------------------------------------- link check

int ChronoOps::linkCheck(int mode)
{
    int code = 0;
    CroState &st = cro();
    if (m_host.needCFileToRecord() != 0) {
        code = 1;
    } else if (st.iCroDevice == 0) {
        if (m_link.croConnect()) {
            m_host.refreshStatus();
            return 0;
        }
        m_host.warnNotFound();
        code = 3;
    } else {
        st.bCroStatusOk = false;
        m_host.warnOtherDevice(mode);
        if (!m_link.croReopenPort()) {
            m_host.warnPortMissing();
            code = 11;
        } else {
            code = 10;
        }
    }
    st.bCroStatusOk = false;
    m_host.refreshStatus();
    return code;
}

// ---------------------------------------------------------------- status

void ChronoOps::getStatus()
{
    CroState &st = cro();
    st.bCroStatusOk = false;
    if (!transact(true, QStringLiteral("["), 0))
        return;
    if (m_link.croTxn.menu > 0 && !transact(false, QStringLiteral("D"), 1))
        return;
    if (!transact(false, QStringLiteral("Q"), 1)) {
        transact(true, QStringLiteral("["), 0);
        transact(false, QStringLiteral("D"), 1);
        if (!transact(false, QStringLiteral("Q"), 1)) {
            warnRemark(QStringLiteral("Failed to retrieve Chronograph Status."));
            m_host.warnNotFound();
            return;
        }
    }
    parseStatus(st, m_link.sCroRsp);
}

void ChronoOps::fetchStatus(int mode)
{
    m_progress.progressOpen(kGetStatus, 12, mode >= 1);
    getStatus();
    if (mode == 1)
        m_progress.progressClose();
}

void ChronoOps::ensureStatus(bool withProgress)
{
    for (int i = 0; i < 2 && !cro().bCroStatusOk; ++i) {
        if (withProgress)
            fetchStatus(1);
        else
            getStatus();
    }
}

// ---------------------------------------------------------------- link test

void ChronoOps::croTest(int echoTarget, int msgTarget)
{
    if (m_host.needCFileToRecord() != 0)
        return;
    const QString port = QString::number(m_link.MSComm1.commPort());
    const bool toCFile = echoTarget == 2;
    const bool toPanel = echoTarget == 4;
    if (toCFile)
        m_link.bCom2ToCFile = true;
    if (toPanel)
        m_link.bRemPrgrsView = true;
    m_link.getPrtState();
    const int err = m_link.com2Open(m_link.MSComm1.commPort());
    const QString checkSetup = QStringLiteral("Check yor connections or setup.");
    const QString forSetup = QStringLiteral("For setup go to <Interface/Setup> or click on Tools");
    if (err != 0) {
        message(msgTarget, QStringLiteral("Communications Port ") + m_link.portLabel() + QStringLiteral(" is not available"), 1);
        message(msgTarget, QStringLiteral("Test aborted for Chrono") + port);
        message(msgTarget, checkSetup);
        message(msgTarget, forSetup);
    } else {
        message(msgTarget, QStringLiteral("Begin Test on Chrono-") + port + QStringLiteral(" at COM") + port, 1);
        message(msgTarget, QStringLiteral("Start data collection..."));
        const int r = m_link.croProbe();
        if (r != 0) {
            message(msgTarget, QStringLiteral("Uknown Chronograph or Bad Connection...!"));
            message(msgTarget, checkSetup);
            message(msgTarget, forSetup);
        } else {
            message(msgTarget, QStringLiteral("End of data collection"), 1);
            const QString report = statusReport(cro(), m_link.MSComm1.commPort(), 1, msgTarget);
            if (msgTarget == 2) {
                logPad(QString(), 0, 1, 0);
                logPad(report, 0, 1, 0);
            } else if (msgTarget == 4) {
                m_host.panelMessage(QString());
                m_host.panelMessage(report);
            }
        }
    }
    if (toCFile)
        m_link.bCom2ToCFile = false;
    if (toPanel)
        m_link.bRemPrgrsView = false;
    m_link.com2Close();
    m_host.refreshStatus();
}

bool ChronoOps::deviceGate()
{
    if (cro().iCroDevice >= 1 && !m_host.softDebug()) {
        MsgRequest r;
        r.text = QStringLiteral("This function does not support") + kCrLf + QStringLiteral("     ") + deviceName();
        r.icon = MsgIcon::Exclamation;
        r.foreground = true;
        m_prompter.show(r);
        return true;
    }
    return false;
}

// ---------------------------------------------------------------- calibration

void ChronoOps::calibrateRun()
{
    CroState &st = cro();
    QElapsedTimer clock;
    clock.start();
    st.bCroCalOk = false;
    st.bCroSensorsOn = false;
    st.bCroCalPass = false;
    m_host.panelMessage(kCalibrating);
    m_link.croTxn.calAborted = false;
    m_progress.progressOpen(kCalibrating, 120);

    bool calSent = false;
    transact(false, QStringLiteral("D"), 0);
    if (transact(false, QStringLiteral("D"), 0) && transact(false, QStringLiteral("Z"), 1)) {
        transact(false, QStringLiteral("C"), 0);
        calSent = true;
    }
    st.iCroCalNoise = calNoise(m_link.sCroRsp);

    m_progress.progressClose();
    if (calSent) {
        if (m_link.croTxn.failed || m_link.croTxn.calAborted) {
            m_host.panelMessage(QStringLiteral("Calibrating Failed...(") + QString::number(m_link.croTxn.result)
                                + QLatin1Char(')'));
            transact(false, QStringLiteral("D"), 0);
        } else {
            st.bCroCalPass = !m_link.sCroRsp.contains(QStringLiteral("ERR=Cal"));
            m_host.panelMessage(QStringLiteral("Calibration Ok!"));
            st.bCroSensorsOn = st.bCroCalPass;
            st.bCroCalOk = st.bCroCalPass;
            if (st.bCroCalPass)
                setCaptureSwitch(true);
        }
    }
    st.fCroCalTime = float(clock.elapsed() / 1000.0);
}

void ChronoOps::calibrate(bool quiet)
{
    if (m_host.needCFileToRecord() != 0 || linkCheck(1) != 0)
        return;
    CroState &st = cro();
    bool remembered = captureSwitch();
    setCaptureSwitch(false);

    if (!m_link.croConnect()) {
        m_host.warnNotFound();
        m_host.refreshStatus();
        m_host.warnNotFound();
    } else {
        logPad(QStringLiteral("Please wait - Calibrating..."), 1, 1, 11);
        if (!quiet)
            m_progress.progressOpen(QStringLiteral("Please wait - Calibrating..."), 120);
        ensureStatus(false);
        m_host.refreshStatus();
        st.bCroCalOk = false;
        if (st.bCroStatusOk) {
            warnRemark(statusLine(st));
            calibrateRun();
            const QString figures = QStringLiteral("{Level=") + QString::number(st.iCroCalLevel)
                                    + QStringLiteral(" Noise=") + QString::number(st.iCroCalNoise) + QLatin1Char('}');
            if (st.bCroCalPass) {
                warnRemark(QStringLiteral("Calibration Ok! ") + figures);
                setCaptureSwitch(remembered);
                if (remembered) {
                    logPad(QStringLiteral("DAT>"), 0, 0, 0);
                    transact(false, QStringLiteral("D"), 0);
                } else if (!quiet) {
                    m_host.warnEditMode();
                }
            } else {
                const bool userAborted = m_link.croTxn.calAborted;
                m_host.warnAborted();
                warnRemark(QStringLiteral("Calibrating Failed..! ") + figures);
                if (!userAborted) {
                    if (st.bCroArcheryOn)
                        warnRemark(QStringLiteral("Archery mode is truned ''On'' - turn it ''Off'' and try again."));
                    else if (st.iCroSensLevel > 60)
                        warnRemark(QStringLiteral("Sensitivity level is ''High'', set it to a lower level") + kCrLf
                                   + QStringLiteral("and then try again. Click on <Chrono>/<Sensitivity> to set level."));
                }
                if (!quiet)
                    m_host.warnNotCalibrated();
            }
        }
        if (!quiet || m_progress.progressIsOpen())
            m_progress.progressClose();
    }
    setCaptureSwitch(remembered || st.bCroSensorsOn);
    m_host.refreshStatus();
}

// ---------------------------------------------------------------- power

bool ChronoOps::powerSwitch(bool turnOn)
{
    CroState &st = cro();
    bool done = false;
    if (m_host.needCFileToRecord() == 0) {
        bool remembered = captureSwitch();
        setCaptureSwitch(false);
        m_host.tagEvent(turnOn ? 4 : 3);
        m_host.tagDevice();
        st.bCroStatusOk = false;
        bool escOk = false;
        if (linkCheck(1) == 0) {
            fetchStatus(3);
            escOk = transact(true, QStringLiteral("["), 0);
            m_progress.progressClose();
        }
        // A failed link check leaves the status invalid: it gets the same remark.
        if (!escOk || !st.bCroStatusOk) {
            warnRemark(QStringLiteral("RV5 failed to power on - check setup"));
            m_host.warnNotFound();
        } else if (!turnOn) {
            if (!transact(false, QStringLiteral("P"), 0)) {
                warnRemark(QStringLiteral("RV5 did not respond to Power-Down request!"));
            } else {
                st.bCroLinkOk = false;
                warnRemark(QStringLiteral("Chrono Power has been turned off"));
                if (remembered) {
                    warnRemark(QStringLiteral("LogPad is in Edit mode now"));
                    remembered = false;
                }
                st.bCroStatusOk = false;
                done = true;
            }
        } else {
            done = true;
            if (st.bCroPwrOnSeen) {
                warnRemark(QStringLiteral("RV5 Power-On has been detected."));
                st.bCroPwrOnSeen = false;
            }
        }
        setCaptureSwitch(remembered);
    }
    if (!st.bCroLinkOk)
        m_host.warnEditMode();
    m_host.refreshStatus();
    return done;
}

// ---------------------------------------------------------------- on/off operations

bool ChronoOps::rapidFire(bool turnOn) { return onOffOperation(OnOff::RapidFire, turnOn); }
bool ChronoOps::archery(bool turnOn) { return onOffOperation(OnOff::Archery, turnOn); }
bool ChronoOps::sensors(bool turnOn) { return onOffOperation(OnOff::Sensors, turnOn); }

bool ChronoOps::onOffOperation(OnOff which, bool turnOn)
{
    CroState &st = cro();
    if (m_host.needCFileToRecord() != 0)
        return false;
    bool remembered = captureSwitch();
    setCaptureSwitch(false);
    if (linkCheck(1) > 0) {
        setCaptureSwitch(remembered);
        if (which != OnOff::Sensors)
            st.bCroStatusOk = false;
        if (which != OnOff::RapidFire)
            m_host.warnNotFound();
        m_host.refreshStatus();
        return false;
    }
    const QString onOff = turnOn ? QStringLiteral(" On") : QStringLiteral(" Off");
    QString title;
    switch (which) {
    case OnOff::RapidFire: title = QStringLiteral("Turn Rapid Fire") + onOff; break;
    case OnOff::Archery: title = QStringLiteral("Turn Archery") + onOff; break;
    case OnOff::Sensors: title = QStringLiteral("Turn Sensors") + onOff; break;
    }
    m_progress.progressOpen(title, 12);
    ensureStatus(false);

    bool ok = false;
    switch (which) {
    case OnOff::RapidFire:
        ok = setRapidFire(turnOn);
        if (ok)
            logPad(QStringLiteral("Rapid fire is now turned ") + onOffText(st.bCroRapidOn), 1, 1, 1);
        break;
    case OnOff::Archery:
        ok = setArchery(turnOn);
        if (ok)
            logPad(QStringLiteral("Archery is now turned ") + onOffText(st.bCroArcheryOn), 1, 1, 1);
        break;
    case OnOff::Sensors:
        ok = setSensors(turnOn);
        if (ok) {
            logPad(QStringLiteral("Sensors are now turned ") + onOffText(st.bCroSensorsOn), 1, 1, 1);
            if (st.bCroSensorsOn) {
                // Sensors on means shots are wanted: capture stays on afterwards.
                setCaptureSwitch(true);
                remembered = true;
            }
        }
        break;
    }
    if (ok)
        m_host.warnSetupChangedIf();
    else if (which != OnOff::Sensors)
        warnRemark(QStringLiteral("Communication error - Aborting..!"));

    m_progress.progressClose();
    if (st.bCroSensorsOn)
        m_host.warnEditMode();
    setCaptureSwitch(remembered);
    m_host.refreshStatus();
    return ok;
}

bool ChronoOps::setRapidFire(bool turnOn)
{
    CroState &st = cro();
    if (!m_link.setMenuItem(2, 3, 1, turnOn))
        return false;
    if (st.bCroRapidOn != turnOn)
        st.bCroSetupChg = true;
    st.bCroRapidOn = turnOn;
    return true;
}

bool ChronoOps::setArchery(bool turnOn)
{
    CroState &st = cro();
    if (!m_link.setMenuItem(1, 0, 1, turnOn))
        return false;
    if (st.bCroArcheryOn != turnOn) {
        st.bCroSetupChg = true;
        st.bCroCalOk = false;
    }
    st.bCroArcheryOn = turnOn;
    return true;
}

bool ChronoOps::setSensors(bool turnOn)
{
    CroState &st = cro();
    if (!m_link.setMenuItem(2, 3, 0, turnOn))
        return false;
    if (st.bCroSensorsOn != turnOn)
        st.bCroSetupChg = true;
    st.bCroSensorsOn = turnOn;
    return true;
}

// ---------------------------------------------------------------- panels and commands

void ChronoOps::openChronoPanel(int which)
{
    CroState &st = cro();
    if (m_host.needCFileToRecord() != 0)
        return;
    const bool remembered = captureSwitch();
    setCaptureSwitch(false);
    if (linkCheck(1) > 0) {
        const MsgAnswer a = m_prompter.ask(QStringLiteral("Unable to connect to the Chronograph!  ") + kCrLf
                                               + QStringLiteral("Do you want to continue anyway?"),
                                           MsgButtons::YesNo, 2);
        if (a != MsgAnswer::Yes) {
            setCaptureSwitch(remembered);
            m_host.refreshStatus();
            return;
        }
    }
    if (!st.bCroStatusOk) {
        m_progress.progressOpen(kGetStatus, 12);
        getStatus();
        m_progress.progressClose();
    }
    st.bCroSetupChg = false;
    if (which == 1)
        m_host.openSensorsDialog();
    else if (which == 2)
        m_host.openSetupPanel();
    setCaptureSwitch(remembered);
    m_host.refreshStatus();
}

void ChronoOps::chronoCommand(int index)
{
    if (index > 0 && deviceGate())
        return;
    CroState &st = cro();
    const QString tab = QStringLiteral("\t");
    switch (index) {
    case 0:
        m_host.openControlDialog();
        break;
    case 1:
        if (m_host.confirmWarning(tab + QStringLiteral("Calibrate Chrono Now")))
            calibrate(false);
        break;
    case 2:
        if (m_host.confirmWarning(tab + QStringLiteral("Turn Sensors") + onOffText(!st.bCroSensorsOn)))
            openChronoPanel(1);
        break;
    case 3:
        if (m_host.confirmWarning(tab + QStringLiteral("Set High Speed Mode") + QStringLiteral(" On")))
            m_host.noteDisabled();
        break;
    case 4:
        if (m_host.confirmWarning(tab + QStringLiteral("Set Archery Mode") + onOffText(!st.bCroArcheryOn)))
            archery(!st.bCroArcheryOn);
        break;
    case 5:
        if (m_host.confirmWarning(tab + QStringLiteral("Set Rapid Fire Mode") + onOffText(!st.bCroRapidOn)))
            rapidFire(!st.bCroRapidOn);
        break;
    case 6:
        if (m_host.confirmWarning(tab + QStringLiteral("Turn Chrono Power") + onOffText(!st.bCroLinkOk)))
            powerSwitch(!st.bCroLinkOk);
        break;
    default:
        break;
    }
}

int ChronoOps::startupProbe()
{
    m_link.getPrtState();
    cro().bCroStatusOk = false;
    int r = 1;
    if (m_link.com2Open(m_link.MSComm1.commPort()) == 0)
        r = m_link.croProbe();
    m_link.com2Close();
    return r;
}

// ---------------------------------------------------------------- menu entries

void ChronoOps::mnuRemTest()
{
    if (deviceGate())
        return;
    guarded([this] {
        m_progress.progressOpen(QStringLiteral("Verifying RV5 Connection..."), 12);
        croTest(4, 2);
        m_progress.progressClose();
    });
}

void ChronoOps::mnuRemStatus()
{
    guarded([this] {
        if (m_host.needCFileToRecord() != 0)
            return;
        const bool remembered = captureSwitch();
        setCaptureSwitch(false);
        if (linkCheck(1) == 0) {
            fetchStatus(1);
            if (cro().bCroStatusOk) {
                logPad(statusReport(cro(), m_link.MSComm1.commPort(), 1, 2), 1, 1, 0);
            } else if (!(m_link.croTxn.cmdChar == QLatin1String("Q") && m_link.croTxn.failed)) {
                // The answer came but did not read to its end (a sign-on that never came
                // was reported by getStatus): the chronograph counts as not found.
                warnRemark(QStringLiteral("Failed to retrieve RV5 Status!"));
                m_host.warnNotFound();
            }
        }
        setCaptureSwitch(remembered);
    });
}

} // namespace zx
