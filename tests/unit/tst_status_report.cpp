// The status texts word for word: the user and the LogPad files see exactly these.
#include "link/status_parser.h"
#include "link/status_report.h"

#include <QtTest>

using zx::CroState;

namespace {

CroState sample()
{
    return {.sCroModel = "RV5 ", .iCroVersion = 105, .iCroShotTotal = 1234, .fCroBattery = 9.1f, .fCroTemp = 23.5f,
            .bCroPwrDown = true, .iCroPwrDownHrs = 1, .iCroPwrDownMin = 30, .bCroRapidOn = false,
            .bCroArcheryOn = true, .bCroSensorsOn = true, .iCroSensLevel = 45, .iCroCalLevel = 123,
            .bCroLogK = true, .bCroLogL = false, .bCroLogJ = false, .iCroCamLevel = 5, .sCroVelUnits = "f/s",
            .sCroTmpUnits = "cel", .sCroTimUnits = "sec", .iCroMaxFol = 10, .iCroMaxStr = 20, .iCroMaxSho = 99,
            .iCroCurFol = 7, .iCroCurStr = 8, .iCroShotReview = 9, .iCroShotPos = 11};
}

const char *kSampleReport = "__________RV5 Status Report__________\r\n"
                            "Port: COM3\r\n"
                            "Model: RV5 \r\n"
                            "Version: 10.5P5\r\n"
                            "User Cam Level: 5\r\n"
                            "\r\n"
                            "Batery Voltage: 9.1-Volts\r\n"
                            "Case Temperature: 23.5-Celsius\r\n"
                            "\r\n"
                            "Power Down:  On\r\n"
                            "Power Down Time: 1-Hrs, 30-Min\r\n"
                            "Rapid Fire Mode:  Off\r\n"
                            "Archery Mode:  On\r\n"
                            "\r\n"
                            "Sensors Status:  On\r\n"
                            "Sensetivity Level: 45\r\n"
                            "Calibration Value: 123\r\n"
                            "\r\n"
                            "CAP log:  Off\r\n"
                            "Temperature log:  On\r\n"
                            "Stats-Position log:  Off\r\n"
                            "\r\n"
                            "Velocity Units: f/s\r\n"
                            "Temerature Units: cel\r\n"
                            "Time Units: sec\r\n"
                            "\r\n"
                            "Number Of Folders/Disk: 10\r\n"
                            "Number Of Strings/Folder: 20\r\n"
                            "Number Of Shots/String: 99\r\n"
                            "\r\n"
                            "Current Folder: 7\r\n"
                            "Current String: 8\r\n"
                            "Current Shot Review: 9\r\n"
                            "Current Shot Position: 11\r\n"
                            "Total Shots Up to Date: 1234\r\n"
                            "\r\n"
                            "To change RV5 setup go to LogPad menu,\r\n"
                            "<Interface/Setup> or click on <iPad> tool.";

} // namespace

class TestStatusReport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void wholeReport()
    {
        QCOMPARE(zx::statusReport(sample(), 3, 1, 0), QString(kSampleReport));
    }

    // Every text line takes the prefix; the empty lines stay empty; the last line has
    // no line end.
    void prefixes_data()
    {
        QTest::addColumn<int>("prefixKind");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("shotTotal");
        QTest::addColumn<QString>("prefix");
        QTest::newRow("mode 4, numbered") << 2 << 4 << 1234 << "";
        QTest::newRow("mode 2, plain") << 0 << 2 << 1234 << "";
        QTest::newRow("mode 2, remark") << 1 << 2 << 1234 << "REM: ";
        QTest::newRow("mode 2, numbered") << 2 << 2 << 1234 << "REM:01234 ";
        QTest::newRow("numbered, five digits") << 2 << 2 << 32767 << "REM:32767 ";
        QTest::newRow("numbered, negative") << 2 << 2 << -7 << "REM:-00007 ";
    }
    void prefixes()
    {
        QFETCH(int, prefixKind);
        QFETCH(int, mode);
        QFETCH(int, shotTotal);
        QFETCH(QString, prefix);
        CroState s = sample();
        s.iCroShotTotal = qint16(shotTotal);
        const QString report = zx::statusReport(s, 3, prefixKind, mode);
        QVERIFY(!report.endsWith("\r\n"));
        const QStringList lines = report.split("\r\n");
        QCOMPARE(lines.size(), 38);
        int blanks = 0;
        for (const QString &line : lines) {
            if (line.isEmpty()) {
                ++blanks;
                continue;
            }
            QVERIFY2(line.startsWith(prefix), qPrintable(line));
        }
        QCOMPARE(blanks, 8);
        QCOMPARE(lines.first(), prefix + "__________RV5 Status Report__________");
        QCOMPARE(lines.last(), prefix + "<Interface/Setup> or click on <iPad> tool.");
        QVERIFY(lines.contains(prefix + "Total Shots Up to Date: " + QString::number(shotTotal)));
    }

    void version_data()
    {
        QTest::addColumn<int>("version");
        QTest::addColumn<QString>("text");
        QTest::newRow("100") << 100 << "10P0";
        QTest::newRow("9") << 9 << "0.9P9";
        QTest::newRow("32767") << 32767 << "3276.7P7";
    }
    void version()
    {
        QFETCH(int, version);
        QFETCH(QString, text);
        QCOMPARE(zx::versionText(qint16(version)), text);
    }

    // Singles print in their shortest form, never as the double they widen to.
    void single_data()
    {
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("whole") << 23.0f << "23";
        QTest::newRow("negative") << -5.5f << "-5.5";
        QTest::newRow("small") << 0.05f << "0.05";
        QTest::newRow("large") << 100000.0f << "100000";
        QTest::newRow("negative zero") << -0.0f << "0";
        QTest::newRow("7 digits") << 3.141593f << "3.141593";
    }
    void single()
    {
        QFETCH(float, value);
        QFETCH(QString, text);
        QCOMPARE(zx::singleText(value), text);
    }

    void line()
    {
        QCOMPARE(zx::statusLine(sample()), "RV5 Status-{ Archery= On  RapidFire= Off  Sensors= On  "
                                           "Sensitivity=45-%  Battery=9.1-Volts");
        QCOMPARE(zx::statusLine(CroState{}), "RV5 Status-{ Archery= Off  RapidFire= Off  Sensors= Off  "
                                             "Sensitivity=0-%  Battery=0-Volts");
    }

    // What a status answer becomes in the report, end to end.
    void parsedAnswerReported()
    {
        const QString answer = "\r\nVantor, RV5:V102S SYS:00042 Bat=8.7V Tmp=-3F PwrDown=OFF=00:45 "
                               "Faf=ON Arc=OFF Sens=OFF SLev=60% Cal=88\r\n"
                               "K*Log=ON L*Log=ON J*Log=ON Cam=2\r\n"
                               "Vel=m/s Tmp=fah Tim=us\r\n"
                               "MaxFol=5 MaxStr=10 MaxSho=50\r\n"
                               "Att=01 02 03 04\r\nReady CAP=OFF\r\n\r\nDAT>";
        CroState s;
        QVERIFY(zx::parseStatus(s, answer));
        const QStringList lines = zx::statusReport(s, 12, 1, 2).split("\r\n");
        for (const char *want : {"REM: Model: RV5 ", "REM: Version: 10.2P2", "REM: Batery Voltage: 8.7-Volts",
                                 "REM: Case Temperature: -3-Celsius", "REM: Power Down Time: 0-Hrs, 45-Min",
                                 "REM: Time Units: us ", "REM: Current Shot Position: 4",
                                 "REM: Total Shots Up to Date: 42"})
            QVERIFY2(lines.contains(QString(want)), want);
    }
};

QTEST_GUILESS_MAIN(TestStatusReport)
#include "tst_status_report.moc"
