// The one-chronograph-task guard: entering, refusing a second task with the abort question, the
// abort request, and the sequence-failure message when a leave comes without an enter.
#include "link/cro_task.h"

#include "support/scripted_prompter.h"

#include <QtTest>

using namespace zx;

class TstCroTask : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void refusalAndAbort_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("no") << int(MsgAnswer::No);
        QTest::newRow("yes") << int(MsgAnswer::Yes);
    }
    void refusalAndAbort()
    {
        QFETCH(int, answer);
        test::ScriptedPrompter p;
        int abortCalls = 0;
        CroTask t(p, [] { return QStringLiteral(" RV5 Vantor"); }, [&] { ++abortCalls; });
        QVERIFY(!t.croTask(CroTask::Query));
        QVERIFY(!t.croTask(CroTask::Enter));
        QVERIFY(t.croTask(CroTask::Query));
        QVERIFY(!t.croTask(7) && !t.croTask(-1)); // unknown actions change nothing
        p.queue(MsgAnswer(answer));
        QVERIFY(t.croTask(CroTask::Enter)); // refused either way
        QCOMPARE(abortCalls, answer == int(MsgAnswer::Yes) ? 1 : 0);
        QCOMPARE(p.count(), 1);
        QVERIFY(p.last().buttons == MsgButtons::YesNo && p.last().defaultButton == 2);
        QCOMPARE(p.last().text, QStringLiteral("Zentrix can't execute this function right now.!\t\r\n"
                                               "It is busy talking to  [RV5 Vantor].\r\n"
                                               "\r\n"
                                               "Aborting this task may result in data loss.!\r\n"
                                               "Do you want to abort  [RV5 Vantor]  task anyway.?\t"));
        // The running task still holds the guard and leaves normally; a new one enters afterwards.
        QVERIFY(t.busy() && !t.croTask(CroTask::Leave) && !t.busy());
        QVERIFY(!t.croTask(CroTask::Enter));
        QVERIFY(!t.croTask(CroTask::Leave));
        QCOMPARE(p.count(), 1);
    }

    void leaveWithoutEnter()
    {
        test::ScriptedPrompter p;
        CroTask t(p, [] { return QString(); }, [] {});
        QVERIFY(!t.croTask(CroTask::Leave));
        QCOMPARE(p.count(), 1);
        QCOMPARE(p.last().text, QStringLiteral("<croTask> Sequence Failure Error...?\r\n"
                                               "To clear this error you must,\r\n"
                                               "save your work, and restart the program."));
        QCOMPARE(p.last().buttons, MsgButtons::Ok);
        QCOMPARE(t.state().depth, quint16(0));
        QVERIFY(!t.croTask(CroTask::Enter));
        QVERIFY(!t.croTask(CroTask::Leave));
        t.croTask(CroTask::Leave); // the second leave is the failure
        QCOMPARE(p.count(), 2);
    }

    void scopeKeepsBalance()
    {
        test::ScriptedPrompter p;
        CroTask t(p, [] { return QString(); }, [] {});
        {
            CroTaskScope a(t);
            QVERIFY(!a.refused());
            p.queue(MsgAnswer::No);
            CroTaskScope b(t);
            QVERIFY(b.refused());
        }
        QVERIFY(!t.busy());
        QCOMPARE(p.count(), 1); // the refusal question only, no sequence failure
    }
};

QTEST_GUILESS_MAIN(TstCroTask)
#include "tst_crotask.moc"
