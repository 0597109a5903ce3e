// Power, sensors, archery and rapid fire against the simulator, and a chronograph that does not
// answer as it should.
#include "tst_ops_rig.h"

#include <QTimer>
#include <QtTest>

using namespace zx;
using namespace zx::test;

class TstOpsSwitches : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void powerOff()
    {
        for (bool capture : {false, true}) {
            OpsRig rig;
            rig.link.bRxTo[1] = capture;
            QVERIFY(rig.ops.powerSwitch(false));
            const QString t = rig.text();
            QVERIFY(!t.contains(QStringLiteral("RV5 failed to power on")));
            QVERIFY2(t.contains(QStringLiteral("REM: Chrono Power has been turned off\r\n")), qPrintable(t));
            QCOMPARE(t.contains(QStringLiteral("REM: LogPad is in Edit mode now")), capture);
            QVERIFY(!rig.link.bRxTo[1] && !rig.link.cro.bCroLinkOk && !rig.link.cro.bCroStatusOk);
            QVERIFY(!rig.sim.sim().state().powered);
            QCOMPARE(rig.host.calls.mid(0, 2), QStringList({QStringLiteral("tagEvent3"), QStringLiteral("tagDevice")}));
            QVERIFY(rig.host.calls.contains(QStringLiteral("warnEditMode")));
        }
    }

    void powerWithoutAnswer()
    {
        for (bool turnOn : {false, true}) {
            OpsRig rig;
            OneShotTimer::setScale(0.1);
            rig.sim.sim().setSilent(true);
            rig.link.bRxTo[1] = true;
            QVERIFY(!rig.ops.powerSwitch(turnOn));
            OneShotTimer::setScale(1.0);
            QVERIFY2(rig.text().contains(QStringLiteral("\r\nREM: RV5 failed to power on - check setup\r\n")),
                     qPrintable(rig.text()));
            QVERIFY(rig.link.bRxTo[1]);   // the capture switch as it was
            QVERIFY(rig.sim.sim().state().powered);
        }
    }

    void statusReportFailures_data()
    {
        QTest::addColumn<int>("cut");          // answers cut to this many bytes; -1 = whole
        QTest::addColumn<int>("version");
        QTest::addColumn<int>("sensLevel");
        QTest::addColumn<QString>("failure");
        QTest::newRow("short sign-on") << 100 << 105 << 45 << "REM: Failed to retrieve Chronograph Status.";
        QTest::newRow("version past 16 bits") << -1 << 99999 << 45 << "REM: Failed to retrieve RV5 Status!";
        QTest::newRow("sensitivity past 16 bits") << -1 << 105 << 70000 << "REM: Failed to retrieve RV5 Status!";
        QTest::newRow("whole") << -1 << 105 << 45 << "RV5 Status Report";
    }

    void statusReportFailures()
    {
        QFETCH(int, cut);
        QFETCH(int, version);
        QFETCH(int, sensLevel);
        QFETCH(QString, failure);
        OpsRig rig;
        rig.sim.sim().state().version = version;
        rig.sim.sim().state().sensLevel = sensLevel;
        rig.sim.sim().setCutEveryAnswer(cut);
        rig.ops.mnuRemStatus();
        const QString t = rig.text();
        QVERIFY2(t.contains(failure), qPrintable(t));
        QCOMPARE(t.count(QStringLiteral("Failed to retrieve")), failure.contains(QStringLiteral("Failed")) ? 1 : 0);
        QCOMPARE(t.contains(QStringLiteral("RV5 Status Report")), !failure.contains(QStringLiteral("Failed")));
        QCOMPARE(rig.host.calls.contains(QStringLiteral("warnNotFound")), failure.contains(QStringLiteral("Failed")));
    }

    void sensorsOnSetsCapture()
    {
        OpsRig rig;
        QVERIFY(!rig.sim.sim().state().sensors);
        rig.link.bRxTo[1] = false;
        QVERIFY(rig.ops.sensors(true));
        const QString t = rig.text();
        QVERIFY2(t.contains(QStringLiteral("\r\nREM: Sensors are now turned  On\r\n")), qPrintable(t));
        QVERIFY(rig.link.cro.bCroSensorsOn && rig.link.bRxTo[1] && rig.sim.sim().state().sensors);
        QVERIFY(t.contains(QStringLiteral("REM: Setup has been changed - RV5 should be calibrated again.")));

        rig.pad.clear();
        QVERIFY(rig.ops.sensors(false));
        QVERIFY2(rig.text().contains(QStringLiteral("REM: Sensors are now turned  Off")), qPrintable(rig.text()));
        QVERIFY(!rig.sim.sim().state().sensors);
        QVERIFY(rig.link.bRxTo[1]);  // put back as it was before this operation
    }

    void archeryAndRapidFire()
    {
        OpsRig rig;
        QVERIFY(rig.ops.archery(true));
        QVERIFY(rig.sim.sim().state().archery && rig.link.cro.bCroArcheryOn && !rig.link.cro.bCroCalOk);
        QVERIFY(rig.text().contains(QStringLiteral("REM: Archery is now turned  On")));
        QVERIFY(rig.ops.rapidFire(true));
        QVERIFY(rig.sim.sim().state().rapid);
        QVERIFY(rig.text().contains(QStringLiteral("REM: Rapid fire is now turned  On")));
        QVERIFY(rig.ops.rapidFire(false));
        QVERIFY(!rig.sim.sim().state().rapid && !rig.link.cro.bCroRapidOn);
    }

    void deviceGateAndOtherDevice()
    {
        OpsRig rig;
        rig.link.cro.iCroDevice = 3;
        QVERIFY(rig.ops.deviceGate());
        QCOMPARE(rig.prompter.last().text, QStringLiteral("This function does not support\r\n      LogPad Terminal"));
        // linkCheck for another device reopens its port.
        QCOMPARE(rig.ops.linkCheck(1), 10);
        QVERIFY(rig.host.calls.contains(QStringLiteral("warnOtherDevice")));
        QVERIFY(rig.link.MSComm1.portOpen());
    }

    void silentInTheMiddleOfASetter()
    {
        OpsRig rig;
        QVERIFY(rig.sim.isOpen());
        rig.link.bRxTo[1] = true;
        // The chronograph stops answering once the setter has entered its menus.
        QTimer mute;
        QObject::connect(&mute, &QTimer::timeout, [&] {
            if (rig.sim.sim().received().contains('\r'))
                rig.sim.sim().setSilent(true);
        });
        mute.start(2);
        bool ok = true;
        QVERIFY(rig.ops.guarded([&] { ok = rig.ops.rapidFire(true); }));
        QVERIFY(!ok);
        QVERIFY2(rig.text().contains(QStringLiteral("REM: Communication error - Aborting..!")), qPrintable(rig.text()));
        QVERIFY(rig.link.bRxTo[1]);          // the capture switch as it was
        QVERIFY(!rig.task.busy());           // the task guard left balanced
        QCOMPARE(rig.task.state().depth, quint16(0));
        QVERIFY(!rig.prompter.anyTextContains(QStringLiteral("Sequence Failure")));
        QVERIFY(!rig.progress.progressIsOpen());
    }
};

QTEST_GUILESS_MAIN(TstOpsSwitches)
#include "tst_ops_switches.moc"
