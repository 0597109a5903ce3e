// The memory operations read every page the chronograph shows before the key that acts:
// with a key lost, an answer dropped or garbled, or the cursor on another unit, the action
// never reaches a wrong page. And the questions before them name what they act on.
#include "remote/remote_ops.h"
#include "remote/remote_ops_host.h"
#include "support/test_shard.h"
#include "tst_ops_rig.h"

#include <QHash>
#include <QtTest>

using namespace zx;
using namespace zx::test;
using zx::sim::MemAction;
using zx::sim::MenuFault;

namespace {

// The chronograph warnings as the main window asks them: recorded, answered from a list.
class AskingHost : public RecordingHost {
public:
    using RecordingHost::RecordingHost;
    QStringList questions;
    bool answer = true;
    bool confirmWarning(const QString &q) override
    {
        questions << q;
        return answer;
    }
};

struct PageRig {
    explicit PageRig(const zx::sim::Rv5Options &o) : ops(o) {}
    OpsRig ops;
    ChronoRemoteHost rhost{ops.host, ops.progress, ops.prompter};
    RemoteOps remote{ops.link, ops.ops, rhost};
    zx::sim::Rv5Simulator &sim() { return ops.sim.sim(); }
};

// Kept shots of every string of every folder.
QList<int> keptMap(const zx::sim::EDisk &d)
{
    QList<int> m;
    for (int f = 1; f <= zx::sim::EDisk::kFolders; ++f)
        for (int s = 1; s <= 10; ++s)
            m << d.keptCount(f, s);
    return m;
}

// Trash to work on: what an undelete or restore can bring back.
void prepare(zx::sim::EDisk &d, int op)
{
    if (op == RemoteOps::OpUnDelete)
        d.applyFolder(1, MemAction::Delete);
    if (op == RemoteOps::OpRestore)
        d.applyFolder(1, MemAction::Clear);
}

// The cursor on folder 1, string 4, shot 6; layout 240 (2 strings of 40 shots) keeps the
// eDisk loops short.
zx::sim::Rv5Options options(MenuFault fault, int at, int layout = 0)
{
    zx::sim::Rv5Options o = SimFixture::quietOptions();
    o.layout = layout;
    o.menuFault = fault;
    o.menuFaultAt = at;
    return o;
}

struct Clean {
    int keys = 0;                  // keys pressed inside a menu
    QList<QByteArray> applied;     // what the page applied
    QList<int> before, after;      // kept shots
};

} // namespace

class TstMemPages : public QObject {
    Q_OBJECT

    QHash<int, Clean> m_clean;   // by op * 10 + scope
    const TestShard m_shard = TestShard::fromEnvironment();

    const Clean &clean(int op, int scope)
    {
        const int key = op * 10 + scope;
        if (!m_clean.contains(key)) {
            PageRig rig(options(MenuFault::None, 0, 240));
            prepare(rig.sim().edisk(), op);
            Clean c;
            c.before = keptMap(rig.sim().edisk());
            rig.ops.prompter.queue(MsgAnswer::Yes);
            const bool ok = rig.remote.croMemOp(op, scope);
            if (!ok)
                qWarning() << rig.ops.text();
            c.keys = rig.sim().menuKeys();
            c.applied = rig.sim().pageApplied();
            c.after = keptMap(rig.sim().edisk());
            m_clean.insert(key, ok ? c : Clean{});
        }
        return m_clean[key];
    }

private Q_SLOTS:
    void init()
    {
        if (!m_shard.keepsTheRest() && qstrcmp(QTest::currentTestFunction(), "everyOperationEveryFault") != 0)
            QSKIP("runs in the first of the table's processes");
        OneShotTimer::setScale(0.3);
    }
    void cleanup() { OneShotTimer::setScale(1.0); }

    void everyOperationEveryFault_data()
    {
        QTest::addColumn<int>("op");
        QTest::addColumn<int>("scope");
        QTest::addColumn<int>("fault");
        const char *const ops[] = {"delete", "undelete", "restore"};
        const char *const scopes[] = {"shot", "string", "folder", "eDisk"};
        const char *const faults[] = {"", "lost key", "dropped answer", "garbled answer", "wrong unit"};
        struct Row { int op, scope, fault; };
        QList<Row> rows;
        for (int op = RemoteOps::OpDelete; op <= RemoteOps::OpRestore; ++op)
            for (int scope = RemoteOps::MemShot; scope <= RemoteOps::MemEDisk; ++scope) {
                if (scope == RemoteOps::MemEDisk && op == RemoteOps::OpUnDelete)
                    continue;   // no such operation
                for (int f = int(MenuFault::LoseKey); f <= int(MenuFault::WrongUnit); ++f)
                    rows.append({op, scope, f});
            }
        for (int i = 0; i < rows.size(); ++i) {
            const Row &r = rows[i];
            if (m_shard.keepsRow(i))
                QTest::addRow("%s %s, %s", r.scope == 3 && r.op == 1 ? "clear" : ops[r.op - 1], scopes[r.scope], faults[r.fault])
                    << r.op << r.scope << r.fault;
        }
    }

    // The fault meets each key pressed inside a menu in turn (the eDisk loops: the keys of
    // their first units and of their last): whatever the page applied is what the fault-free
    // run applies, a stopped operation changed nothing it was not meant to and left the
    // chronograph at its data prompt.
    void everyOperationEveryFault()
    {
        QFETCH(int, op);
        QFETCH(int, scope);
        QFETCH(int, fault);
        const Clean &c = clean(op, scope);
        QVERIFY2(c.keys > 0, "the fault-free run failed");
        QList<int> hits;
        for (int n = 1; n <= c.keys; ++n)
            if (scope != RemoteOps::MemEDisk || n <= 14 || n > c.keys - 4)
                hits << n;
        for (int n : hits) {
            PageRig rig(options(MenuFault(fault), n, 240));
            prepare(rig.sim().edisk(), op);
            rig.ops.prompter.queue(MsgAnswer::Yes);
            int captions = 0;
            rig.rhost.captionHook = [&](const QString &) {   // the eDisk loops: stop two units after the fault
                if (rig.sim().menuFaultFired() && ++captions == 2)
                    rig.ops.link.croUserAbort();
            };
            const bool ok = rig.remote.croMemOp(op, scope);
            const QString where = QStringLiteral("fault at menu key %1: ").arg(n);
            const QList<QByteArray> applied = rig.sim().pageApplied();
            for (const QByteArray &a : applied)
                QVERIFY2(c.applied.contains(a), qPrintable(where + QString::fromLatin1(a) + QStringLiteral(" applied")));
            if (scope != RemoteOps::MemEDisk) {
                const QList<int> kept = keptMap(rig.sim().edisk());
                QVERIFY2(kept == (applied.isEmpty() ? c.before : c.after), qPrintable(where + rig.ops.text()));
                if (ok)
                    QVERIFY2(applied == c.applied, qPrintable(where));
            }
            const auto &st = rig.sim().state();
            QVERIFY2(st.menu == 0 && st.mode == 1 && !st.memPage, qPrintable(where + QStringLiteral("not at DAT>")));
            if (!ok && captions < 2)   // stopped by the check, not by the test's abort
                QVERIFY2(rig.ops.text().contains(QStringLiteral("Failed..!(")), qPrintable(where + rig.ops.text()));
        }
    }

    // The case: one Up lost on the way to UnDelete leaves the page on Clear.
    void lostUpStopsBeforeClear()
    {
        PageRig rig(options(MenuFault::LoseKey, 6));   // R R D, Enter, Up, *Up*
        rig.sim().edisk().applyString(1, 4, MemAction::Delete);
        rig.ops.prompter.queue(MsgAnswer::Yes);
        QVERIFY(!rig.remote.croMemOp(RemoteOps::OpUnDelete, RemoteOps::MemString));
        QVERIFY(rig.sim().menuFaultFired());
        QVERIFY(rig.sim().pageApplied().isEmpty());
        for (int n = 1; n <= 6; ++n)
            QVERIFY(!rig.sim().edisk().shot(1, 4, n)->cleared);
        const QString problem = QStringLiteral("RV5 shows ''Fol=01 Str=04 Clear'' instead of ''Fol=01 Str=04 UnDelete'' - nothing was applied.");
        QVERIFY(rig.ops.prompter.count() > 0);
        QCOMPARE(rig.ops.prompter.last().text, QStringLiteral("UnDelete String #4 stopped.\r\n") + problem);
        QVERIFY(rig.ops.text().contains(QStringLiteral("REM: ") + problem));
        QVERIFY(rig.ops.link.remPrgrs.text().contains(problem));
        QCOMPARE(rig.sim().state().menu, 0);
    }

    // One Down lost on the way to the Keep String entry leaves the chronograph on Keep Shot:
    // the string operation does not turn into a shot operation.
    void lostDownOnTheWayToTheEntry()
    {
        PageRig rig(options(MenuFault::LoseKey, 3));   // R R *D*
        rig.ops.prompter.queue(MsgAnswer::Yes);
        QVERIFY(!rig.remote.croMemOp(RemoteOps::OpDelete, RemoteOps::MemString));
        QVERIFY(rig.sim().pageApplied().isEmpty());
        QCOMPARE(rig.sim().edisk().keptCount(1, 4), 6);
        QVERIFY(rig.ops.prompter.anyTextContains(QStringLiteral("RV5 shows ''Keep Shot'' instead of ''Keep String''")));
    }

    // Clear eDisk asks even with the chronograph warnings off (this host confirms every
    // warning without asking), names the folders, and No sends nothing that changes it.
    void clearEDiskAlwaysAsks()
    {
        PageRig rig(options(MenuFault::None, 0));
        const QList<int> before = keptMap(rig.sim().edisk());
        rig.ops.prompter.queue(MsgAnswer::No);
        QVERIFY(!rig.remote.croMemOp(RemoteOps::OpDelete, RemoteOps::MemEDisk));
        QCOMPARE(rig.ops.prompter.count(), 1);   // before a stray Yes could clear anything
        const MsgRequest &q = rig.ops.prompter.last();
        QCOMPARE(q.text, QStringLiteral("Do you want to proceed with Clear eDisk?\r\n"
                                        "Erases: Folders 1 to 10, every shot in the eDisk (new shots reuse their slots)"));
        QCOMPARE(q.buttons, MsgButtons::YesNo);
        QCOMPARE(q.defaultButton, 2);
        QCOMPARE(rig.sim().menuKeys(), 0);
        QVERIFY(!rig.sim().received().contains('M'));
        QCOMPARE(keptMap(rig.sim().edisk()), before);
        QVERIFY(rig.ops.link.remPrgrs.text().contains(QStringLiteral("Aborted by the user..!")));
    }

    void questionNamesTheUnits_data()
    {
        QTest::addColumn<int>("op");
        QTest::addColumn<int>("scope");
        QTest::addColumn<QString>("question");
        QTest::newRow("delete shot") << 1 << 0 << "Erases: Shot 6 of String 4 in Folder 1\r\n\tDelete Shot";
        QTest::newRow("delete string") << 1 << 1 << "Erases: String 4 of Folder 1, every shot in it\r\n\tDelete String";
        QTest::newRow("delete folder") << 1 << 2 << "Erases: Folder 1, every string in it\r\n\tDelete Folder";
        QTest::newRow("undelete string") << 2 << 1 << "Brings back: String 4 of Folder 1, every shot in it\r\n\tUnDelete String";
        QTest::newRow("restore eDisk") << 3 << 3 << "Brings back: Folders 1 to 10, strings 1 to 10\r\n\tRestore eDisk";
    }

    // Through the chronograph warning: the units as an extra line; No sends nothing more.
    void questionNamesTheUnits()
    {
        QFETCH(int, op);
        QFETCH(int, scope);
        QFETCH(QString, question);
        SimFixture sim(options(MenuFault::None, 0));
        ScriptedPrompter prompter;
        RecordingLogPad pad;
        LinkSession link{&prompter, nullptr, QStringLiteral("Zentrix0"), 0, &pad};
        AskingHost host{link};
        host.answer = false;
        NullProgressSink progress;
        ChronoOps ops{link, host, progress, prompter};
        PortMap::setOverride(1, sim.stablePath());
        link.MSComm1.setCommPort(1);
        link.subOpenPort();
        ChronoRemoteHost rhost{host, progress, prompter};
        RemoteOps remote{link, ops, rhost};
        const QList<int> before = keptMap(sim.sim().edisk());
        QVERIFY(!remote.croMemOp(op, scope));
        QCOMPARE(host.questions, QStringList{question});
        QCOMPARE(sim.sim().menuKeys(), 0);
        QCOMPARE(keptMap(sim.sim().edisk()), before);
        link.extTerminal();
        PortMap::clearOverrides();
    }
};

QTEST_GUILESS_MAIN(TstMemPages)
#include "tst_mem_pages.moc"
