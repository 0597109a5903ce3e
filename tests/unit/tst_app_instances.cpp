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
    bool locked = false;
    bool askedUnlocked = false;
    bool anotherCopyRunning() override
    {
        ++asked;
        askedUnlocked |= !locked;
        return other;
    }
    void lockInstanceRecords() override { locked = true; }
    void unlockInstanceRecords() override { locked = false; }
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

// Looks at the records whenever a box appears: no box may wait while the records are locked.
struct PeekingPrompter : test::ScriptedPrompter {
    std::function<void()> onShow;
    MsgAnswer show(const MsgRequest &r) override
    {
        if (onShow)
            onShow();
        return ScriptedPrompter::show(r);
    }
};

struct Fixture {
    test::TempSettings tmp;
    PeekingPrompter prompter;
    FakeEnv env;
    AppContext ctx;
    bool boxWhileLocked = false;
    Fixture()
    {
        ctx.prompter = &prompter;
        prompter.onShow = [this] { boxWhileLocked |= env.locked; };
    }
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
        QVERIFY(!f.env.askedUnlocked && !f.env.locked);
        QCOMPARE(int(f.ctx.appNumber), 0);
        QCOMPARE(f.prompter.count(), 0);
        QCOMPARE(appTitle(), QString("Zentrix0"));
        QCOMPARE(f.rec(0, keys::Morvane::AppRun), QString("Zentrix0"));
        QCOMPARE(f.rec(0, keys::Morvane::AppEnd), QString());
        for (int i = 1; i <= 3; ++i) {
            QCOMPARE(f.rec(i, keys::Morvane::AppRun), QString());
            QCOMPARE(f.rec(i, keys::Morvane::AppEnd), AppContext::instanceNameOf(i));
            QCOMPARE(f.rec(i, keys::Morvane::AppPrt), QString("0"));
        }
        QCOMPARE(f.rec(5, keys::Morvane::AppRun), QString("Zentrix5"));   // only 0 to 3 are reset
    }
    // What a copy does beside other copies (running numbers), given its command line.
    void choice()
    {
        const QString tooMany = "There are to many acitve copies of Zentrix on your system...";
        const QString badN = "Zentrix-Shortcut Input Field Error in ''Target:'' ...!";
        const QList<int> four{0, 1, 2, 3}, all{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
        const MsgAnswer Y = MsgAnswer::Yes, N = MsgAnswer::No;
        const struct { QList<int> running; const char *line; QList<MsgAnswer> answers; int number; QString firstBox; int boxes; } cases[] = {
            {{0}, "", {Y}, 1, "There is 1 copy of Zentrix already running...  ", 1},   // singular words
            {{0, 1}, "", {Y}, 2, "There are 2 copies of Zentrixs already running...  ", 1},
            {{0, 2, 3}, "", {Y}, 1, "There are 3 copies of Zentrixs already running...  ", 1},   // a gap is reused
            {four, "", {N}, -1, tooMany, 1},
            {four, "", {Y}, -1, tooMany, 2},   // Yes shows the help
            {four, "N=9", {}, 9, "", 0},       // beyond four
            {all, "N=9", {}, -1, tooMany, 1},
            {{0, 5}, "N=5", {}, -1, "Zentrix5 is already running..!", 1},
            {{}, "N=17", {N}, -1, badN, 1},
            {{0}, "N=17", {Y}, -1, badN, 2}};
        for (const auto &c : cases) {
            Fixture f;
            for (int i : c.running)
                markRunning(f.ctx.store, {i});
            f.env.other = !c.running.isEmpty();
            for (MsgAnswer a : c.answers)
                f.prompter.queue(a);
            QCOMPARE(f.start(c.line), c.number < 0 ? StartDecision::Exit : StartDecision::Continue);
            QVERIFY(!f.boxWhileLocked);
            QCOMPARE(f.prompter.count(), c.boxes);
            if (c.boxes > 0)
                QCOMPARE(f.prompter.lines(0).first(), c.firstBox);
            if (c.boxes == 2)
                QCOMPARE(f.prompter.lines(1).first(), QString("\tHOW TO DEAL WITH MULTIPLE CHRONOGRAPHS"));
            if (c.number >= 0) {
                QCOMPARE(int(f.ctx.appNumber), c.number);
                QCOMPARE(appTitle(), AppContext::instanceNameOf(c.number));
                QCOMPARE(f.rec(c.number, keys::Morvane::AppRun), AppContext::instanceNameOf(c.number));
            } else {
                for (int i = 0; i <= 17; ++i)   // nothing recorded beyond what ran before
                    QCOMPARE(f.rec(i, keys::Morvane::AppRun).isEmpty(), !c.running.contains(i));
            }
        }
    }
    void newCopyQuestion()
    {
        Fixture f;
        markRunning(f.ctx.store, {0});
        f.env.other = true;
        f.prompter.queue(MsgAnswer::Yes);
        QCOMPARE(f.start(QString()), StartDecision::Continue);
        const MsgRequest &r = f.prompter.at(0);
        QCOMPARE(r.title, QString("Zentrix"));
        QCOMPARE(r.buttons, MsgButtons::YesNoCancel);
        QCOMPARE(r.defaultButton, 3);
        QVERIFY(r.systemModal && r.foreground);
        const QStringList l = f.prompter.lines(0);
        QCOMPARE(l.size(), 12);
        QCOMPARE(l[7], QString("The new name will be:\tZentrix1"));
        QCOMPARE(l[9], QString("Support windows will be:\tLogPad1,  iLoger1,  iPad1"));
        QCOMPARE(l[11], QString("Do you want to add  Zentrix1 now..?"));
    }
    void newCopyRefusedGivesTheNumberBack()
    {
        for (const auto &[answer, boxes] : {std::pair{MsgAnswer::No, 1}, {MsgAnswer::Cancel, 2}}) {   // Cancel: the help too
            Fixture f;
            markRunning(f.ctx.store, {0});
            f.ctx.store.write("Zentrix1", keys::Morvane::AppEnd, "Zentrix1");
            f.env.other = true;
            QString heldWhileAsking;
            f.prompter.onShow = [&] {
                if (heldWhileAsking.isNull())
                    heldWhileAsking = f.rec(1, keys::Morvane::AppRun);
                f.boxWhileLocked |= f.env.locked;
            };
            f.prompter.queue(answer);
            QCOMPARE(f.start(QString()), StartDecision::Exit);
            QCOMPARE(f.prompter.count(), boxes);
            // The number was held while the question waited (unlocked), and given back after.
            QCOMPARE(heldWhileAsking, QString("Zentrix1"));
            QVERIFY(!f.boxWhileLocked && !f.env.locked);
            QCOMPARE(f.rec(1, keys::Morvane::AppRun), QString());
            QCOMPARE(f.rec(1, keys::Morvane::AppEnd), QString("Zentrix1"));
        }
    }
    void numberAndPortBindInstance()
    {
        Fixture f;
        QCOMPARE(f.start("N=7,P=3"), StartDecision::Continue);
        QCOMPARE(int(f.ctx.appNumber), 7);
        QCOMPARE(f.rec(7, keys::Morvane::AppPrt), QString("3"));
        QCOMPARE(f.rec(7, keys::frmComSet::CommPort), QString("3"));
        QCOMPARE(f.rec(0, keys::frmComSet::CommPort), QString("1"));   // instance 0 untouched
        Fixture g;
        QCOMPARE(g.start("P=4"), StartDecision::Continue);   // a port without N= binds nothing
        QCOMPARE(g.rec(0, keys::frmComSet::CommPort), QString("1"));
        QCOMPARE(g.rec(0, keys::Morvane::AppPrt), QString("0"));
    }
    void exitRecord()
    {
        Fixture f;
        QCOMPARE(f.start("N=2"), StartDecision::Continue);
        f.ctx.store.write("Zentrix2", keys::Morvane::AppPrt, "6");   // the port it opened
        writeExitRecord(f.ctx);
        QCOMPARE(f.rec(2, keys::Morvane::AppNum), QString("5"));
        QCOMPARE(f.rec(2, keys::Morvane::AppEnd), QString("Zentrix2"));
        QCOMPARE(f.rec(2, keys::Morvane::AppPrt), QString("0"));
        QVERIFY(instanceIsFree(f.ctx.store, 2));
    }
    void unreadableSettingsFile()
    {
        // A folder where Zentrix1's settings file belongs: its records cannot be read, so 1 is
        // not free; this copy's own file is fine and nothing is said about it.
        Fixture f;
        markRunning(f.ctx.store, {0});
        QVERIFY(QDir().mkpath(f.ctx.store.fileName("Zentrix1")));
        f.env.other = true;
        f.prompter.queue(MsgAnswer::Yes);
        QCOMPARE(f.start(QString()), StartDecision::Continue);
        QCOMPARE(int(f.ctx.appNumber), 2);
        QCOMPARE(f.prompter.count(), 1);

        // Its own file unreadable: one message naming it, the start goes on.
        Fixture g;
        const QString own = g.ctx.store.fileName("Zentrix0");
        QVERIFY(QDir().mkpath(own));
        QCOMPARE(g.start(QString()), StartDecision::Continue);
        QCOMPARE(g.prompter.count(), 1);
        QVERIFY(g.prompter.last().text.contains(own));
        QVERIFY(g.prompter.last().text.contains("cannot be read"));
        QVERIFY(QFileInfo(own).isDir());
    }
    void screenCheck()
    {
        const struct { QSize screen; bool asked; MsgAnswer answer; StartDecision decision; } cases[] = {
            {{1024, 600}, false, MsgAnswer::Ok, StartDecision::Continue},
            {{800, 600}, false, MsgAnswer::Ok, StartDecision::Continue},
            {{799, 600}, true, MsgAnswer::No, StartDecision::Exit},
            {{800, 599}, true, MsgAnswer::Yes, StartDecision::Continue}};
        for (const auto &[screen, asked, answer, decision] : cases) {
            Fixture f;
            f.env.screen = screen;
            if (asked)
                f.prompter.queue(answer);
            QCOMPARE(f.start(QString()), decision);
            QCOMPARE(f.prompter.count(), asked ? 1 : 0);
            if (asked) {
                QCOMPARE(f.prompter.last().title, QString("Zentrix - Screen Resolution"));
                QCOMPARE(f.prompter.lastLines().value(1),
                         QString("Your resolution is only %1 x %2 picels").arg(screen.width()).arg(screen.height()));
            }
            // Ending here ends in order: the number is free again.
            QCOMPARE(instanceIsFree(f.ctx.store, 0), decision == StartDecision::Exit);
        }
    }
};

QTEST_GUILESS_MAIN(TestAppInstances)
#include "tst_app_instances.moc"
