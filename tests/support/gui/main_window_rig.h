#pragma once
// The real main window on the RV5 simulator (a pseudo-terminal as COM1), with a settings folder of
// its own, the chronograph chosen by hand and scripted message boxes: what the window tests that
// drive a whole program share. start() runs the start-up as the program does, with patient
// time-outs; at the end the window is closed and the port map cleared. Header only: window tests
// link the window libraries, the support library does not.
#include "app/app_context.h"
#include "app/settings_keys.h"
#include "app/ui/frm_mdi.h"
#include "app/ui/splash_sequence.h"
#include "platform/port_map.h"
#include "support/scripted_prompter.h"
#include "support/sim_fixture.h"
#include "support/startup_patience.h"
#include "support/temp_settings.h"

#include <QPointer>

namespace zx::test {

struct MainWindowRig {
    TempSettings tmp;   // first: everything after it keeps its settings here
    SimFixture sim;
    ScriptedPrompter prompter;
    AppContext ctx;
    QPointer<FrmMdi> mdi;

    explicit MainWindowRig(const zx::sim::Rv5Options &options = SimFixture::quietOptions(), int chronSelect = 1)
        : sim(options)
    {
        sim.sim().setCalibrationStepMs(20);
        PortMap::setOverride(1, sim.stablePath());
        ctx.store.writeInt(ctx.instanceName(), keys::frmComSet::ChronSelect, chronSelect);
        ctx.prompter = &prompter;
    }
    ~MainWindowRig()
    {
        if (mdi)
            mdi->closeByProgram();
        PortMap::clearOverrides();
    }
    MainWindowRig(const MainWindowRig &) = delete;
    MainWindowRig &operator=(const MainWindowRig &) = delete;

    FrmMdi *start()
    {
        mdi = startPatiently([&] { return runSplashSequence(ctx); });
        return mdi;
    }
};

} // namespace zx::test
