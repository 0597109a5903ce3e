// The setup panel's known menu position against the simulator: whatever talks to the
// chronograph between two steps (a status read, the mode, Send to PC, the position buttons,
// another entry, a key from the terminal or the keypad), the next step navigates afresh and
// reads the entry before it presses a key. The bytes the chronograph received are the proof.
#include "setup/cro_setup.h"
#include "setup/sensors_dialog.h"
#include "tst_ops_rig.h"

#include <QtTest>

#include <initializer_list>

using namespace zx;
using namespace zx::test;

namespace {

// Keys as the chronograph receives them.
constexpr char kEsc = 0x1B, kEnter = 0x0D, kDown = 0x04, kUp = 0x15, kPgUp = 0x0B;
QByteArray keys(std::initializer_list<char> k) { return QByteArray(k.begin(), qsizetype(k.size())); }
// From the top of the Data menu to the Sensitivity entry, its value read, one step up.
const QByteArray kFromTopStepUp = keys({kDown, kDown, kEnter, kPgUp});

struct Position {
    int folder, string, shot;
    bool operator==(const Position &) const = default;
};
Position position(const zx::sim::Rv5State &s) { return {s.curFol, s.curStr, s.review}; }

} // namespace

class TstSetupPosition : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // What happens between the first Sensitivity step and the second.
    void otherSenderBetweenSteps_data()
    {
        QTest::addColumn<int>("between");
        QTest::newRow("Read Status") << 0;
        QTest::newRow("Stats mode") << 1;
        QTest::newRow("Send to PC") << 2;
        QTest::newRow("shot position button") << 3;
        QTest::newRow("power-down time step") << 4;
        QTest::newRow("terminal key Up") << 5;
        QTest::newRow("keypad key Down") << 6;
    }

    void otherSenderBetweenSteps()
    {
        QFETCH(int, between);
        OpsRig rig;
        QVERIFY(rig.sim.isOpen());
        zx::sim::Rv5Simulator &sim = rig.sim.sim();
        rig.ops.getStatus();
        CroSetup setup(rig.ops, rig.prompter);
        setup.open();
        QVERIFY(setup.stepSensLevel(0));
        QCOMPARE(sim.state().sensLevel, 46);
        switch (between) {
        case 0: QVERIFY(setup.readStatus()); break;
        case 1: QVERIFY(setup.setMode(1)); break;
        case 2: QVERIFY(setup.setSendLog(2, true)); break;
        case 3: QVERIFY(setup.movePosition(1)); break;
        case 4: QVERIFY(setup.pressPwrDown(2)); break;
        case 5:   // typed in the terminal: the chronograph moves to the Archery entry
            rig.link.MSComm1.output(QByteArray(1, kUp));
            QVERIFY(rig.sim.waitReceived(int(sim.received().size()) + 1));
            QVERIFY(rig.sim.waitIdle());
            QTest::qWait(50);
            break;
        case 6:   // the keypad's single key: Cam Level
            rig.link.croSendKey(int('D'), 1);
            QVERIFY(rig.sim.waitIdle());
            QTest::qWait(50);
            break;
        }
        const Position before = position(sim.state());
        const bool archery = sim.state().archery;
        const int camLevel = sim.state().camLevel;
        sim.clearReceived();

        QVERIFY(setup.stepSensLevel(0));
        QCOMPARE(rig.prompter.count(), 0);
        QCOMPARE(sim.state().sensLevel, 47);
        QCOMPARE(rig.link.cro.iCroSensLevel, qint16(47));
        QVERIFY(position(sim.state()) == before);   // no PgUp at the Data prompt
        QCOMPARE(sim.state().archery, archery);       // nor at another entry
        QCOMPARE(sim.state().camLevel, camLevel);
        const QByteArray got = sim.received();
        QVERIFY2(got.startsWith(kEsc) && got.endsWith(kFromTopStepUp) && got.count(kPgUp) == 1,
                 got.toHex(' ').constData());
    }

    // Two steps in a row: the second reads the entry in place (Enter) before it presses.
    void readBeforeEveryStep()
    {
        OpsRig rig;
        QVERIFY(rig.sim.isOpen());
        rig.ops.getStatus();
        CroSetup setup(rig.ops, rig.prompter);
        setup.open();
        QVERIFY(setup.stepSensLevel(0));
        rig.sim.sim().clearReceived();
        QVERIFY(setup.stepSensLevel(1));
        QCOMPARE(rig.sim.sim().received(), keys({kEnter, char(0x0F)}));
        QCOMPARE(rig.sim.sim().state().sensLevel, 45);
    }

    // The chronograph's value changed behind the program's back (its own keys, no answer):
    // the read finds another value and nothing is stepped.
    void changedValueIsNotStepped_data()
    {
        QTest::addColumn<int>("entry");   // 0 sensitivity, 1 power-down time, 2 string size
        QTest::newRow("sensitivity") << 0;
        QTest::newRow("power-down time") << 1;
        QTest::newRow("string size") << 2;
    }

    void changedValueIsNotStepped()
    {
        QFETCH(int, entry);
        OpsRig rig;
        QVERIFY(rig.sim.isOpen());
        zx::sim::Rv5State &st = rig.sim.sim().state();
        rig.ops.getStatus();
        CroSetup setup(rig.ops, rig.prompter);
        setup.open();
        const auto step = [&] { return entry == 0 ? setup.stepSensLevel(0) : entry == 1 ? setup.pressPwrDown(2) : setup.stepStringSize(1); };
        QVERIFY(step());
        if (entry == 0)
            st.sensLevel = 50;
        else if (entry == 1)
            st.pwrDownMin = 30;
        else
            st.maxStr = 20, st.maxSho = 5;
        const int sens = st.sensLevel, pwr = st.pwrDownHrs * 100 + st.pwrDownMin, size = st.maxStr * 100 + st.maxSho;
        rig.sim.sim().clearReceived();
        QVERIFY(!step());
        QCOMPARE(rig.sim.sim().received().count(kPgUp), 0);
        QCOMPARE(st.sensLevel, sens);
        QCOMPARE(st.pwrDownHrs * 100 + st.pwrDownMin, pwr);
        QCOMPARE(st.maxStr * 100 + st.maxSho, size);
        QCOMPARE(rig.link.croTxn.menuPos, qint16(0));
        const QString name = entry == 0 ? QStringLiteral("Sensor Level") : entry == 1 ? QStringLiteral("Power Down Time") : QStringLiteral("String Size");
        QCOMPARE(rig.prompter.last().text, CroSetup::changeFailure(name));
    }

    // The sensors dialog keeps its own position: it too navigates afresh after a status read.
    void sensorsDialogAfterStatusRead()
    {
        OpsRig rig;
        QVERIFY(rig.sim.isOpen());
        rig.ops.getStatus();
        SensorsDialog dialog(rig.ops, rig.prompter);
        dialog.open();
        QVERIFY(dialog.incDec(0));
        rig.ops.getStatus();
        const Position before = position(rig.sim.sim().state());
        rig.sim.sim().clearReceived();
        QVERIFY(dialog.incDec(0));
        QCOMPARE(rig.sim.sim().state().sensLevel, 47);
        QVERIFY(position(rig.sim.sim().state()) == before);
        QCOMPARE(rig.sim.sim().received(), keys({kEsc, 'M'}) + kFromTopStepUp);
    }

    // A lost key on the way to an entry (the chronograph still shows the entry before):
    // the navigation notices and presses nothing there.
    void lostKeyOnTheWay()
    {
        zx::sim::Rv5Options o = SimFixture::quietOptions();
        o.menuFault = zx::sim::MenuFault::LoseKey;
        o.menuFaultAt = 2;   // the second Down: the chronograph stays at Archery
        OpsRig rig(o);
        QVERIFY(rig.sim.isOpen());
        rig.ops.getStatus();
        CroSetup setup(rig.ops, rig.prompter);
        setup.open();
        QVERIFY(!setup.stepSensLevel(0));
        QVERIFY(rig.sim.sim().menuFaultFired());
        QCOMPARE(rig.sim.sim().received().count(kPgUp), 0);
        QCOMPARE(rig.sim.sim().received().count(kEnter), 0);
        QVERIFY(!rig.sim.sim().state().archery);
        QCOMPARE(rig.sim.sim().state().sensLevel, 45);
        QCOMPARE(rig.prompter.last().text, CroSetup::changeFailure(QStringLiteral("Sensor Level")));
        // The next press starts afresh and gets there.
        QVERIFY(setup.stepSensLevel(0));
        QCOMPARE(rig.sim.sim().state().sensLevel, 46);
    }
};

QTEST_GUILESS_MAIN(TstSetupPosition)
#include "tst_setup_position.moc"
