#pragma once
// The chronograph operations behind the Chrono menu, the remote control panel
// and the chronograph control dialog: status, link test, calibration, power,
// rapid fire, archery, sensors, the chronograph panels and the start-up probe.
// Each one is a fixed sequence of transactions wrapped in checks and followed by
// remarks in the LogPad. Every operation remembers the capture switch, clears it
// while it talks to the chronograph and puts it back afterwards.
#include <QString>
#include <functional>

namespace zx {

class ChronoOpsHost;
class CroTask;
class LinkSession;
class ProgressSink;
class Prompter;
struct CroState;

class ChronoOps {
public:
    ChronoOps(LinkSession &link, ChronoOpsHost &host, ProgressSink &progress, Prompter &prompter);

    // The guard used by guarded(); menu handlers run operations through it.
    void setTask(CroTask *task) { m_task = task; }
    // Runs op inside the one-chronograph-task guard and refreshes the mode and
    // status afterwards. False when the guard refused.
    bool guarded(const std::function<void()> &op);

    // Codes: 0 RV5 linked, 1 no CFile, 3 RV5 silent, 10 other device reopened,
    // 11 other device's port missing.
    int linkCheck(int mode);
    void getStatus();
    void fetchStatus(int mode);
    void ensureStatus(bool withProgress);
    // echo/msg targets: 2 the LogPad, 4 the remote control panel.
    void croTest(int echoTarget, int msgTarget);
    bool deviceGate();
    void calibrateRun();
    void calibrate(bool quiet);
    // These return true when the chronograph did what was asked.
    bool powerSwitch(bool turnOn);
    bool rapidFire(bool turnOn);
    bool archery(bool turnOn);
    bool sensors(bool turnOn);
    bool setRapidFire(bool turnOn);
    bool setArchery(bool turnOn);
    bool setSensors(bool turnOn);
    void openChronoPanel(int which);
    void chronoCommand(int index);
    // 0 an RV5 answered and its status was read, 1 no answer (or no port),
    // 2 something answered but was not identified.
    int startupProbe();

    // Menu entries (each inside the guard).
    void mnuRemTest();
    void mnuRemStatus();

    // The capture switch (flag 1 of bRxTo).
    bool captureSwitch() const;
    void setCaptureSwitch(bool on);

    LinkSession &link() { return m_link; }
    CroState &cro();
    QString deviceName() const;

private:
    enum class OnOff { RapidFire, Archery, Sensors };
    bool onOffOperation(OnOff which, bool turnOn);
    bool transact(bool isKey, const QString &request, int expect, int shortMs = 0);
    void warnRemark(const QString &text);
    void logPad(const QString &text, int nBefore, int nAfter, int kind);
    void message(int target, const QString &text, int nBefore = 0);

    LinkSession &m_link;
    ChronoOpsHost &m_host;
    ProgressSink &m_progress;
    Prompter &m_prompter;
    CroTask *m_task = nullptr;
};

} // namespace zx
