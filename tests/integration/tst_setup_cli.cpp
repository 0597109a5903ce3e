// Where the setup operations leave the chronograph and how they end: zentrix-cli setup (listing,
// set, a refused value, a silent chronograph) ends at the data prompt; Send to PC and the
// position buttons end with the full status read and its failure message.
#include "setup/cro_setup.h"
#include "support/cli_run.h"
#include "tst_ops_rig.h"

#include <QtTest>

using namespace zx;
using namespace zx::test;

class TstSetupCli : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { OneShotTimer::setScale(1.0); }

    void cliEndsAtThePrompt_data()
    {
        QTest::addColumn<QStringList>("set");   // empty: the listing
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("mode");          // the chronograph's mode afterwards (1 Data, 2 Stats)
        QTest::addColumn<QString>("line");      // a line of the output
        QTest::newRow("listing") << QStringList{} << 0 << 1 << "expert-mode: off";
        QTest::newRow("set sensitivity") << QStringList{"set", "sensitivity", "48"} << 0 << 1 << "sensitivity: 48";
        QTest::newRow("set memory alarm") << QStringList{"set", "memory-alarm", "on"} << 0 << 1 << "memory-alarm: on";
        QTest::newRow("set stats mode") << QStringList{"set", "mode", "stats"} << 0 << 2 << "mode: stats";
    }

    void cliEndsAtThePrompt()
    {
        QFETCH(QStringList, set);
        QFETCH(int, code);
        QFETCH(int, mode);
        QFETCH(QString, line);
        if (!cliAvailable())
            QSKIP("ZX_BINARY_DIR is not set");
        SimFixture fx;
        QVERIFY(fx.isOpen());
        const CliRun r = runCli(QStringList{"setup", "--port", fx.stablePath()} + set);
        QVERIFY2(r.code == code, qPrintable(r.err));
        QVERIFY2(r.out.contains(line + QLatin1Char('\n')), qPrintable(r.out));
        QCOMPARE(fx.sim().state().menu, 0);   // not inside a menu ("MEN><STS> 00?")
        QCOMPARE(fx.sim().state().mode, mode);
    }

    void cliRefusedValueAndSilentChronograph()
    {
        if (!cliAvailable())
            QSKIP("ZX_BINARY_DIR is not set");
        SimFixture fx;
        QVERIFY(fx.isOpen());
        CliRun r = runCli({"setup", "--port", fx.stablePath(), "set", "sensitivity", "101"});
        QCOMPARE(r.code, 2);
        QVERIFY2(r.err.contains(QLatin1String("sensitivity takes a level from 0 to 100")), qPrintable(r.err));
        QVERIFY(fx.sim().received().isEmpty());   // refused before anything is sent

        fx.sim().setSilent(true);
        r = runCli({"setup", "--port", fx.stablePath(), "--scale", "0.3", "set", "sensitivity", "48"});
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains(QStringLiteral("RV5 not found on port ") + fx.stablePath()), qPrintable(r.err)); // named as given
        QCOMPARE(fx.sim().state().sensLevel, 45);
    }

    // The chronograph answers the keys, then falls silent for the status read: the status
    // failure is told, then the operation's own.
    void statusReadAfterTheKeys_data()
    {
        QTest::addColumn<int>("op");           // 0 Send to PC "Temperature", 1 Shot position down
        QTest::addColumn<QByteArray>("after"); // the answer after which the chronograph is silent
        QTest::addColumn<QString>("failure");
        QTest::newRow("send to PC") << 0 << QByteArray("LOG:") << CroSetup::changeFailure(QStringLiteral("Send Log"));
        QTest::newRow("position") << 1 << QByteArray("REV:") << CroSetup::changeFailure(QStringLiteral("(4)Shot Position"));
    }

    void statusReadAfterTheKeys()
    {
        QFETCH(int, op);
        QFETCH(QByteArray, after);
        QFETCH(QString, failure);
        OpsRig rig;
        QVERIFY(rig.sim.isOpen());
        rig.ops.getStatus();
        CroSetup setup(rig.ops, rig.prompter);
        setup.open();
        OneShotTimer::setScale(0.3);
        zx::sim::Rv5Simulator &sim = rig.sim.sim();
        QObject::connect(&sim, &zx::sim::Rv5Simulator::output, &sim, [&sim, after](const QByteArray &b) {
            if (b.contains(after))
                sim.setSilent(true);
        });
        QVERIFY(!(op == 0 ? setup.setSendLog(1, !rig.link.cro.bCroLogK) : setup.movePosition(0)));
        QCOMPARE(rig.prompter.texts(), (QStringList{CroSetup::statusFailure(), failure}));
    }
};

QTEST_GUILESS_MAIN(TstSetupCli)
#include "tst_setup_cli.moc"
