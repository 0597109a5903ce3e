// The importers against files made for each quirk the vendors' exports show: byte-order marks
// in the middle of the file, quoted decimal commas and thousands separators, NULs and padding,
// the layouts of every format, and broken files refused with the line and what was expected.
#include "import/biff_reader.h"
#include "cfile/shot_strings.h"
#include "import/chrono_import.h"
#include "import/import_cfile.h"
#include "import/csv_text.h"

#include <QTemporaryDir>
#include <QtTest>

using zx::import::ImportResult;

namespace {

const QByteArray kBom = "\xEF\xBB\xBF";
const QByteArray kNnbsp = "\xE2\x80\xAF";

QByteArray iosCsv()
{
    return kBom + "\"Test 40gr\"\n#,SPEED (FPS),\xCE\x94 AVG (FPS),KE (FT-LB),POWER FACTOR (KGR\xE2\x8B\x85" "FT/S),TIME,CLEAN BORE,COLD BORE,SHOT NOTES\n"
           "1, 2801.5, -4.0, , , 9:14:03" + kNnbsp + "AM, , , \"\" \n"
           "2, 2809.5, 4.0, , , 9:14:31" + kNnbsp + "AM, , , \"\" \n"
           "-,,,,,,\nAVERAGE SPEED,2805.5,,,,,,,\nSTD DEV,3.3,,,,,,,\nSPREAD,8.0,,,,,,,\nSESSION NOTE,\"\",,,,,,,\n-,,,,,,\n"
           "DATE, \"March 3, 2026 at 9:13" + kNnbsp + "PM\",,,,,\nAll shots included in the calculations,,,,,,," + kBom;
}

QByteArray androidCsv()
{
    return kBom + "Test, 40gr\n" + kBom + "#,Speed (FPS),\xCE\x94 Avg (FPS),KE (FT-LBS),Power Factor,Time,Clean Bore,Cold Bore,Shot Notes\n"
           "1,\"1,012.4\",-3.1,91.1,40.5,10:02:11,,,\n2,\"1,018.0\",2.5,92.1,40.7,10:02:30,,,\n-,,,,,,\n"
           "AVERAGE SPEED,\"1,015.2\",,,,,\nSTD DEV,2.8,,,,,\nSession Note,first test,,,,,\n-,,,,,,\n"
           "Date,\"MARCH 03, 2026 10:01\",,,,,\n";
}

QByteArray germanCsv()
{
    return "Gewehrpatrone, 40,0 gr\n" + kBom + "#,Tempo (MPS),\xCE\x94 DURCHSCHNITT (MPS),KE (J),Leistungsfaktor,Zeit,x,y,z\n"
           "1,\"488,3\",\"14,2\",\"1220,7\",\"5,0\",17:09:22,,,\n2,\"425,5\",\"1,2\",,,17:09:27,,,\n-,,,,,,\n"
           "STANDARDABWEICHUNG,\"31,4\",,,,,\nTrainingsnotiz,42 gr N140,,,,,\nDatum,\"JULI 02, 2024 17:08\",,,,,\n";
}

QByteArray labRadar(const QByteArray &unitLine, char sep = ';')
{
    const QByteArray pad(40, ' ');
    QByteArray b = sep == ';' ? "sep=;\r\n" : "";
    b += "Device ID;LBR-0012345;;" + QByteArray(1, '\0') + pad + "\r\n";
    b += QByteArray(1, '\0') + "Series No;0003;;" + QByteArray(1, '\0') + pad + "\r\n";
    b += QByteArray(1, '\0') + pad + "\r\n";
    b += unitLine.isEmpty() ? QByteArray() : QByteArray(1, '\0') + unitLine + QByteArray(1, '\0') + pad + "\r\n";
    b += QByteArray(1, '\0') + "Stats - Std. Dev;4.51;fps;" + QByteArray(1, '\0') + pad + "\r\n";
    b += QByteArray(1, '\0') + "\r\n";
    b += "Shot ID;V0;V10;V20.00;Ke0;PF10;Proj. Weight;Date;Time\r\n"
         "0001;2646;2634;2622;2208;374.03;142.00;04-12-2025;14:02:11;\r\n"
         "0002;2650;2638;2626;2215;374.60;142.00;04-12-2025;14:03:05;\r\n"
         "0003;2655;2643;2631;2223;375.31;142.00;04-12-2025;14:04:40;\r\n";
    if (sep != ';')
        b.replace(';', sep);
    return b;
}

const QByteArray kMagnetoV3 = "Series,1, Shots:,0\nMin,0,Max,0\n----,----,----,----\n"
                              "Series,2, Shots:,3\nMin,2801,Max,2812\nAvg,2806,S-D,5.6\nES,11,,\n,,,\nSeries,Shot,Speed,\n"
                              "2,1,2801,ft/s\n2,2,2812,ft/s\n2,3,2805,ft/s\n----,----,----,----\n"
                              "Series,3, Shots:,2\n,,,\nSeries,Shot,Speed,\n3,1,855,m/s\n3,2,857,m/s\n----,----,----,----\n";

const QByteArray kXfr = "Synced on:,2025-04-12 14:10:00\nSeries,2025-04-12,Shots:,2\nNotes,42.0gr H4350\n"
                        "1,2801,ft/s\n2,2812,ft/s\n----,----,----,----\n";

const QByteArray kProChrono1 = "Shot List,Index,Velocity,a,b,c,d,e,Date\nString 2,1,2811,,,,,,4/12/2025 14:20:05\n"
                               "String 2,2,2807,,,,,,4/12/2025 14:20:41\nString 2 Avg 2809\n"
                               "String 1,1,2795,,,,,,4/12/2025 14:02:11\nString 1,2,2802,,,,,,4/12/2025 14:02:50\n"
                               "String 1,3,2799,,,,,,4/12/2025 14:03:20\n";

const QByteArray kProChrono2 = "Shot 1,Shot 2,Shot 3\n2811,2807,2809\n4/12/2025 14:20:05\n2795,2802\n4/12/2025 14:02:11\n";

// A FIT file around the records: 14-byte header and the CRC-16 (polynomial 0xA001, bit by bit).
QByteArray fitFile(const QByteArray &records)
{
    QByteArray b("\x0e\x10\x00\x00", 4);
    const quint32 n = quint32(records.size());
    for (int k = 0; k < 4; ++k)
        b += char((n >> (8 * k)) & 0xFF);
    b += QByteArray(".FIT\x00\x00", 6) + records;
    quint16 crc = 0;
    for (const char c : b) {
        crc ^= quint8(c);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? quint16((crc >> 1) ^ 0xA001) : quint16(crc >> 1);
    }
    return b + char(crc & 0xFF) + char(crc >> 8);
}

QByteArray bytes(std::initializer_list<int> list)
{
    QByteArray b;
    for (const int v : list)
        b += char(v);
    return b;
}

// A session at FIT time 1000, then two shots in big-endian messages with a developer field and
// compressed timestamps (offsets 10 and 3: the second rolls over the 32-second window).
QByteArray fitWithCompressedShots(int secondSpeedByte = 0x20)
{
    return fitFile(bytes({0x40, 0, 0, 0x83, 0x01, 2, 253, 4, 0x86, 2, 4, 0x86,
                          0x00, 0xE8, 0x03, 0, 0, 0xE0, 0x93, 0x04, 0x00,
                          0x61, 0, 1, 0x01, 0x84, 2, 0, 4, 0x86, 1, 2, 0x84, 1, 0, 2, 0,
                          0x80 | 0x20 | 10, 0x00, 0x04, 0x94, 0x5B, 0x00, 0x01, 0xAA, 0xBB,
                          0x80 | 0x20 | 3, 0x00, 0x04, 0x9A, secondSpeedByte, 0x00, 0x02, 0xAA, 0xBB}));
}

} // namespace

class TstImportFormats : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void reads_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("series");
        QTest::addColumn<int>("shots");       // of the first series
        QTest::addColumn<double>("first");    // first and last velocity of the first series
        QTest::addColumn<double>("last");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QString>("date");    // of the first series
        QTest::addColumn<QString>("note");

        QTest::newRow("ShotView iOS: BOM after the last line, U+202F, blank before quotes")
            << iosCsv() << 1 << 2 << 2801.5 << 2809.5 << "f/s" << "2026-03-03 21:13" << "";
        QTest::newRow("ShotView Android: BOM on line 2, quoted thousands, unquoted comma title")
            << androidCsv() << 1 << 2 << 1012.4 << 1018.0 << "f/s" << "2026-03-03 10:01" << "first test";
        QTest::newRow("ShotView German: quoted decimal commas, German month")
            << germanCsv() << 1 << 2 << 488.3 << 425.5 << "m/s" << "2024-07-02 17:08" << "42 gr N140";
        QTest::newRow("LabRadar: sep=;, NULs and padding, varying distance columns, trailing ;")
            << labRadar("Units velocity;fps;;") << 1 << 3 << 2646.0 << 2655.0 << "f/s" << "2025-04-12 14:02" << "";
        QTest::newRow("LabRadar: comma variant without sep= line, m/s")
            << labRadar("Units velocity,m/s,,", ',') << 1 << 3 << 2646.0 << 2655.0 << "m/s" << "2025-04-12 14:02" << "";
        QTest::newRow("MagnetoSpeed LOG.CSV: empty series skipped, units per series")
            << kMagnetoV3 << 2 << 3 << 2801.0 << 2805.0 << "f/s" << "" << "";
        QTest::newRow("MagnetoSpeed XFR: dated series, notes")
            << kXfr << 1 << 2 << 2801.0 << 2812.0 << "f/s" << "2025-04-12" << "42.0gr H4350";
        QTest::newRow("ProChrono shot list: strings by name, statistics lines skipped")
            << kProChrono1 << 2 << 2 << 2811.0 << 2807.0 << "f/s" << "2025-04-12 14:20" << "";
        QTest::newRow("ProChrono rows of shots: ragged rows, date line ends a string")
            << kProChrono2 << 2 << 3 << 2811.0 << 2809.0 << "f/s" << "2025-04-12 14:20" << "";
    }
    void reads()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, series);
        QFETCH(int, shots);
        QFETCH(double, first);
        QFETCH(double, last);
        QFETCH(QString, unit);
        QFETCH(QString, date);
        QFETCH(QString, note);
        const ImportResult r = zx::import::importBytes(bytes);
        QVERIFY2(r.ok(), qPrintable(r.error));
        QCOMPARE(int(r.series.size()), series);
        const auto &s = r.series.front();
        QCOMPARE(int(s.shots.size()), shots);
        QCOMPARE(s.shots.front().velocity, first);
        QCOMPARE(s.shots.back().velocity, last);
        QCOMPARE(s.velocityUnit, unit);
        QCOMPARE(s.date, date);
        QCOMPARE(s.note, note);
    }

    // An Excel 97 workbook in the layout of ShotView's Android export (tests/data/xls/README.md).
    void readsExcel97Workbook()
    {
        const ImportResult r = zx::import::importFile(QStringLiteral(ZX_TEST_DATA "/xls/shotview-like.xls"));
        QVERIFY2(r.ok(), qPrintable(r.error));
        QCOMPARE(int(r.series.size()), 2);
        QCOMPARE(r.series[0].title, QStringLiteral("Gewehrpatrone, 40,0 gr"));
        QCOMPARE(r.series[0].velocityUnit, QStringLiteral("m/s"));
        QCOMPARE(int(r.series[0].shots.size()), 3);
        QCOMPARE(r.series[0].shots[2].velocity, 326.2);
        QCOMPARE(r.series[0].note, QStringLiteral("40,0 gr N320"));
        QCOMPARE(r.series[1].date, QStringLiteral("2024-07-03 10:00"));
        QCOMPARE(int(r.series[1].shots.size()), 2);
    }

    // A shared string that goes on in a CONTINUE record switches from one-byte to two-byte
    // characters there; the next string starts right at the record's start without a flag.
    void sharedStringsAcrossContinue()
    {
        const std::vector<QByteArray> records{
            QByteArray("\x03\x00\x00\x00\x03\x00\x00\x00" "\x02\x00\x00" "ab" "\x03\x00\x00" "x", 17),
            QByteArray("\x01" "\x94\x03" "z\x00", 5),
            QByteArray("\x01\x00\x01" "\xD6\x00", 5)};
        const std::vector<QString> strings = zx::import::readSharedStrings(records);
        QCOMPARE(strings.size(), std::size_t(3));
        QCOMPARE(strings[0], QStringLiteral("ab"));
        QCOMPARE(strings[1], QString::fromUtf8("x\u0394z"));
        QCOMPARE(strings[2], QString::fromUtf8("\u00D6"));
    }

    // A file that only starts like an Excel 97 workbook is refused with a message.
    void refusesBrokenExcel97Workbook()
    {
        QTemporaryDir dir;
        QFile f(dir.filePath("broken.xls"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + QByteArray(600, '\0'));
        f.close();
        const ImportResult r = zx::import::importFile(f.fileName());
        QVERIFY2(r.error.startsWith(QLatin1String("byte 30: expected a sector size of 512 or 4096 bytes")), qPrintable(r.error));
        QVERIFY(r.series.empty());
    }

    // Shot numbers that do not rise would split the string when the CFile is read back.
    void shotsOutOfOrderStayOneString()
    {
        const ImportResult r = zx::import::importBytes("Series,1, Shots:,3\n1,3,2801,ft/s\n1,1,2812,ft/s\n1,2,2805,ft/s\n");
        QVERIFY2(r.ok(), qPrintable(r.error));
        const QString text = zx::import::cfileText(r, QStringLiteral("LOG.CSV"));
        const auto strings = zx::findShotStrings(text.split(QStringLiteral("\r\n")));
        QCOMPARE(strings.size(), std::size_t(1));
        QCOMPARE(strings[0].shots.size(), std::size_t(3));
        QCOMPARE(strings[0].shots[1].velocity, 2812.0);
    }

    void magnetoSpeedUnitsPerSeries()
    {
        const ImportResult r = zx::import::importBytes(kMagnetoV3);
        QVERIFY(r.ok());
        QCOMPARE(r.series.back().velocityUnit, QStringLiteral("m/s"));
        QVERIFY2(r.series.front().vendorSummary.contains(QLatin1String("S-D 5.6")), qPrintable(r.series.front().vendorSummary));
    }

    void fitCompressedTimestampsAndBigEndian()
    {
        const ImportResult r = zx::import::importBytes(fitWithCompressedShots());
        QVERIFY2(r.ok(), qPrintable(r.error));
        QCOMPARE(int(r.series.size()), 1);
        const auto &s = r.series.front();
        QCOMPARE(int(s.shots.size()), 2);
        QCOMPARE(s.velocityUnit, QStringLiteral("m/s"));
        QCOMPARE(s.shots[0].velocity, 300.123);
        QCOMPARE(s.shots[1].velocity, 301.600);
        QCOMPARE(s.shots[0].time, QStringLiteral("1989-12-31T00:16:42Z"));
        QCOMPARE(s.shots[1].time, QStringLiteral("1989-12-31T00:17:07Z"));
        QVERIFY2(s.vendorSummary.contains(QLatin1String("average 300.000")), qPrintable(s.vendorSummary));
    }

    void fitShotWithoutSpeed()
    {
        // 0xFFFFFFFF is the "no value" of a uint32 field: such a shot is refused, not read as 4 million m/s.
        QByteArray b = fitWithCompressedShots();
        const QByteArray speed("\x00\x04\x9A\x20", 4);
        b.replace(speed, QByteArray("\xFF\xFF\xFF\xFF", 4));
        const ImportResult r = zx::import::importBytes(fitFile(b.mid(14, b.size() - 16)));
        QVERIFY2(r.error.contains(QLatin1String("expected a shot message with speed and shot number")), qPrintable(r.error));
    }

    void refusesWithLineAndExpectation_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("error");
        QTest::newRow("ShotView without a unit") << QByteArray("T\n#,SPEED,D,KE,PF,TIME,A,B,C\n1,2800,,,,,,,\n")
                                                 << "line 2: expected a speed column with (FPS) or (MPS), found \"SPEED\"";
        QTest::newRow("ShotView speed not a number")
            << QByteArray("T\n#,SPEED (FPS),D,KE,PF,TIME,A,B,C\n1,2800,,,,,,,\n2,28o1,,,,,,,\n")
            << "line 4: expected a speed in column 2, found \"28o1\"";
        QTest::newRow("ShotView header but no shots") << QByteArray("T\n#,SPEED (FPS),D,KE,PF,TIME,A,B,C\n-,,,,,,\n")
                                                      << "line 3: expected a shot row";
        QTest::newRow("LabRadar without units") << labRadar(QByteArray())
                                                << "line 7: expected a \"Units velocity\" line (fps or m/s)";
        QTest::newRow("LabRadar short shot row") << QByteArray("sep=;\nUnits velocity;fps;;\nShot ID;V0;Date;Time\n0001;2800\n")
                                                 << "line 4: expected a shot row with 4 cells";
        QTest::newRow("MagnetoSpeed unknown unit") << QByteArray("Series,1, Shots:,1\n1,1,2801,furlongs\n")
                                                   << "line 2: expected the unit ft/s, fps or m/s";
        QTest::newRow("ProChrono broken row after a good one")
            << QByteArray("Shot List,Index,Velocity,a,b,c,d,e,Date\nS,1,2811,,,,,,4/12/2025 14:20:05\nS,2,x,,,,,,4/12/2025\n")
            << "line 3: expected string name, index and velocity";
        QTest::newRow("ProChrono last string without date") << QByteArray("Shot 1,Shot 2\n2811,2807\n")
                                                            << "line 3: expected the date line of the last string";
        QTest::newRow("FIT cut short") << QByteArray("\x0e\x10\x00\x00\x40\x00\x00\x00.FIT\x00\x00", 14)
                                       << "byte 14: expected 64 bytes of records and the CRC";
        QTest::newRow("not a chronograph file") << QByteArray("hello,world\n") << "not a chronograph file";
    }
    void refusesWithLineAndExpectation()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, error);
        const ImportResult r = zx::import::importBytes(bytes);
        QVERIFY2(r.error.startsWith(error), qPrintable(r.error));
        QVERIFY(r.series.empty());
    }

    void numbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<double>("value");
        QTest::newRow("point") << "2808.2" << true << 2808.2;
        QTest::newRow("decimal comma") << "488,3" << true << 488.3;
        QTest::newRow("thousands comma") << "1,369.8" << true << 1369.8;
        QTest::newRow("thousands point") << "1.369,8" << true << 1369.8;
        QTest::newRow("only groups") << "1,369,800" << true << 1369800.0;
        QTest::newRow("letters") << "12a" << false << 0.0;
        QTest::newRow("empty") << "" << false << 0.0;
    }
    void numbers()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(double, value);
        double v = 0;
        QCOMPARE(zx::import::readNumber(text, &v), ok);
        if (ok)
            QCOMPARE(v, value);
    }

    void dates_data()
    {
        QTest::addColumn<QString>("printed");
        QTest::addColumn<QString>("normal");
        QTest::newRow("iOS US") << QString::fromUtf8("April 6, 2024 at 1:36\u202fPM") << "2024-04-06 13:36";
        QTest::newRow("iOS German") << "8. Februar 2025 um 10:08" << "2025-02-08 10:08";
        QTest::newRow("iOS dotted time") << "12. May 2024 at 18.19" << "2024-05-12 18:19";
        QTest::newRow("Android upper case") << "OKTOBER 04, 2024 18:41" << "2024-10-04 18:41";
        QTest::newRow("midnight AM") << "March 3, 2026 at 12:05 AM" << "2026-03-03 00:05";
        QTest::newRow("LabRadar") << "04-27-2022 17:59:58" << "2022-04-27 17:59";
        QTest::newRow("ISO date") << "2023-11-19" << "2023-11-19";
        QTest::newRow("unknown month kept") << "JULI Quarz 02" << "JULI Quarz 02";
        QTest::newRow("impossible day kept") << "February 30, 2024" << "February 30, 2024";
    }
    void dates()
    {
        QFETCH(QString, printed);
        QFETCH(QString, normal);
        QCOMPARE(zx::import::normalDate(printed), normal);
    }
};

QTEST_GUILESS_MAIN(TstImportFormats)
#include "tst_import_formats.moc"
