// The terminal window in the real main window against the RV5 simulator: opened from the
// toolbar, received lines shown, typed keys sent, the log started from the remote panel's
// switch, and its caption in the mode and status refresh (TTY mode).
#include "app/app_context.h"
#include "app/settings_keys.h"
#include "app/ui/chrono_desk.h"
#include "app/ui/frm_mdi.h"
#include "app/ui/remote_panel_desk.h"
#include "app/ui/splash_sequence.h"
#include "app/ui/terminal_desk.h"
#include "link/link_session.h"
#include "platform/port_map.h"
#include "remote/ui/frm_rem_ctr.h"
#include "support/scripted_prompter.h"
#include "support/startup_patience.h"
#include "support/sim_fixture.h"
#include "support/temp_settings.h"
#include "term/terminal.h"
#include "term/ui/frm_terminal.h"
#include "term/ui/term_view.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QPointer>
#include <QSignalSpy>
#include <QtTest>

using namespace zx;
using namespace zx::test;

class TstTerminalWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The box shows exactly the tail of the terminal text it claims to hold, never more than
    // its limit, whatever the chunks and line lengths (control bytes as marks, or in hex).
    void viewFollowsTheText_data()
    {
        QTest::addColumn<int>("chunk");
        QTest::addColumn<bool>("hex");
        QTest::newRow("1 KB chunks") << 1024 << false;
        QTest::newRow("7 byte chunks") << 7 << false;
        QTest::newRow("40 KB chunks") << 40000 << false;
        QTest::newRow("hex, 1 KB chunks") << 1024 << true;
    }
    void viewFollowsTheText()
    {
        QFETCH(int, chunk);
        QFETCH(bool, hex);
        LinkSession s(nullptr, nullptr, QStringLiteral("Zentrix0"), 0, nullptr);
        s.bRxTo[0] = true;
        TermView view;
        view.setHexView(hex, s.txtTerm);
        QString stream;
        for (int i = 0; stream.size() < 300000; ++i)
            stream += QStringLiteral("line %1 \x01\x7f").arg(i) + QString(i % 37, QLatin1Char('x'))
                      + (i % 5 ? QStringLiteral("\r\n") : QStringLiteral("\r"));
        const int every = std::max(1, 4096 / chunk);   // compare about every 4 KB
        for (qsizetype at = 0, n = 0; at < stream.size(); at += chunk) {
            s.termRx(stream.mid(at, chunk));
            view.follow(s.txtTerm);
            if (++n % every && at + chunk < stream.size())
                continue;
            const QStringView tail = s.txtTerm.view().right(view.heldCharacters());
            QVERIFY(view.heldCharacters() <= TermView::kLimit);
            QCOMPARE(view.toPlainText(), hex ? Terminal::hexOf(tail) : terminalDisplayText(tail));
        }
        QVERIFY(view.heldCharacters() > TermView::kLimit / 2);
    }

    // Ctrl+C copies a selection; with nothing selected it goes to the chronograph as 0x03.
    void ctrlCCopiesOrSends()
    {
        LinkSession s(nullptr, nullptr, QStringLiteral("Zentrix0"), 0, nullptr);
        s.bRxTo[0] = true;
        s.termRx(QStringLiteral("\r\nSLev=45% Sens=OFF\r\nDAT>"));
        TermView view;
        view.follow(s.txtTerm);
        QSignalSpy typed(&view, &TermView::keyTyped);
        QGuiApplication::clipboard()->clear();
        view.selectAll();
        QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(typed.count(), 0);
        QCOMPARE(QGuiApplication::clipboard()->text(), view.toPlainText());
        view.moveCursor(QTextCursor::End);   // nothing selected
        QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(typed.count(), 1);
        QCOMPARE(typed.first().at(2).toString(), QString(QChar(3)));
    }

    void showsLinesSendsKeysAndFollowsTheMode()
    {
        TempSettings tmp;
        SimFixture sim;
        QVERIFY(sim.isOpen());
        ScriptedPrompter prompter;
        AppContext ctx;
        PortMap::setOverride(1, sim.stablePath());
        for (int n = 2; n <= 16; ++n)
            PortMap::setOverride(n, QStringLiteral("/nonexistent/zx-com%1").arg(n));
        ctx.store.writeInt(ctx.instanceName(), keys::frmComSet::ChronSelect, 1);
        ctx.prompter = &prompter;
        QPointer<FrmMdi> mdi = zx::test::startPatiently([&] { return runSplashSequence(ctx); });
        QVERIFY(mdi);
        LinkSession &link = chronoDesk(*mdi)->link();
        QTRY_VERIFY(link.MSComm1.portOpen());
        sim.waitIdle();
        sim.sim().clearReceived();

        mdi->findChild<QAction *>(QStringLiteral("mnuTerminal"))->trigger();
        FrmTerminal *w = terminalDesk(*mdi)->window();
        QVERIFY(w->isVisible() && link.bRxTo[0]);
        QTest::keyClicks(w->view(), QStringLiteral("Z"));
        QVERIFY(sim.waitReceived(1));
        QCOMPARE(sim.sim().received(), QByteArray("Z"));
        QTRY_VERIFY2(w->view()->toPlainText().contains(QLatin1String("Sens=")), qPrintable(w->view()->toPlainText()));
        QTest::keyClick(w->view(), Qt::Key_C, Qt::ControlModifier);   // nothing selected: Ctrl+C goes out
        QVERIFY(sim.waitReceived(2));
        QCOMPARE(sim.sim().received(), QByteArray("Z\x03"));
        QTRY_VERIFY(w->findChild<QLabel *>(QStringLiteral("Status"))->text().startsWith(QLatin1String("Lines:")));

        // The panel's log switch starts the log with the panel's file name: the caption shows it.
        auto *logOn = remotePanelDesk(*mdi)->window()->findChild<QCheckBox *>(QStringLiteral("chkHwrCLogOn"));
        logOn->setChecked(true);
        QVERIFY(terminalDesk(*mdi)->terminal().logOpen());
        QCOMPARE(w->windowTitle(), QStringLiteral("iLoger0_1 (zentlogs0.txt)"));

        // Another device with the CFile linked: TTY mode; the caption keeps the log's name.
        link.cro.iCroDevice = 2;
        link.bRxTo[1] = true;
        mdi->refreshModeStatus();
        QVERIFY2(mdi->windowTitle().contains(QLatin1String(" {TTY} ")), qPrintable(mdi->windowTitle()));
        QCOMPARE(w->windowTitle(), QStringLiteral("iLoger0_1 (zentlogs0.txt)"));
        QCOMPARE(w->findChild<QAction *>(QStringLiteral("mnuOpenPortOnOff"))->text(), QStringLiteral("&Port-On"));
        logOn->setChecked(false);
        QCOMPARE(w->windowTitle(), QStringLiteral("iLoger0_1 (Log turned off)"));

        // Switched off from the terminal: every link target goes.
        w->findChild<QAction *>(QStringLiteral("mnuOpenPortOnOff"))->trigger();
        QVERIFY(!link.MSComm1.portOpen() && !link.bRxTo[0] && !link.bRxTo[1]);
        QVERIFY(mdi->windowTitle().contains(QLatin1String(" {Edit}")));
        QCOMPARE(w->findChild<QAction *>(QStringLiteral("mnuOpenPortOnOff"))->text(), QStringLiteral("&Port-Off"));
        mdi->closeByProgram();
        PortMap::clearOverrides();
    }
};

QTEST_MAIN(TstTerminalWindow)
#include "tst_terminal_window.moc"
