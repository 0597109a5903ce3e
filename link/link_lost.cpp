// A link port whose device goes away while open (a pulled USB cable, the far end of a
// pseudo-terminal closed): the line stops counting as alive at once, the LogPad says so,
// and the same device is reopened when it comes back.
#include "link/link_session.h"

#include "link/logpad_sink.h"

#include <QFileInfo>

namespace zx {

namespace {

QString chronoOn(int com)
{
    const QString n = QString::number(com);
    return QStringLiteral("COM") + n + QStringLiteral(" - Chrono-") + n;
}

// A device path that can be opened again: a file (a symlink is followed) or an in-process device.
bool deviceThere(const QString &path)
{
    return !path.isEmpty() && (SerialPort::isVirtualDevice(path) || QFileInfo::exists(path));
}

} // namespace

void LinkSession::linkLost()
{
    if (MSComm1.portOpen())
        return;   // a late event of a port that was opened again meanwhile
    const bool wasLost = bLinkLost;
    bLinkLost = true;
    m_lostCom = MSComm1.commPort();
    m_lostPath = MSComm1.openedPath();
    if (!wasLost)
        m_captureBeforeLoss = bRxTo[1];
    bRxTo[1] = false;   // nothing more can be captured; remembered above
    bPortOpen = false;
    iPortNum = qint16(m_lostCom);
    if (hooks.sendTextEnabled)
        hooks.sendTextEnabled(false);
    stopConnClock();
    logPad(chronoOn(m_lostCom) + QStringLiteral(" connection lost..!"), 1, 1, 1);
    if (bAutoReconnect && !m_lostPath.isEmpty())
        m_reconnectPoll.start();
    if (hooks.refreshMain)
        hooks.refreshMain();
}

void LinkSession::reconnectPoll()
{
    if (!bLinkLost || MSComm1.portOpen() || MSComm1.commPort() != m_lostCom) {
        // Opened again by hand, or the user bound another port meanwhile.
        forgetLinkLost();
        return;
    }
    // Not while a probe holds the line or a transaction is still unwinding.
    if (croTxn.busy || MSComm2.portOpen() || !deviceThere(m_lostPath))
        return;
    MSComm1.clearError();
    if (MSComm1.setPortOpen(true) != SerialPort::NoError) {
        MSComm1.clearError();   // not ready yet (still settling, or held by another program)
        return;
    }
    const bool capture = m_captureBeforeLoss;
    forgetLinkLost();
    logPad(chronoOn(MSComm1.commPort()) + QStringLiteral(" reconnected"), 1, 1, 1);
    bRxTo[1] = capture;
    portOpened();
}

void LinkSession::forgetLinkLost()
{
    m_reconnectPoll.stop();
    bLinkLost = false;
    m_captureBeforeLoss = false;
}

} // namespace zx
