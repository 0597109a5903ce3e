#pragma once
// The RV5 simulator on COM1, a link session with a recording LogPad and a host that writes the
// LogPad warnings and records every call.
#include "link/chrono_ops.h"
#include "link/chrono_ops_host.h"
#include "link/cro_task.h"
#include "link/link_session.h"
#include "link/progress_sink.h"
#include "platform/port_map.h"
#include "support/recording_logpad.h"
#include "support/scripted_prompter.h"
#include "support/sim_fixture.h"

#include <QStringList>

#include <functional>

namespace zx::test {

class RecordingHost : public ChronoOpsHost {
public:
    explicit RecordingHost(LinkSession &link) : m_link(link) {}
    QStringList calls;
    QStringList panel;
    int refreshes = 0;
    bool cfileOpen = true;

    int needCFileToRecord() override { return cfileOpen ? 0 : 1; }
    void warnNotFound() override { calls << QStringLiteral("warnNotFound"); }
    void warnPortMissing() override { calls << QStringLiteral("warnPortMissing"); }
    void warnEditMode() override
    {
        if (!m_link.bRxTo[1])
            calls << QStringLiteral("warnEditMode");
    }
    void warnNotCalibrated() override { calls << QStringLiteral("warnNotCalibrated"); }
    void warnAborted() override
    {
        if (!m_link.croTxn.calAborted)
            return;
        m_link.croTxn.calAborted = false;
        m_link.logPad()->logPadWrite(QStringLiteral("Operation Aborted by the user..!"), 0, 1, 1);
    }
    void warnOtherDevice(int) override { calls << QStringLiteral("warnOtherDevice"); }
    void warnSetupChangedIf() override
    {
        if (m_link.cro.bCroSetupChg)
            m_link.logPad()->logPadWrite(QStringLiteral("Setup has been changed - RV5 should be calibrated again."),
                                         0, 1, 1);
    }
    void tagEvent(int e) override { calls << QStringLiteral("tagEvent%1").arg(e); }
    void tagDevice() override { calls << QStringLiteral("tagDevice"); }
    void refreshStatus() override { ++refreshes; }
    void panelMessage(const QString &t) override { panel << t; }
    bool confirmWarning(const QString &) override { return true; }
    void noteDisabled() override { calls << QStringLiteral("noteDisabled"); }

private:
    LinkSession &m_link;
};

// A progress sink that tells the test when a progress window opens.
struct HookedProgress : NullProgressSink {
    std::function<void(const QString &)> onOpen;
    void progressOpen(const QString &title, int scale, bool showFrame) override
    {
        NullProgressSink::progressOpen(title, scale, showFrame);
        if (onOpen)
            onOpen(title);
    }
};

struct OpsRig {
    SimFixture sim;
    ScriptedPrompter prompter;
    RecordingLogPad pad;
    LinkSession link{&prompter, nullptr, QStringLiteral("Zentrix0"), 0, &pad};
    RecordingHost host{link};
    HookedProgress progress;
    ChronoOps ops{link, host, progress, prompter};
    CroTask task{prompter, [] { return QStringLiteral(" RV5 Vantor"); }, [this] { link.croTxn.connAbort = true; }};

    explicit OpsRig(const zx::sim::Rv5Options &o = SimFixture::quietOptions()) : sim(o)
    {
        sim.sim().setCalibrationStepMs(20);
        PortMap::setOverride(1, sim.stablePath());
        link.MSComm1.setCommPort(1);
        link.subOpenPort();
        ops.setTask(&task);
    }
    ~OpsRig()
    {
        link.extTerminal();
        PortMap::clearOverrides();
    }
    QString text() const { return pad.rendered(); }
};

} // namespace zx::test
