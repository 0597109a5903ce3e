// zentrix-cli status, probe and send end to end: the tool runs as its own process on the
// simulator's pseudo-terminal, as a script would run it.
#include "cfile/shot_strings.h"
#include "cfile/cfile_codec.h"
#include "support/cli_run.h"
#include "support/sim_fixture.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QtTest>

class TstLinkCli : public QObject {
    Q_OBJECT

    using Run = zx::test::CliRun;
    // The simulator lives in this process: runCli pumps events while the tool runs.
    static Run cli(const QString &command, const QString &port, const QStringList &more = {}, const QByteArray &input = {})
    {
        return zx::test::runCli(QStringList{command, "--port", port} + more, input);
    }

private Q_SLOTS:
    void initTestCase()
    {
        if (qEnvironmentVariable("ZX_BINARY_DIR").isEmpty())
            QSKIP("ZX_BINARY_DIR is not set");
    }

    void statusPrintsTheReport()
    {
        zx::test::SimFixture fx;
        fx.sim().state().sensLevel = 52;
        const Run r = cli("status", fx.stablePath());
        QCOMPARE(r.code, 0);
        QVERIFY2(r.out.contains(QLatin1String("__________RV5 Status Report__________\n")), qPrintable(r.out));
        QVERIFY(r.out.contains(QLatin1String("Sensetivity Level: 52\n")));
        QVERIFY(r.out.contains(QLatin1String("Version: 10.5P5\n")));
    }

    void statusOfMissingPort()
    {
        const Run r = cli("status", "/dev/zentrix-none");
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains(QLatin1String("Port /dev/zentrix-none does not exist.\nTry another port number...")),
                 qPrintable(r.err));
    }

    void probeIdentifiesTheRv5()
    {
        zx::test::SimFixture fx;
        const Run r = cli("probe", fx.stablePath());
        QCOMPARE(r.code, 0);
        QVERIFY2(r.out.startsWith(QLatin1String("Probe result: 0")), qPrintable(r.out));
    }

    void sendRunsTransactions()
    {
        zx::test::SimFixture fx;
        const Run r = cli("send", fx.stablePath(), {"^[", "D", "M", "^R"});
        QCOMPARE(r.code, 0);
        QVERIFY2(r.out.contains(QLatin1String("> D result=1 prompt=1 menu=0\n")), qPrintable(r.out));
        QVERIFY(r.out.contains(QLatin1String("> M result=1 prompt=0 menu=1\n")));
        QVERIFY(r.out.contains(QLatin1String("> ^R result=3 prompt=0 menu=1\n")));
        QCOMPARE(fx.sim().received(), QByteArray("\x1b" "DM\x12"));
    }

    // Every shot the chronograph holds, in order, into an RTF CFile that reads back the same.
    void downloadEDiskIntoRtf()
    {
        zx::test::SimFixture fx;
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("all.rtf"));
        const Run r = cli("download", fx.stablePath(), {"--scope", "edisk", "--out", file});
        QCOMPARE(r.code, 0);
        QVERIFY2(r.out.contains(QLatin1String("Download Successful..!")), qPrintable(r.out + r.err));
        QTextDocument doc;
        QVERIFY(!zx::loadCFileText(doc, file, true));
        QStringList shots;
        for (const zx::ShotString &str : zx::findShotStrings(doc.toPlainText().split(QLatin1Char('\n'))))
            for (const zx::ShotRecord &r : str.shots)
                shots << QStringLiteral("Fol=%1 Str=%2 Sho=%3").arg(r.folder, 2, 10, QLatin1Char('0')).arg(r.string, 2, 10, QLatin1Char('0')).arg(r.shot, 2, 10, QLatin1Char('0'));
        QStringList want;
        const zx::sim::EDisk &disk = fx.sim().edisk();
        for (int f = 1; f <= 10; ++f)
            for (int s = 1; s <= fx.sim().state().maxStr; ++s)
                for (int n = 1; n <= disk.slots(f, s); ++n)
                    want << QStringLiteral("Fol=%1 Str=%2 Sho=%3").arg(f, 2, 10, QLatin1Char('0')).arg(s, 2, 10, QLatin1Char('0')).arg(n, 2, 10, QLatin1Char('0'));
        QCOMPARE(shots, want);
    }

    // Piped keys go out, the answer is printed and logged before the end of input ends it.
    void termPipesAndLogs()
    {
        zx::test::SimFixture fx;
        QTemporaryDir dir;
        const QString log = dir.filePath(QStringLiteral("comm.txt"));
        const Run r = cli("term", fx.stablePath(), {"--log", log}, "Z\r");
        QCOMPARE(r.code, 0);
        QVERIFY2(r.out.contains(QLatin1String("Sens=")), qPrintable(r.out + r.err));
        QCOMPARE(fx.sim().received(), QByteArray("Z\r"));
        QFile f(log);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QVERIFY2(bytes.startsWith("\r\nTAG:Open-{Date=") && bytes.contains("Sens=") && bytes.contains("TAG:Close-"),
                 bytes.constData());
    }

    void memoryAsksAndClears()
    {
        zx::test::SimFixture fx;
        Run r = cli("memory", fx.stablePath(), {"clear", "edisk"});   // stdin is a pipe: nobody to ask
        QCOMPARE(r.code, 2);
        QVERIFY2(r.err.contains(QLatin1String("--yes")), qPrintable(r.err));
        QVERIFY(fx.sim().received().isEmpty());
        r = cli("memory", fx.stablePath(), {"clear", "edisk", "--yes"});
        QCOMPARE(r.code, 0);
        QVERIFY2(r.out.contains(QLatin1String("Clear eDisk1 - Folder...,1,2,3,4,5,6,7,8,9,10 Success.")), qPrintable(r.out));
        QCOMPARE(fx.sim().edisk().totalKept(), 0);
    }
};

QTEST_GUILESS_MAIN(TstLinkCli)
#include "tst_link_cli.moc"
