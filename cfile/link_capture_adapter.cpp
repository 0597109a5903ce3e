#include "cfile/link_capture_adapter.h"

#include "link/link_session.h"

namespace zx {

bool LinkCaptureAdapter::captureSwitch() const { return m_s.bRxTo[1]; }

void LinkCaptureAdapter::setCaptureSwitch(bool on)
{
    if (m_s.bRxTo[1] == on)
        return;
    m_s.bRxTo[1] = on;
    if (m_s.hooks.refreshMain)
        m_s.hooks.refreshMain();
}

bool LinkCaptureAdapter::croReopenPort() { return m_s.croReopenPort(); }
bool LinkCaptureAdapter::croConnect() { return m_s.croConnect(); }

void LinkCaptureAdapter::closePort()
{
    if (m_s.MSComm1.portOpen())
        m_s.subClosePort();
}

int LinkCaptureAdapter::linkPort() const { return m_s.MSComm1.commPort(); }

bool LinkCaptureAdapter::transact(bool isKey, const QString &request, int expect)
{
    m_s.croTransact(isKey, request, expect, 0);
    return !m_s.croTxn.failed;
}

int LinkCaptureAdapter::txnResult() const { return m_s.croTxn.result; }
int LinkCaptureAdapter::txnMenu() const { return m_s.croTxn.menu; }
QString LinkCaptureAdapter::croRsp() const { return m_s.sCroRsp; }

bool LinkCaptureAdapter::takeCalAborted()
{
    return std::exchange(m_s.croTxn.calAborted, false);
}

} // namespace zx
