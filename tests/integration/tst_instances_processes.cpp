// Two real copies of the desktop program on one settings folder: the second sees the first,
// asks the new-copy question and becomes Zentrix1; each leaves its record on an orderly exit.
#include "app/settings_keys.h"
#include "platform/settings_store.h"
#include "support/temp_settings.h"

#include <QProcess>
#include <QtTest>

using namespace zx;
namespace keys = zx::keys;

class TestInstancesProcesses : public QObject {
    Q_OBJECT

    QString binary() const { return qEnvironmentVariable("ZX_BINARY_DIR") + "/app/zentrix"; }

    // A copy that answers its boxes from `answers` and logs them to `log`.
    std::unique_ptr<QProcess> launch(const test::TempSettings &tmp, const QString &answers, const QString &log,
                                     const QStringList &args = {})
    {
        auto p = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CONFIG_HOME", tmp.path());
        env.insert("ZX_RUNTIME_DIR", tmp.path() + "/run");
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("ZX_PROMPT_ANSWERS", answers);
        env.insert("ZX_PROMPT_LOG", log);
        p->setProcessEnvironment(env);
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p->start(binary(), args);
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

private Q_SLOTS:
    void initTestCase()
    {
        if (!QFile::exists(binary()))
            QSKIP("the zentrix program is not built");
    }

    void secondCopyBecomesInstanceOne()
    {
        test::TempSettings tmp;
        tmp.selectChronographByHand();
        SettingsStore store;
        const QString logA = tmp.path() + "/a.log", logB = tmp.path() + "/b.log";

        auto a = launch(tmp, "", logA);
        QVERIFY(a->waitForStarted());
        QTRY_COMPARE_WITH_TIMEOUT(store.read("Zentrix0", keys::Morvane::AppRun), QString("Zentrix0"), 20000);
        QCOMPARE(store.read("Zentrix1", keys::Morvane::AppEnd), QString("Zentrix1"));   // reset by the first copy

        auto b = launch(tmp, "yes", logB);
        QVERIFY(b->waitForStarted());
        QTRY_COMPARE_WITH_TIMEOUT(store.read("Zentrix1", keys::Morvane::AppRun), QString("Zentrix1"), 20000);
        const QString asked = readLog(logB);
        QVERIFY2(asked.startsWith("<<Zentrix\nThere is 1 copy of Zentrix already running...  \n"), qPrintable(asked));
        QVERIFY(asked.contains("The new name will be:\tZentrix1\n"));
        QVERIFY(asked.contains(">>Yes\n"));
        QVERIFY(readLog(logA).isEmpty());   // the first copy asked nothing

        stop(*b);
        store.flush("Zentrix1");
        QCOMPARE(store.read("Zentrix1", keys::Morvane::AppRun), QString());
        QCOMPARE(store.read("Zentrix1", keys::Morvane::AppEnd), QString("Zentrix1"));
        QCOMPARE(store.read("Zentrix1", keys::Morvane::AppNum), QString("4"));
        QCOMPARE(store.read("Zentrix1", keys::Morvane::AppPrt), QString("0"));
        QCOMPARE(store.read("Zentrix0", keys::Morvane::AppRun), QString("Zentrix0"));   // still running

        stop(*a);
        store.flush("Zentrix0");
        QCOMPARE(store.read("Zentrix0", keys::Morvane::AppRun), QString());
        QCOMPARE(store.read("Zentrix0", keys::Morvane::AppEnd), QString("Zentrix0"));
        QCOMPARE(store.read("Zentrix0", keys::Morvane::AppNum), QString("3"));
    }

    void refusedCopyEndsWithoutRecord()
    {
        test::TempSettings tmp;
        tmp.selectChronographByHand();
        SettingsStore store;
        auto a = launch(tmp, "", tmp.path() + "/a.log");
        QVERIFY(a->waitForStarted());
        QTRY_COMPARE_WITH_TIMEOUT(store.read("Zentrix0", keys::Morvane::AppRun), QString("Zentrix0"), 20000);

        const QString logB = tmp.path() + "/b.log";
        auto b = launch(tmp, "no", logB);
        QVERIFY(b->waitForFinished(20000));
        QCOMPARE(b->exitCode(), 0);
        QVERIFY(readLog(logB).contains(">>No\n"));
        store.flush("Zentrix1");
        QCOMPARE(store.read("Zentrix1", keys::Morvane::AppRun), QString());

        stop(*a);
    }

    void killedCopyKeepsItsNumberUntilALoneStart()
    {
        test::TempSettings tmp;
        tmp.selectChronographByHand();
        SettingsStore store;
        auto a = launch(tmp, "", tmp.path() + "/a.log", {"N=5"});
        QVERIFY(a->waitForStarted());
        QTRY_COMPARE_WITH_TIMEOUT(store.read("Zentrix5", keys::Morvane::AppRun), QString("Zentrix5"), 20000);
        a->kill();
        a->waitForFinished();

        // No copy runs now: the next start is alone, takes 0 and asks nothing.
        const QString logC = tmp.path() + "/c.log";
        auto c = launch(tmp, "", logC);
        QVERIFY(c->waitForStarted());
        QTRY_COMPARE_WITH_TIMEOUT(store.read("Zentrix0", keys::Morvane::AppRun), QString("Zentrix0"), 20000);
        QVERIFY(readLog(logC).isEmpty());
        store.flush("Zentrix5");
        QCOMPARE(store.read("Zentrix5", keys::Morvane::AppRun), QString("Zentrix5"));   // only 0 to 3 are reset
        stop(*c);
    }
};

QTEST_GUILESS_MAIN(TestInstancesProcesses)
#include "tst_instances_processes.moc"
