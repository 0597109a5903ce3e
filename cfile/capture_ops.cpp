#include "cfile/capture_ops.h"
#include "platform/crlf.h"

#include "cfile/capture_link.h"
#include "cfile/cfile_manager.h"
#include "cfile/chrono_operations.h"
#include "cfile/logpad.h"
#include "cfile/logpad_warnings.h"
#include "link/cro_state.h"
#include "platform/prompter.h"

namespace zx {

namespace {
}

CaptureOps::CaptureOps(CFileManager &files, LogPad &pad, LogPadWarnings &warn, Prompter &prompter, CroState &cro,
                       CaptureLink &link, ChronoOperations &ops)
    : m_files(files), m_pad(pad), m_warn(warn), m_prompter(prompter), m_cro(cro), m_link(link), m_ops(&ops)
{
}

void CaptureOps::refresh()
{
    if (m_refresh)
        m_refresh();
}

int CaptureOps::needCFileToRecord()
{
    if (m_files.active())
        return 0;
    MsgRequest q;
    q.text = QStringLiteral("This function saves data to a CFile, ") + QStringLiteral("there are no opened CFiles.  ") +
             kCrLf + QStringLiteral("Would you like to create a new CFile now..?");
    q.buttons = MsgButtons::YesNo;
    q.defaultButton = 2;
    q.icon = MsgIcon::Question;
    q.foreground = true;
    q.systemModal = true;
    if (m_prompter.show(q) == MsgAnswer::Yes) {
        m_files.createNewCFile();
        if (m_remoteRefresh)
            m_remoteRefresh();
        return 0;
    }
    m_prompter.inform(QStringLiteral("Aborted by the user..!"));
    return 1;
}

void CaptureOps::croStartShoot()
{
    m_cro.bCroStatusOk = false;
    m_link.setCaptureSwitch(false);
    if (needCFileToRecord() != 0) {
        refresh();
        return;
    }
    m_pad.tagEvent(1);
    m_pad.tagDevice(croDeviceName(m_cro.iCroDevice), m_link.linkPort());
    if (!m_link.croReopenPort()) {
        m_warn.warnPortMissing();
    } else if (m_cro.iCroDevice >= 1) {
        // Another device: captured as a TTY terminal, no chronograph commands.
        m_warn.warnOtherDevice(0);
        m_link.setCaptureSwitch(true);
    } else if (!m_link.croConnect()) {
        // Text that arrives later is captured all the same.
        m_warn.warnNotFound();
        m_link.setCaptureSwitch(true);
    } else {
        m_ops->fetchStatus(3);
        if (m_cro.bCroStatusOk) {
            if (!m_cro.bCroSensorsOn) {
                m_cro.bCroCalOk = false;
                MsgRequest q;
                q.text = QStringLiteral("Sensors are turned off, ") + QStringLiteral("the unit must be calibrated again.") +
                         kCrLf + kCrLf + QStringLiteral("\t") + QStringLiteral("Calibrate the unit now..?");
                q.buttons = MsgButtons::YesNo;
                q.defaultButton = 1;
                q.icon = MsgIcon::Question;
                q.foreground = true;
    q.systemModal = true;
                if (m_prompter.show(q) == MsgAnswer::Yes) {
                    m_ops->calibrate(true);
                } else {
                    m_ops->setSensors(true);
                    m_warn.warnSetupChanged();
                }
            }
            if (!m_link.captureSwitch())
                m_link.setCaptureSwitch(m_cro.bCroSensorsOn);
            if (!m_cro.bCroSensorsOn)
                m_warn.warnNotCalibrated();
            // The chronograph's prompt goes into the LogPad.
            m_link.setCaptureSwitch(true);
            m_link.transact(true, QStringLiteral("["), 0);
            m_link.transact(false, QStringLiteral("D"), 0);
            m_link.setCaptureSwitch(false);
            m_link.setCaptureSwitch(true);
        } else {
            m_pad.warnRemark(QStringLiteral("Failed to retrieve RV5 Status!"));
            m_warn.warnNotFound();
            m_link.setCaptureSwitch(false);
        }
        m_ops->closeProgress();
    }
    refresh();
}

void CaptureOps::croStopShoot()
{
    m_cro.bCroStatusOk = false;
    if (needCFileToRecord() != 0) {
        refresh();
        return;
    }
    // The tag goes in before any chronograph traffic.
    m_pad.tagEvent(2);
    m_pad.tagDevice(croDeviceName(m_cro.iCroDevice), m_link.linkPort());
    m_link.setCaptureSwitch(false);
    bool ok = false;
    if (m_cro.iCroDevice == 0) {
        if (m_link.croConnect()) {
            m_ops->fetchStatus(3);
            m_link.transact(true, QStringLiteral("["), 0);
            m_link.transact(false, QStringLiteral("Z"), 0);
            ok = m_link.croRsp().contains(QLatin1String("Sens=OFF"));
            if (ok)
                m_cro.bCroSensorsOn = false;
            m_ops->closeProgress();
        } else {
            m_warn.warnNotFound();
        }
    } else {
        m_warn.warnOtherDevice(0);
        if (m_link.croReopenPort()) {
            m_link.closePort();
            ok = true;
        } else {
            m_warn.warnPortMissing();
        }
    }
    if (ok) {
        m_warn.warnNowEditMode();
    } else {
        m_cro.bCroStatusOk = false;
        m_warn.warnLinkError();
    }
    refresh();
}

void CaptureOps::croRemoteOnly()
{
    if (needCFileToRecord() != 0) {
        refresh();
        return;
    }
    if (m_cro.iCroDevice >= 1) {
        if (m_notes)
            m_notes(6);
        refresh();
        return;
    }
    m_link.setCaptureSwitch(false);
    m_cro.bCroSensorsOn = false;
    for (int attempt = 1; attempt <= 2; ++attempt) {
        m_link.transact(true, QStringLiteral("["), 0);
        if (m_link.transact(false, QStringLiteral("Z"), 0) && m_link.transact(false, QStringLiteral("D"), 1)) {
            m_link.setCaptureSwitch(true);
            m_warn.warnSensorsOff();
            refresh();
            return;
        }
        if (attempt == 1) {
            m_link.croConnect();
        } else {
            MsgRequest r;
            r.text = QStringLiteral("cLinkErr=") + QString::number(m_link.txnResult()) + kCrLf +
                     QStringLiteral("Chronograph did not respond.") + kCrLf +
                     QStringLiteral("Check your setup or connections.");
            r.icon = MsgIcon::Exclamation;
            r.foreground = true;
            m_prompter.show(r);
        }
    }
    refresh();
}

} // namespace zx
