// One-shot timers: arming, expiry marks, restarts, disarming, periodic ticks and the scale.
#include "platform/one_shot_timer.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest>

using namespace zx;

class TstTimer : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { OneShotTimer::setScale(1.0); }

    void armExpireAndMark()
    {
        OneShotTimer t(30, QStringLiteral("t"));
        QVERIFY(!t.isEnabled());
        t.setExpired(true);
        t.arm(30);
        QVERIFY(!t.expired());
        QVERIFY(t.isEnabled());
        QElapsedTimer clock;
        clock.start();
        QTRY_VERIFY_WITH_TIMEOUT(t.expired(), 1000);
        QVERIFY(clock.elapsed() >= 29);
        QVERIFY(!t.isEnabled());   // expiry stops it
    }

    void restartBeginsTheIntervalAnew()
    {
        OneShotTimer t;
        t.arm(80);
        QElapsedTimer clock;
        clock.start();
        QTest::qWait(50);
        t.restart();
        QTRY_VERIFY_WITH_TIMEOUT(t.expired(), 1000);
        QVERIFY2(clock.elapsed() >= 125, qPrintable(QString::number(clock.elapsed())));
    }

    void disarmSetsMarkStopLeavesIt()
    {
        OneShotTimer t;
        t.arm(1000);
        t.stop();
        QVERIFY(!t.expired());
        QVERIFY(!t.isEnabled());
        t.setEnabled(true);
        QVERIFY(t.isEnabled());
        t.disarm();
        QVERIFY(t.expired());
        QVERIFY(!t.isEnabled());
    }

    void periodicTicksWithoutMarking()
    {
        OneShotTimer t(10, QStringLiteral("p"));
        t.setPeriodic(true);
        QSignalSpy ticks(&t, &OneShotTimer::tick);
        t.setEnabled(true);
        QTRY_VERIFY_WITH_TIMEOUT(ticks.count() >= 3, 2000);
        QVERIFY(!t.expired());
        QVERIFY(t.isEnabled());
    }

    void scaleShortensEveryInterval()
    {
        OneShotTimer::setScale(0.01);
        QCOMPARE(OneShotTimer::scaled(2000), 20);
        QCOMPARE(OneShotTimer::scaled(50), 1);   // never below 1 ms
        OneShotTimer t;
        QElapsedTimer clock;
        clock.start();
        t.arm(3000);
        QCOMPARE(t.interval(), 3000);             // the design interval is kept
        QTRY_VERIFY_WITH_TIMEOUT(t.expired(), 1000);
        QVERIFY(clock.elapsed() < 500);
    }
};

QTEST_GUILESS_MAIN(TstTimer)
#include "tst_timer.moc"
