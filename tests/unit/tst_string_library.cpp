// The table of strings over many CFiles: rows with their tag line and statistics, files read
// again only when they changed, deleted and unreadable files reported.
#include "cfile/cfile_codec.h"
#include "cfile/logpad.h"
#include "cfile/string_library.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QtTest>

namespace {

bool write(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

const QByteArray kTwoStrings = "TAG: Import-{LOG.CSV} Device-{MagnetoSpeed V3/Sporter}\r\n"
                               "#01  2801.0 f/s 0.000000 sec 999.9 fah\r\n#02  2812.0 f/s 0.000000 sec 999.9 fah\r\n"
                               "REM: a remark\r\n"
                               "#01   850.0 m/s 0.000350 sec  21.0 cel\r\n#02   860.0 m/s 0.000348 sec  21.5 cel\r\n";

} // namespace

class TstStringLibrary : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void rowsTagsAndCache()
    {
        QTemporaryDir dir;
        const QString a = dir.filePath("a.txt"), b = dir.filePath("b.rtf");
        QVERIFY(write(a, kTwoStrings));
        QTextDocument doc;
        doc.setPlainText(QStringLiteral("TAG:Start-{Date=01/05/2026}\n#01 2900.5 f/s 0.000690 sec 70.0 fah\n"));
        QVERIFY(!zx::saveCFileText(doc, b, true));
        QCOMPARE(zx::cfilesAt(dir.path()), (QStringList{a, b}));

        zx::StringLibrary lib;
        QStringList bad;
        auto rows = lib.rows(zx::cfilesAt(dir.path()), &bad);
        QVERIFY2(bad.isEmpty(), qPrintable(bad.join(u'\n')));
        QCOMPARE(lib.filesParsed(), 2);
        QCOMPARE(rows.size(), std::size_t(3));
        QCOMPARE(rows[0].tag, QStringLiteral("Import-{LOG.CSV} Device-{MagnetoSpeed V3/Sporter}"));
        QCOMPARE(rows[0].stats.average, 2806.5);
        QCOMPARE(rows[0].unit, QStringLiteral("f/s"));
        // The second string follows shots of the first: the import's tag is not its own.
        QCOMPARE(rows[1].tag, QString());
        QCOMPARE(rows[1].unit, QStringLiteral("m/s"));
        QCOMPARE(rows[1].string, 2);
        QCOMPARE(rows[2].tag, QStringLiteral("Start-{Date=01/05/2026}"));
        QCOMPARE(rows[2].stats.count, 1);

        // Unchanged files come from the cache.
        rows = lib.rows(zx::cfilesAt(dir.path()), &bad);
        QCOMPARE(lib.filesParsed(), 0);
        QCOMPARE(rows.size(), std::size_t(3));

        // A changed file (new size or time) is read again.
        QFile f(a);
        QVERIFY(f.open(QIODevice::Append));
        f.write("#03   870.0 m/s 0.000346 sec  21.5 cel\r\n");
        f.close();
        rows = lib.rows(zx::cfilesAt(dir.path()), &bad);
        QCOMPARE(lib.filesParsed(), 1);
        QCOMPARE(rows[1].stats.count, 3);
        QCOMPARE(rows[1].stats.average, 860.0);
    }

    // The date and chronograph of a string, from the tag lines the importers and the capture write.
    void datesAndChronographs_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("string");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("chronograph");
        const auto start = [](const char *word, QDate d) {
            return QStringLiteral("TAG: %1{Date=%2  Time=10:00:00  t=36000 sec}\n").arg(QLatin1String(word), zx::LogPad::shortDate(d));
        };
        const QString device = QStringLiteral("TAG: Device-{ RV5 Vantor} Port-{COM1}\n");
        const QString shot = QStringLiteral("#01 2900.5 f/s 0.000690 sec 70.0 fah\n");
        QTest::newRow("import") << "TAG: Import-{LOG.CSV} Device-{MagnetoSpeed V3/Sporter} Date-{2024-04-06 13:36}\n" + shot
                                << 1 << QDate(2024, 4, 6) << "MagnetoSpeed V3/Sporter";
        QTest::newRow("capture") << start("Start-", QDate(2026, 5, 1)) + device + shot << 1 << QDate(2026, 5, 1) << "RV5 Vantor";
        // The Stop after the first string is not the second's; the Start before it is.
        QTest::newRow("second capture")
            << start("Start-", QDate(2026, 5, 1)) + device + shot + start("Stop-", QDate(2026, 5, 2)) + device
                   + start("Start-", QDate(2026, 5, 3)) + device + shot
            << 2 << QDate(2026, 5, 3) << "RV5 Vantor";
        QTest::newRow("stop only") << shot + start("Stop-", QDate(2026, 5, 2)) + device + shot << 2 << QDate() << "RV5 Vantor";
        QTest::newRow("date that does not read") << "TAG: Import-{x.csv} Device-{LabRadar} Date-{sometime}\n" + shot << 1 << QDate() << "LabRadar";
        QTest::newRow("no tags") << shot << 1 << QDate() << "";
    }
    void datesAndChronographs()
    {
        QFETCH(QString, text);
        QFETCH(int, string);
        QFETCH(QDate, date);
        QFETCH(QString, chronograph);
        const auto rows = zx::libraryRows(QStringLiteral("x.txt"), text.split(u'\n'));
        QVERIFY(std::size_t(string) <= rows.size());
        QCOMPARE(rows[std::size_t(string - 1)].date, date);
        QCOMPARE(rows[std::size_t(string - 1)].chronograph, chronograph);
    }

    // A string's tag is what a user wrote or, failing that, its import or Start stamp: never the
    // program's status lines (device, calibration, the Stop of the string before).
    void tagOfAString_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("string");
        QTest::addColumn<QString>("tag");
        const QString start = QStringLiteral("TAG: Start-{Date=6 Dec 2026  Time=22:08:29  t=79709.86 sec}\n");
        const QString stop = QStringLiteral("TAG: Stop-{Date=6 Dec 2026  Time=22:08:49  t=79729.19 sec}\n");
        const QString device = QStringLiteral("TAG: Device-{ RV5 Vantor} Port-{COM1}\n");
        const QString calibrating = QStringLiteral("TAG: Please wait - Calibrating...{ Date=6 Dec 2026 Time=22:08:30 }\n"
                                                   "REM: Calibration Ok! {Level=498 Noise=14}\n");
        const QString shot = QStringLiteral("CAP:#01 2852.76 f/s 0.000701 sec  72.1 fah\n");
        const QString startTag = start.mid(5).trimmed();
        QTest::newRow("capture, calibrated") << start + device + calibrating + shot << 1 << startTag;
        QTest::newRow("after a string") << shot + stop + device + start + device + calibrating + shot << 2 << startTag;
        QTest::newRow("the user's own, after Start")
            << start + device + "TAG: 41.0 gr Varget\n" + calibrating + shot << 1 << "41.0 gr Varget";
        QTest::newRow("the user's own, before Start")
            << shot + stop + device + "TAG: second load\n" + start + device + calibrating + shot << 2 << "second load";
        QTest::newRow("status lines only") << shot + stop + device + "TAG: PowerOn-{Date=6 Dec 2026  Time=1:00:00  t=3600 sec}\n"
                                                  + device + shot
                                           << 2 << "";
    }
    void tagOfAString()
    {
        QFETCH(QString, text);
        QFETCH(int, string);
        QFETCH(QString, tag);
        const auto rows = zx::libraryRows(QStringLiteral("x.rtf"), text.split(u'\n'));
        QVERIFY(std::size_t(string) <= rows.size());
        QCOMPARE(rows[std::size_t(string - 1)].tag, tag);
    }

    void loadLineGoesWithItsString()
    {
        QTemporaryDir dir;
        const QString a = dir.filePath("a.txt");
        QVERIFY(write(a, "#01  2801.0 f/s 0.000000 sec 999.9 fah\r\nTAG: Stop-\r\n"
                         "LOAD: Charge=42.5 gr | Powder=Varget | Note=second\r\n"
                         "#01  2900.0 f/s 0.000000 sec 999.9 fah\r\n"));
        zx::StringLibrary lib;
        std::vector<zx::LibraryRow> rows;
        QString error;
        QVERIFY2(lib.fileRows(a, &rows, &error), qPrintable(error));
        QCOMPARE(rows.size(), std::size_t(2));
        QVERIFY(!rows[0].load);
        QVERIFY(rows[1].load);
        QCOMPARE(rows[1].load->charge.value, 42.5);
        QCOMPARE(rows[1].load->powder, QStringLiteral("Varget"));
        QCOMPARE(rows[1].load->notes, QStringLiteral("second"));
        QVERIFY(!lib.fileRows(dir.filePath("none.txt"), &rows, &error));
        QVERIFY(!error.isEmpty());
    }

    void deletedAndUnreadableFilesAreNamed()
    {
        QTemporaryDir dir;
        const QString a = dir.filePath("a.txt"), gone = dir.filePath("gone.txt");
        QVERIFY(write(a, kTwoStrings));
        QVERIFY(write(gone, kTwoStrings));
        zx::StringLibrary lib;
        QStringList bad;
        QCOMPARE(lib.rows({a, gone}, &bad).size(), std::size_t(4));
        QVERIFY(QFile::remove(gone));
        // A folder with a CFile's name cannot be read as one.
        QVERIFY(QDir(dir.path()).mkdir("folder.rtf"));
        const auto rows = lib.rows({a, gone, dir.filePath("folder.rtf")}, &bad);
        QCOMPARE(rows.size(), std::size_t(2));
        QCOMPARE(bad.size(), 2);
        QVERIFY2(bad[0].startsWith(gone + QStringLiteral(": ")), qPrintable(bad[0]));
        QVERIFY2(bad[1].startsWith(dir.filePath("folder.rtf") + QStringLiteral(": ")), qPrintable(bad[1]));
    }
};

// The capture writes dates in the user's short format: here en_US's "M/d/yy", whose
// two-digit year must not read as 1926.
int main(int argc, char **argv)
{
    qputenv("LC_ALL", "en_US.UTF-8");
    QGuiApplication app(argc, argv);
    TstStringLibrary test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_string_library.moc"
