// zentrix-cli status, probe and send end to end: the tool runs as its own process on the
// simulator's pseudo-terminal, as a script would run it.
#include "support/sim_fixture.h"

#include <QProcess>
#include <QSignalSpy>
#include <QtTest>

class TstLinkCli : public QObject {
    Q_OBJECT

    struct Run {
        int code = -1;
        QString out, err;
    };
    // The simulator lives in this process: pump events while the tool runs.
    Run cli(const QStringList &args)
    {
        QProcess p;
        p.setProgram(qEnvironmentVariable("ZX_BINARY_DIR") + QStringLiteral("/cli/zentrix-cli"));
        p.setArguments(args);
        QSignalSpy done(&p, &QProcess::finished);
        p.start();
        if (!p.waitForStarted(5000))
            return {};
        if (!done.wait(60000))
            p.kill();
        Run r;
        r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        r.out = QString::fromLocal8Bit(p.readAllStandardOutput());
        r.err = QString::fromLocal8Bit(p.readAllStandardError());
        return r;
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
        QVERIFY(fx.isOpen());
        fx.sim().state().sensLevel = 52;
        const Run r = cli({QStringLiteral("status"), QStringLiteral("--port"), fx.devicePath()});
        QCOMPARE(r.code, 0);
        QVERIFY2(r.out.contains(QLatin1String("__________RV5 Status Report__________\n")), qPrintable(r.out));
        QVERIFY(r.out.contains(QLatin1String("Sensetivity Level: 52\n")));
        QVERIFY(r.out.contains(QLatin1String("Version: 10.5P5\n")));
    }

    void statusOfMissingPort()
    {
        const Run r = cli({QStringLiteral("status"), QStringLiteral("--port"), QStringLiteral("/dev/zentrix-none")});
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains(QLatin1String("Port COM1 does not exist.\nTry another port number...")),
                 qPrintable(r.err));
    }

    void probeIdentifiesTheRv5()
    {
        zx::test::SimFixture fx;
        QVERIFY(fx.isOpen());
        const Run r = cli({QStringLiteral("probe"), QStringLiteral("--port"), fx.devicePath()});
        QCOMPARE(r.code, 0);
        QVERIFY2(r.out.startsWith(QLatin1String("Probe result: 0")), qPrintable(r.out));
    }

    void sendRunsTransactions()
    {
        zx::test::SimFixture fx;
        QVERIFY(fx.isOpen());
        const Run r = cli({QStringLiteral("send"), QStringLiteral("--port"), fx.devicePath(), QStringLiteral("^["),
                           QStringLiteral("D"), QStringLiteral("M"), QStringLiteral("^R")});
        QCOMPARE(r.code, 0);
        QVERIFY2(r.out.contains(QLatin1String("> D result=1 prompt=1 menu=0\n")), qPrintable(r.out));
        QVERIFY(r.out.contains(QLatin1String("> M result=1 prompt=0 menu=1\n")));
        QVERIFY(r.out.contains(QLatin1String("> ^R result=3 prompt=0 menu=1\n")));
        QCOMPARE(fx.sim().received(), QByteArray("\x1b" "DM\x12"));
    }
};

QTEST_GUILESS_MAIN(TstLinkCli)
#include "tst_link_cli.moc"
