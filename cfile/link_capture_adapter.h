#pragma once
// The link session seen as the capture link: flag 1 of bRxTo is the capture switch,
// and transactions run through croTransact with the default silence time-out.
#include "cfile/capture_link.h"

namespace zx {

class LinkSession;

class LinkCaptureAdapter : public CaptureLink {
public:
    explicit LinkCaptureAdapter(LinkSession &session) : m_s(session) {}

    bool captureSwitch() const override;
    void setCaptureSwitch(bool on) override;
    bool croReopenPort() override;
    bool croConnect() override;
    void closePort() override;
    int linkPort() const override;
    bool transact(bool isKey, const QString &request, int expect) override;
    int txnResult() const override;
    int txnMenu() const override;
    QString croRsp() const override;
    bool takeCalAborted() override;

private:
    LinkSession &m_s;
};

} // namespace zx
