// zentrix-cli memory asks before it acts: on a terminal (a pseudo-terminal here) it reads the
// answer; without a terminal and without --yes it refuses before anything is sent.
#include "support/sim_fixture.h"

#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QtTest>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

class TstCliMemory : public QObject {
    Q_OBJECT

    struct Run {
        int code = -1;
        QString out, err;
    };

    // answer: written to the tool's terminal (its stdin is a pseudo-terminal) when not null;
    // otherwise its stdin is a pipe.
    Run cli(const QString &port, const QStringList &more, const char *answer)
    {
        QProcess p;
        p.setProgram(qEnvironmentVariable("ZX_BINARY_DIR") + QStringLiteral("/cli/zentrix-cli"));
        p.setArguments(QStringList{"memory", "--port", port} + more);
        int master = -1;
        if (answer) {
            master = posix_openpt(O_RDWR | O_NOCTTY);
            if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0)
                return {};
            p.setStandardInputFile(QString::fromLocal8Bit(ptsname(master)));
            // The line waits in the terminal until the tool reads it.
            if (write(master, answer, strlen(answer)) < 0)
                return {};
        }
        QSignalSpy done(&p, &QProcess::finished);
        p.start();
        if (!p.waitForStarted(5000) || !done.wait(60000))
            p.kill();
        if (master >= 0)
            close(master);
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

    // Nobody to ask: refused with the hint, not one byte sent.
    void noTerminalRefuses()
    {
        zx::test::SimFixture fx;
        const int kept = fx.sim().edisk().totalKept();
        const Run r = cli(fx.stablePath(), {"clear", "edisk"}, nullptr);
        QCOMPARE(r.code, 2);
        QVERIFY2(r.err.contains(QLatin1String("no terminal")) && r.err.contains(QLatin1String("--yes")), qPrintable(r.err));
        QVERIFY(!r.err.contains(QLatin1String("Aborted by the user")));
        QTest::qWait(100);
        QVERIFY(fx.sim().received().isEmpty());
        QCOMPARE(fx.sim().edisk().totalKept(), kept);
    }

    void terminalAnswers_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("code");
        QTest::newRow("yes") << "y\n" << 0;
        QTest::newRow("no") << "n\n" << 1;
        QTest::newRow("just Enter") << "\n" << 1;
    }

    void terminalAnswers()
    {
        QFETCH(QString, answer);
        QFETCH(int, code);
        zx::test::SimFixture fx;
        const Run r = cli(fx.stablePath(), {"delete", "string"}, answer.toLatin1().constData());
        QCOMPARE(r.code, code);
        QVERIFY2(r.err.contains(QLatin1String("Do you want to Delete the String under the chronograph's cursor..?\n"
                                              "Erases: String 4 of Folder 1, every shot in it\n")),
                 qPrintable(r.err));
        QCOMPARE(fx.sim().edisk().keptCount(1, 4), code == 0 ? 0 : 6);
        QCOMPARE(fx.sim().edisk().keptCount(1, 3), 10);
        QCOMPARE(fx.sim().pageApplied().size(), code == 0 ? 1 : 0);
        if (code != 0)
            QVERIFY(r.err.contains(QLatin1String("Aborted by the user..!")));
    }

    void yesGoesAhead()
    {
        zx::test::SimFixture fx;
        const Run r = cli(fx.stablePath(), {"clear", "edisk", "--yes"}, nullptr);
        QCOMPARE(r.code, 0);
        QVERIFY2(r.err.contains(QLatin1String("Erases: Folders 1 to 10")), qPrintable(r.err));
        QVERIFY2(r.out.contains(QLatin1String("Clear eDisk1 - Folder...,1,2,3,4,5,6,7,8,9,10 Success.")), qPrintable(r.out));
        QCOMPARE(fx.sim().edisk().totalKept(), 0);
    }
};

QTEST_GUILESS_MAIN(TstCliMemory)
#include "tst_cli_memory.moc"
