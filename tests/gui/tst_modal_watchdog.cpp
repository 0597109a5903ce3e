// The watchdog that every window test carries: a message box nobody answers fails the test
// within seconds, with the box's title in the output, and the test program ends.
#include <QElapsedTimer>
#include <QMessageBox>
#include <QProcess>
#include <QtTest>

class TstModalWatchdog : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void unansweredBoxFailsFast()
    {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("ZX_WATCHDOG_CHILD"), QStringLiteral("1"));
        env.remove(QStringLiteral("ZX_MODAL_LIMIT_MS"));
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::MergedChannels);
        QElapsedTimer clock;
        clock.start();
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("leavesBoxUnanswered")});
        QVERIFY(child.waitForStarted());
        const bool ended = child.waitForFinished(20000);
        const QString out = QString::fromLocal8Bit(child.readAll());
        if (!ended)
            child.kill();
        QVERIFY2(ended, qPrintable(out));
        QVERIFY2(clock.elapsed() < 10000, qPrintable(QString::number(clock.elapsed()) + QStringLiteral(" ms")));
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        QVERIFY2(child.exitCode() != 0, qPrintable(out));
        QVERIFY2(out.contains(QStringLiteral("FAIL!")), qPrintable(out));
        QVERIFY2(out.contains(QStringLiteral("Nobody Answers This")), qPrintable(out));
        QVERIFY2(out.contains(QStringLiteral("boxLeftOpen")), qPrintable(out));
    }

    // Run by the test above in a child process: a test that forgot to script a question.
    void leavesBoxUnanswered()
    {
        if (qEnvironmentVariableIsEmpty("ZX_WATCHDOG_CHILD"))
            QSKIP("run as a child of unansweredBoxFailsFast");
        QMessageBox box(QMessageBox::Question, QStringLiteral("Nobody Answers This"), QStringLiteral("Save Changes ?"),
                        QMessageBox::Yes | QMessageBox::No);
        box.setObjectName(QStringLiteral("boxLeftOpen"));
        box.exec();
    }
};

QTEST_MAIN(TstModalWatchdog)
#include "tst_modal_watchdog.moc"
