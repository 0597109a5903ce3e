// The keypad window in the real main window on the simulator: opened by its menu entries and
// the toolbar button, one copy only, keys clicked by their control names.
#include "app/app_context.h"
#include "app/mode_commands.h"
#include "app/settings_keys.h"
#include "app/ui/chrono_desk.h"
#include "app/ui/frm_mdi.h"
#include "app/ui/splash_sequence.h"
#include "link/link_session.h"
#include "platform/port_map.h"
#include "remote/keypad_settings_keys.h"
#include "support/scripted_prompter.h"
#include "support/startup_patience.h"
#include "support/sim_fixture.h"
#include "support/temp_settings.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

using namespace zx;
using namespace zx::test;

class TstKeypadWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void openOnceAndClickKeys()
    {
        TempSettings tmp;
        SimFixture sim;
        QVERIFY(sim.isOpen());
        ScriptedPrompter prompter;
        AppContext ctx;
        PortMap::setOverride(1, sim.stablePath());
        ctx.store.writeInt(ctx.instanceName(), keys::frmComSet::ChronSelect, 1);
        ctx.store.writeBool(ctx.instanceName(), keys::frmMDI::MoreOptions, true);
        ctx.prompter = &prompter;
        QPointer<FrmMdi> mdi = zx::test::startPatiently([&] { return runSplashSequence(ctx); });
        QVERIFY(mdi);
        const auto pads = [] {
            int n = 0;
            for (QWidget *w : QApplication::topLevelWidgets())
                n += w->objectName() == QStringLiteral("frmKeyPad");
            return n;
        };
        QCOMPARE(pads(), 0);

        mdi->findChild<QAction *>(QStringLiteral("mnuKeyPad"))->trigger();
        mdi->findChild<QAction *>(QStringLiteral("mnuKeyPad"))->trigger();
        mdi->toolbars().action(cmd::Keypad)->trigger();
        QCOMPARE(pads(), 1);
        QWidget *pad = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == QStringLiteral("frmKeyPad"))
                pad = w;
        QVERIFY(pad->isVisible());
        LinkSession &link = chronoDesk(*mdi)->link();
        QVERIFY(link.bKeyPadOn);
        auto *lcd = pad->findChild<QPlainTextEdit *>(QStringLiteral("txtLcd"));
        QCOMPARE(lcd->toPlainText(), QStringLiteral("Str=00 Sho=00_00\nVel=888888.88 f/s\nLow=888888.88 f/s\nTemp=000.00 Fah"));

        sim.waitIdle();
        QTest::qWait(80);
        sim.sim().clearReceived();
        pad->findChild<QPushButton *>(QStringLiteral("keyPadKey_14"))->click();
        pad->findChild<QPushButton *>(QStringLiteral("keyPadKey_1"))->click();
        QCOMPARE(sim.sim().received(), QByteArray("TA"));
        QVERIFY2(lcd->toPlainText().endsWith(QStringLiteral("ARC:Archery Mode ON\nDAT>")), qPrintable(lcd->toPlainText()));
        QVERIFY(pad->findChild<QLabel *>(QStringLiteral("txtLcdSta_0"))->property("lit").toBool());

        // Closing clears the flag and keeps the position; through iRemote the main window
        // waits until the pad closes.
        pad->findChild<QPushButton *>(QStringLiteral("keyClose"))->click();
        QVERIFY(!pad->isVisible());
        QVERIFY(!link.bKeyPadOn);
        QVERIFY(!ctx.store.read(ctx.instanceName(), keys::frmKeyPad::PosWinX).isEmpty());
        mdi->findChild<QAction *>(QStringLiteral("mnuIRemote"))->trigger();
        QVERIFY(pad->isVisible() && !mdi->isEnabled());
        pad->close();
        QVERIFY(mdi->isEnabled());
        QCOMPARE(pads(), 1);

        mdi->closeByProgram();
        PortMap::clearOverrides();
    }
};

QTEST_MAIN(TstKeypadWindow)
#include "tst_keypad_window.moc"
