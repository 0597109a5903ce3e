#pragma once
// What the chronograph operations need from the layers above the link: the
// CFile check, the LogPad warnings and tags, the mode and status refresh, the
// remote panel's message line, the warning confirmation and the chronograph
// panels. The program implements it with the CFile layer and its windows;
// zentrix-cli with the console.
#include <QString>

namespace zx {

class ChronoOpsHost {
public:
    virtual ~ChronoOpsHost() = default;

    // 0 when a CFile is (now) open, 1 when the user declined to create one.
    virtual int needCFileToRecord() = 0;

    // LogPad warnings and tags.
    virtual void warnNotFound() = 0;
    virtual void warnPortMissing() = 0;
    virtual void warnEditMode() = 0;
    virtual void warnNotCalibrated() = 0;
    virtual void warnAborted() = 0;          // clears croTxn.calAborted when it writes
    virtual void warnOtherDevice(int mode) = 0;
    virtual void warnSetupChangedIf() = 0;
    virtual void tagEvent(int event) = 0;    // 3 "PowerOff-", 4 "PowerOn-"
    virtual void tagDevice() = 0;

    // The mode and status refresh of the main window.
    virtual void refreshStatus() = 0;
    // The remote control panel's message line.
    virtual void panelMessage(const QString &text) { (void)text; }
    // The warning confirmation (true = go ahead).
    virtual bool confirmWarning(const QString &question) = 0;
    // The "temporarily disabled" notice.
    virtual void noteDisabled() = 0;
    // The debug setting SoftDebug (lets every device through the device gate).
    virtual bool softDebug() const { return false; }

    // Chronograph windows.
    virtual void openSensorsDialog() {}
    virtual void openSetupPanel() {}
    virtual void openControlDialog() {}
};

} // namespace zx
