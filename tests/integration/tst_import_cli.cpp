// zentrix-cli import and strings as a script runs them: other chronographs' files into
// CFiles, the statistics of every string, exit codes that tell whether every input was read.
#include "support/cli_run.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using zx::test::runCli;

const QByteArray kLabRadar = "sep=;\r\nDevice ID;LBR-0012345;;\r\nUnits velocity;fps;;\r\n"
                             "Shot ID;V0;V10;Date;Time\r\n0001;2646;2634;04-12-2025;14:02:11;\r\n"
                             "0002;2650;2638;04-12-2025;14:03:05;\r\n0003;2655;2643;04-12-2025;14:04:40;\r\n";
const QByteArray kMagneto = "Series,1, Shots:,2\nSeries,Shot,Speed,\n1,1,850,m/s\n1,2,860,m/s\n----,----,----,----\n"
                            "Series,2, Shots:,1\n2,1,870,m/s\n----,----,----,----\n";
const QByteArray kBroken = "T\n#,SPEED (FPS),D,KE,PF,TIME,A,B,C\n1,2800,,,,,,,\n2,28o1,,,,,,,\n";

QString write(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    QFile f(dir.filePath(name));
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        return {};
    return f.fileName();
}

QString samplesDir()
{
    const QString src = qEnvironmentVariable("ZX_SOURCE_DIR");
    for (const QString &up : {QStringLiteral("/.."), QStringLiteral("/../..")})
        if (QDir(src + up + QStringLiteral("/shared/samples/chrono")).exists())
            return QDir::cleanPath(src + up + QStringLiteral("/shared/samples/chrono"));
    return {};
}

} // namespace

class TstImportCli : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        if (!zx::test::cliAvailable())
            QSKIP("ZX_BINARY_DIR is not set");
    }

    void importThenStrings()
    {
        QTemporaryDir dir;
        const QString lab = write(dir, "SR0003 Report.csv", kLabRadar), mag = write(dir, "LOG.CSV", kMagneto);
        const QString out = dir.filePath("load.rtf");
        const auto r = runCli({"import", lab, mag, "--out", out});
        QVERIFY2(r.code == 0, qPrintable(r.err));
        QVERIFY(QFile::exists(out));
        const auto s = runCli({"strings", out, "--csv"});
        QCOMPARE(s.code, 0);
        const QStringList rows = s.out.trimmed().split(u'\n');
        QCOMPARE(rows.value(0), QStringLiteral("File,String,Date,Chronograph,Shots,Average,ES,SD,SD %,Unit"));
        QCOMPARE(rows.size(), 4);
        QCOMPARE(rows.value(1), QStringLiteral("load.rtf,1,2025-04-12,LabRadar LBR-0012345,3,2650.33,9.00,4.51,0.17,f/s"));
        QCOMPARE(rows.value(2), QStringLiteral("load.rtf,2,,MagnetoSpeed V3/Sporter,2,855.00,10.00,7.07,0.83,m/s"));
        QCOMPARE(rows.value(3), QStringLiteral("load.rtf,3,,MagnetoSpeed V3/Sporter,1,870.00,0.00,0.00,0.00,m/s"));
        // The table names the unit in its header when every string shares it.
        const auto t = runCli({"strings", dir.filePath("load.rtf")});
        QVERIFY2(t.out.contains(QLatin1String("SD n-1")), qPrintable(t.out));
    }

    void damagedInputDoesNotStopTheOthers()
    {
        QTemporaryDir dir;
        const QString bad = write(dir, "broken.csv", kBroken), lab = write(dir, "lab.csv", kLabRadar);
        const QString out = dir.filePath("all.rtf");
        const auto r = runCli({"import", bad, lab, "--out", out});
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains(bad + QStringLiteral(": line 4: expected a speed in column 2, found \"28o1\"")), qPrintable(r.err));
        const auto s = runCli({"strings", out, "--csv"});
        QCOMPARE(s.out.trimmed().split(u'\n').size(), 2); // header and the LabRadar string
    }

    void outFolderGetsOneCFileAnInput()
    {
        QTemporaryDir dir;
        QDir(dir.path()).mkdir("out");
        const QString lab = write(dir, "lab.csv", kLabRadar), mag = write(dir, "LOG.CSV", kMagneto);
        const auto r = runCli({"import", lab, mag, "--out", dir.filePath("out")});
        QCOMPARE(r.code, 0);
        QStringList written = QDir(dir.filePath("out")).entryList(QDir::Files);
        written.sort();
        QCOMPARE(written, (QStringList{"LOG.rtf", "lab.rtf"}));
        const auto s = runCli({"strings", dir.filePath("out"), "--csv"});
        QCOMPARE(s.code, 0);
        QCOMPARE(s.out.trimmed().split(u'\n').size(), 4);
    }

    // One input's CFile cannot be written (its name is taken by a folder): the others are.
    void outFolderOneTargetFails()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("out/LOG.rtf"));
        const QString mag = write(dir, "LOG.CSV", kMagneto), lab = write(dir, "lab.csv", kLabRadar);
        const auto r = runCli({"import", mag, lab, "--out", dir.filePath("out")});
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains(QLatin1String("LOG.rtf")), qPrintable(r.err));
        QVERIFY(QFileInfo(dir.filePath("out/LOG.rtf")).isDir());
        const auto s = runCli({"strings", dir.filePath("out/lab.rtf"), "--csv"});
        QCOMPARE(s.code, 0);
        QCOMPARE(s.out.trimmed().split(u'\n').size(), 2); // header and the LabRadar string
    }

    void unwritableTargetFails()
    {
        QTemporaryDir dir;
        const QString lab = write(dir, "lab.csv", kLabRadar);
        // A parent that is a regular file: even root cannot create the target.
        const QString out = lab + QStringLiteral("/x.rtf");
        const auto r = runCli({"import", lab, "--out", out});
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains(out), qPrintable(r.err));
        QVERIFY(!QFile::exists(out));
    }

    void stringsOfMissingPathFails()
    {
        const auto s = runCli({"strings", "/nonexistent/zentrix.rtf", "--csv"});
        QCOMPARE(s.code, 1);
        QVERIFY2(s.err.contains(QLatin1String("/nonexistent/zentrix.rtf")), qPrintable(s.err));
    }

    // Every real sample the importers read (skipped when the shared folder is absent).
    void everySampleImports()
    {
        const QString dirPath = samplesDir();
        if (dirPath.isEmpty())
            QSKIP("the shared chronograph samples are not here");
        QStringList files;
        for (const QString &f : QDir(dirPath).entryList({"*.csv", "*.fit", "*.xlsx"}, QDir::Files))
            files << QDir(dirPath).filePath(f);
        QTemporaryDir dir;
        const auto r = runCli(QStringList{"import"} + files + QStringList{"--out", dir.filePath("samples.rtf")});
        QVERIFY2(r.code == 0, qPrintable(r.err));
        const auto s = runCli({"strings", dir.filePath("samples.rtf"), "--csv"});
        QCOMPARE(s.code, 0);
        // One string a CSV and .fit file, fourteen for the iOS workbook's sheets.
        QCOMPARE(s.out.trimmed().split(u'\n').size(), 1 + files.size() - 1 + 14);
    }
};

QTEST_GUILESS_MAIN(TstImportCli)
#include "tst_import_cli.moc"
