#include "app/debug_commands.h"
#include "app/main_geometry.h"
#include "app/settings_keys.h"
#include "app/shutdown.h"
#include "app/soft_settings.h"
#include "app/startup.h"
#include "link/link_settings_keys.h"
#include "support/scripted_prompter.h"
#include "support/temp_settings.h"

#include <QtTest>

using namespace zx;
namespace keys = zx::keys;

namespace {
struct Fixture {
    test::TempSettings tmp;
    test::ScriptedPrompter prompter;
    AppContext ctx;
    Fixture() { ctx.prompter = &prompter; }
    QString get(const SettingKey &k) { return ctx.store.read(ctx.instanceName(), k); }
    void put(const SettingKey &k, const QString &v) { ctx.store.write(ctx.instanceName(), k, v); }
};
} // namespace

class TestAppSettings : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void freshProfileGivesDefaults()
    {
        Fixture f;
        readStartSettings(f.ctx);
        const LayoutSettings l = readLayoutSettings(f.ctx);
        QCOMPARE(f.prompter.count(), 0);
        QVERIFY(l.standardToolbar && l.formatToolbar && l.statusBar && !l.ruler);
        QVERIFY(f.ctx.showWarn && f.ctx.showWarnRV && f.ctx.autoDetect && f.ctx.autoConnect && !f.ctx.echo);
        QCOMPARE(f.ctx.chronSelect, 1);
        // 8025 twips wide, two thirds high, centred on a 1200 x 900 pixel screen at 15 twips/pixel.
        const PixelGeometry g = restoreMainGeometry(f.ctx, {QRect(0, 0, 1200, 900)}, 15.0);
        QCOMPARE(g.size, QSize(535, 600));
        QCOMPARE(g.pos, QPoint((1200 - 535) / 2, (900 - 600) / 2));
    }
    // Stored layout values: out of range corrected, text that does not convert reported with
    // its step number while start-up goes on.
    void layoutValues()
    {
        const struct { QString key; const char *stored; int value; QString reported; } cases[] = {
            {"ViewMode", "2", 2, ""},  {"ViewMode", "5", 0, ""}, {"ViewMode", "-1", 0, ""},
            {"ViewMode", "wide", 0, "moxMain-soxSettings-5"}, {"Ruler", "sometimes", 0, "moxMain-soxSettings-3"},
            {"StatusBar", "False", 0, ""}};
        for (const auto &[key, stored, value, reported] : cases) {
            Fixture f;
            f.ctx.store.write("Zentrix0", "frmMDI", key, stored);
            const LayoutSettings l = readLayoutSettings(f.ctx);
            const int got = key == "ViewMode" ? l.viewMode : key == "Ruler" ? int(l.ruler) : int(l.statusBar);
            QCOMPARE(got, value);
            QCOMPARE(f.prompter.count(), reported.isEmpty() ? 0 : 1);
            QCOMPARE(f.ctx.errorCount, reported.isEmpty() ? 0 : 1);
            if (!reported.isEmpty())
                QCOMPARE(f.prompter.lastLines().value(1), reported);
        }
    }
    void storedGeometry()   // twips, screen 18000 x 13500
    {
        const std::pair<QRect, QRect> cases[] = {
            {{1500, 1200, 9000, 6000}, {1500, 1200, 9000, 6000}},   // fits
            {{0, 0, 30000, 6000}, {0, 0, 8025, 6000}},              // too wide
            {{0, 0, 9000, 14000}, {0, 0, 9000, 9000}},              // too high
            {{15000, 100, 9000, 6000}, {4500, 3750, 9000, 6000}},   // off screen
            {{-400, 100, 9000, 6000}, {4500, 3750, 9000, 6000}},
            {{100, 100, 10, 10}, {100, 100, 8025, 9000}}};          // tiny
        for (const auto &[in, out] : cases)
            QCOMPARE(fitMainGeometry(in.x(), in.y(), in.width(), in.height(), {QRect(0, 0, 18000, 13500)}), out);
        // Two screens side by side, the second one smaller and lower.
        const QList<QRect> two{QRect(0, 0, 18000, 13500), QRect(18000, 1500, 12000, 9000)};
        const std::pair<QRect, QRect> dual[] = {
            {{20000, 2000, 9000, 6000}, {20000, 2000, 9000, 6000}},   // on the second screen
            {{14000, 2000, 9000, 6000}, {14000, 2000, 9000, 6000}},   // across both
            {{14000, 100, 9000, 6000}, {4500, 3750, 9000, 6000}},     // top right corner in no screen
            {{40000, 3000, 9000, 6000}, {19500, 3000, 9000, 6000}},   // right of all: the nearest one
            {{20000, 2000, 14000, 6000}, {20000, 2000, 8025, 6000}}}; // too wide for its screen
        for (const auto &[in, out] : dual)
            QCOMPARE(fitMainGeometry(in.x(), in.y(), in.width(), in.height(), two), out);
    }
    void geometryRoundTrip()
    {
        Fixture f;
        saveMainGeometry(f.ctx, PixelGeometry{QPoint(40, 30), QSize(700, 500)}, 15.0);
        QCOMPARE(f.get(keys::frmMDI::PosWinX), QString("600"));
        QCOMPARE(f.get(keys::frmMDI::SizWinY), QString("7500"));
        const PixelGeometry g = restoreMainGeometry(f.ctx, {QRect(0, 0, 1024, 768)}, 15.0);
        QCOMPARE(g.pos, QPoint(40, 30));
        QCOMPARE(g.size, QSize(700, 500));
    }
    // A first run's window grows to the right to what its toolbars need, no wider than its screen.
    void widenedForToolbars_data()
    {
        QTest::addColumn<QRect>("placed");
        QTest::addColumn<int>("need");
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<QRect>("expected");
        QTest::newRow("desktop") << QRect(692, 180, 535, 720) << 671 << QRect(0, 0, 1920, 1080) << QRect(692, 180, 671, 720);
        QTest::newRow("small screen") << QRect(132, 100, 535, 400) << 900 << QRect(0, 0, 800, 600) << QRect(0, 100, 800, 400);
        QTest::newRow("second screen") << QRect(2612, 0, 535, 700) << 671 << QRect(1920, 0, 1920, 1080) << QRect(2612, 0, 671, 700);
        QTest::newRow("wide enough") << QRect(100, 50, 700, 500) << 671 << QRect(0, 0, 1920, 1080) << QRect(100, 50, 700, 500);
    }
    void widenedForToolbars()
    {
        QFETCH(QRect, placed);
        QFETCH(int, need);
        QFETCH(QRect, screen);
        QFETCH(QRect, expected);
        QCOMPARE(widenForToolbars(placed, need, screen), expected);
    }
    void softSettingsRoundTrip()
    {
        Fixture f;
        getSoftSettings(f.ctx);   // fresh: GetRegistry/SaveRegistry on, UserLevel 4 in Morvane
        QVERIFY(f.ctx.soft.getRegistry && f.ctx.soft.saveRegistry && !f.ctx.soft.softDebugSee);
        QCOMPARE(int(f.ctx.soft.userLevel), 4);
        f.ctx.soft.softEdit = true;
        f.ctx.soft.userLevel = 2;
        saveSoftSettings(f.ctx);
        QCOMPARE(f.get(keys::Morvane::SoftEdit), QString("True"));
        QCOMPARE(f.get(keys::Morvane::UserLevel), QString("2"));
        zapSoftFlags(f.ctx);
        QVERIFY(!f.ctx.soft.softEdit);
        QCOMPARE(int(f.ctx.soft.userLevel), 0);
        f.put(keys::Morvane::UserLevel, "9");
        getSoftSettings(f.ctx);
        QVERIFY(f.ctx.soft.softEdit);
        QCOMPARE(int(f.ctx.soft.userLevel), 4);   // clamped to 0..4
    }
    void debugCommands()
    {
        Fixture f;
        AppContext &c = f.ctx;
        QVERIFY(runDebugCommand(c, DebugCommand::MaxLev));
        runDebugCommand(c, DebugCommand::IncLev);
        QCOMPARE(int(c.soft.userLevel), 4);   // not above 4
        runDebugCommand(c, DebugCommand::MinLev);
        runDebugCommand(c, DebugCommand::DecLev);
        QCOMPARE(int(c.soft.userLevel), 0);   // not below 0
        QVERIFY(debugCommandChecked(c, DebugCommand::MinLev));
        QVERIFY(!runDebugCommand(c, DebugCommand::SftDbg));   // no refresh
        QVERIFY(debugCommandChecked(c, DebugCommand::SftDbg));
        // Ship mode off reads the Morvane flags; back on saves them and clears them.
        f.put(keys::Morvane::SoftMore, "True");
        QVERIFY(runDebugCommand(c, DebugCommand::SftShp));
        QVERIFY(!c.shipMode && c.soft.softMore);
        c.soft.softTest = true;
        runDebugCommand(c, DebugCommand::SftShp);
        QVERIFY(c.shipMode && !c.soft.softTest && !c.soft.softMore);
        QCOMPARE(f.get(keys::Morvane::SoftTest), QString("True"));
    }
    void perInstanceStartKeys()
    {
        Fixture f;
        f.ctx.appNumber = 2;
        f.ctx.device = 3;
        f.ctx.echo = true;
        saveExitSettings(f.ctx);
        f.ctx.store.write("Zentrix2", keys::frmComSet::CommPort, "7");
        AppContext zero;
        readStartSettings(zero);
        QCOMPARE(zero.device, 0);
        QVERIFY(!zero.echo);
        QCOMPARE(zero.store.read("Zentrix0", keys::frmComSet::CommPort), QString("1"));
        AppContext two;
        two.appNumber = 2;
        readStartSettings(two);
        QCOMPARE(two.device, 3);
        QVERIFY(two.echo);
    }
    void immediateClearThenExitRewrites()
    {
        Fixture f;
        f.ctx.showWarnRV = false;
        f.ctx.errorCount = 6;
        f.put(keys::frmComSet::CommPort, "5");
        f.put(keys::frmMDI::Ruler, "True");
        f.ctx.store.write(f.ctx.instanceName(), "modMRU", "File1", "x");
        f.ctx.store.write(f.ctx.instanceName(), "frmExpSet", "ExpDestin", "1");
        f.ctx.store.write(f.ctx.instanceName(), "frmOther", "Kept", "1");
        runDebugCommand(f.ctx, DebugCommand::ZapRegNow);
        QCOMPARE(f.ctx.store.sections(f.ctx.instanceName()), QStringList{"frmOther"});
        QVERIFY(!f.ctx.showWarnRV);   // memory untouched
        runShutdown(f.ctx, PixelGeometry{QPoint(10, 10), QSize(600, 400)}, 15.0, {});
        QCOMPARE(f.get(keys::frmVipNotes::ShowWarnRV), QString("False"));
        QCOMPARE(f.get(keys::frmErrox::gxMoxErc), QString("6"));
        QCOMPARE(f.get(keys::frmMDI::SizWinX), QString("9000"));
        QCOMPARE(f.get(keys::Morvane::AppEnd), QString("Zentrix0"));
        QCOMPARE(f.get(keys::frmComSet::CommPort), QString("1"));   // owned by the link: rewritten by it
        QCOMPARE(f.prompter.count(), 0);
    }
    void shutdownOrderAndClearAtExit()
    {
        Fixture f;
        f.ctx.soft.clearRegistry = true;
        QStringList order;
        ShutdownHooks h;
        h.releaseExcel = [&] { order << "excel"; };
        h.supportClosing = {[&] { order << "frmTip"; }, [&] { order << "frmProperties"; }};
        h.stopTerminalTimers = [&] {
            order << "timers";
            QCOMPARE(f.get(keys::Morvane::AppRun), QString());   // record written before
        };
        h.destroyWindows = {[&] { order << "destroy"; }};
        f.prompter.queue(MsgAnswer::Yes);
        runShutdown(f.ctx, PixelGeometry{QPoint(0, 0), QSize(600, 400)}, 15.0, h);
        QCOMPARE(order, (QStringList{"excel", "frmTip", "frmProperties", "timers", "destroy"}));
        QCOMPARE(f.prompter.count(), 1);
        QCOMPARE(f.prompter.last().title, QString("Zentrix0 - Clear Registry"));
        QCOMPARE(f.prompter.last().text, QString("Clear Registry Key - ''Zentrix0''"));
        QCOMPARE(f.prompter.last().buttons, MsgButtons::YesNo);
        QVERIFY(f.ctx.store.sections("Zentrix0").isEmpty());
    }
    void confirmWarningPaths()
    {
        Fixture f;
        f.prompter.queue({MsgAnswer::Yes, MsgAnswer::No, MsgAnswer::Cancel, MsgAnswer::Yes});
        QVERIFY(confirmWarning(f.ctx, "Turn the sensors off"));
        QCOMPARE(f.prompter.lastLines(),
                 (QStringList{"For more information click on [Cancel]  ", "", "Turn the sensors off ?"}));
        QCOMPARE(f.prompter.last().buttons, MsgButtons::YesNoCancel);
        QCOMPARE(f.prompter.last().defaultButton, 3);
        QVERIFY(!confirmWarning(f.ctx, "Q"));
        QVERIFY(!confirmWarning(f.ctx, "Q"));   // Cancel, then Yes on the stop question
        QCOMPARE(f.prompter.count(), 4);
        QCOMPARE(f.prompter.lastLines().value(2), QString("By clicking on  [Yes]  below, this check murck is cleared for you. "));
        QVERIFY(!f.ctx.showWarnRV);
        QVERIFY(confirmWarning(f.ctx, "Q"));    // no longer asks
        QCOMPARE(f.prompter.count(), 4);
    }
};

QTEST_GUILESS_MAIN(TestAppSettings)
#include "tst_app_settings.moc"
