// The desktop program on an in-process RV5: Start from the Chrono menu records live shots
// into the LogPad, Stop ends the capture.
#include "app/app_context.h"
#include "app/ui/frm_mdi.h"
#include "app/ui/splash_sequence.h"
#include "cfile/cfile_manager.h"
#include "cfile/ui/cfile_workspace.h"
#include "app/ui/document_factory.h"
#include "platform/one_shot_timer.h"
#include "platform/port_map.h"
#include "platform/serial_port.h"
#include "sim/rv5_simulator.h"
#include "sim/virtual_port.h"
#include "support/scripted_prompter.h"
#include "support/temp_settings.h"

#include <QAction>
#include <QtTest>

class TstSimulateStart : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void startRecordsShotsStopEnds()
    {
        zx::test::TempSettings tmp;
        zx::sim::Rv5Options opt;
        opt.sensorsOn = true;
        opt.shotIntervalMs = 200;
        zx::sim::Rv5Simulator sim(opt);
        zx::sim::VirtualPortPair pair(&sim);
        zx::sim::VirtualPort *end = pair.programEnd();
        zx::SerialPort::registerVirtualDevice(QStringLiteral("sim:gui"), [end] { return end; });
        zx::PortMap::setOverride(1, QStringLiteral("sim:gui"));
        for (int n = 2; n <= 16; ++n)
            zx::PortMap::setOverride(n, QStringLiteral("/nonexistent/zx-com%1").arg(n));

        zx::AppContext ctx;
        zx::test::ScriptedPrompter prompter;
        ctx.prompter = &prompter;
        zx::FrmMdi *mdi = zx::runSplashSequence(ctx);
        QVERIFY(mdi);
        auto *start = mdi->findChild<QAction *>(QStringLiteral("mnuRemStart"));
        auto *stop = mdi->findChild<QAction *>(QStringLiteral("mnuRemStop"));
        QVERIFY(start && stop);

        start->trigger();
        zx::CFileWorkspace *ws = zx::cfileWorkspace(*mdi);
        QVERIFY(ws && ws->files().active());
        QTRY_VERIFY_WITH_TIMEOUT(ws->files().active()->document()->toPlainText().count(QLatin1String("CAP:")) >= 2,
                                 20000);
        stop->trigger();
        const QString text = ws->files().active()->document()->toPlainText();
        QVERIFY(text.contains(QLatin1String("TAG: Start-")));
        QVERIFY(text.contains(QLatin1String("TAG: Stop-")));
        mdi->closeByProgram();
        zx::PortMap::clearOverrides();
        zx::SerialPort::unregisterVirtualDevice(QStringLiteral("sim:gui"));
    }
};

QTEST_MAIN(TstSimulateStart)
#include "tst_simulate_start.moc"
