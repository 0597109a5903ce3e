// The RV5 setup panel in the real main window, opened by Chrono > RV5 Setup... and driven by
// its control names against the simulator on a pseudo-terminal.
#include "app/ui/frm_mdi.h"
#include "platform/one_shot_timer.h"
#include "platform/port_map.h"
#include "setup/cro_setup.h"
#include "setup/ui/frm_cro_setup.h"
#include "support/gui/main_window_rig.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPointer>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

using namespace zx;
using namespace zx::test;

class TstSetupPanel : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void panelDrivesTheChronograph()
    {
        MainWindowRig rig;
        SimFixture &sim = rig.sim;
        ScriptedPrompter &prompter = rig.prompter;
        AppContext &ctx = rig.ctx;
        QPointer<FrmMdi> &mdi = rig.mdi;
        QVERIFY(sim.isOpen());
        QVERIFY(rig.start());
        mdi->findChild<QAction *>(QStringLiteral("mnuCroPref"))->trigger();
        QPointer<FrmCroSetup> w = mdi->findChild<FrmCroSetup *>(QStringLiteral("frmCroSetup"));
        QVERIFY(w && w->isVisible());
        QCOMPARE(w->windowTitle(), QStringLiteral("RV5 Setup Options"));
        const auto box = [&w](const char *name) { return w->findChild<QLineEdit *>(QString::fromLatin1(name)); };
        const auto button = [&w](const char *name) { return w->findChild<QAbstractButton *>(QString::fromLatin1(name)); };
        QCOMPARE(box("txtSnsLevel")->text(), QStringLiteral("45"));
        QCOMPARE(box("txtStrSize_1")->text(), QStringLiteral("10"));
        QCOMPARE(w->findChild<QCheckBox *>(QStringLiteral("chkMemAlarm"))->checkState(), Qt::PartiallyChecked);
        QVERIFY(button("optUnitsUM_0")->isChecked());

        button("cmdSnsUpDwn_0")->click();
        QCOMPARE(sim.sim().state().sensLevel, 46);
        QCOMPARE(box("txtSnsLevel")->text(), QStringLiteral("46"));
        button("optUnitsUM_1")->click();
        QVERIFY(sim.sim().state().metric);
        button("chkSndLogs_2")->click();
        QVERIFY(sim.sim().state().logL);
        button("cmdPwrDwn_2")->click();
        QCOMPARE(box("txtPwrDwn_0")->text(), QStringLiteral("01"));
        button("optArcOnOff_1")->click();
        QVERIFY(sim.sim().state().archery);
        QCOMPARE(prompter.count(), 0);

        // Archery off fails on a silent line: neither option shows, so closing asks, and Yes
        // sends the change once the chronograph answers again.
        OneShotTimer::setScale(0.1);
        sim.sim().setSilent(true);
        button("optArcOnOff_0")->click();
        sim.sim().setSilent(false);
        OneShotTimer::setScale(1.0);
        QVERIFY(prompter.last().text.startsWith(QStringLiteral("Failed to set Archery Mode Off ..!")));
        QVERIFY(!button("optArcOnOff_0")->isChecked() && !button("optArcOnOff_1")->isChecked());
        prompter.queue(MsgAnswer::Yes);
        button("cmdClose")->click();
        QCOMPARE(prompter.last().text, QStringLiteral("Setup has changed!\r\nSend Changes to RV5 Before Closing..?"));
        QVERIFY(!sim.sim().state().archery);
        QTRY_VERIFY(!w);

        // The command list's first entry: the control dialog; Ok keeps its Edit Mode switch.
        QVERIFY(!ctx.soft.softEdit);
        QTimer::singleShot(0, mdi, [&mdi] {
            QWidget *d = mdi->findChild<QWidget *>(QStringLiteral("frmLedsSEP"));
            QVERIFY(d && d->windowTitle() == QStringLiteral("Chronograph Control"));
            d->findChild<QAbstractButton *>(QStringLiteral("chkCapOk2Edit"))->click();
            d->findChild<QAbstractButton *>(QStringLiteral("cmdClose_1"))->click();
        });
        mdi->findChild<QAction *>(QStringLiteral("mnuRemCmdList0"))->trigger();
        QVERIFY(ctx.soft.softEdit);
        QVERIFY(!prompter.anyTextContains(QStringLiteral("temporarily disabled")));
    }

    // A level typed into the sensitivity box is stepped to on the chronograph, as Default
    // steps to 60; what is not a level sends nothing.
    void typedSensitivityReachesTheChronograph_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("level");
        QTest::addRow("up") << QStringLiteral("60") << 60;
        QTest::addRow("down") << QStringLiteral("30") << 30;
        QTest::addRow("letters") << QStringLiteral("ab") << 45;
    }
    void typedSensitivityReachesTheChronograph()
    {
        QFETCH(QString, typed);
        QFETCH(int, level);
        MainWindowRig rig;
        SimFixture &sim = rig.sim;
        ScriptedPrompter &prompter = rig.prompter;
        QPointer<FrmMdi> &mdi = rig.mdi;
        QVERIFY(sim.isOpen());
        QVERIFY(rig.start());
        mdi->findChild<QAction *>(QStringLiteral("mnuCroPref"))->trigger();
        QPointer<FrmCroSetup> w = mdi->findChild<FrmCroSetup *>(QStringLiteral("frmCroSetup"));
        QVERIFY(w && w->isVisible());
        auto *box = w->findChild<QLineEdit *>(QStringLiteral("txtSnsLevel"));
        QCOMPARE(sim.sim().state().sensLevel, 45);
        box->selectAll();
        QTest::keyClicks(box, typed);
        QTest::keyClick(box, Qt::Key_Return);
        QTRY_COMPARE(sim.sim().state().sensLevel, level);
        QCOMPARE(box->text(), QString::number(level));
        QCOMPARE(prompter.count(), 0);
        w->close();
    }
};

QTEST_MAIN(TstSetupPanel)
#include "tst_setup_panel.moc"
