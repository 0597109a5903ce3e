// What the velocity chart draws for a string, without drawing it: the shots at their own
// numbers where those rise, else counted; the axis spans; the legend's figures.
#include "app/velocity_plot.h"

#include <QtTest>

using namespace zx;

namespace {
std::vector<ShotRecord> shotsNumbered(const QList<int> &numbers)
{
    std::vector<ShotRecord> out;
    for (int n : numbers) {
        ShotRecord r;
        r.shot = n;
        r.velocity = 2800 + 10 * double(out.size());
        out.push_back(r);
    }
    return out;
}
} // namespace

class TstVelocityPlot : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void shotNumbersOnTheAxis_data()
    {
        QTest::addColumn<QList<int>>("numbers");
        QTest::addColumn<QList<double>>("xs");
        QTest::addColumn<double>("xLast");
        QTest::addColumn<int>("ticks");
        QTest::addRow("a string shot from #07") << QList<int>{7, 8, 9, 10} << QList<double>{7, 8, 9, 10} << 10.0 << 4;
        QTest::addRow("a gap in the numbers") << QList<int>{3, 5} << QList<double>{3, 5} << 5.0 << 3;
        QTest::addRow("one shot") << QList<int>{12} << QList<double>{12} << 13.0 << 2;
        QTest::addRow("a selection over two strings") << QList<int>{4, 5, 1} << QList<double>{1, 2, 3} << 3.0 << 3;
        QTest::addRow("shots without numbers") << QList<int>{0, 0} << QList<double>{1, 2} << 2.0 << 2;
        QTest::addRow("a long string") << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}
                                       << QList<double>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12} << 12.0 << 10;
    }
    void shotNumbersOnTheAxis()
    {
        QFETCH(QList<int>, numbers);
        QFETCH(QList<double>, xs);
        QFETCH(double, xLast);
        QFETCH(int, ticks);
        const VelocityPlot p = plotOf(shotsNumbered(numbers), QStringLiteral("Range.txt: string 2"));
        QList<double> got;
        for (const QPointF &pt : p.shots)
            got << pt.x();
        QCOMPARE(got, xs);
        QCOMPARE(p.xFirst, xs.front());
        QCOMPARE(p.xLast, xLast);
        QCOMPARE(p.xTicks, ticks);
        QCOMPARE(p.title, QStringLiteral("Range.txt: string 2"));
    }

    void legendAndRangesHoldTheStatistics()
    {
        std::vector<ShotRecord> shots = shotsNumbered({1, 2, 3});   // 2800, 2810, 2820 f/s: SD 10
        const VelocityPlot p = plotOf(shots, QString());
        QCOMPARE(p.average, 2810.0);
        QCOMPARE(p.sd, 10.0);
        QVERIFY2(p.averageLabel.contains(QStringLiteral("2810.0 f/s")), qPrintable(p.averageLabel));
        QVERIFY2(p.bandLabel.contains(QStringLiteral("10.0 f/s")), qPrintable(p.bandLabel));
        QVERIFY(p.yLow < 2800 && p.yHigh > 2820);
        QCOMPARE(p.yTitle, QStringLiteral("Velocity (f/s)"));
    }

    void noShotsNothingToShow()
    {
        const VelocityPlot p = plotOf({}, QStringLiteral("Range.txt: string 2"));
        QVERIFY(p.shots.isEmpty() && p.title.isEmpty() && p.averageLabel.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TstVelocityPlot)
#include "tst_velocity_plot.moc"
