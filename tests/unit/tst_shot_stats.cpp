#include "cfile/shot_strings.h"
#include "cfile/string_stats.h"
#include "export/csv_export.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace zx;

class TestShotStats : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void stringStats_data()
    {
        QTest::addColumn<QList<double>>("v");
        QTest::addColumn<QList<double>>("want");   // average, spread, sd, sd %, ci low, ci high
        QTest::newRow("one shot") << QList<double>{2800} << QList<double>{2800, 0, 0, 0, 2800, 2800};
        QTest::newRow("two shots") << QList<double>{2810, 2800}
                                   << QList<double>{2805, 10, 7.0711, 0.25209, 2741.47, 2868.53};
        QTest::newRow("five shots") << QList<double>{2870, 2850, 2890, 2860, 2880}
                                    << QList<double>{2870, 40, 15.8114, 0.55092, 2850.371, 2889.629};
        // Large, nearly equal values: the naive sum of squares loses these digits.
        QTest::newRow("close values") << QList<double>{100000.01, 100000.02, 100000.03}
                                      << QList<double>{100000.02, 0.02, 0.01, 0.00001, 99999.9952, 100000.0448};
    }
    void stringStats()
    {
        QFETCH(QList<double>, v);
        QFETCH(QList<double>, want);
        const StringStats s = computeStats(std::vector<double>(v.begin(), v.end()));
        QCOMPARE(s.count, int(v.size()));
        const double got[] = {s.average, s.spread, s.sd, s.sdPercent, s.ciLow, s.ciHigh};
        for (int i = 0; i < 6; ++i)
            QVERIFY2(qAbs(got[i] - want[i]) < 5e-4, qPrintable(QString("%1: %2").arg(i).arg(got[i], 0, 'f', 6)));
        QCOMPARE(s.minimum, *std::min_element(v.begin(), v.end()));
        QCOMPARE(s.maximum, *std::max_element(v.begin(), v.end()));
    }
    void studentAndEnergy()
    {
        QCOMPARE(studentT95(1), 12.706);
        QCOMPARE(studentT95(30), 2.042);
        QVERIFY(qAbs(studentT95(100) - 1.984) < 0.001);
        const ShotEnergy fps = shotEnergy(2800, "f/s", 150);
        QVERIFY(qAbs(fps.energy - 2610.80) < 0.01 && qAbs(fps.momentum - 1.86486) < 1e-5);
        QCOMPARE(fps.powerFactor, 420.0);
        QCOMPARE(fps.energyUnits, QString("ft-lbf"));
        const ShotEnergy ms = shotEnergy(850, "m/s", 150);
        QVERIFY(qAbs(ms.energy - 3511.29) < 0.01 && qAbs(ms.momentum - 8.26186) < 1e-5);
        QVERIFY(qAbs(ms.powerFactor - 418.307) < 0.001);
        QCOMPARE(ms.energyUnits, QString("J"));
        // The workbook's figures (J and g-m/s from its S and T formulas), worked out by hand.
        QVERIFY(qAbs(fps.joules - 3539.77) < 0.01 && qAbs(fps.gramMetres - 8295.30) < 0.01);
        QVERIFY(qAbs(ms.joules - ms.energy) < 1e-9 && qAbs(ms.gramMetres - 8261.86) < 0.01);
    }
    // Where strings begin and end in LogPad text, and the CSV rows of them.
    void stringsAndCsv()
    {
        const QStringList lines{
            "TAG: Start-{Date=06/12/2026  Time=06:00:00  t=21600 sec}",
            "CAP:#01 2800.00 f/s 0.000714 sec  72.5 fah",
            "REM: a remark inside the string",
            "#02 2810.00 f/s 0.000712 sec  72.4 fah",
            "CAP:#01 2900.00 f/s 0.000690 sec  72.4 fah",   // number dropped: next string
            "TAG: Stop-{Date=06/12/2026  Time=06:10:00  t=22200 sec}",
            "CAP:#02 2950.00 f/s 0.000678 sec  72.4 fah",   // after a tag: a string of its own
            "MMR:Fol=02 Str=05 Siz=02 Vel=m/s Tim=sec Tmp=cel",
            "MMR:01 850.10 0.000717 21.5",
            "MMR:02 851.30 0.000716 21.4",
            "MMR:<End> Fol=02 Str=05",
            "#garbled 28x0 f/s"};
        const std::vector<ShotString> strings = findShotStrings(lines);
        QCOMPARE(strings.size(), size_t(4));
        QCOMPARE(strings[0].shots.size(), size_t(2));
        QCOMPARE(strings[0].firstLine, 1);
        QCOMPARE(strings[0].lastLine, 3);
        QCOMPARE(stringAtLine(strings, 2), &strings[0]);
        QCOMPARE(stringAtLine(strings, 5), &strings[1]);
        QCOMPARE(stringAtLine(strings, 0), &strings[0]);
        QCOMPARE(strings[3].shots.back().velocityUnits, QString("m/s"));

        const QStringList rows = shotsCsv(lines).split("\r\n", Qt::SkipEmptyParts);
        QCOMPARE(rows.size(), 1 + 6);
        QCOMPARE(rows[1], QString("0,1,1,2800.00,f/s,0.000714,sec,72.5,fah,1,2800.00,0.00,0.00,2800.00,2800.00"));
        QCOMPARE(rows[2], QString("0,1,2,2810.00,f/s,0.000712,sec,72.4,fah,2,2805.00,10.00,7.07,2800.00,2810.00"));
        QCOMPARE(rows[4].section(',', 0, 2), QString("0,3,2"));
        QCOMPARE(rows[6], QString("2,5,2,851.30,m/s,0.000716,sec,21.4,cel,2,850.70,1.20,0.85,850.10,851.30"));

        // Written atomically; a folder that does not exist leaves a message and no file.
        QTemporaryDir dir;
        QCOMPARE(writeShotsCsv(lines.join('\n'), dir.filePath("shots.csv"), nullptr), 6);
        QString error;
        QCOMPARE(writeShotsCsv(lines.join('\n'), dir.filePath("none/shots.csv"), &error), -1);
        QVERIFY(!error.isEmpty());
    }
    // Live text arrives in pieces of any size; the string follows the shots as they complete.
    void liveChunks()
    {
        // Shot lines come with their line end in front; the last one has none yet.
        const QString text = "\r\nCAP:#01 2800.00 f/s 0.000714 sec  72.5 fah\r\nCAP:#02 2810.00 f/s 0.000712 sec  "
                             "72.4 fah\r\nCAP:#01 2790.00 f/s 0.000717 sec  72.4 fah";
        ShotStringReader reader;
        QList<int> sizes;
        for (int i = 0; i < text.size(); i += 7)
            reader.feedChunk(QStringView(text).mid(i, 7), [&](const ShotRecord &) {
                sizes.append(int(reader.currentString().size()));
            });
        QCOMPARE(sizes, (QList<int>{1, 2, 1}));
        QCOMPARE(reader.currentString().front().string, 2);
    }
};

QTEST_GUILESS_MAIN(TestShotStats)
#include "tst_shot_stats.moc"
