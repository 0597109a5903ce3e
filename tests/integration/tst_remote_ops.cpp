// Download and memory operations against the simulator on a pseudo-terminal, including a silent
// chronograph, broken listings, the panel's delete keys against the erase pause, an abort
// during a restore and no CFile open.
#include "remote/remote_control.h"
#include "remote/remote_ops.h"
#include "remote/remote_ops_host.h"
#include "tst_ops_rig.h"

#include <QRegularExpression>
#include <QTimer>
#include <QtTest>

using namespace zx;
using namespace zx::test;
using zx::sim::MemAction;

namespace {

// The rig with the remote operations; every progress caption is recorded.
struct RemoteRig : OpsRig {
    explicit RemoteRig(const zx::sim::Rv5Options &o = SimFixture::quietOptions()) : OpsRig(o)
    {
        rhost.captionHook = [this](const QString &c) {
            captions << c;
            if (onCaption)
                onCaption(c);
        };
    }
    zx::sim::EDisk &disk() { return sim.sim().edisk(); }
    // Shot records of a memory listing ("MMR:nn velocity ...") in text.
    static int shotLines(const QString &text)
    {
        static const QRegularExpression re(QStringLiteral("MMR:\\d\\d \\d"));
        return int(text.count(re));
    }
    int keptIn(int folder, int string)   // string 0: the whole folder; folder 0: the eDisk
    {
        if (folder == 0)
            return disk().totalKept();
        if (string > 0)
            return disk().keptCount(folder, string);
        int n = 0;
        for (int s = 1; s <= disk().stringsUsed(folder); ++s)
            n += disk().keptCount(folder, s);
        return n;
    }

    ChronoRemoteHost rhost{host, progress, prompter};
    RemoteOps remote{link, ops, rhost};
    QStringList captions;
    std::function<void(const QString &)> onCaption;
};

} // namespace


class TstRemoteOps : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { OneShotTimer::setScale(1.0); }
    void download_data()
    {
        QTest::addColumn<int>("scope");
        QTest::addColumn<int>("destination");
        for (int scope = 1; scope <= 3; ++scope) {
            QTest::addRow("scope %d into the CFile", scope) << scope << 1;
            QTest::addRow("scope %d into the buffer", scope) << scope << 0;
        }
    }

    void download()
    {
        QFETCH(int, scope);
        QFETCH(int, destination);
        zx::sim::Rv5Options o = SimFixture::quietOptions();
        o.prefillShots = 130;   // folder 1 full, 3 strings of folder 2: the cursor on folder 2
        RemoteRig rig(o);
        QVERIFY(rig.sim.isOpen());
        rig.sim.sim().setChunking(17, 3);   // answers arrive in pieces, as from a real line
        rig.disk().markShot(2, 2, 5, true); // a deleted shot is not listed
        const int want = scope == 1 ? rig.keptIn(2, 3) : scope == 2 ? rig.keptIn(2, 0) : rig.keptIn(0, 0);
        rig.link.bRxTo = {false, true, false};

        QCOMPARE(rig.remote.croDownload(destination, scope), 0);
        QVERIFY(rig.remote.downloadSucceeded);
        const QString pad = rig.text();
        const QString term = rig.link.txtTerm.text();
        const QString got = destination > 0 ? pad : term;
        QCOMPARE(RemoteRig::shotLines(got), want);
        QCOMPARE(RemoteRig::shotLines(destination > 0 ? term : pad), 0);
        QVERIFY2(got.contains(QStringLiteral("MMR:<End> CAP=OFF")), qPrintable(got.right(200)));
        const QString name = RemoteOps::scopeName(scope);
        QCOMPARE(pad.contains(QStringLiteral("REM: Downloading ") + name + QStringLiteral("...")), destination > 0);
        QCOMPARE(pad.contains(QStringLiteral("REM: Download Successful..!")), destination > 0);
        QVERIFY(rig.link.remPrgrs.text().contains(QStringLiteral("Downloading - ") + name));
        QCOMPARE(rig.link.bRxTo, (std::array<bool, 3>{false, true, false}));   // links put back
    }

    // A shot fired while a download is under way is counted once: the sensors are off for the
    // listing (Z before the scope key) and on again afterwards.
    void liveShotDuringDownload_data()
    {
        QTest::addColumn<int>("destination");
        QTest::newRow("CFile") << 1;
        QTest::newRow("buffer") << 0;
    }

    void liveShotDuringDownload()
    {
        QFETCH(int, destination);
        zx::sim::Rv5Options o = SimFixture::quietOptions();
        o.sensorsOn = true;
        RemoteRig rig(o);
        QVERIFY(rig.sim.isOpen());
        zx::sim::Rv5Simulator &sim = rig.sim.sim();
        rig.sim.sim().setChunking(17, 3);
        rig.link.bRxTo = {false, true, false};
        const bool calibrated = rig.link.cro.bCroCalOk = true;
        // The shot comes as the listing is about to start (progress window open).
        rig.progress.onOpen = [&](const QString &) { sim.fireShot(2900); };
        QStringList listing;
        rig.link.listingLines = &listing;
        sim.clearReceived();

        QCOMPARE(rig.remote.croDownload(destination, 1), 0);
        rig.link.listingLines = nullptr;
        const auto &st = sim.state();
        const QString got = destination > 0 ? rig.text() : rig.link.txtTerm.text();
        const qsizetype from = got.indexOf(QStringLiteral("MMR:Fol="));
        QVERIFY2(from >= 0, qPrintable(got));
        // Every shot of the string once, as a record of the listing; no live line beside it.
        QCOMPARE(RemoteRig::shotLines(got), rig.keptIn(st.curFol, st.curStr));
        static const QRegularExpression live(QStringLiteral("#\\d\\d +\\d+\\.\\d\\d "));
        const qsizetype start = destination > 0 ? got.indexOf(QStringLiteral("REM: Downloading")) : 0;
        QVERIFY2(!got.mid(start).contains(live), qPrintable(got.mid(start)));
        QVERIFY(!listing.join(QLatin1Char('\n')).contains(live));
        // The sensors were switched off before the scope key and are on again.
        const QByteArray sent = sim.received();
        QVERIFY2(sent.indexOf('Z') >= 0 && sent.indexOf('Z') < sent.indexOf('1'), sent.toHex(' ').constData());
        QVERIFY(st.sensors);
        QVERIFY(rig.link.cro.bCroSensorsOn);
        QCOMPARE(rig.link.cro.bCroCalOk, calibrated);
        QCOMPARE(rig.link.bRxTo, (std::array<bool, 3>{false, true, false}));
        QCOMPARE(st.menu, 0);
    }

    void silentAtWake_data()
    {
        QTest::addColumn<int>("destination");
        QTest::newRow("CFile") << 1;
        QTest::newRow("buffer") << 0;
    }

    void silentAtWake()
    {
        QFETCH(int, destination);
        RemoteRig rig;
        QVERIFY(rig.sim.isOpen());
        OneShotTimer::setScale(0.3);
        rig.sim.sim().setSilent(true);
        QCOMPARE(rig.remote.croDownload(destination, 2), 1);
        QVERIFY(!rig.remote.downloadSucceeded);
        const QString log = rig.link.remPrgrs.text();
        QVERIFY2(log.contains(QStringLiteral("Retry...1\r\n")) && log.contains(QStringLiteral("Retry...9\r\n"))
                     && log.contains(QStringLiteral("No Responce from Chrono...\r\n...Giving up!\r\nDownload Failed (100)...")),
                 qPrintable(log));
        QCOMPARE(rig.prompter.anyTextContains(QStringLiteral("RV5 not found on port COM1")), destination > 0);
        QCOMPARE(rig.text().contains(QStringLiteral("REM: Download Failed (100)...")), destination > 0);
        QCOMPARE(rig.sim.sim().received().count(char(0x1B)), 10);
    }

    void brokenListing_data()
    {
        QTest::addColumn<int>("fault");   // 0 the chronograph stops, 1 the port goes away, 2 junk lines
        QTest::newRow("chronograph stops talking") << 0;
        QTest::newRow("port closed") << 1;
        QTest::newRow("junk lines in the listing") << 2;
    }

    void brokenListing()
    {
        QFETCH(int, fault);
        RemoteRig rig;
        QVERIFY(rig.sim.isOpen());
        zx::sim::Rv5Simulator &sim = rig.sim.sim();
        if (fault == 2)
            sim.setListingGarbageEvery(4);
        // The listing is the answer that follows the progress window's opening.
        rig.progress.onOpen = [&](const QString &) {
            if (fault == 0)
                sim.cutNextAnswer(700);
            if (fault == 1) {
                sim.setPaced(true);
                QTimer::singleShot(1500, [&] { rig.sim.unplug(); });
            }
        };
        const int code = rig.remote.croDownload(1, 3);
        const QString pad = rig.text();
        if (fault == 2) {
            QCOMPARE(code, 0);
            QCOMPARE(RemoteRig::shotLines(pad), rig.keptIn(0, 0));
            QVERIFY(pad.contains(QStringLiteral("~|")));
            return;
        }
        QCOMPARE(code, 3);
        QVERIFY2(pad.contains(QStringLiteral("REM: Download Failed (100)...")), qPrintable(pad.right(300)));   // silent: 250 ms
        QVERIFY(RemoteRig::shotLines(pad) > 3);   // what came stays in the CFile
        QVERIFY(RemoteRig::shotLines(pad) < rig.keptIn(0, 0));
    }

    void memOp_data()
    {
        QTest::addColumn<int>("op");
        QTest::addColumn<int>("scope");
        QTest::addColumn<int>("before");    // MemAction applied to the unit first, -1 none
        QTest::addColumn<int>("keptAfter"); // kept shots of the unit afterwards
        QTest::addColumn<QString>("line");  // the CFile's line for it
        // The cursor: folder 1, string 4, shot 6; folder 1 holds 36 shots.
        const int del = int(MemAction::Delete), clr = int(MemAction::Clear);
        QTest::newRow("delete shot") << 1 << 0 << -1 << 0 << "REM: ...Delete Shot #6 Success..!";
        QTest::newRow("delete string") << 1 << 1 << -1 << 0 << "REM: ...Delete String #4 Success..!";
        QTest::newRow("delete folder") << 1 << 2 << -1 << 0 << "REM: ...Delete Folder #1\r\n";
        QTest::newRow("undelete shot") << 2 << 0 << del << 1 << "REM: ...UnDelete Shot #6 Success..!";
        QTest::newRow("undelete string") << 2 << 1 << del << 6 << "REM: ...UnDelete String #4 Success..!";
        QTest::newRow("undelete folder") << 2 << 2 << del << 36 << "REM: ...UnDelete Folder #1\r\n";
        QTest::newRow("undelete leaves cleared") << 2 << 1 << clr << 0 << "REM: ...UnDelete String #4 Success..!";
        QTest::newRow("restore shot") << 3 << 0 << clr << 1 << "REM: ...Restore Shot #6 Success..!";
        QTest::newRow("restore string") << 3 << 1 << clr << 6 << "REM: ...Restore String #4 Success..!";
        QTest::newRow("restore folder") << 3 << 2 << clr << 36 << "REM: ...Restore Folder #1\r\n";
        QTest::newRow("clear eDisk") << 1 << 3 << -1 << 0 << "Clear eDisk1 - Folder...,1,2,3,4,5,6,7,8,9,10 Success.";
    }

    void memOp()
    {
        QFETCH(int, op);
        QFETCH(int, scope);
        QFETCH(int, before);
        QFETCH(int, keptAfter);
        QFETCH(QString, line);
        RemoteRig rig;
        QVERIFY(rig.sim.isOpen());
        zx::sim::EDisk &disk = rig.disk();
        disk.append(3, 1, disk.shot(1, 1, 1) ? *disk.shot(1, 1, 1) : zx::sim::Shot{});   // another folder
        const auto a = MemAction(before);
        if (before >= 0) {
            if (scope == 0)
                disk.applyShot(1, 4, 6, a);
            else if (scope == 1)
                disk.applyString(1, 4, a);
            else
                disk.applyFolder(1, a);
        }
        const int others = disk.totalKept() - rig.keptIn(1, 0);
        if (scope == 3)
            rig.prompter.queue(MsgAnswer::Yes);   // Clear eDisk always asks

        QVERIFY(rig.remote.croMemOp(op, scope));
        const int kept = scope == 0   ? (disk.shot(1, 4, 6)->kept() ? 1 : 0)
                         : scope == 1 ? rig.keptIn(1, 4)
                         : scope == 2 ? rig.keptIn(1, 0)
                                      : rig.keptIn(0, 0);
        QCOMPARE(kept, keptAfter);
        if (scope < 3)
            QCOMPARE(disk.totalKept() - rig.keptIn(1, 0), others);   // nothing else touched
        if (scope == 0)   // the rest of the string stays as it was
            QCOMPARE(rig.keptIn(1, 4) - kept, 5);
        QVERIFY2(rig.text().contains(line), qPrintable(rig.text()));
        QCOMPARE(rig.sim.sim().state().menu, 0);   // left in Data mode
        QVERIFY(rig.text().endsWith(QStringLiteral("DAT>")));
    }

    // The panel's delete and undelete keys against the chronograph's erase pause (700 ms of
    // silence inside the answer, as the RV5 takes it).
    void panelDeleteWaitsForTheErase()
    {
        zx::sim::Rv5Options o = SimFixture::quietOptions();
        o.deleteDelayMs = 700;
        RemoteRig rig(o);
        QVERIFY(rig.sim.isOpen());
        rig.link.bRxTo[1] = true;
        RemoteControl panel(rig.link, rig.task, rig.prompter);
        const auto &st = rig.sim.sim().state();
        const int before = rig.keptIn(st.curFol, st.curStr);
        panel.memoryKey(false, 1); // the string
        QCOMPARE(rig.prompter.count(), 0);
        QCOMPARE(rig.keptIn(st.curFol, st.curStr), 0);
        panel.memoryKey(true, 1);
        QCOMPARE(rig.prompter.count(), 0);
        QCOMPARE(rig.keptIn(st.curFol, st.curStr), before);
    }

    void abortDuringRestore()
    {
        zx::sim::Rv5Options o = SimFixture::quietOptions();
        o.sensorsOn = true;
        RemoteRig rig(o);
        QVERIFY(rig.sim.isOpen());
        rig.disk().applyAll(MemAction::Clear);
        rig.onCaption = [&](const QString &c) {
            if (c == QLatin1String("Restore folder-1 string-3"))
                rig.link.croUserAbort();
        };
        QVERIFY(!rig.remote.croMemOp(RemoteOps::OpRestore, RemoteOps::MemEDisk));
        QCOMPARE(rig.keptIn(1, 1) + rig.keptIn(1, 2), 20);   // restored before the abort
        QCOMPARE(rig.keptIn(1, 3) + rig.keptIn(1, 4), 0);    // left as they were
        QVERIFY(rig.text().contains(QStringLiteral("Restore eDisk-1 - Folder-01...")));
        QVERIFY(rig.text().contains(QStringLiteral("User aborted operation...!")));
        QVERIFY(!rig.link.croTxn.abortReq);
        QVERIFY(rig.sim.sim().state().sensors);   // back on
    }

    void noCFileSendsNothing()
    {
        RemoteRig rig;
        QVERIFY(rig.sim.isOpen());
        rig.host.cfileOpen = false;
        rig.sim.sim().clearReceived();
        QCOMPARE(rig.remote.croDownload(1, 1), 1);
        QVERIFY(!rig.remote.croMemOp(1, 1));
        QTest::qWait(100);
        QVERIFY(rig.sim.sim().received().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TstRemoteOps)
#include "tst_remote_ops.moc"
