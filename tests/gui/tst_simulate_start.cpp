// The desktop program on an in-process RV5: Start from the Chrono menu records live shots
// into the LogPad, which the user cannot undo or change while shooting, Stop ends the
// capture; the start-up recovers what a journal kept from a run that did not end properly.
#include "app/app_context.h"
#include "app/ui/frm_mdi.h"
#include "app/ui/splash_sequence.h"
#include "cfile/capture_journal.h"
#include "cfile/cfile_manager.h"
#include "cfile/ui/cfile_workspace.h"
#include "app/ui/document_factory.h"
#include "cfile/ui/frm_document.h"
#include "platform/port_map.h"
#include "platform/serial_port.h"
#include "platform/settings_store.h"
#include "sim/rv5_simulator.h"
#include "sim/virtual_port.h"
#include "support/scripted_prompter.h"
#include "support/startup_patience.h"
#include "support/temp_settings.h"

#include <QAction>
#include <QTextEdit>
#include <QtTest>

class TstSimulateStart : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void startRecordsShotsStopEnds()
    {
        zx::test::TempSettings tmp;
        zx::sim::Rv5Options opt;
        opt.sensorsOn = true;
        opt.shotIntervalMs = 200;
        zx::sim::Rv5Simulator sim(opt);
        zx::sim::VirtualPortPair pair(&sim);
        zx::sim::VirtualPort *end = pair.programEnd();
        zx::SerialPort::registerVirtualDevice(QStringLiteral("sim:gui"), [end] { return end; });
        zx::PortMap::setOverride(1, QStringLiteral("sim:gui"));
        for (int n = 2; n <= 16; ++n)
            zx::PortMap::setOverride(n, QStringLiteral("/nonexistent/zx-com%1").arg(n));

        zx::AppContext ctx;
        zx::test::ScriptedPrompter prompter;
        ctx.prompter = &prompter;
        zx::FrmMdi *mdi = zx::test::startPatiently([&] { return zx::runSplashSequence(ctx); });
        QVERIFY(mdi);
        auto *start = mdi->findChild<QAction *>(QStringLiteral("mnuRemStart"));
        auto *stop = mdi->findChild<QAction *>(QStringLiteral("mnuRemStop"));
        QVERIFY(start && stop);

        start->trigger();
        zx::CFileWorkspace *ws = zx::cfileWorkspace(*mdi);
        QVERIFY(ws && ws->files().active());
        QTextDocument *doc = ws->files().active()->document();
        QTRY_VERIFY_WITH_TIMEOUT(doc->toPlainText().count(QLatin1String("CAP:")) >= 2, 20000);
        // Shoot mode: Ctrl+Z and Ctrl+X take nothing out of the record.
        QTextEdit *edit = ws->activeWindow()->rtfText();
        const QString record = doc->toPlainText();
        QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_X, Qt::ControlModifier);
        QVERIFY(doc->toPlainText().startsWith(record));
        stop->trigger();
        const QString text = ws->files().active()->document()->toPlainText();
        QVERIFY(text.contains(QLatin1String("TAG: Start-")));
        QVERIFY(text.contains(QLatin1String("TAG: Stop-")));
        mdi->closeByProgram();
        zx::PortMap::clearOverrides();
        zx::SerialPort::unregisterVirtualDevice(QStringLiteral("sim:gui"));
    }

    void startUpRecoversAJournal()
    {
        zx::test::TempSettings tmp;
        tmp.selectChronographByHand();
        zx::SettingsStore store;
        const QString folder = zx::CaptureJournal::folderFor(store, QStringLiteral("Zentrix0"));
        QVERIFY(QDir().mkpath(folder));
        QFile left(folder + QStringLiteral("/20261206-031500-000-1.journal"));
        QVERIFY(left.open(QIODevice::WriteOnly));
        left.write("Zentrix journal\tCFile1\t2026-12-06T03:15:00.000\nTAG: Start-\r\nCAP:#01 2875.42 f/s\r\n");
        left.close();

        zx::AppContext ctx;
        zx::test::ScriptedPrompter prompter;  // the preselected answer: Yes
        ctx.prompter = &prompter;
        zx::FrmMdi *mdi = zx::test::startPatiently([&] { return zx::runSplashSequence(ctx); });
        zx::CFileWorkspace *ws = zx::cfileWorkspace(*mdi);
        QVERIFY(prompter.anyTextContains(QStringLiteral("Recover them into a new CFile.?")));
        zx::CFileDoc *doc = ws->files().active();
        QCOMPARE(ws->files().numOfCFIles(), 2);
        QCOMPARE(doc->document()->toPlainText(), QStringLiteral("TAG: Start-\nCAP:#01 2875.42 f/s\n"));
        QVERIFY(doc->bChanged());
        QVERIFY(!left.exists());
        // Saving it ends its journal.
        const QString journal = ws->journal().pathOf(doc);
        QVERIFY(QFile::exists(journal));
        doc->setCaption(tmp.path() + QStringLiteral("/recovered.txt"));
        QVERIFY(ws->files().saveCFile(doc));
        QVERIFY(!QFile::exists(journal));
        mdi->closeByProgram();
    }
};

QTEST_MAIN(TstSimulateStart)
#include "tst_simulate_start.moc"
