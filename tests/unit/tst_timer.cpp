// One-shot timers: arming, expiry marks, restarts, disarming, periodic ticks and the scale.
// Only lower bounds are timed: a busy machine may fire late, never early.
#include "platform/one_shot_timer.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest>

using namespace zx;

class TstTimer : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { OneShotTimer::setScale(1.0); }

    void armExpireAndRestart()
    {
        OneShotTimer t(30, QStringLiteral("t"));
        QVERIFY(!t.isEnabled());
        t.setExpired(true);
        QElapsedTimer clock;
        clock.start();
        t.arm(80);
        QVERIFY(!t.expired() && t.isEnabled());
        QTest::qWait(50);
        t.restart(); // the full interval begins anew
        QTRY_VERIFY_WITH_TIMEOUT(t.expired(), 5000);
        QVERIFY2(clock.elapsed() >= 125, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(!t.isEnabled()); // expiry stops it
    }

    void disarmSetsMarkStopLeavesIt()
    {
        OneShotTimer t;
        t.arm(1000);
        t.stop();
        QVERIFY(!t.expired() && !t.isEnabled());
        t.setEnabled(true);
        QVERIFY(t.isEnabled());
        t.disarm();
        QVERIFY(t.expired() && !t.isEnabled());
    }

    void periodicTicksWithoutMarking()
    {
        OneShotTimer t(10, QStringLiteral("p"));
        t.setPeriodic(true);
        QSignalSpy ticks(&t, &OneShotTimer::tick);
        t.setEnabled(true);
        QTRY_VERIFY_WITH_TIMEOUT(ticks.count() >= 3, 5000);
        QVERIFY(!t.expired() && t.isEnabled());
    }

    void scaleShortensEveryInterval()
    {
        OneShotTimer::setScale(0.01);
        QCOMPARE(OneShotTimer::scaled(2000), 20);
        QCOMPARE(OneShotTimer::scaled(50), 1); // never below 1 ms
        OneShotTimer t;
        QElapsedTimer clock;
        clock.start();
        t.arm(3000);
        QCOMPARE(t.interval(), 3000); // the design interval is kept
        QTRY_VERIFY_WITH_TIMEOUT(t.expired(), 2500);
        QVERIFY(clock.elapsed() < 2500);
    }
};

QTEST_GUILESS_MAIN(TstTimer)
#include "tst_timer.moc"
