// A new user's first hour on a desktop-sized screen: the tool windows open where they can be
// used (beside the main window, on screen, off its CFile area) unless a place was stored, a
// recovered CFile opens in a usable window at its start,
// Start, Stop and Remote sit on the main toolbar with function keys of their own, and the
// Window, Help and Interface menus do what a desktop user expects of them.
#include "app/app_context.h"
#include "app/mode_commands.h"
#include "app/settings_keys.h"
#include "app/ui/document_factory.h"
#include "app/ui/frm_mdi.h"
#include "app/ui/splash_sequence.h"
#include "platform/prompter.h"
#include "cfile/capture_journal.h"
#include "cfile/cfile_manager.h"
#include "cfile/ui/cfile_workspace.h"
#include "cfile/ui/frm_document.h"
#include "export/export_template.h"
#include "export/ui/workbook_window.h"
#include "platform/port_map.h"
#include "remote/keypad_settings_keys.h"
#include "remote/remote_settings_keys.h"
#include "term/term_settings_keys.h"
#include "support/gui/main_window_rig.h"

#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTextBrowser>
#include <QMdiArea>
#include <QPointer>
#include <QScreen>
#include <QScrollBar>
#include <QTextEdit>
#include <QToolBar>
#include <QtTest>

using namespace zx;
using namespace zx::test;

namespace {

struct Rig : MainWindowRig {
    Rig() { ctx.store.writeBool(ctx.instanceName(), keys::frmMDI::MoreOptions, true); }
};

QWidget *topLevel(const QString &name)
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == name && w->isVisible())
            return w;
    return nullptr;
}

} // namespace

class TstFirstHour : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void firstRunPlacesToolWindowsBesideTheMainWindow()
    {
        Rig rig;
        QVERIFY(rig.start());
        FrmMdi &mdi = *rig.mdi;
        mdi.toolbars().action(cmd::IPad)->trigger();
        mdi.toolbars().action(cmd::BTerminal)->trigger();
        mdi.toolbars().action(cmd::Keypad)->trigger();
        const std::unique_ptr<wb::Workbook> book = xls::buildExportTemplate();
        xls::WorkbookWindow *workbook = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *b = qobject_cast<xls::WorkbookWindow *>(w))
                workbook = b;
        QVERIFY(workbook);
        workbook->showWorkbook(*book, {}, nullptr);
        QApplication::processEvents();

        const QRect screen = mdi.screen()->availableGeometry();
        const QRect cfileArea(mdi.mdiArea()->mapToGlobal(QPoint(0, 0)), mdi.mdiArea()->size());
        QVERIFY(screen.contains(mdi.frameGeometry()));
        const auto area = [](const QRect &r) { return r.isEmpty() ? 0 : qint64(r.width()) * r.height(); };
        QList<QRect> placed;
        for (const char *name : {"frmRemCtr", "frmTerminal", "frmKeyPad", "frmWorkbook"}) {
            QWidget *w = topLevel(QString::fromLatin1(name));
            QVERIFY2(w, name);
            const QRect r = w->frameGeometry();
            const QByteArray where = QByteArray(name) + " at " + QByteArray::number(r.x()) + ","
                + QByteArray::number(r.y()) + " " + QByteArray::number(r.width()) + "x" + QByteArray::number(r.height());
            QVERIFY2(screen.contains(r), where.constData());
            if (screen.width() < 1600)
                continue;   // a small screen has no room beside the main window: on screen is all
            QVERIFY2(!r.intersects(cfileArea), where.constData());
            for (const QRect &other : placed)
                QVERIFY2(area(r.intersected(other)) * 10 < area(r), where.constData());
            placed << r;
        }
    }

    // With no stored layout the main window is as wide as its toolbars need (on a big screen):
    // no button is pushed into an overflow menu.
    void firstRunShowsEveryToolbarButton()
    {
        Rig rig;
        QVERIFY(rig.start());
        QApplication::processEvents();
        for (const char *name : {"tbrStandard", "tbrFormat"}) {
            auto *bar = rig.mdi->findChild<QToolBar *>(QString::fromLatin1(name));
            QVERIFY2(bar && bar->isVisible(), name);
            const auto *more = bar->findChild<QWidget *>(QStringLiteral("qt_toolbar_ext_button"));
            QVERIFY2(more && !more->isVisible(),
                     qPrintable(QStringLiteral("%1 overflows: %2 px wide, needs %3")
                                    .arg(QLatin1String(name)).arg(bar->width()).arg(bar->sizeHint().width())));
        }
        const QRect screen = rig.mdi->screen()->availableGeometry(), window = rig.mdi->frameGeometry();
        QVERIFY2(screen.contains(window), qPrintable(QStringLiteral("%1,%2 %3x%4 on %5x%6").arg(window.x()).arg(window.y())
                                                         .arg(window.width()).arg(window.height())
                                                         .arg(screen.width()).arg(screen.height())));
    }

    void storedPlaceIsKept()
    {
        Rig rig;
        const double twipsPerPixel = 15.0;   // the offscreen screen's 96 dots per inch
        rig.ctx.store.writeInt(rig.ctx.instanceName(), keys::frmKeyPad::PosWinX, int(40 * twipsPerPixel));
        rig.ctx.store.writeInt(rig.ctx.instanceName(), keys::frmKeyPad::PosWinY, int(30 * twipsPerPixel));
        QVERIFY(rig.start());
        rig.mdi->toolbars().action(cmd::Keypad)->trigger();
        QWidget *pad = topLevel(QStringLiteral("frmKeyPad"));
        QVERIFY(pad);
        QCOMPARE(pad->pos(), QPoint(40, 30));
    }

    // A window the user never opened has no place to keep: the next run places it afresh.
    void unopenedWindowsStoreNoPlace()
    {
        Rig rig;
        QVERIFY(rig.start());
        rig.mdi->closeByProgram();
        const QString app = rig.ctx.instanceName();
        QVERIFY(rig.ctx.store.read(app, keys::frmRemCtr::PosWinX).isEmpty());
        QVERIFY(rig.ctx.store.read(app, keys::frmBuffer::PosWinX).isEmpty());
    }

    // Start, Stop and Remote: the Chrono menu's own commands on the toolbar, each with an icon
    // and a function key no other command uses, which works from the main window.
    void toolbarStartStopRemoteAndTheirKeys()
    {
        Rig rig;
        QVERIFY(rig.start());
        FrmMdi &mdi = *rig.mdi;
        auto *bar = mdi.findChild<QToolBar *>(QStringLiteral("tbrStandard"));
        QVERIFY(bar);
        QList<QAction *> mine;
        for (const char *name : {"mnuRemStart", "mnuRemStop", "mnuRemRemo"}) {
            QAction *a = nullptr;
            for (QAction *b : bar->actions())
                if (b->objectName() == QLatin1String(name))
                    a = b;
            QVERIFY2(a && !a->icon().isNull(), name);
            const QKeySequence keys = a->shortcut();
            QVERIFY2(keys.count() == 1 && keys[0].keyboardModifiers() == Qt::NoModifier && keys[0].key() >= Qt::Key_F1
                         && keys[0].key() <= Qt::Key_F12,
                     name);
            for (QAction *other : mdi.findChildren<QAction *>())
                if (other != a)
                    QVERIFY2(!other->shortcuts().contains(keys), qPrintable(other->objectName() + QStringLiteral(" has ") + keys.toString()));
            mine << a;
        }

        if (QWidget *tip = topLevel(QStringLiteral("frmTip")))
            tip->close();   // the tip of the day, shown at start-up
        mdi.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&mdi));
        rig.prompter.queue(MsgAnswer::Yes);   // the calibration offer, if any
        QSignalSpy started(mine[0], &QAction::triggered);
        QTest::keySequence(&mdi, mine[0]->shortcut());
        QCOMPARE(started.count(), 1);
        QTRY_VERIFY2_WITH_TIMEOUT(mdi.windowTitle().contains(QStringLiteral(" {Shoot} ")), qPrintable(mdi.windowTitle() + rig.prompter.last().text), 10000);
        QVERIFY(mine[0]->isChecked());
        QTest::keySequence(&mdi, mine[1]->shortcut());
        QTRY_VERIFY_WITH_TIMEOUT(mdi.windowTitle().contains(QStringLiteral(" {Edit} ")), 10000);
        QVERIFY(mine[1]->isChecked() && !mine[0]->isChecked());
        QTest::keySequence(&mdi, mine[2]->shortcut());
        QTRY_VERIFY_WITH_TIMEOUT(mine[2]->isChecked(), 10000);
    }

    // The Window menu names every open CFile; choosing one brings it to the front, also past a
    // maximised one.
    void windowMenuListsTheCFiles()
    {
        Rig rig;
        QVERIFY(rig.start());
        CFileWorkspace &ws = *cfileWorkspace(*rig.mdi);
        ws.files().createNewCFile();
        ws.files().createNewCFile();
        QMdiArea *area = rig.mdi->mdiArea();
        const QList<QMdiSubWindow *> windows = area->subWindowList();
        QCOMPARE(windows.size(), 3);
        area->activeSubWindow()->showMaximized();
        QMenu *menu = rig.mdi->menuNamed(QStringLiteral("mnuWindow"));
        Q_EMIT menu->aboutToShow();
        QList<QAction *> listed;
        for (QAction *a : menu->actions())
            if (a->objectName().startsWith(QLatin1String("mnuWindowCFile")))
                listed << a;
        QCOMPARE(listed.size(), 3);
        for (int i = 0; i < 3; ++i) {
            QVERIFY2(listed[i]->text().contains(QFileInfo(windows[i]->windowTitle()).fileName().remove(QStringLiteral("[*]"))),
                     qPrintable(listed[i]->text() + " / " + windows[i]->windowTitle()));
            QCOMPARE(listed[i]->isChecked(), windows[i] == area->activeSubWindow());
        }
        listed[0]->trigger();
        QCOMPARE(area->activeSubWindow(), windows[0]);
        QVERIFY(windows[0]->isVisible());
        QCOMPARE(ws.files().active(), ws.files().docs().front());
    }

    // Help opens the user guide (the source tree's, for a program run from its build tree) and
    // the iNotes.
    void helpOpensTheGuideAndTheNotes()
    {
        Rig rig;
        QVERIFY(rig.start());
        QFile guide(qEnvironmentVariable("ZX_SOURCE_DIR") + QStringLiteral("/docs/user-guide.md"));
        QVERIFY(guide.open(QIODevice::ReadOnly));
        const QString title = QString::fromUtf8(guide.readLine()).remove(QLatin1Char('#')).trimmed();
        QVERIFY(!title.isEmpty());
        QAction *guideCmd = rig.mdi->findChild<QAction *>(QStringLiteral("mnuHelpGuide"));
        QAction *notesCmd = rig.mdi->findChild<QAction *>(QStringLiteral("mnuHelpNotes"));
        QVERIFY(guideCmd && notesCmd);
        guideCmd->trigger();
        QWidget *shown = topLevel(QStringLiteral("frmUserGuide"));
        QVERIFY(shown);
        auto *text = shown->findChild<QTextBrowser *>();
        QVERIFY(text && text->toPlainText().startsWith(title));
        QCOMPARE(rig.prompter.count(), 0);
        if (QWidget *tip = topLevel(QStringLiteral("frmTip")))
            tip->close();
        notesCmd->trigger();
        QVERIFY(topLevel(QStringLiteral("frmTip")));
    }

    // Interface > Setup names the chronograph's port while it is open, and says the
    // connection is off once it is closed.
    void setupShowsTheConnectionAsItIs()
    {
        Rig rig;
        QVERIFY(rig.start());
        QAction *connect = rig.mdi->findChild<QAction *>(QStringLiteral("Connect"));
        QVERIFY(connect->isChecked());
        rig.mdi->findChild<QAction *>(QStringLiteral("mnuProperties"))->trigger();
        QWidget *setup = topLevel(QStringLiteral("frmProperties"));
        QVERIFY(setup);
        auto *current = setup->findChild<QListWidget *>(QStringLiteral("lstCurCro"));
        QVERIFY(current->count() >= 1);
        QVERIFY2(current->item(0)->text().startsWith(QStringLiteral("COM1 ")), qPrintable(current->item(0)->text()));
        connect->trigger();
        QVERIFY(!connect->isChecked());
        QCOMPARE(current->item(0)->text(), QStringLiteral(" Connection = Off -------->"));
        connect->trigger();
        QVERIFY2(current->item(0)->text().startsWith(QStringLiteral("COM1 ")), qPrintable(current->item(0)->text()));
    }

    // Lines a journal kept from a run that did not end properly come back in a CFile window of
    // a usable size, showing their beginning.
    void recoveredCFileOpensNormalSizedAtItsStart()
    {
        Rig rig;
        const QString folder = CaptureJournal::folderFor(rig.ctx.store, rig.ctx.instanceName());
        QVERIFY(QDir().mkpath(folder));
        QFile left(folder + QStringLiteral("/20261206-031500-000-1.journal"));
        QVERIFY(left.open(QIODevice::WriteOnly));
        QByteArray lines = "Zentrix journal\tCFile1\t2026-12-06T03:15:00.000\nTAG: Start-\r\n";
        for (int n = 1; n <= 60; ++n)
            lines += "CAP:#" + QByteArray::number(n) + " 2875.42 f/s 0.000682 sec  71.8 fah  REM: a remark long enough to reach past a narrow window\r\n";
        left.write(lines);
        left.close();
        QVERIFY(rig.start());   // the scripted prompter answers Yes to the recovery
        CFileWorkspace *ws = cfileWorkspace(*rig.mdi);
        QCOMPARE(ws->files().numOfCFIles(), 2);
        FrmDocument *w = ws->activeWindow();
        QVERIFY(w && w->doc()->document()->toPlainText().startsWith(QStringLiteral("TAG: Start-")));
        const QSize area = rig.mdi->mdiArea()->viewport()->size();
        QVERIFY2(w->width() * 2 >= area.width() && w->height() * 2 >= area.height(),
                 qPrintable(QStringLiteral("%1x%2 in %3x%4").arg(w->width()).arg(w->height()).arg(area.width()).arg(area.height())));
        QTextEdit *text = w->rtfText();
        QCOMPARE(text->horizontalScrollBar()->value(), 0);
        QCOMPARE(text->verticalScrollBar()->value(), 0);
    }
};

// A 1920x1080 desktop screen instead of the offscreen platform's 800x600, or the size that
// ZX_TEST_SCREEN gives ("1024x768").
int main(int argc, char **argv)
{
    const QList<QByteArray> wh = qgetenv("ZX_TEST_SCREEN").split('x');
    const int width = wh.size() == 2 ? wh[0].toInt() : 1920, height = wh.size() == 2 ? wh[1].toInt() : 1080;
    const QString config = QDir::temp().filePath(QStringLiteral("zx-first-hour-%1.json").arg(QCoreApplication::applicationPid()));
    QFile f(config);
    if (!f.open(QIODevice::WriteOnly)
        || f.write(QStringLiteral(R"({"screens": [{"name": "Desk", "x": 0, "y": 0, "width": %1, "height": %2,
                      "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})").arg(width).arg(height).toUtf8()) < 0
        || !f.flush())
        return 2;
    f.close();
    qputenv("QT_QPA_PLATFORM", QByteArray("offscreen:configfile=") + config.toLocal8Bit());
    QApplication app(argc, argv);
    TstFirstHour t;
    const int rc = QTest::qExec(&t, argc, argv);
    QFile::remove(config);
    return rc;
}

#include "tst_first_hour.moc"
