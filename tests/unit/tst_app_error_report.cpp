#include "app/error_report.h"
#include "support/scripted_prompter.h"

#include <QtTest>

using namespace zx;

class TestAppErrorReport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void nothingPendingShowsNothing()
    {
        test::ScriptedPrompter p;
        AppContext ctx;
        ctx.prompter = &p;
        errorReport(ctx, QStringLiteral("modMain\\zapFgsMDI"));
        QCOMPARE(p.count(), 0);
        QCOMPARE(ctx.errorCount, 0);
    }
    void levelZeroShowsDescriptionAndLocation()
    {
        test::ScriptedPrompter p;
        AppContext ctx;
        ctx.prompter = &p;
        ctx.errorCount = 4;
        reportError(ctx, 13, QStringLiteral("Type mismatch"), QStringLiteral("moxMain-soxSettings-3"));
        QCOMPARE(ctx.errorCount, 5);
        QCOMPARE(p.count(), 1);
        QCOMPARE(p.last().buttons, MsgButtons::Ok);
        QCOMPARE(p.last().text, QStringLiteral("Type mismatch\r\nmoxMain-soxSettings-3"));
        errorReport(ctx, QStringLiteral("again"));   // cleared after the report
        QCOMPARE(p.count(), 1);
    }
    void higherLevelsShowTheNumberedRecord()
    {
        test::ScriptedPrompter p;
        AppContext ctx;
        ctx.prompter = &p;
        ctx.soft.userLevel = 1;
        ctx.errorCount = 11;
        reportError(ctx, 53, QStringLiteral("File not found"), QStringLiteral("modCFile/SaveAll"));
        const QStringList l = p.lastLines();
        QCOMPARE(l.size(), 6);
        QCOMPARE(l[0], QStringLiteral("<Begin=12>--------------------------"));
        QCOMPARE(l[1], QStringLiteral(" M=File not found"));
        QCOMPARE(l[2], QStringLiteral(" N=53"));
        QCOMPARE(l[3], QStringLiteral(" S=modCFile/SaveAll"));
        QVERIFY(l[4].startsWith(QStringLiteral(" T=")) && l[4].size() > 10);
        QCOMPARE(l[5], QStringLiteral("<End=12>----------------------------"));
    }
    void scriptedPrompterAnswersDefaultWhenQueueEmpty()
    {
        test::ScriptedPrompter p;
        p.queue(MsgAnswer::Yes);
        QCOMPARE(p.ask(QStringLiteral("a"), MsgButtons::YesNo, 2), MsgAnswer::Yes);
        QCOMPARE(p.ask(QStringLiteral("b"), MsgButtons::YesNo, 2), MsgAnswer::No);
        QCOMPARE(p.ask(QStringLiteral("c"), MsgButtons::YesNoCancel, 3), MsgAnswer::Cancel);
        QCOMPARE(p.ask(QStringLiteral("d"), MsgButtons::AbortRetryIgnore, 9), MsgAnswer::Abort);
        QCOMPARE(p.count(), 4);
        QVERIFY(p.last().systemModal && p.last().foreground);
    }
};

QTEST_GUILESS_MAIN(TestAppErrorReport)
#include "tst_app_error_report.moc"
