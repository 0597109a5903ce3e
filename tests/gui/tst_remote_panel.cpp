// The remote control panel in the real main window, driven by its control names against the
// RV5 simulator on a pseudo-terminal.
#include "app/app_context.h"
#include "app/settings_keys.h"
#include "app/ui/chrono_desk.h"
#include "app/ui/document_factory.h"
#include "app/ui/excel_desk.h"
#include "app/ui/frm_mdi.h"
#include "app/ui/remote_panel_desk.h"
#include "app/ui/splash_sequence.h"
#include "cfile/cfile_doc.h"
#include "cfile/cfile_manager.h"
#include "cfile/cfile_settings.h"
#include "cfile/ui/cfile_workspace.h"
#include "export/excel_link.h"
#include "link/chrono_ops.h"
#include "link/link_session.h"
#include "platform/one_shot_timer.h"
#include "platform/port_map.h"
#include "remote/remote_control.h"
#include "remote/ui/frm_rem_ctr.h"
#include "support/scripted_prompter.h"
#include "support/startup_patience.h"
#include "support/sim_fixture.h"
#include "support/temp_settings.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace zx;
using namespace zx::test;

namespace {

struct PanelRig {
    TempSettings tmp;
    SimFixture sim;
    ScriptedPrompter prompter;
    AppContext ctx;
    QPointer<FrmMdi> mdi;
    QTemporaryDir cfiles;   // the folder of new CFiles

    PanelRig()
    {
        ctx.store.write(ctx.instanceName(), cfilekeys::CFileFolder, cfiles.path());
        PortMap::setOverride(1, sim.stablePath());
        for (int n = 2; n <= 16; ++n)
            PortMap::setOverride(n, QStringLiteral("/nonexistent/zx-com%1").arg(n));
        ctx.store.writeInt(ctx.instanceName(), keys::frmComSet::ChronSelect, 1);
        ctx.prompter = &prompter;
    }
    ~PanelRig()
    {
        if (mdi)
            mdi->closeByProgram();
        PortMap::clearOverrides();
    }
    FrmRemCtr *start()
    {
        mdi = zx::test::startPatiently([&] { return runSplashSequence(ctx); });
        if (!mdi)
            return nullptr;
        mdi->findChild<QAction *>(QStringLiteral("mnuRemPanel"))->trigger();
        return panel();
    }
    FrmRemCtr *panel() { return remotePanelDesk(*mdi)->window(); }
    LinkSession &link() { return chronoDesk(*mdi)->link(); }
    template <class T = QPushButton> T *control(const QString &name)
    {
        T *c = panel()->findChild<T *>(name);
        if (!c)
            qWarning("no control %s", qPrintable(name));
        return c;
    }
    void click(const QString &name) { control<QAbstractButton>(name)->click(); }
    // Clears what the simulator heard once the line is quiet.
    void quiet()
    {
        sim.waitIdle();
        QTest::qWait(80);
        sim.sim().clearReceived();
    }
};

} // namespace


class TstRemotePanel : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void keysReachTheChronograph()
    {
        PanelRig rig;
        QVERIFY(rig.sim.isOpen());
        FrmRemCtr *w = rig.start();
        QVERIFY(w && w->isVisible());
        QVERIFY2(w->windowTitle().startsWith(QStringLiteral("iPad0_1 ")), qPrintable(w->windowTitle()));
        // The command lists come from the shipped command file, copied into the program folder.
        QVERIFY(rig.control<QListWidget>(QStringLiteral("lstCtrAscLow_0"))->count() > 0);

        rig.click(QStringLiteral("chkHwrLnkTo_1"));
        QVERIFY(rig.link().bRxTo[1]);
        rig.quiet();
        rig.click(QStringLiteral("cmdKeyDwn"));
        QCOMPARE(rig.sim.sim().received(), QByteArray("\x04"));
        QVERIFY(!rig.link().croTxn.failed);

        // Esc is written and the click returns at once: the chronograph has not even heard it yet.
        rig.quiet();
        rig.click(QStringLiteral("cmdKeyEsc"));
        QVERIFY(rig.sim.sim().received().isEmpty());
        QTRY_COMPARE(rig.sim.sim().received(), QByteArray("\x1b"));

        // A command list item sends its code.
        rig.quiet();
        auto *list = rig.control<QListWidget>(QStringLiteral("lstCtrAscLow_0"));
        QListWidgetItem *item = list->item(0);
        const int code = item->data(Qt::UserRole).toInt();
        Q_EMIT list->itemClicked(item);
        QTRY_COMPARE(rig.sim.sim().received(), QByteArray(1, char(code)));

        // Mode buttons show the chronograph's mode once it answered.
        rig.quiet();
        rig.click(QStringLiteral("cmdCroMode_1"));
        QCOMPARE(rig.sim.sim().received(), QByteArray("S"));
        QVERIFY(rig.control(QStringLiteral("cmdCroMode_1"))->isChecked());
        QCOMPARE(rig.prompter.count(), 0);
    }

    // A command list item reaches a chronograph the program does not know: chosen as the
    // unknown device, or found by the start-up scan (the port then stays closed and the click
    // says so, instead of asking for the CFile link at every click).
    void commandListOnAnUnknownChronograph()
    {
        PanelRig rig;
        rig.ctx.store.writeInt(rig.ctx.instanceName(), keys::frmComSet::Device, 2);   // " Unknow Chronograph"
        rig.sim.sim().state().model = QStringLiteral("XQ9");
        QVERIFY(rig.start());
        rig.click(QStringLiteral("chkHwrLnkTo_1"));
        rig.quiet();
        auto *list = rig.control<QListWidget>(QStringLiteral("lstCtrAscLow_1"));
        QListWidgetItem *item = list->item(0);
        Q_EMIT list->itemClicked(item);
        QTRY_COMPARE(rig.sim.sim().received(), QByteArray(1, char(item->data(Qt::UserRole).toInt())));
        QCOMPARE(rig.prompter.count(), 0);
    }
    void commandListAfterTheScanFoundAnUnknownChronograph()
    {
        PanelRig rig;
        rig.sim.sim().setSilent(true);   // the scan finds no RV5, only an unknown chronograph
        QTimer closeProperties;
        QObject::connect(&closeProperties, &QTimer::timeout, [] {
            if (QWidget *m = QApplication::activeModalWidget(); m && m->objectName() == QLatin1String("frmProperties"))
                m->close();
        });
        closeProperties.start(50);
        QVERIFY(rig.start());
        closeProperties.stop();
        QVERIFY(!rig.link().MSComm1.portOpen());
        rig.prompter.clear();
        auto *list = rig.control<QListWidget>(QStringLiteral("lstCtrAscLow_1"));
        QListWidgetItem *item = list->item(0);
        for (int i = 0; i < 2; ++i) {
            Q_EMIT list->itemClicked(item);
            QCOMPARE(rig.prompter.count(), i + 1);
            QVERIFY2(rig.prompter.last().text.startsWith(QLatin1String("Port COM1 is not opened !")),
                     qPrintable(rig.prompter.last().text));
        }
        // The port opened from the main window and the CFile linked: the click goes out.
        rig.mdi->findChild<QAction *>(QStringLiteral("mnuConnect"))->trigger();
        QVERIFY(rig.link().MSComm1.portOpen());
        rig.click(QStringLiteral("chkHwrLnkTo_1"));
        QVERIFY(rig.link().bRxTo[1]);
        rig.quiet();
        Q_EMIT list->itemClicked(item);
        QTRY_COMPARE(rig.sim.sim().received(), QByteArray(1, char(item->data(Qt::UserRole).toInt())));
    }

    void keysHeldBackByDeviceAndLink()
    {
        PanelRig rig;
        QVERIFY(rig.start());
        rig.quiet();
        // Not linked to the CFile: the link warning, nothing sent.
        rig.click(QStringLiteral("cmdKeyUp"));
        QCOMPARE(rig.prompter.count(), 1);
        rig.link().bRxTo[1] = true;
        rig.link().cro.iCroDevice = 2;   // " Unknow Chronograph"
        rig.click(QStringLiteral("cmdKeyUp"));
        rig.click(QStringLiteral("cmdKeyEsc"));
        rig.click(QStringLiteral("cmdDelete_0"));
        QCOMPARE(rig.prompter.count(), 4);
        QVERIFY2(rig.prompter.last().text.contains(QStringLiteral("Unknow Chronograph")), qPrintable(rig.prompter.last().text));
        QVERIFY(!rig.sim.waitReceived(1, 300));
        rig.link().cro.iCroDevice = 0;
        // A silent chronograph: the failure report names the key's action and item.
        rig.sim.sim().setSilent(true);
        rig.click(QStringLiteral("cmdKeyRite"));
        QVERIFY2(rig.prompter.last().text.startsWith(QStringLiteral("Failed to Increment String\r\nChronograph did not respond.")),
                 qPrintable(rig.prompter.last().text));
    }

    void unlinkQuestionWhileSensorsOn()
    {
        PanelRig rig;
        QVERIFY(rig.start());
        LinkSession &link = rig.link();
        auto *box = rig.control<QCheckBox>(QStringLiteral("chkHwrLnkTo_0"));
        box->click();
        QVERIFY(link.bRxTo[0]);
        link.cro.bCroSensorsOn = true;
        rig.prompter.queue(MsgAnswer::No);
        box->click();
        QVERIFY(link.bRxTo[0]);
        QVERIFY(box->isChecked());
        QCOMPARE(rig.prompter.lastLines().first(), QStringLiteral("iLoger can not be Unlinked while Chronograph"));
        rig.prompter.queue(MsgAnswer::Yes);
        box->click();
        QVERIFY(!link.bRxTo[0]);
        QVERIFY(!box->isChecked());
        link.cro.bCroSensorsOn = false;
    }

    void userLevelStaysInBounds()
    {
        PanelRig rig;
        QVERIFY(rig.start());
        RemoteControl &rc = remotePanelDesk(*rig.mdi)->control();
        rig.click(QStringLiteral("cmdSetSysTab"));
        QCOMPARE(rc.page(), int(RemoteControl::System));
        QVERIFY(rig.panel()->windowTitle().endsWith(QStringLiteral(" System")));
        rig.click(QStringLiteral("cmdUserLev_1"));
        QCOMPARE(rc.userLevel(RemoteControl::System), 0);
        for (int i = 0; i <= rc.maxUserLevel(RemoteControl::System); ++i)
            rig.click(QStringLiteral("cmdUserLev_0"));
        QCOMPARE(rc.userLevel(RemoteControl::System), rc.maxUserLevel(RemoteControl::System));
        // The communication log's settings show from level 1.
        QVERIFY(rig.control<QLineEdit>(QStringLiteral("txtHwrCLogFile"))->isVisibleTo(rig.panel()));
        QCOMPARE(rig.control<QLineEdit>(QStringLiteral("txtHwrCLogFile"))->text(), QStringLiteral("zentlogs0.txt"));
    }

    void operationsWriteIntoThePanel()
    {
        PanelRig rig;
        QVERIFY(rig.start());
        chronoDesk(*rig.mdi)->ops().croTest(4, 4);
        auto *log = rig.control<QPlainTextEdit>(QStringLiteral("txtPrgrs"));
        QTRY_VERIFY(log->toPlainText().contains(QStringLiteral("End of data collection")));
        QVERIFY(log->toPlainText().contains(QStringLiteral("Begin Test on Chrono-1")));
        rig.prompter.queue(MsgAnswer::Yes);
        rig.click(QStringLiteral("cmdSetPrgTab_0"));
        QTRY_VERIFY(log->toPlainText().startsWith(QStringLiteral("New Progress Log...\nCleared-{Date=")));
    }

    void downloadIntoNewCFile()
    {
        PanelRig rig;
        QVERIFY(rig.start());
        CFileManager &files = cfileWorkspace(*rig.mdi)->files();
        auto *cfiles = rig.control<QListWidget>(QStringLiteral("lstDwnDesCFile"));
        QVERIFY(cfiles->item(0)->text().endsWith(QStringLiteral(" (Current)")));

        rig.click(QStringLiteral("cmdDownload"));
        QCOMPARE(rig.prompter.last().text, QStringLiteral("You Must Select Source."));
        rig.click(QStringLiteral("optDwnSrc_0"));
        rig.click(QStringLiteral("cmdDownload"));
        QCOMPARE(rig.prompter.last().text, QStringLiteral("You must Select Destination"));
        rig.click(QStringLiteral("optDwnDes_1"));
        rig.control<QLineEdit>(QStringLiteral("txtDwnDesCFile"))->setText(QStringLiteral("Range1"));
        const int boxes = rig.prompter.count();
        rig.click(QStringLiteral("cmdDownload"));
        QCOMPARE(rig.prompter.count(), boxes);
        QCOMPARE(files.active()->caption(), rig.cfiles.filePath(QStringLiteral("Range1.rtf")));
        QVERIFY2(files.active()->document()->toPlainText().contains(QStringLiteral("Download Successful..!")),
                 qPrintable(files.active()->document()->toPlainText()));
        QCOMPARE(cfiles->count(), 2);
        QCOMPARE(cfiles->item(1)->text(), files.active()->caption() + QStringLiteral(" (Current)"));

        rig.control<QLineEdit>(QStringLiteral("txtDwnDesCFile"))->setText(QStringLiteral("range1"));
        rig.click(QStringLiteral("cmdDownload"));
        QVERIFY(rig.prompter.last().text.contains(QStringLiteral("''  Already Exists...!")));
        QCOMPARE(files.docs().size(), size_t(2));
    }

    void panelNamedCFileKeepsOtherFiles()
    {
        PanelRig rig;
        QTemporaryDir cwd;
        const QString oldCwd = QDir::currentPath();
        QVERIFY(QDir::setCurrent(cwd.path()));
        const auto back = qScopeGuard([&] { QDir::setCurrent(oldCwd); });
        const auto write = [](const QString &path, const QByteArray &bytes) {
            QFile f(path);
            return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
        };
        const auto read = [](const QString &path) {
            QFile f(path);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
        };
        QVERIFY(rig.start());
        CFileManager &files = cfileWorkspace(*rig.mdi)->files();
        rig.click(QStringLiteral("optDwnSrc_0"));
        rig.click(QStringLiteral("optDwnDes_1"));
        auto *name = rig.control<QLineEdit>(QStringLiteral("txtDwnDesCFile"));

        // A file of that name in the CFile folder: refused like an open CFile, nothing sent.
        QVERIFY(write(rig.cfiles.filePath(QStringLiteral("Range2.rtf")), "theirs"));
        name->setText(QStringLiteral("Range2"));
        rig.quiet();
        const int shown = rig.prompter.count();
        rig.click(QStringLiteral("cmdDownload"));
        QCOMPARE(rig.prompter.count(), shown + 1);
        QVERIFY(rig.prompter.last().text.startsWith(QStringLiteral("CFile  ''Range2''  Already Exists...!")));
        QCOMPARE(files.docs().size(), size_t(1));
        QVERIFY(rig.sim.sim().received().isEmpty());

        // A free name: the CFile is saved in the CFile folder, never in the working folder, and a
        // file of its name that appeared meanwhile is replaced only when the user says so.
        name->setText(QStringLiteral("Range3"));
        rig.click(QStringLiteral("cmdDownload"));
        const QString target = rig.cfiles.filePath(QStringLiteral("Range3.rtf"));
        QCOMPARE(files.active()->caption(), target);
        QVERIFY(write(target, "another program's"));
        QAction *save = rig.mdi->findChild<QAction *>(QStringLiteral("mnuFileSave"));
        const int boxes = rig.prompter.count();
        rig.prompter.queue(MsgAnswer::No);
        save->trigger();
        QCOMPARE(rig.prompter.count(), boxes + 1);
        QCOMPARE(rig.prompter.last().title, QStringLiteral("Confirm Save As"));
        QCOMPARE(rig.prompter.lastLines().last(), QStringLiteral("Do you want to replace it?"));
        QCOMPARE(read(target), QByteArray("another program's"));
        QVERIFY(files.active()->bChanged());
        rig.prompter.queue(MsgAnswer::Yes);
        save->trigger();
        QVERIFY(read(target).startsWith("{\\rtf1"));
        QVERIFY(!files.active()->bChanged());
        QVERIFY(QDir(cwd.path()).isEmpty());
    }

    // Esc only leaves what the chronograph shows: it goes without the CFile link.
    void escNeedsNoCFileLink()
    {
        PanelRig rig;
        QVERIFY(rig.start());
        rig.link().bRxTo[1] = false;
        rig.quiet();
        rig.click(QStringLiteral("cmdKeyEsc"));
        QTRY_COMPARE(rig.sim.sim().received(), QByteArray("\x1b"));
        QCOMPARE(rig.prompter.count(), 0);
        QVERIFY(!rig.link().bRxTo[1]);
    }

    // The picked CFile stays picked when a CFile above it in the list closes, and the
    // download goes into it.
    void cfileListKeepsThePickedDocument()
    {
        PanelRig rig;
        QVERIFY(rig.start());
        CFileManager &files = cfileWorkspace(*rig.mdi)->files();
        CFileDoc *first = files.active();
        CFileDoc *picked = files.createNewCFile();
        CFileDoc *last = files.createNewCFile();
        QVERIFY(first && picked && last);
        auto *cfiles = rig.control<QListWidget>(QStringLiteral("lstDwnDesCFile"));
        QCOMPARE(cfiles->count(), 3);
        cfiles->setCurrentRow(1);
        QVERIFY(files.closeDoc(first));
        QCOMPARE(cfiles->count(), 2);
        QVERIFY(cfiles->currentItem());
        QVERIFY2(cfiles->currentItem()->text().startsWith(picked->caption()), qPrintable(cfiles->currentItem()->text()));
        rig.click(QStringLiteral("optDwnSrc_0"));
        rig.click(QStringLiteral("optDwnDes_1"));
        rig.click(QStringLiteral("cmdDownload"));
        QVERIFY(picked->document()->toPlainText().contains(QStringLiteral("Download Successful..!")));
        QVERIFY(!last->document()->toPlainText().contains(QStringLiteral("Download")));
    }

    // A download that fails is told, whatever the failure (here a silent chronograph with the
    // Buffer destination, where nothing else would say so).
    void everyDownloadFailureIsTold()
    {
        PanelRig rig;
        QVERIFY(rig.start());
        rig.quiet();
        rig.sim.sim().setSilent(true);
        OneShotTimer::setScale(0.2);
        rig.click(QStringLiteral("optDwnSrc_0"));
        rig.click(QStringLiteral("optDwnDes_0"));
        const int boxes = rig.prompter.count();
        rig.click(QStringLiteral("cmdDownload"));
        OneShotTimer::setScale(1.0);
        QCOMPARE(rig.prompter.count(), boxes + 1);
        QVERIFY2(rig.prompter.last().text.startsWith(QStringLiteral("Download Failed\r\nChronograph did not respond.")),
                 qPrintable(rig.prompter.last().text));
    }

    // The Echo button follows the echo switch, which a download turns off.
    void echoFollowsTheSwitchAfterADownload()
    {
        PanelRig rig;
        QVERIFY(rig.start());
        auto *echo = rig.control(QStringLiteral("cmdSetPrgTab_2"));
        echo->click();
        QVERIFY(echo->isChecked() && rig.link().bRemPrgrsView);
        rig.click(QStringLiteral("optDwnSrc_0"));
        rig.click(QStringLiteral("optDwnDes_1"));
        rig.click(QStringLiteral("cmdDownload"));
        QVERIFY(!rig.link().bRemPrgrsView);
        QVERIFY(!echo->isChecked());
    }

    // The Excel box opens and closes the live workbook link and shows its state, which the
    // Chrono > Excel menu changes too.
    void excelBoxDrivesTheLiveLink()
    {
        PanelRig rig;
        QVERIFY(rig.start());
        xls::ExcelLink &link = excelDesk(*rig.mdi)->link();
        auto *box = rig.control<QCheckBox>(QStringLiteral("chkHwrLnkTo_2"));
        box->click();
        QVERIFY(link.liveLink);
        QVERIFY(box->isChecked());
        box->click();
        QVERIFY(!link.liveLink);
        QVERIFY(!box->isChecked());
        rig.mdi->findChild<QAction *>(QStringLiteral("mnuExcConnect"))->trigger();
        QVERIFY(link.liveLink);
        QVERIFY(box->isChecked());
    }

    // The Download page's "Excel Spreadsheet" exports through the workbook link.
    void downloadIntoTheWorkbook()
    {
        PanelRig rig;
        QVERIFY(rig.start());
        rig.click(QStringLiteral("optDwnSrc_0"));
        rig.click(QStringLiteral("optDwnDes_2"));
        rig.click(QStringLiteral("cmdDownload"));
        QVERIFY2(!rig.prompter.anyTextContains(QStringLiteral("not available")), qPrintable(rig.prompter.texts().join('|')));
        CFileManager &files = cfileWorkspace(*rig.mdi)->files();
        QVERIFY2(files.active()->document()->toPlainText().contains(QStringLiteral("Data Exported to Excel Successfully...")),
                 qPrintable(files.active()->document()->toPlainText()));
        QVERIFY(excelDesk(*rig.mdi)->link().book());
    }
};

QTEST_MAIN(TstRemotePanel)
#include "tst_remote_panel.moc"
