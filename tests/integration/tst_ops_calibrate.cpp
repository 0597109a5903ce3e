// Calibration against the simulator: pass, failures with their hints, the user's abort and a
// chronograph that falls silent midway.
#include "tst_ops_rig.h"
#include "platform/one_shot_timer.h"

#include <QTimer>
#include <QtTest>

using namespace zx;
using namespace zx::test;

class TstOpsCalibrate : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void outcomes_data()
    {
        QTest::addColumn<bool>("archery");
        QTest::addColumn<int>("sens");
        QTest::addColumn<bool>("pass");
        QTest::addColumn<QString>("hint");
        QTest::newRow("pass") << false << 45 << true << QString();
        QTest::newRow("archery") << true << 45 << false
                                 << QStringLiteral("REM: Archery mode is truned ''On'' - turn it ''Off'' and try again.");
        QTest::newRow("sensitivity 61") << false << 61 << false
                                        << QStringLiteral("REM: Sensitivity level is ''High'', set it to a lower level\r\n"
                                                          "and then try again. Click on <Chrono>/<Sensitivity> to set level.");
        QTest::newRow("sensitivity 60") << false << 60 << true << QString();
    }

    void outcomes()
    {
        QFETCH(bool, archery);
        QFETCH(int, sens);
        QFETCH(bool, pass);
        QFETCH(QString, hint);
        OpsRig rig;
        QVERIFY2(rig.sim.isOpen(), qPrintable(rig.sim.errorString()));
        rig.sim.sim().state().archery = archery;
        rig.sim.sim().state().sensLevel = sens;

        QVERIFY(rig.ops.guarded([&] { rig.ops.calibrate(false); }));
        const QString t = rig.text();
        QVERIFY2(t.contains(QStringLiteral("TAG: Please wait - Calibrating...{ Date=")), qPrintable(t));
        QVERIFY(t.contains(QStringLiteral("REM: RV5 Status-{ Archery=")));
        QVERIFY(!rig.task.busy());
        QCOMPARE(rig.task.state().held, quint16(0));
        if (pass) {
            QVERIFY2(t.contains(QStringLiteral("REM: Calibration Ok! {Level=")), qPrintable(t));
            QVERIFY(rig.link.cro.bCroCalOk && rig.link.cro.bCroSensorsOn && rig.link.bRxTo[1]);  // capture on
            QVERIFY(!t.contains(QStringLiteral("Calibrating Failed")));
        } else {
            QVERIFY2(t.contains(QStringLiteral("REM: Calibrating Failed..! {Level=")), qPrintable(t));
            QVERIFY(t.contains(hint));
            QVERIFY(!rig.link.cro.bCroCalOk && !rig.link.bRxTo[1]);  // capture as it was
            QVERIFY(rig.host.calls.contains(QStringLiteral("warnNotCalibrated")));
            // The transaction itself completed: the panel says so.
            QVERIFY(rig.host.panel.contains(QStringLiteral("Calibration Ok!")));
            if (archery)
                QVERIFY(!t.contains(QStringLiteral("Sensitivity level is")));
        }
    }

    void userAbort()
    {
        OpsRig rig;
        rig.sim.sim().setCalibrationStepMs(300);
        // Press Abort once the calibration transaction runs.
        QTimer poll;
        bool pressed = false;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (!pressed && rig.link.croTxn.calibrating) {
                pressed = true;
                rig.link.croUserAbort();
            }
        });
        poll.start(10);
        rig.ops.guarded([&] { rig.ops.calibrate(false); });
        poll.stop();
        QVERIFY(pressed);
        QVERIFY(rig.sim.sim().received().contains(char(0x04)));
        const QString t = rig.text();
        QVERIFY2(t.contains(QStringLiteral("REM: Operation Aborted by the user..!\r\nREM: Calibrating Failed..! {Level=")),
                 qPrintable(t));
        QVERIFY(!t.contains(QStringLiteral("Archery mode is truned")));
        QVERIFY(!rig.link.croTxn.calAborted);  // taken by the abort remark
        QVERIFY(!rig.task.busy());
    }

    void silentMidCalibration()
    {
        OneShotTimer::setScale(0.2);  // the calibration's 5 s silence limit becomes 1 s
        {
            OpsRig rig;
            rig.sim.sim().setCalibrationStepMs(100);
            rig.link.bRxTo[1] = true;  // capturing before the calibration
            QTimer poll;
            QObject::connect(&poll, &QTimer::timeout, [&] {
                if (rig.link.croTxn.calibrating)
                    rig.sim.sim().setSilent(true);
            });
            poll.start(5);
            QVERIFY(rig.ops.guarded([&] { rig.ops.calibrate(false); }));
            poll.stop();
            const QString t = rig.text();
            QVERIFY2(t.contains(QStringLiteral("REM: Calibrating Failed..! {Level=")), qPrintable(t));
            QVERIFY(!rig.task.busy());
            QCOMPARE(rig.task.state().depth, quint16(0));
            QVERIFY(rig.link.bRxTo[1]);  // restored
            QVERIFY(!rig.link.cro.bCroCalOk);
            QVERIFY(rig.prompter.count() == 0);
        }
        OneShotTimer::setScale(1.0);
    }
};

QTEST_GUILESS_MAIN(TstOpsCalibrate)
#include "tst_ops_calibrate.moc"
