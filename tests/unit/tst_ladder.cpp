// The ladder's figures worked out by hand: points by charge, averages, SD (n-1) and extreme
// spreads, the flattest step, units converted to the first string's, strings without a load.
#include "library/ladder.h"

#include <QtTest>

using namespace zx;

namespace {
// "40.5 gr: 2740 2750 2760" (a load line's charge, then velocities), "m/s" after the
// velocities for metres per second, "-" for a string without a load.
std::vector<ShotString> strings(const QStringList &rows)
{
    std::vector<ShotString> out;
    for (const QString &row : rows) {
        ShotString s;
        const QString charge = row.section(':', 0, 0);
        if (charge != "-")
            s.load = readLoadLine(QStringLiteral("LOAD: Charge=") + charge);
        for (const QString &v : row.section(':', 1).split(' ', Qt::SkipEmptyParts)) {
            if (v == "m/s")
                for (ShotRecord &r : s.shots)
                    r.velocityUnits = v;
            else
                s.shots.push_back(ShotRecord{0, 0, int(s.shots.size()) + 1, v.toDouble(), 0, 0});
        }
        out.push_back(s);
    }
    return out;
}
} // namespace

class TestLadder : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void figures_data()
    {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QList<double>>("x");
        QTest::addColumn<QList<double>>("average");
        QTest::addColumn<QList<double>>("sd");
        QTest::addColumn<QList<double>>("spread");
        QTest::addColumn<int>("flattest");
        QTest::addColumn<double>("slope");
        QTest::addColumn<double>("step"); // the smallest step between neighbouring loads
        // Steps: 40/0.5 = 80, 10/0.5 = 20, 40/0.5 = 80.
        QTest::newRow("flat middle") << QStringList{"41.0 gr: 2755 2760 2765", "40.0 gr: 2700 2710 2720",
                                                    "41.5 gr: 2790 2800 2810", "40.5 gr: 2740 2750 2760"}
                                     << QList<double>{40, 40.5, 41, 41.5} << QList<double>{2710, 2750, 2760, 2800}
                                     << QList<double>{10, 10, 5, 10} << QList<double>{20, 20, 10, 20} << 1 << 20.0 << 0.5;
        // 2.6 g = 40.12413 gr; 40 / 0.12413 = 322.238.
        QTest::newRow("grams") << QStringList{"40.0 gr: 2700 2710 2720", "2,6g: 2740 2750 2760"}
                               << QList<double>{40, 40.12413} << QList<double>{2710, 2750} << QList<double>{10, 10}
                               << QList<double>{20, 20} << 0 << 322.238 << 0.12413;
        // The same charge twice is no step; the unloaded string is left out.
        QTest::newRow("repeat, no load") << QStringList{"40 gr: 2700 2710 2720", "40 gr: 2710", "-: 2900", "40.5 gr: 2730"}
                                         << QList<double>{40, 40, 40.5} << QList<double>{2710, 2710, 2730}
                                         << QList<double>{10, 0, 0} << QList<double>{20, 0, 0} << 1 << 40.0 << 0.5;
        // 853.44 m/s = 2800 f/s: the first string's unit.
        QTest::newRow("m/s") << QStringList{"40 gr: 2800", "41 gr: 853.44 m/s"} << QList<double>{40, 41}
                             << QList<double>{2800, 2800} << QList<double>{0, 0} << QList<double>{0, 0} << 0 << 0.0 << 1.0;
        QTest::newRow("one load") << QStringList{"40 gr: 2800", "40 gr: 2810"} << QList<double>{40, 40}
                                  << QList<double>{2800, 2810} << QList<double>{0, 0} << QList<double>{0, 0} << -1 << 0.0 << 0.0;
    }
    void figures()
    {
        QFETCH(QStringList, rows);
        QFETCH(QList<double>, x);
        QFETCH(QList<double>, average);
        QFETCH(QList<double>, sd);
        QFETCH(QList<double>, spread);
        const Ladder l = buildLadder(strings(rows));
        QCOMPARE(l.points.size(), size_t(x.size()));
        QCOMPARE(l.skipped, int(rows.size() - x.size()));
        for (qsizetype i = 0; i < x.size(); ++i) {
            const LadderPoint &p = l.points[size_t(i)];
            QVERIFY2(qAbs(p.x - x[i]) < 1e-4, qPrintable(QString::number(p.x)));
            QVERIFY2(qAbs(p.stats.average - average[i]) < 1e-4, qPrintable(QString::number(p.stats.average)));
            QVERIFY(qAbs(p.stats.sd - sd[i]) < 1e-6 && qAbs(p.stats.spread - spread[i]) < 1e-6);
        }
        QTEST(l.flattest, "flattest");
        QFETCH(double, slope);
        QVERIFY2(qAbs(l.flattestSlope - slope) < 1e-3, qPrintable(QString::number(l.flattestSlope)));
        QFETCH(double, step);
        QVERIFY2(qAbs(ladderStep(l) - step) < 1e-4, qPrintable(QString::number(ladderStep(l))));
        QCOMPARE(l.xTitle, "Charge weight (gr)");
        QCOMPARE(l.yTitle, "Average velocity (f/s)");
    }
    void otherField()
    {
        auto s = strings({"40 gr: 2800", "40 gr: 2850", "40 gr: 2900"});
        s[0].load = readLoadLine(u"LOAD: Bullet=175 gr SMK");
        s[1].load = readLoadLine(u"LOAD: Bullet=155gr SMK");
        const Ladder l = buildLadder(s, LadderField::BulletWeight);
        QCOMPARE(l.points.size(), size_t(2));
        QCOMPARE(l.points[0].string, 1);
        QCOMPARE(l.xTitle, "Bullet weight (gr)");
        QCOMPARE(l.flattestSlope, 2.5);
    }
};

QTEST_MAIN(TestLadder)
#include "tst_ladder.moc"
