// The setup panel's operations against the simulator: every setting changed and read back from
// a fresh status, the sensor level walked to 60, a chronograph that falls silent mid-walk.
#include "setup/cro_setup.h"
#include "setup/sensors_dialog.h"
#include "setup/setup_settings.h"
#include "tst_ops_rig.h"

#include <QTimer>
#include <QtTest>

using namespace zx;
using namespace zx::test;

class TstSetupOps : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void settingReadBack_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("value");
        const char *const rows[][2] = {
            {"sensors", "on"}, {"sensitivity", "48"}, {"sensitivity", "41"}, {"archery", "on"},
            {"rapid-fire", "on"}, {"velocity-units", "m/s"}, {"temperature-units", "cel"}, {"power-down", "off"},
            {"power-down-time", "1:03"}, {"power-down-time", "0:58"}, {"string-size", "5x20"}, {"string-size", "12x8"},
            {"mode", "stats"}, {"memory-alarm", "on"}, {"expert-mode", "on"}, {"send-capture-tag", "off"},
            {"send-temperature", "off"}, {"send-stats", "on"},
        };
        for (const auto &r : rows)
            QTest::addRow("%s %s", r[0], r[1]) << QString::fromLatin1(r[0]) << QString::fromLatin1(r[1]);
    }

    void settingReadBack()
    {
        QFETCH(QString, name);
        QFETCH(QString, value);
        OpsRig rig;
        QVERIFY(checkSetupValue(name, value).isEmpty());
        rig.ops.getStatus();
        CroSetup setup(rig.ops, rig.prompter);
        setup.open();
        QVERIFY(setupValue(setup, name) != value);
        QVERIFY(applySetupValue(setup, name, value));
        QCOMPARE(setupValue(setup, name), value);
        QCOMPARE(rig.prompter.count(), 0);
        if (name == QLatin1String("mode")) {   // a status read always ends in Data mode
            QCOMPARE(rig.sim.sim().state().mode, 2);
            return;
        }
        // The chronograph's own word, from a state that knows nothing.
        rig.link.cro = CroState{};
        CroSetup fresh(rig.ops, rig.prompter);
        QVERIFY(fresh.readStatus());
        QVERIFY(fresh.readSwitch(CroSetup::MemAlarm) && fresh.readSwitch(CroSetup::ExpertMode));
        QCOMPARE(setupValue(fresh, name), value);
    }

    void badValuesSendNothing()
    {
        for (const auto &[n, v] : {std::pair{"sensitivity", "101"}, {"power-down-time", "4:00"}, {"power-down-time", "1:60"},
                                   {"string-size", "0x10"}, {"velocity-units", "km/h"}, {"volume", "on"}})
            QVERIFY2(!checkSetupValue(QString::fromLatin1(n), QString::fromLatin1(v)).isEmpty(), n);
    }

    void hourButtons_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("up");
        QTest::addColumn<int>("target");
        QTest::newRow("3:55 up") << 355 << true << 351;
        QTest::newRow("3:40 up") << 340 << true << 340;
        QTest::newRow("2:55 up") << 255 << true << 355;
        QTest::newRow("0:30 down") << 30 << false << 30;
        QTest::newRow("1:15 down") << 115 << false << 15;
    }

    void hourButtons()
    {
        QFETCH(int, code);
        QFETCH(bool, up);
        QFETCH(int, target);
        QCOMPARE(CroSetup::hourTarget(code / 100, code % 100, up), target);
    }

    void defaultLevelFromBothSides_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<bool>("dialog");
        for (int start : {52, 67})
            for (bool dialog : {false, true})
                QTest::addRow("%d %s", start, dialog ? "dialog" : "panel") << start << dialog;
    }

    void defaultLevelFromBothSides()
    {
        QFETCH(int, start);
        QFETCH(bool, dialog);
        OpsRig rig;
        rig.sim.sim().state().sensLevel = start;
        rig.ops.getStatus();
        CroSetup setup(rig.ops, rig.prompter);
        SensorsDialog sensors(rig.ops, rig.prompter);
        setup.open();
        sensors.open();
        QVERIFY(dialog ? sensors.reset() : setup.defaultSensLevel());
        QCOMPARE(rig.sim.sim().state().sensLevel, 60);
        QCOMPARE(rig.link.cro.iCroSensLevel, qint16(60));
        QCOMPARE(rig.prompter.count(), 0);
    }

    // The chronograph is unplugged once it shows 55: the walk stops with the failure message
    // and the level the chronograph last confirmed.
    void silentMidWalk_data()
    {
        QTest::addColumn<bool>("dialog");
        QTest::newRow("panel") << false;
        QTest::newRow("dialog") << true;
    }

    void silentMidWalk()
    {
        QFETCH(bool, dialog);
        OpsRig rig;
        rig.ops.getStatus();
        CroSetup setup(rig.ops, rig.prompter);
        SensorsDialog sensors(rig.ops, rig.prompter);
        setup.open();
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (rig.sim.sim().state().sensLevel >= 55 && rig.sim.isOpen()) {
                rig.sim.unplug();
                watch.stop();
            }
        });
        watch.start(1);
        QVERIFY(!(dialog ? sensors.reset() : setup.defaultSensLevel()));
        const int level = rig.link.cro.iCroSensLevel;
        QVERIFY2(level >= 54 && level < 60 && level <= rig.sim.sim().state().sensLevel, qPrintable(QString::number(level)));
        if (!dialog)   // the next operation navigates afresh
            QCOMPARE(rig.link.croTxn.menuPos, qint16(0));
        const QString expected = dialog ? QStringLiteral("Error in setting sensor level..!\r\nQuiting...")
                                        : CroSetup::changeFailure(QStringLiteral("Sensor Level"));
        QCOMPARE(rig.prompter.last().text, expected);
        if (dialog)   // the try-again question, answered No
            QVERIFY(rig.prompter.anyTextContains(QStringLiteral("Error in retrieving Sensor Level")));
    }
};

QTEST_MAIN(TstSetupOps)
#include "tst_setup_ops.moc"
