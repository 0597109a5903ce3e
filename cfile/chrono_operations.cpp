#include "cfile/chrono_operations.h"

#include "cfile/capture_link.h"
#include "cfile/logpad.h"
#include "cfile/logpad_warnings.h"
#include "link/cro_state.h"
#include "link/progress_sink.h"
#include "link/status_parser.h"

namespace zx {

ChronoOperations::ChronoOperations(CaptureLink &link, LogPad &pad, LogPadWarnings &warn, CroState &cro)
    : m_link(link), m_pad(pad), m_warn(warn), m_cro(cro)
{
}

void ChronoOperations::getStatus()
{
    m_cro.bCroStatusOk = false;
    if (!m_link.transact(true, QStringLiteral("["), 0))
        return;
    if (m_link.txnMenu() > 0 && !m_link.transact(false, QStringLiteral("D"), 1))
        return;
    if (!m_link.transact(false, QStringLiteral("Q"), 1)) {
        m_link.transact(true, QStringLiteral("["), 0);
        m_link.transact(false, QStringLiteral("D"), 1);
        if (!m_link.transact(false, QStringLiteral("Q"), 1)) {
            m_pad.warnRemark(QStringLiteral("Failed to retrieve Chronograph Status."));
            m_warn.warnNotFound();
            return;
        }
    }
    parseStatus(m_cro, m_link.croRsp());
}

void ChronoOperations::fetchStatus(int mode)
{
    if (m_progress)
        m_progress->progressOpen(QStringLiteral("Get RV5 Status"), 12, mode >= 1);
    getStatus();
    if (m_progress && mode == 1)
        m_progress->progressClose();
}

void ChronoOperations::closeProgress()
{
    if (m_progress)
        m_progress->progressClose();
}

void ChronoOperations::ensureStatus(bool withProgress)
{
    if (m_cro.bCroStatusOk)
        return;
    withProgress ? fetchStatus(3) : getStatus();
    if (!m_cro.bCroStatusOk)
        withProgress ? fetchStatus(3) : getStatus();
}

void ChronoOperations::calibrate(bool)
{
    m_pad.warnRemark(QStringLiteral("Calibrating Failed..! {Level=") + QString::number(m_cro.iCroCalLevel) +
                     QStringLiteral(" Noise=") + QString::number(m_cro.iCroCalNoise) + QStringLiteral("}"));
}

bool ChronoOperations::setSensors(bool)
{
    m_pad.warnRemark(QStringLiteral("Communication error - Aborting..!"));
    return false;
}

} // namespace zx
