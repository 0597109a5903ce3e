// Real copies of the desktop program on one settings folder: copies started together hold
// different numbers, a killed copy keeps its number, and a termination request ends a copy in
// order while a message box is open.
#include "app/settings_keys.h"
#include "platform/settings_store.h"
#include "support/temp_settings.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QtTest>

using namespace zx;
namespace keys = zx::keys;

class TestInstancesProcesses : public QObject {
    Q_OBJECT

    static QString binary() { return qEnvironmentVariable("ZX_BINARY_DIR") + "/app/zentrix"; }

    // A copy that logs its boxes to `log` and answers them from `answers` (null: real boxes).
    static std::unique_ptr<QProcess> launch(const test::TempSettings &tmp, const QString &answers, const QString &log,
                                            const QStringList &args = {}, const QStringList &extraEnv = {})
    {
        auto p = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CONFIG_HOME", tmp.path());
        env.insert("ZX_RUNTIME_DIR", tmp.path() + "/run");
        env.insert("QT_QPA_PLATFORM", "offscreen");
        for (const QString &e : extraEnv)
            env.insert(e.section('=', 0, 0), e.section('=', 1));
        p->setProcessEnvironment(env);
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QStringList all{"--answers-log", log};
        if (!answers.isNull())
            all << "--answers" << answers;
        p->start(binary(), all + args);
        return p;
    }

    static QString readLog(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }

    static void stop(QProcess &p)
    {
        p.terminate();   // the program closes its main window the orderly way
        QVERIFY(p.waitForFinished(15000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 0);
    }

    // The record of an instance that ended in order.
    static void verifyOrderlyEnd(SettingsStore &store, int n)
    {
        const QString name = "Zentrix" + QString::number(n);
        store.reread(name);
        QCOMPARE(store.read(name, keys::Morvane::AppRun), QString());
        QCOMPARE(store.read(name, keys::Morvane::AppEnd), name);
        QCOMPARE(store.read(name, keys::Morvane::AppNum), QString::number(n + 3));
        QCOMPARE(store.read(name, keys::Morvane::AppPrt), QString("0"));
    }

private Q_SLOTS:
    void initTestCase()
    {
        if (!QFile::exists(binary()))
            QSKIP("the zentrix program is not built");
    }

    void copiesStartedTogetherHoldDifferentNumbers()
    {
        test::TempSettings tmp;
        tmp.selectChronographByHand();
        // Yes adds a new copy; for a copy beyond the four Yes shows the help, then it ends.
        std::vector<std::unique_ptr<QProcess>> copies;
        for (int i = 0; i < 8; ++i)
            copies.push_back(launch(tmp, "Yes", tmp.path() + QString("/%1.log").arg(i)));

        QList<int> running, ended;
        QElapsedTimer clock;
        clock.start();
        // Four end after their boxes; the other four run on.
        while (ended.size() < 4 && clock.elapsed() < 60000) {
            for (int i = 0; i < 8; ++i)
                if (!ended.contains(i) && copies[i]->waitForFinished(50))
                    ended << i;
        }
        QCOMPARE(ended.size(), 4);
        SettingsStore store;
        for (int i = 0; i < 8; ++i) {
            const QString log = readLog(tmp.path() + QString("/%1.log").arg(i));
            if (ended.contains(i)) {
                QCOMPARE(copies[i]->exitCode(), 0);
                QVERIFY2(log.contains("There are to many acitve copies of Zentrix on your system..."), qPrintable(log));
            } else {
                running << i;
                QVERIFY2(!log.contains("to many"), qPrintable(log));
            }
        }
        QStringList names;   // the new-copy questions name every number once
        for (int n = 0; n <= 3; ++n) {
            const QString name = "Zentrix" + QString::number(n);
            QTRY_COMPARE_WITH_TIMEOUT((store.reread(name), store.read(name, keys::Morvane::AppRun)), name, 20000);
        }
        for (int i : running) {
            const QString log = readLog(tmp.path() + QString("/%1.log").arg(i));
            const int at = log.indexOf("The new name will be:\t");
            names << (at < 0 ? QString("Zentrix0") : log.mid(at + 22).section('\n', 0, 0));
        }
        names.sort();
        QCOMPARE(names, (QStringList{"Zentrix0", "Zentrix1", "Zentrix2", "Zentrix3"}));

        for (int i : running)
            stop(*copies[i]);
        for (int n = 0; n <= 3; ++n)
            verifyOrderlyEnd(store, n);
    }

    void killedCopyKeepsItsNumberUntilALoneStart()
    {
        test::TempSettings tmp;
        tmp.selectChronographByHand();
        SettingsStore store;
        auto a = launch(tmp, "", tmp.path() + "/a.log", {"N=5"});
        QTRY_COMPARE_WITH_TIMEOUT((store.reread("Zentrix5"), store.read("Zentrix5", keys::Morvane::AppRun)),
                                  QString("Zentrix5"), 20000);
        a->kill();
        a->waitForFinished();

        // No copy runs now: the next start is alone, takes 0 and asks nothing.
        const QString logC = tmp.path() + "/c.log";
        auto c = launch(tmp, "", logC);
        QTRY_COMPARE_WITH_TIMEOUT((store.reread("Zentrix0"), store.read("Zentrix0", keys::Morvane::AppRun)),
                                  QString("Zentrix0"), 20000);
        QVERIFY(readLog(logC).isEmpty());
        store.reread("Zentrix5");
        QCOMPARE(store.read("Zentrix5", keys::Morvane::AppRun), QString("Zentrix5"));   // only 0 to 3 are reset
        stop(*c);
    }

    void terminationDuringStartupBoxEndsInOrder()
    {
        // No chronograph anywhere: the start-up selection ends in its box, shown for real.
        // Scaled by 2 the 800 x 600 screen is 400 x 300 logical pixels: still no screen warning.
        test::TempSettings tmp;
        QStringList ports;
        for (int n = 1; n <= 16; ++n)
            ports << QString("%1=/nonexistent/zx-com%1").arg(n);
        const QString log = tmp.path() + "/box.log";
        auto p = launch(tmp, QString(), log, {}, {"ZENTRIX_PORTS=" + ports.join(','), "QT_SCALE_FACTOR=2"});
        QTRY_VERIFY_WITH_TIMEOUT(readLog(log).contains("Could not select first free RV5 Chronograph."), 30000);
        QVERIFY(!readLog(log).contains("Screen Resolution"));

        QElapsedTimer clock;
        clock.start();
        p->terminate();
        QVERIFY(p->waitForFinished(5000));
        QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(p->exitStatus(), QProcess::NormalExit);
        QCOMPARE(p->exitCode(), 0);
        SettingsStore store;
        verifyOrderlyEnd(store, 0);
        store.reread("Zentrix0");
        QVERIFY(!store.read("Zentrix0", keys::frmMDI::SizWinX).isEmpty());   // the main window's place saved
    }
};

QTEST_GUILESS_MAIN(TestInstancesProcesses)
#include "tst_instances_processes.moc"
