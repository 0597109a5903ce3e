#include "app/instances.h"
#include "app/settings_keys.h"
#include "app/startup.h"
#include "link/link_settings_keys.h"
#include "platform/app_title.h"
#include "support/scripted_prompter.h"
#include "support/temp_settings.h"

#include <QtTest>

using namespace zx;
namespace keys = zx::keys;

namespace {
struct FakeEnv : StartupEnvironment {
    bool other = false;
    QSize screen{1024, 768};
    int asked = 0;
    bool anotherCopyRunning() override
    {
        ++asked;
        return other;
    }
    QSize primaryScreenSize() const override { return screen; }
    QString programDir() const override { return QStringLiteral("/opt/zentrix"); }
};

// Marks numbers as running copies, as their start records would.
void markRunning(SettingsStore &s, std::initializer_list<int> numbers)
{
    for (int i : numbers) {
        const QString name = AppContext::instanceNameOf(i);
        s.write(name, keys::Morvane::AppRun, name);
        s.write(name, keys::Morvane::AppEnd, QString());
    }
}

struct Fixture {
    test::TempSettings tmp;
    test::ScriptedPrompter prompter;
    FakeEnv env;
    AppContext ctx;
    Fixture() { ctx.prompter = &prompter; }
    StartDecision start(const QString &line)
    {
        ctx.options.commandLine = line;
        return startMain(ctx, env);
    }
    QString rec(int n, const SettingKey &k) { return ctx.store.read(AppContext::instanceNameOf(n), k); }
};
} // namespace

class TestAppInstances : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void firstCopyResetsRecordsAndTakesZero()
    {
        Fixture f;
        markRunning(f.ctx.store, {0, 2, 5});   // left behind by copies that crashed
        QCOMPARE(f.start(QString()), StartDecision::Continue);
        QCOMPARE(f.env.asked, 1);
        QCOMPARE(int(f.ctx.appNumber), 0);
        QCOMPARE(f.prompter.count(), 0);
        QCOMPARE(appTitle(), QString("Zentrix0"));
        QCOMPARE(f.rec(0, keys::Morvane::AppRun), QString("Zentrix0"));
        QCOMPARE(f.rec(0, keys::Morvane::AppEnd), QString());
        QCOMPARE(f.rec(0, keys::Morvane::AppNum), QString("0"));
        for (int i = 1; i <= 3; ++i) {
            QCOMPARE(f.rec(i, keys::Morvane::AppRun), QString());
            QCOMPARE(f.rec(i, keys::Morvane::AppEnd), AppContext::instanceNameOf(i));
            QCOMPARE(f.rec(i, keys::Morvane::AppPrt), QString("0"));
            QCOMPARE(f.rec(i, keys::Morvane::AppNum), QString::number(i));
        }
        QCOMPARE(f.rec(5, keys::Morvane::AppRun), QString("Zentrix5"));   // only 0 to 3 are reset
        QCOMPARE(f.ctx.helpFile, QString("/opt/zentrix/zentrix.hlp"));
    }
    void newCopyWording_data()
    {
        QTest::addColumn<QList<int>>("running");
        QTest::addColumn<int>("offered");
        QTest::addColumn<QString>("first");
        QTest::newRow("one copy") << QList<int>{0} << 1 << "There is 1 copy of Zentrix already running...  ";
        QTest::newRow("two copies") << QList<int>{0, 1} << 2 << "There are 2 copies of Zentrixs already running...  ";
        QTest::newRow("gap is reused") << QList<int>{0, 2, 3} << 1 << "There are 3 copies of Zentrixs already running...  ";
    }
    void newCopyWording()
    {
        QFETCH(QList<int>, running);
        QFETCH(int, offered);
        QFETCH(QString, first);
        Fixture f;
        for (int i : running)
            markRunning(f.ctx.store, {i});
        f.env.other = true;
        f.prompter.queue(MsgAnswer::Yes);
        QCOMPARE(f.start(QString()), StartDecision::Continue);
        QCOMPARE(int(f.ctx.appNumber), offered);
        QCOMPARE(f.prompter.count(), 1);
        const MsgRequest &r = f.prompter.at(0);
        QCOMPARE(r.title, QString("Zentrix"));
        QCOMPARE(r.buttons, MsgButtons::YesNoCancel);
        QCOMPARE(r.defaultButton, 3);
        QVERIFY(r.systemModal && r.foreground);
        const QString n = QString::number(offered);
        const QStringList expected{first,
                                   "You will need one COM port for each additional Zentrix.  ",
                                   "Each additional Chronograph requires its own COM port.",
                                   "Each Zentrix remembers its own setup configuration.",
                                   "",
                                   "Only One Zentrix Can Be Linked To Each Chronograph!",
                                   "",
                                   "The new name will be:\tZentrix" + n,
                                   "",
                                   "Support windows will be:\tLogPad" + n + ",  iLoger" + n + ",  iPad" + n,
                                   "",
                                   "Do you want to add  Zentrix" + n + " now..?"};
        QCOMPARE(f.prompter.lines(0), expected);
        QCOMPARE(f.rec(offered, keys::Morvane::AppRun), "Zentrix" + n);
        QCOMPARE(appTitle(), "Zentrix" + n);
        QCOMPARE(f.rec(0, keys::Morvane::AppRun), QString("Zentrix0"));   // others untouched
    }
    void newCopyRefused_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("boxes");
        QTest::newRow("No ends") << int(MsgAnswer::No) << 1;
        QTest::newRow("Cancel shows the help and ends") << int(MsgAnswer::Cancel) << 2;
    }
    void newCopyRefused()
    {
        QFETCH(int, answer);
        QFETCH(int, boxes);
        Fixture f;
        markRunning(f.ctx.store, {0});
        f.env.other = true;
        f.prompter.queue(MsgAnswer(answer));
        QCOMPARE(f.start(QString()), StartDecision::Exit);
        QCOMPARE(f.prompter.count(), boxes);
        if (boxes == 2)
            QCOMPARE(f.prompter.lines(1).first(), QString("\tHOW TO DEAL WITH MULTIPLE CHRONOGRAPHS"));
        QCOMPARE(f.rec(1, keys::Morvane::AppRun), QString());   // nothing recorded
    }
    void tooManyCopies_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("boxes");
        QTest::newRow("No") << int(MsgAnswer::No) << 1;
        QTest::newRow("Yes shows the help") << int(MsgAnswer::Yes) << 2;
    }
    void tooManyCopies()
    {
        QFETCH(int, answer);
        QFETCH(int, boxes);
        Fixture f;
        markRunning(f.ctx.store, {0, 1, 2, 3});
        f.env.other = true;
        f.prompter.queue(MsgAnswer(answer));
        QCOMPARE(f.start(QString()), StartDecision::Exit);
        QCOMPARE(f.prompter.count(), boxes);
        QCOMPARE(f.prompter.at(0).title, QString("Zentrix"));
        QCOMPARE(f.prompter.at(0).buttons, MsgButtons::YesNo);
        QCOMPARE(f.prompter.at(0).defaultButton, 2);
        const QStringList l = f.prompter.lines(0);
        QCOMPARE(l.size(), 11);
        QCOMPARE(l[0], QString("There are to many acitve copies of Zentrix on your system..."));
        QCOMPARE(l[6], QString("where xx is the Zentrix number, with range from  0 to 16."));
        QCOMPARE(l[10], QString("Would you like to view setup instructions for this.?"));
        if (boxes == 2) {
            const QStringList h = f.prompter.lines(1);
            QCOMPARE(h.size(), 23);
            QCOMPARE(h[13], QString("''N=xx'', where xx is the Zentrix number. This version allows  0-16"));
            QCOMPARE(h[17], QString("\txx\t-->\tZentrix Number, 0-16"));
            QCOMPARE(h[18], QString("\tyy\t-->\tPort Number, 1-16\t"));
            QCOMPARE(h[22], QString("You can ignore yy, Path & File."));
        }
        QCOMPARE(f.rec(4, keys::Morvane::AppRun), QString());
    }
    void explicitNumberBeyondFourWhileFourRun()
    {
        Fixture f;
        markRunning(f.ctx.store, {0, 1, 2, 3});
        f.env.other = true;
        QCOMPARE(f.start("N=9"), StartDecision::Continue);
        QCOMPARE(int(f.ctx.appNumber), 9);
        QCOMPARE(f.prompter.count(), 0);
    }
    void allSeventeenInUse()
    {
        Fixture f;
        for (int i = 0; i <= 16; ++i)
            markRunning(f.ctx.store, {i});
        f.env.other = true;
        QCOMPARE(f.start("N=9"), StartDecision::Exit);
        QCOMPARE(f.prompter.lines(0).first(), QString("There are to many acitve copies of Zentrix on your system..."));
    }
    void requestedNumberAlreadyRunning()
    {
        Fixture f;
        markRunning(f.ctx.store, {0, 5});
        f.env.other = true;
        QCOMPARE(f.start("N=5"), StartDecision::Exit);
        QCOMPARE(f.prompter.count(), 1);
        QCOMPARE(f.prompter.last().text, QString("Zentrix5 is already running..!"));
        QCOMPARE(f.prompter.last().buttons, MsgButtons::Ok);
    }
    void rangeError_data()
    {
        QTest::addColumn<bool>("other");
        QTest::addColumn<int>("answer");
        QTest::newRow("alone, No") << false << int(MsgAnswer::No);
        QTest::newRow("alone, Yes shows help") << false << int(MsgAnswer::Yes);
        QTest::newRow("beside another copy") << true << int(MsgAnswer::No);
    }
    void rangeError()
    {
        QFETCH(bool, other);
        QFETCH(int, answer);
        Fixture f;
        if (other)
            markRunning(f.ctx.store, {0});
        f.env.other = other;
        f.prompter.queue(MsgAnswer(answer));
        QCOMPARE(f.start("N=17"), StartDecision::Exit);
        const QStringList expected{"Zentrix-Shortcut Input Field Error in ''Target:'' ...!",
                                   "Number is out of range, you entered N=17.", "Maximum allowed value are - 0 to 16", "",
                                   "Do you want to view setup instruction.?"};
        QCOMPARE(f.prompter.lines(0), expected);
        QCOMPARE(f.prompter.at(0).defaultButton, 2);
        QCOMPARE(f.prompter.count(), answer == int(MsgAnswer::Yes) ? 2 : 1);
        QCOMPARE(f.rec(17, keys::Morvane::AppRun), QString());
    }
    void numberAndPortBindInstance()
    {
        Fixture f;
        QCOMPARE(f.start("N=7,P=3"), StartDecision::Continue);
        QCOMPARE(int(f.ctx.appNumber), 7);
        QCOMPARE(appTitle(), QString("Zentrix7"));
        QCOMPARE(f.rec(7, keys::Morvane::AppPrt), QString("3"));
        QCOMPARE(f.rec(7, keys::frmComSet::CommPort), QString("3"));
        QCOMPARE(f.rec(7, keys::Morvane::AppRun), QString("Zentrix7"));
        QCOMPARE(f.rec(0, keys::frmComSet::CommPort), QString("1"));   // instance 0 untouched
    }
    void portWithoutNumberBindsNothing()
    {
        Fixture f;
        QCOMPARE(f.start("P=4"), StartDecision::Continue);
        QCOMPARE(int(f.ctx.appNumber), 0);
        QCOMPARE(f.rec(0, keys::frmComSet::CommPort), QString("1"));
        QCOMPARE(f.rec(0, keys::Morvane::AppPrt), QString("0"));
    }
    void crashedCopyKeepsItsNumber()
    {
        Fixture f;
        markRunning(f.ctx.store, {0, 1});   // 1 crashed earlier, 0 runs
        f.ctx.store.write("Zentrix2", keys::Morvane::AppEnd, "Zentrix2");   // ended in order
        f.env.other = true;
        f.prompter.queue(MsgAnswer::Yes);
        QCOMPARE(f.start(QString()), StartDecision::Continue);
        QCOMPARE(int(f.ctx.appNumber), 2);
    }
    void exitRecord()
    {
        Fixture f;
        QCOMPARE(f.start("N=2"), StartDecision::Continue);
        f.ctx.store.write("Zentrix2", keys::Morvane::AppPrt, "6");   // the port it opened
        writeExitRecord(f.ctx);
        QCOMPARE(f.rec(2, keys::Morvane::AppNum), QString("5"));
        QCOMPARE(f.rec(2, keys::Morvane::AppRun), QString());
        QCOMPARE(f.rec(2, keys::Morvane::AppEnd), QString("Zentrix2"));
        QCOMPARE(f.rec(2, keys::Morvane::AppPrt), QString("0"));
        QVERIFY(instanceIsFree(f.ctx.store, 2));
    }
    void screenCheck_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("decision");
        QTest::newRow("1024x600 passes") << QSize(1024, 600) << false << 0 << int(StartDecision::Continue);
        QTest::newRow("800x600 passes") << QSize(800, 600) << false << 0 << int(StartDecision::Continue);
        QTest::newRow("799x600 No") << QSize(799, 600) << true << int(MsgAnswer::No) << int(StartDecision::Exit);
        QTest::newRow("800x599 Yes") << QSize(800, 599) << true << int(MsgAnswer::Yes) << int(StartDecision::Continue);
    }
    void screenCheck()
    {
        QFETCH(QSize, screen);
        QFETCH(bool, asked);
        QFETCH(int, answer);
        QFETCH(int, decision);
        Fixture f;
        f.env.screen = screen;
        if (asked)
            f.prompter.queue(MsgAnswer(answer));
        QCOMPARE(int(f.start(QString())), decision);
        QCOMPARE(f.prompter.count(), asked ? 1 : 0);
        if (asked) {
            QCOMPARE(f.prompter.last().title, QString("Zentrix - Screen Resolution"));
            QCOMPARE(f.prompter.last().defaultButton, 2);
            const QStringList expected{"This program requires a Minimum screen resolution of 800 X 600  ",
                                       QString("Your resolution is only %1 x %2 picels").arg(screen.width()).arg(screen.height()),
                                       "", "Do you want to continue anyway ?"};
            QCOMPARE(f.prompter.lastLines(), expected);
        }
    }
};

QTEST_GUILESS_MAIN(TestAppInstances)
#include "tst_app_instances.moc"
