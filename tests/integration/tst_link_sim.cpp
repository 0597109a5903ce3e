// The link against the RV5 simulator on a real pseudo-terminal, through the users' serial stack.
#include "link/link_session.h"
#include "link/status_parser.h"
#include "platform/port_map.h"
#include "support/recording_logpad.h"
#include "support/scripted_prompter.h"
#include "support/sim_fixture.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QtTest>

using namespace zx;

class TstLinkSim : public QObject {
    Q_OBJECT

    test::ScriptedPrompter prompter;
    test::RecordingLogPad pad;
    std::unique_ptr<test::SimFixture> fx;
    std::unique_ptr<LinkSession> s;

    void start(bool paced = false)
    {
        auto opt = test::SimFixture::quietOptions();
        opt.paced = paced;
        fx = std::make_unique<test::SimFixture>(opt);
        QVERIFY2(fx->isOpen(), qPrintable(fx->errorString()));
        PortMap::setOverride(1, fx->stablePath());
        s = std::make_unique<LinkSession>(&prompter, nullptr, QStringLiteral("Zentrix0"), 0, &pad);
        s->MSComm1.setCommPort(1);
        s->subOpenPort();
        QVERIFY(s->MSComm1.portOpen());
    }
    // Esc, then "Q" (once more after Esc and "D" when it fails), then the status parse.
    bool readStatus()
    {
        s->croTransact(true, QStringLiteral("["), 0, 0);
        if (s->croTxn.failed)
            return false;
        if (s->croTxn.menu > 0)
            s->croTransact(false, QStringLiteral("D"), 1, 0);
        s->croTransact(false, QStringLiteral("Q"), 1, 0);
        if (s->croTxn.failed)
            return false;
        return parseStatus(s->cro, s->sCroRsp);
    }

private Q_SLOTS:
    void init()
    {
        OneShotTimer::setScale(1.0);
        prompter.clear();
        pad.clear();
    }
    void cleanup()
    {
        s.reset();
        fx.reset();
        PortMap::clearOverrides();
        OneShotTimer::setScale(1.0);
    }

    void connectAndReadStatus_data()
    {
        QTest::addColumn<bool>("paced");
        QTest::addColumn<int>("chunk");   // split the chronograph's output into pieces of this size; 0 = no split
        QTest::newRow("fast line") << false << 0;
        QTest::newRow("4800 baud") << true << 0;
        QTest::newRow("one byte at a time") << false << 1;
        QTest::newRow("three bytes at a time") << false << 3;
    }
    void connectAndReadStatus()
    {
        QFETCH(bool, paced);
        QFETCH(int, chunk);
        start(paced);
        if (chunk > 0)
            fx->sim().setChunking(chunk, 1);
        fx->sim().state().sensLevel = 61;
        fx->sim().state().archery = true;
        QVERIFY(s->croConnect());
        QVERIFY(pad.rendered().isEmpty());
        QVERIFY(readStatus() && s->cro.bCroStatusOk && s->cro.bCroArcheryOn);
        QCOMPARE(QList<int>({s->cro.iCroSensLevel, s->cro.iCroVersion, s->croTxn.prompt}), QList<int>({61, 105, 1}));
        QVERIFY(s->sCroRsp.size() <= 900);
    }

    void listingsEndOnTheirMarkers_data()
    {
        QTest::addColumn<QString>("scope");
        QTest::newRow("string") << "1";
        QTest::newRow("folder") << "2";
        QTest::newRow("disk") << "3";
    }
    void listingsEndOnTheirMarkers()
    {
        QFETCH(QString, scope);
        start();
        s->croTransact(true, QStringLiteral("["), 0, 0);
        s->croTransact(false, QStringLiteral("D"), 1, 0);
        s->bRxTo[1] = true;   // the listing goes into the CFile
        s->croTransact(false, scope, 1, 0);
        s->bRxTo[1] = false;
        QVERIFY2(!s->croTxn.failed, qPrintable(QString::number(s->croTxn.result)));
        QVERIFY(s->croTxn.result == 1 || s->croTxn.result == 2);
        QVERIFY(pad.captured().contains(QLatin1String("MMR:<End>")));
        QVERIFY(s->sCroRsp.size() <= LinkSession::kCroRspCap);
        QVERIFY(s->sCroRsp.endsWith(QLatin1String("DAT>")));
    }

    void stalledListingEndsOnHeaderTimeout()
    {
        start();
        fx->sim().setStallListingAfterHeader(true);
        QElapsedTimer t;
        t.start();
        // A silence limit above the header time: the missing memory lines end it, not the silence.
        s->croTransact(false, QStringLiteral("2"), 1, 1000);
        QCOMPARE(int(s->croTxn.result), 103);
        QVERIFY(s->croTxn.failed && t.elapsed() < 5000);
        s->croTransact(false, QStringLiteral("1"), 1, 0);   // default silence limit comes first
        QCOMPARE(int(s->croTxn.result), 100);
    }

    void garbageNeverHangs()
    {
        start();
        fx->sim().setGarbageRate(0.05);
        OneShotTimer::setScale(0.5);
        for (int i = 0; i < 5; ++i) {
            s->croTransact(false, QStringLiteral("Q"), 1, 0);
            QVERIFY(s->croTxn.result < 10 || s->croTxn.result >= 100);
        }
    }

    void pulledCableEndsTheTransactionAndIsWaitedFor()
    {
        start(true);
        s->bRxTo[1] = true;
        QTimer::singleShot(150, s.get(), [this] { fx->unplug(); });
        s->croTransact(false, QStringLiteral("Q"), 1, 0);
        QVERIFY(s->croTxn.failed && s->croTxn.result >= 100);
        QTRY_VERIFY(s->bLinkLost);
        QVERIFY(!s->MSComm1.portOpen() && !s->bPortOpen && !s->bRxTo[1]);
        QVERIFY(pad.rendered().contains(QLatin1String("\r\nREM: COM1 - Chrono-1 connection lost..!\r\n")));
        // Nothing waits on the dead port.
        QElapsedTimer t;
        t.start();
        s->croTransact(false, QStringLiteral("D"), 1, 1000);
        QCOMPARE(int(s->croTxn.result), 100);
        QVERIFY(t.elapsed() < 500);
        QVERIFY(!s->croReopenPort());
        QVERIFY(s->reconnectWatching());

        // Back at the same path: reopened, capture switch as it was.
        QVERIFY(fx->replug());
        QTRY_VERIFY_WITH_TIMEOUT(s->MSComm1.portOpen(), 5000);
        QVERIFY(s->bPortOpen && s->bRxTo[1] && !s->bLinkLost);
        QVERIFY(pad.rendered().contains(QLatin1String("REM: COM1 - Chrono-1 reconnected")));
        fx->sim().setSensors(true);
        QVERIFY(fx->sim().fireShot(2800));
        QTRY_VERIFY(pad.captured().contains(QLatin1String("2800.00")));
    }

    void pulledCableWithoutAutoReconnect()
    {
        start();
        s->bAutoReconnect = false;
        fx->unplug();
        QTRY_VERIFY(s->bLinkLost);
        QVERIFY(!s->reconnectWatching());
        QVERIFY(fx->replug());
        s->subOpenPort();   // by hand
        QVERIFY(s->MSComm1.portOpen() && !s->bLinkLost);
    }

    void readMemPos_data()
    {
        QTest::addColumn<bool>("statsMode");
        QTest::addColumn<int>("cut");      // answers cut to this many bytes; -1 = whole
        QTest::addColumn<QByteArray>("sent");
        QTest::addColumn<bool>("ok");
        QTest::newRow("data mode") << false << -1 << QByteArray("\x1bW") << true;
        QTest::newRow("stats mode") << true << -1 << QByteArray("\x1b" "DW") << true;
        QTest::newRow("cut answers") << false << 12 << QByteArray("\x1b") << false;
    }
    void readMemPos()
    {
        QFETCH(bool, statsMode);
        QFETCH(int, cut);
        QFETCH(QByteArray, sent);
        QFETCH(bool, ok);
        start();
        OneShotTimer::setScale(0.2);
        if (statsMode)
            s->croTransact(false, QStringLiteral("S"), 2, 0);
        fx->sim().state().curFol = 3;
        fx->sim().state().curStr = 2;
        fx->sim().setCutEveryAnswer(cut);
        fx->sim().clearReceived();
        double folder = -1, string = -1, shot = -1;
        qint16 size = -1;
        QCOMPARE(s->readMemPos(folder, string, shot, size), ok);
        QCOMPARE(fx->sim().received(), sent);
        QCOMPARE(folder, ok ? 3.0 : -1.0);
        QCOMPARE(string, ok ? 2.0 : -1.0);
        QVERIFY(ok ? size >= 0 && shot >= 0 : size == -1 && shot == -1);
    }

    void sensorsOff()
    {
        start();
        OneShotTimer::setScale(0.2);
        fx->sim().state().sensors = true;
        s->cro.bCroSensorsOn = true;
        QVERIFY(s->sensorsOff());
        QVERIFY(!fx->sim().state().sensors && !s->cro.bCroSensorsOn);
        // Sensors that cannot be switched off: the status is no longer trusted.
        fx->sim().state().sensors = true;
        fx->sim().setSensorsStuck(true);
        s->cro.bCroStatusOk = true;
        QVERIFY(!s->sensorsOff());
        QVERIFY(!s->cro.bCroStatusOk);
    }

    void menuNavigation_data()
    {
        QTest::addColumn<int>("menu");
        QTest::addColumn<int>("item");
        QTest::addColumn<int>("sub");
        QTest::newRow("rapid fire") << 2 << 3 << 1;
        QTest::newRow("sensors") << 2 << 3 << 0;
        QTest::newRow("archery") << 1 << 0 << 1;
        QTest::newRow("top of Data menu") << 1 << 0 << 0;
    }
    void menuNavigation()
    {
        QFETCH(int, menu);
        QFETCH(int, item);
        QFETCH(int, sub);
        start();
        QVERIFY(s->menuGoTo(menu, item, sub));
        QCOMPARE(int(s->croTxn.menuPos), 100 * menu + 10 * item + sub);
        QCOMPARE(int(s->croTxn.menu), menu);
        // From inside the menu, a second trip to the same place works too.
        QVERIFY(s->menuGoTo(menu, item, sub));
    }

    void setMenuItemTurnsRapidFireOnAndOff()
    {
        start();
        QVERIFY(s->setMenuItem(2, 3, 1, true));
        QVERIFY(fx->sim().state().rapid && s->cro.bCroSetupChg);
        s->cro.bCroSetupChg = false;
        QVERIFY(s->setMenuItem(2, 3, 1, true));   // already on: no change
        QVERIFY(!s->cro.bCroSetupChg);
        QVERIFY(s->setMenuItem(2, 3, 1, false));
        QVERIFY(!fx->sim().state().rapid);
    }

    void probeFindsTheChronograph()
    {
        start();
        s->subClosePort();
        QStringList msgs;
        s->hooks.probeMessage = [&msgs](const QString &m) { msgs << m; };
        s->getPrtState();
        QCOMPARE(s->com2Open(1), 0);
        QCOMPARE(s->croProbe(), 0);
        QVERIFY(s->cro.bCroStatusOk && msgs.isEmpty() && !s->MSComm2.portOpen());
    }

    void probeOfSilentPort()
    {
        start();
        fx->sim().setSilent(true);
        OneShotTimer::setScale(0.2);
        QStringList msgs;
        s->hooks.probeMessage = [&msgs](const QString &m) { msgs << m; };
        s->getPrtState();
        QCOMPARE(s->com2Open(1), 0);   // the link port on the same number is closed for the probe
        QVERIFY(!s->MSComm1.portOpen());
        QCOMPARE(s->croProbe(), 1);
        QCOMPARE(msgs.size(), 12);   // the texts themselves: tst_link_transact
        QVERIFY(s->MSComm1.portOpen());   // reopened by com2Close
    }

    void probeOfMissingPort()
    {
        start();
        PortMap::setOverride(9, QStringLiteral("/dev/zentrix-missing"));
        s->getPrtState();
        QCOMPARE(s->com2Open(9), 8002);
        s->com2Close();
        QVERIFY(s->MSComm1.portOpen());
    }
};

QTEST_GUILESS_MAIN(TstLinkSim)
#include "tst_link_sim.moc"
