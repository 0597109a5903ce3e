#pragma once
// What shot capture needs of the chronograph link: the capture switch (flag 1 of bRxTo),
// the port, and command transactions. The link session implements it (see
// link_capture_adapter.h); unit tests use a scripted double.
#include <QString>

namespace zx {

class CaptureLink {
public:
    virtual ~CaptureLink() = default;
    // Flag 1 of bRxTo: received text goes to the active CFile.
    virtual bool captureSwitch() const = 0;
    virtual void setCaptureSwitch(bool on) = 0;
    // Close the link port if open, then open it; true when both steps raised no error.
    virtual bool croReopenPort() = 0;
    // Make contact with retries (writes its own retry remarks into the LogPad).
    virtual bool croConnect() = 0;
    virtual void closePort() = 0;
    // COM number of the link port.
    virtual int linkPort() const = 0;
    // One transaction; returns false when croTxn.failed is set.
    virtual bool transact(bool isKey, const QString &request, int expect) = 0;
    virtual int txnResult() const = 0;  // croTxn.result
    virtual int txnMenu() const = 0;    // croTxn.menu
    virtual QString croRsp() const = 0; // sCroRsp: the last answer
    // croTxn.calAborted, cleared by the reader.
    virtual bool takeCalAborted() { return false; }
};

// Names of the selectable devices as the port properties list them.
QString croDeviceName(int device);

} // namespace zx
