#include "app/error_report.h"
#include "platform/termination.h"
#include "support/scripted_prompter.h"

#include <QtTest>

using namespace zx;

class TestAppErrorReport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void levelsShowDescriptionOrRecord()
    {
        test::ScriptedPrompter p;
        AppContext ctx;
        ctx.prompter = &p;
        errorReport(ctx, QStringLiteral("modMain\\zapFgsMDI"));   // nothing pending: nothing shown
        QCOMPARE(p.count(), 0);
        ctx.errorCount = 4;
        reportError(ctx, 13, QStringLiteral("Type mismatch"), QStringLiteral("moxMain-soxSettings-3"));
        QCOMPARE(ctx.errorCount, 5);
        QCOMPARE(p.count(), 1);
        QCOMPARE(p.last().buttons, MsgButtons::Ok);
        QCOMPARE(p.last().text, QStringLiteral("Type mismatch\r\nmoxMain-soxSettings-3"));
        errorReport(ctx, QStringLiteral("again"));   // cleared after the report
        QCOMPARE(p.count(), 1);
        // Above level 0: the numbered record.
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
    void answersWithoutAPerson()
    {
        MsgRequest r;
        r.buttons = MsgButtons::AbortRetryIgnore;
        r.defaultButton = 9;   // out of range: the first button
        QCOMPARE(defaultAnswer(r), MsgAnswer::Abort);
        // While the program ends, a box answers with the button that changes nothing.
        QCOMPARE(terminationAnswer(MsgButtons::YesNoCancel), MsgAnswer::Cancel);
        QCOMPARE(terminationAnswer(MsgButtons::YesNo), MsgAnswer::No);
        QCOMPARE(terminationAnswer(MsgButtons::AbortRetryIgnore), MsgAnswer::Abort);
        QCOMPARE(terminationAnswer(MsgButtons::Ok), MsgAnswer::Ok);
    }
};

QTEST_GUILESS_MAIN(TestAppErrorReport)
#include "tst_app_error_report.moc"
