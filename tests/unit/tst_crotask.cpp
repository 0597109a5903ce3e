// The one-chronograph-task guard: entering, refusing a second task with the
// abort question, the abort request, and the sequence-failure message when a
// leave comes without an enter.
#include "link/cro_task.h"

#include "support/scripted_prompter.h"

#include <QtTest>

using namespace zx;

using test::ScriptedPrompter;

class TstCroTask : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void enterLeave();
    void refusalAndAbort_data();
    void refusalAndAbort();
    void leaveWithoutEnter();
    void scopeKeepsBalance();
    void otherActions();
};

void TstCroTask::enterLeave()
{
    ScriptedPrompter p;
    CroTask t(p, [] { return QStringLiteral(" RV5 Vantor"); }, [] {});
    QVERIFY(!t.croTask(0));
    QVERIFY(!t.croTask(1));
    QVERIFY(t.croTask(0));
    QCOMPARE(t.state().held, quint16(1));
    QCOMPARE(t.state().depth, quint16(1));
    QVERIFY(!t.croTask(2));
    QVERIFY(!t.croTask(0));
    QCOMPARE(t.state().depth, quint16(0));
    QVERIFY(p.shown().isEmpty());
}

void TstCroTask::refusalAndAbort_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("aborts");
    QTest::newRow("no") << int(MsgAnswer::No) << 0;
    QTest::newRow("yes") << int(MsgAnswer::Yes) << 1;
}

void TstCroTask::refusalAndAbort()
{
    QFETCH(int, answer);
    QFETCH(int, aborts);
    ScriptedPrompter p;
    int abortCalls = 0;
    CroTask t(p, [] { return QStringLiteral(" RV5 Vantor"); }, [&] { ++abortCalls; });
    QVERIFY(!t.croTask(1));
    p.queue(MsgAnswer(answer));
    QVERIFY(t.croTask(1));  // refused either way
    QCOMPARE(abortCalls, aborts);
    QCOMPARE(p.shown().size(), 1);
    const MsgRequest &r = p.shown().first();
    QCOMPARE(r.buttons, MsgButtons::YesNo);
    QCOMPARE(r.defaultButton, 2);
    QCOMPARE(r.text, QStringLiteral("Zentrix can't execute this function right now.!\t\r\n"
                                    "It is busy talking to  [RV5 Vantor].\r\n"
                                    "\r\n"
                                    "Aborting this task may result in data loss.!\r\n"
                                    "Do you want to abort  [RV5 Vantor]  task anyway.?\t"));
    // The running task still holds the guard and leaves normally.
    QVERIFY(t.busy());
    QVERIFY(!t.croTask(2));
    QVERIFY(!t.busy());
    QCOMPARE(p.shown().size(), 1);
    // A new task can enter and leave afterwards.
    QVERIFY(!t.croTask(1));
    QVERIFY(!t.croTask(2));
    QCOMPARE(p.shown().size(), 1);
}

void TstCroTask::leaveWithoutEnter()
{
    ScriptedPrompter p;
    CroTask t(p, [] { return QString(); }, [] {});
    QVERIFY(!t.croTask(2));
    QCOMPARE(p.shown().size(), 1);
    QCOMPARE(p.shown().first().text, QStringLiteral("<croTask> Sequence Failure Error...?\r\n"
                                                  "To clear this error you must,\r\n"
                                                  "save your work, and restart the program."));
    QCOMPARE(p.shown().first().buttons, MsgButtons::Ok);
    QCOMPARE(t.state().held, quint16(0));
    QCOMPARE(t.state().depth, quint16(0));
    // Enter, leave twice: the second leave is the failure.
    QVERIFY(!t.croTask(1));
    QVERIFY(!t.croTask(2));
    t.croTask(2);
    QCOMPARE(p.shown().size(), 2);
}

void TstCroTask::scopeKeepsBalance()
{
    ScriptedPrompter p;
    CroTask t(p, [] { return QString(); }, [] {});
    {
        CroTaskScope a(t);
        QVERIFY(!a.refused());
        p.queue(MsgAnswer::No);
        CroTaskScope b(t);
        QVERIFY(b.refused());
    }
    QVERIFY(!t.busy());
    QCOMPARE(p.shown().size(), 1);  // the refusal question only, no sequence failure
}

void TstCroTask::otherActions()
{
    ScriptedPrompter p;
    CroTask t(p, [] { return QString(); }, [] {});
    t.croTask(1);
    QVERIFY(!t.croTask(7));
    QVERIFY(!t.croTask(-1));
    QVERIFY(t.busy());
}

QTEST_GUILESS_MAIN(TstCroTask)
#include "tst_crotask.moc"
