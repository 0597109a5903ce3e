// The real main window on the RV5 simulator behind a pseudo-terminal, driven by control name.
#include "app/app_context.h"
#include "app/settings_keys.h"
#include "app/ui/chrono_desk.h"
#include "app/ui/document_factory.h"
#include "app/ui/frm_mdi.h"
#include "app/ui/splash_sequence.h"
#include "cfile/cfile_manager.h"
#include "cfile/ui/cfile_workspace.h"
#include "link/chrono_ops.h"
#include "link/link_session.h"
#include "link/port_detect.h"
#include "link/ui/frm_properties.h"
#include "link/ui/progress_window.h"
#include "platform/port_map.h"
#include "support/gui/main_window_rig.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace zx;
using namespace zx::test;

namespace {

// Answers come a character at a time at 4800 baud, as from a real chronograph.
zx::sim::Rv5Options pacedOptions()
{
    auto o = SimFixture::quietOptions();
    o.paced = true;
    return o;
}

struct MainRig : MainWindowRig {
    explicit MainRig(int chronSelect = 1) : MainWindowRig(pacedOptions(), chronSelect)
    {
        for (int n = 2; n <= 16; ++n)
            PortMap::setOverride(n, QStringLiteral("/nonexistent/zx-com%1").arg(n));
    }
    ChronoDesk &desk() { return *chronoDesk(*mdi); }
    QAction *action(const QString &name) { return mdi->findChild<QAction *>(name); }
    void trigger(const QString &name)
    {
        QAction *a = action(name);
        QVERIFY2(a, qPrintable(name));
        a->trigger();
    }
    QString logPad()
    {
        CFileDoc *doc = cfileWorkspace(*mdi)->files().active();
        return doc ? doc->document()->toPlainText() : QString();
    }
    QString sensitivity() { return mdi->findChild<QLabel *>(QStringLiteral("sbrPanelSens"))->text(); }
};

} // namespace

class TstMainChrono : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void startupFindsFirstFreeRv5AndProperties()
    {
        MainRig rig;
        QVERIFY(rig.sim.isOpen());
        QVERIFY(rig.start());
        QVERIFY(rig.desk().link().MSComm1.portOpen());
        QCOMPARE(rig.mdi->windowTitle(), QStringLiteral("Zentrix0 {COM1=ON} {Edit} {RV5 Vantor}"));
        QVERIFY(rig.desk().link().cro.bCroStatusOk);
        QCOMPARE(rig.sensitivity(), QStringLiteral("Sensitivity %1%").arg(rig.desk().link().cro.iCroSensLevel));
        const QString log = rig.desk().detect().log();
        QVERIFY2(log.contains(QStringLiteral("Retrieving RV5 Status for Chrono-1...")), qPrintable(log));
        QVERIFY(log.contains(QStringLiteral("Status Retrieved Ok..!")));
        QCOMPARE(rig.prompter.count(), 0);
        // The properties window was shown during the selection and hidden again.
        QVERIFY(rig.desk().properties()->isHidden());
        QCOMPARE(rig.desk().properties()->windowTitle(), QStringLiteral("CSetup0_1 }"));
        // Then from the Interface menu.
        rig.trigger(QStringLiteral("mnuProperties"));
        FrmProperties *w = rig.desk().properties();
        QVERIFY(w->isVisible());
        QCOMPARE(w->findChild<QLabel *>(QStringLiteral("lblCroName"))->text(), QStringLiteral("Chrono-1"));
        w->close();
        rig.trigger(QStringLiteral("mnuDetect"));
        auto *list = w->findChild<QListWidget *>(QStringLiteral("lstCom2Cro"));
        QVERIFY(list->count() >= 1);
        QVERIFY2(list->item(0)->text().endsWith(QStringLiteral("{RV-5}")), qPrintable(list->item(0)->text()));
        QVERIFY(rig.desk().link().MSComm1.portOpen());   // reopened after probing its own port
        w->close();
    }

    void captionFollowsModePortAndPulledCable()
    {
        MainRig rig;
        QVERIFY(rig.start());
        LinkSession &link = rig.desk().link();
        // Start on a calibrated chronograph turns the sensors on: Shoot mode.
        rig.prompter.queue(MsgAnswer::Yes);   // the calibration offer, if any
        rig.trigger(QStringLiteral("mnuRemStart"));
        QTRY_VERIFY_WITH_TIMEOUT(link.bRxTo[1], 10000);
        QVERIFY2(rig.mdi->windowTitle().contains(QStringLiteral(" {Shoot} ")), qPrintable(rig.mdi->windowTitle()));
        QVERIFY(rig.action(QStringLiteral("mnuRemStart"))->isChecked()
                && rig.action(QStringLiteral("popRemStart"))->isChecked());
        // Shoot mode: no cutting or undoing in the LogPad.
        QVERIFY(!rig.action(QStringLiteral("Cut"))->isEnabled() && !rig.action(QStringLiteral("Undo"))->isEnabled());
        QAction *connectButton = rig.action(QStringLiteral("Connect"));
        QVERIFY(connectButton->isChecked());

        // The cable is pulled mid-capture: the program says so at once and waits for the device.
        rig.sim.unplug();
        QTRY_COMPARE(rig.mdi->windowTitle(), QStringLiteral("Zentrix0 {COM1=OFF} {Edit} {RV5 Vantor}"));
        QVERIFY(!connectButton->isChecked() && !link.bPortOpen);
        QVERIFY(rig.logPad().contains(QStringLiteral("REM: COM1 - Chrono-1 connection lost..!")));
        // Plugged in again at the same path: reopened, and the shots go on into the LogPad.
        QVERIFY(rig.sim.replug());
        QTRY_VERIFY_WITH_TIMEOUT(link.MSComm1.portOpen(), 5000);
        QVERIFY(rig.logPad().contains(QStringLiteral("REM: COM1 - Chrono-1 reconnected")));
        QVERIFY2(rig.mdi->windowTitle().contains(QStringLiteral(" {Shoot} ")), qPrintable(rig.mdi->windowTitle()));
        QVERIFY(connectButton->isChecked());
        QVERIFY(rig.sim.sim().fireShot(2800));
        QTRY_VERIFY(rig.logPad().contains(QStringLiteral("2800.00")));
        // The statistics panel follows the string being shot.
        QVERIFY(rig.sim.sim().fireShot(2810));
        QTRY_COMPARE(rig.mdi->findChild<QLabel *>(QStringLiteral("lblStatShots"))->text(), QStringLiteral("2"));
        QCOMPARE(rig.mdi->findChild<QLabel *>(QStringLiteral("lblStatAverage"))->text(), QStringLiteral("2805.00 f/s"));

        // The toolbar's Connect closes the port: the capture switch goes off with it.
        connectButton->trigger();
        QVERIFY(!link.MSComm1.portOpen() && !link.bRxTo[1] && !connectButton->isChecked());
        QCOMPARE(rig.mdi->windowTitle(), QStringLiteral("Zentrix0 {COM1=OFF} {Edit} {RV5 Vantor}"));
        connectButton->trigger();
        QVERIFY(link.MSComm1.portOpen());
        QVERIFY(rig.mdi->windowTitle().startsWith(QStringLiteral("Zentrix0 {COM1=ON} {Edit}")));
    }

    void chronoMenuOperations()
    {
        MainRig rig;
        QVERIFY(rig.start());
        LinkSession &link = rig.desk().link();

        rig.trigger(QStringLiteral("mnuRemStatus"));
        QTRY_VERIFY(rig.logPad().contains(QStringLiteral("RV5 Status Report")));

        rig.trigger(QStringLiteral("mnuRemCalibrate"));
        QTRY_VERIFY_WITH_TIMEOUT(rig.logPad().contains(QStringLiteral("Calibration Ok! {Level=")), 15000);

        rig.trigger(QStringLiteral("mnuRemRapidFireOn"));
        QTRY_VERIFY(rig.sim.sim().state().rapid);
        QVERIFY(rig.action(QStringLiteral("mnuRemRapidFireOn"))->isChecked());
        QVERIFY(rig.logPad().contains(QStringLiteral("Rapid fire is now turned  On")));
        rig.trigger(QStringLiteral("mnuRemRapidFireOn"));
        QTRY_VERIFY(!rig.sim.sim().state().rapid);

        rig.trigger(QStringLiteral("mnuRemTest"));
        QTRY_VERIFY(rig.logPad().contains(QStringLiteral("End of data collection")));

        rig.trigger(QStringLiteral("mnuRemPowerOff"));
        QTRY_VERIFY_WITH_TIMEOUT(rig.logPad().contains(QStringLiteral("Chrono Power has been turned off")), 10000);
        // Every operation left the task guard free and the progress window closed.
        QVERIFY(!rig.desk().progress()->isVisible());
        QVERIFY(rig.desk().ops().guarded([] {}));
        QVERIFY(link.MSComm1.portOpen());
        QCOMPARE(rig.prompter.count(), 0);
    }

    void lastUsedShowsPropertiesModally()
    {
        MainRig rig(2);
        bool sawModal = false;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (QWidget *m = QApplication::activeModalWidget()) {
                sawModal = m->objectName() == QStringLiteral("frmProperties") && m->isEnabled()
                           && m->findChild<QWidget *>(QStringLiteral("cmdDetect"))->isEnabled();
                m->close();
            }
        });
        poll.start(50);
        QVERIFY(rig.start());
        poll.stop();
        QVERIFY(sawModal);
        // The stored port was kept and its status read after the window closed.
        QVERIFY(rig.desk().link().cro.bCroStatusOk);
    }

    void secondTaskIsKeptOut()
    {
        MainRig rig;
        QVERIFY(rig.start());
        rig.sim.sim().setCalibrationStepMs(150);
        // While the calibration waits on the chronograph, the user asks for the status report.
        bool asked = false;
        QTimer::singleShot(300, [&] {
            rig.prompter.queue(MsgAnswer::No);   // do not abort the running task
            rig.trigger(QStringLiteral("mnuRemStatus"));
            asked = true;
        });
        rig.trigger(QStringLiteral("mnuRemCalibrate"));
        QVERIFY(asked);
        QCOMPARE(rig.prompter.count(), 1);
        QCOMPARE(rig.prompter.lastLines().value(0), QStringLiteral("Zentrix can't execute this function right now.!\t"));
        QVERIFY(rig.prompter.last().text.contains(QStringLiteral("It is busy talking to  [RV5 Vantor].")));
        // The calibration ran to its end; the refused report never started.
        QVERIFY(rig.logPad().contains(QStringLiteral("Calibration Ok! {Level=")));
        QVERIFY(!rig.logPad().contains(QStringLiteral("RV5 Status Report")));
        QVERIFY(rig.desk().ops().guarded([] {}));   // the guard is free again
    }

    void abortButtonStopsCalibration()
    {
        MainRig rig;
        QVERIFY(rig.start());
        rig.sim.sim().setCalibrationStepMs(150);
        FrmFPrgrs *progress = rig.desk().progress();
        bool clicked = false;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto *abort = progress->findChild<QPushButton *>(QStringLiteral("cmdAbort"));
            // Abort once the chronograph has been told to calibrate ("C").
            if (!clicked && progress->isVisible() && rig.sim.sim().received().contains('C')) {
                clicked = true;
                QTest::mouseClick(abort, Qt::LeftButton);
            }
        });
        poll.start(20);
        rig.trigger(QStringLiteral("mnuRemCalibrate"));
        poll.stop();
        QVERIFY(clicked);
        QVERIFY2(rig.logPad().contains(QStringLiteral("Operation Aborted by the user..!")), qPrintable(rig.logPad()));
        QVERIFY(!rig.logPad().contains(QStringLiteral("Calibration Ok!")));
        QVERIFY(!progress->isVisible());
        QVERIFY(rig.desk().ops().guarded([] {}));
    }
};

QTEST_MAIN(TstMainChrono)
#include "tst_main_chrono.moc"
