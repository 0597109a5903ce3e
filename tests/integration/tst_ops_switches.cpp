// Power, sensors and the mode refresh against the simulator: power off with and
// without capture, power-on detection, sensors on setting the capture switch,
// archery and rapid fire through the chronograph's menu, and the refresh turning
// capture off once the port is closed.
#include "app/status_refresh.h"
#include "tst_ops_rig.h"

#include <QTimer>
#include <QtTest>

using namespace zx;
using namespace zx::test;

class TstOpsSwitches : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void powerOff_data();
    void powerOff();
    void sensorsOnSetsCapture();
    void archeryAndRapidFire();
    void refreshTurnsCaptureOffWhenPortCloses();
    void deviceGateAndOtherDevice();
    void silentInTheMiddleOfASetter();
};

void TstOpsSwitches::powerOff_data()
{
    QTest::addColumn<bool>("capture");
    QTest::newRow("capture off") << false;
    QTest::newRow("capture on") << true;
}

void TstOpsSwitches::powerOff()
{
    QFETCH(bool, capture);
    OpsRig rig;
    QVERIFY(rig.sim.isOpen());
    rig.link.bRxTo[1] = capture;
    QVERIFY(rig.ops.powerSwitch(false));
    const QString t = rig.text();
    QVERIFY2(t.contains(QStringLiteral("REM: Chrono Power has been turned off\r\n")), qPrintable(t));
    QCOMPARE(t.contains(QStringLiteral("REM: LogPad is in Edit mode now")), capture);
    QVERIFY(!rig.link.bRxTo[1]);
    QVERIFY(!rig.link.cro.bCroLinkOk);
    QVERIFY(!rig.link.cro.bCroStatusOk);
    QVERIFY(!rig.sim.sim().state().powered);
    QCOMPARE(rig.host.calls.mid(0, 2), QStringList({QStringLiteral("tagEvent3"), QStringLiteral("tagDevice")}));
    QVERIFY(rig.host.calls.contains(QStringLiteral("warnEditMode")));
}

void TstOpsSwitches::sensorsOnSetsCapture()
{
    OpsRig rig;
    QVERIFY(rig.sim.isOpen());
    QVERIFY(!rig.sim.sim().state().sensors);
    rig.link.bRxTo[1] = false;
    QVERIFY(rig.ops.sensors(true));
    const QString t = rig.text();
    QVERIFY2(t.contains(QStringLiteral("\r\nREM: Sensors are now turned  On\r\n")), qPrintable(t));
    QVERIFY(rig.link.cro.bCroSensorsOn);
    QVERIFY(rig.link.bRxTo[1]);
    QVERIFY(rig.sim.sim().state().sensors);
    QVERIFY(t.contains(QStringLiteral("REM: Setup has been changed - RV5 should be calibrated again.")));

    rig.pad.clear();
    QVERIFY(rig.ops.sensors(false));
    QVERIFY2(rig.text().contains(QStringLiteral("REM: Sensors are now turned  Off")), qPrintable(rig.text()));
    QVERIFY(!rig.sim.sim().state().sensors);
    QVERIFY(rig.link.bRxTo[1]);  // put back as it was before this operation
}

void TstOpsSwitches::archeryAndRapidFire()
{
    OpsRig rig;
    QVERIFY(rig.sim.isOpen());
    QVERIFY(rig.ops.archery(true));
    QVERIFY(rig.sim.sim().state().archery);
    QVERIFY(rig.link.cro.bCroArcheryOn);
    QVERIFY(!rig.link.cro.bCroCalOk);
    QVERIFY(rig.text().contains(QStringLiteral("REM: Archery is now turned  On")));
    QVERIFY(rig.ops.rapidFire(true));
    QVERIFY(rig.sim.sim().state().rapid);
    QVERIFY(rig.text().contains(QStringLiteral("REM: Rapid fire is now turned  On")));
    QVERIFY(rig.ops.rapidFire(false));
    QVERIFY(!rig.sim.sim().state().rapid);
    QVERIFY(!rig.link.cro.bCroRapidOn);
}

void TstOpsSwitches::refreshTurnsCaptureOffWhenPortCloses()
{
    OpsRig rig;
    QVERIFY(rig.sim.isOpen());
    rig.link.bRxTo[1] = true;
    rig.link.cro.bCroSensorsOn = true;
    StatusRefresh refresh(
        [&] {
            ProgramState s;
            s.portNum = rig.link.MSComm1.commPort();
            s.portOpen = rig.link.MSComm1.portOpen();
            s.captureOn = rig.link.bRxTo[1];
            s.sensorsOn = rig.link.cro.bCroSensorsOn;
            return s;
        },
        [&] { rig.link.bRxTo[1] = false; });
    QVERIFY(refresh.refresh().mainCaption.contains(QStringLiteral("{Shoot}")));
    QVERIFY(rig.link.bRxTo[1]);
    rig.link.subClosePort();
    const ViewState v = refresh.refresh();
    QVERIFY(!rig.link.bRxTo[1]);
    QCOMPARE(v.mainCaption, QStringLiteral("Zentrix0 {COM1=OFF} {Edit} {RV5 Vantor}"));
}

void TstOpsSwitches::deviceGateAndOtherDevice()
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

void TstOpsSwitches::silentInTheMiddleOfASetter()
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

QTEST_GUILESS_MAIN(TstOpsSwitches)
#include "tst_ops_switches.moc"
