// The load line: odd input read as a person means it, written back the same, never taken for a
// shot, and given to the string that follows it in a CFile, through a save and a reopen.
#include "cfile/cfile_codec.h"
#include "cfile/load_place.h"
#include "cfile/shot_strings.h"

#include <QTextDocument>
#include <QtTest>

using namespace zx;

class TestLoadLine : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void oddInput_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<double>("charge");     // -1: not given
        QTest::addColumn<QString>("chargeUnit");
        QTest::addColumn<QString>("bullet");
        QTest::addColumn<double>("weight");     // -1: not given
        QTest::addColumn<QString>("length");    // kind, value and unit as written back
        QTest::addColumn<QString>("notes");
        QTest::newRow("full") << "LOAD: Charge=42.5 gr | Powder=Varget | Bullet=168 gr SMK | COAL=2.800 in | Note=a|b"
                              << 42.5 << "gr" << "SMK" << 168.0 << "COAL=2.800 in" << "a|b";
        QTest::newRow("comma, glued") << "  load:charge=2,75g|bullet=SMK 10,9g|cbto=54,10mm"
                                      << 2.75 << "g" << "SMK" << 10.9 << "CBTO=54.10 mm" << "";
        QTest::newRow("missing fields") << "LOAD: Powder=N150" << -1.0 << "" << "" << -1.0 << "" << "";
        QTest::newRow("no unit, bare weight") << "LOAD: Charge=42 | Bullet=175 TMK" << 42.0 << "" << "TMK" << 175.0
                                              << "" << "";
        QTest::newRow("text without a key") << "LOAD: Charge=abc | hot day | Colour=red" << -1.0 << "" << "" << -1.0
                                            << "" << "hot day; Colour=red";
    }
    void oddInput()
    {
        QFETCH(QString, line);
        QFETCH(double, charge);
        const std::optional<LoadData> load = readLoadLine(line);
        QVERIFY(load);
        QCOMPARE(load->charge.known, charge >= 0);
        if (charge >= 0)
            QCOMPARE(load->charge.value, charge);
        QTEST(load->charge.unit, "chargeUnit");
        QTEST(load->bullet, "bullet");
        QFETCH(double, weight);
        QCOMPARE(load->bulletWeight.known ? load->bulletWeight.value : -1.0, weight);
        QFETCH(QString, length);
        QCOMPARE(loadLineText(*load).contains(length), true);
        QTEST(load->notes, "notes");
        // Written and read back: the same load.
        QCOMPARE(readLoadLine(loadLineText(*load)), load);
    }
    void neverAShot()
    {
        const QString line = "LOAD: Charge=40.0 gr | Note=CAP:#01 2800.00 f/s 0.000714 sec 72.5 fah MMR:<End>";
        QVERIFY(!readShotLine(line));
        QCOMPARE(readMemoryLine(line).kind, MemoryLine::None);
        QVERIFY(!readLoadLine(u"CAP:#01 2800.00 f/s 0.000714 sec 72.5 fah"));
    }
    // A load line ends no string; it belongs to the next string's first shot; a later one
    // replaces a waiting one; through a save and reopen of the CFile.
    void stringsTakeTheirLoads()
    {
        QTextDocument doc;
        doc.setPlainText(QString::fromUtf8("TAG: Start\nLOAD: Charge=41.0 gr | Note={lot} \\ 5° | é\nCAP:#01 2800.00 f/s 0.000714 sec 72.5 fah\n"
                         "LOAD: Charge=41.5 gr\nCAP:#02 2810.00 f/s 0.000712 sec 72.5 fah\nTAG: Stop\n"
                         "MMR:Fol=01 Str=02 Siz=01 Vel=f/s Tim=sec Tmp=fah\nMMR:01 2850.00 0.000702 72.3\n"
                         "MMR:<End> Fol=01 Str=02\nLOAD: Charge=9 gr\nLOAD: Charge=42.0 gr\n"
                         "CAP:#01 2900.00 f/s 0.000690 sec 72.4 fah"));
        QTextDocument reopened;
        QVERIFY(!decodeCFile(reopened, encodeCFile(doc, true), true));
        const QStringList lines = reopened.toPlainText().split('\n');
        const std::vector<ShotString> s = findShotStrings(lines);
        QCOMPARE(s.size(), size_t(3));
        QCOMPARE(s[0].shots.size(), size_t(2));
        QCOMPARE(s[0].load->charge.value, 41.0);
        QCOMPARE(s[0].loadLine, 1);
        QCOMPARE(s[0].load->notes, QString::fromUtf8("{lot} \\ 5° | é")); // the rich text's own characters survive
        QCOMPARE(s[1].load->charge.value, 41.5); // waited for the string after the Stop
        QCOMPARE(s[1].loadLine, 3);
        QCOMPARE(s[2].load->charge.value, 42.0);
        QCOMPARE(s[2].loadLine, 10);
        const LoadPlace last = loadPlaceFor(lines, 11, true); // the last string has not ended
        QVERIFY(last.replace && !last.atEnd);
        QCOMPARE(last.line, 10);
    }
    void placeForTheNextString()
    {
        const QStringList ended{"CAP:#01 2800.00 f/s 0.000714 sec 72.5 fah", "TAG: Stop"};
        QCOMPARE(loadPlaceFor(ended, 1, true).atEnd, true);
        const LoadPlace waiting = loadPlaceFor(ended + QStringList{"LOAD: Charge=40 gr", ""}, 3, true);
        QCOMPARE(waiting.line, 2);
        QVERIFY(waiting.replace && waiting.load && waiting.load->charge.value == 40);
        const QStringList memory{"TAG: Stop", "MMR:Fol=01 Str=02 Siz=01 Vel=f/s Tim=sec Tmp=fah",
                                 "MMR:01 2850.00 0.000702 72.3"};
        const LoadPlace header = loadPlaceFor(memory, 2, false);
        QCOMPARE(header.line, 1);
        QVERIFY(!header.replace && !header.atEnd);
    }
};

QTEST_MAIN(TestLoadLine)
#include "tst_load_line.moc"
