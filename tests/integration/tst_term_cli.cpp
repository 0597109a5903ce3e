// zentrix-cli term with a communication log that cannot be written: the tool gives the log up
// after a few tries, says so once, keeps talking to the chronograph and ends with exit code 1.
#include "support/cli_run.h"
#include "support/sim_fixture.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

using namespace zx::test;

class TstTermCli : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        if (!cliAvailable())
            QSKIP("ZX_BINARY_DIR is not set");
    }

    void failingLog_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::newRow("disk full from the first byte") << "full";
        QTest::newRow("file-size limit reached mid-session") << "limit";
    }

    void failingLog()
    {
        QFETCH(QString, fault);
        SimFixture fx;
        QVERIFY(fx.isOpen());
        QTemporaryDir dir;
        QString log = QStringLiteral("/dev/full");
        QByteArray old;
        std::function<void()> child;
        if (fault == QLatin1String("limit")) {
            // The old bytes and the Open tag fit; the status answer (some 400 bytes) does not.
            log = dir.filePath(QStringLiteral("comm.txt"));
            old = QByteArray(4000, 'o') + "\r\n";
            QFile f(log);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(old) == old.size());
            f.close();
            const rlim_t limit = rlim_t(old.size() + 100);
            child = [limit] {
                std::signal(SIGXFSZ, SIG_IGN);
                rlimit r{limit, limit};
                setrlimit(RLIMIT_FSIZE, &r);
            };
        } else if (!QFile::exists(log)) {
            QSKIP("no /dev/full");
        }

        const CliRun r = runCli({"term", "--port", fx.stablePath(), "--log", log}, "Q\r", 15000, child);
        QVERIFY2(r.code == 1, qPrintable(QStringLiteral("exit %1 after %2 ms; stderr: %3").arg(r.code).arg(r.ms).arg(r.err.left(400))));
        // Said once, with the file and the system's reason; no question loop.
        QCOMPARE(r.err.count(QLatin1String("the log cannot be written")), 1);
        QVERIFY2(r.err.contains(log + QStringLiteral(": ")), qPrintable(r.err));
        QVERIFY(r.err.size() < 1000);
        // The session went on without the log.
        QCOMPARE(fx.sim().received(), QByteArray("Q\r"));
        QVERIFY2(r.out.contains(QLatin1String("MaxSho=")), qPrintable(r.out));   // the status answer
        if (!old.isEmpty()) {
            QFile f(log);
            QVERIFY(f.open(QIODevice::ReadOnly));
            const QByteArray bytes = f.readAll();
            QVERIFY(bytes.startsWith(old + "\r\nTAG:Open-"));   // what was there stays
            QVERIFY(bytes.size() <= old.size() + 100);
        }
    }
};

QTEST_GUILESS_MAIN(TstTermCli)
#include "tst_term_cli.moc"
