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
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QScopeGuard>
#include <QScrollBar>
#include <QTimer>
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
        QStringList typed;
        view.sendKey = [&typed](int, Qt::KeyboardModifiers, const QString &text) {
            typed << text;
            return true;
        };
        QGuiApplication::clipboard()->clear();
        view.selectAll();
        QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
        QVERIFY(typed.isEmpty());
        QCOMPARE(QGuiApplication::clipboard()->text(), view.toPlainText());
        view.moveCursor(QTextCursor::End);   // nothing selected
        QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(typed, QStringList(QString(QChar(3))));
    }

    // Arrow and page keys go to the RV5 as its own keys; for a device that does not take them,
    // or while the terminal is not linked, they scroll the text and nothing goes out.
    void arrowAndPageKeysSendOrScroll_data()
    {
        QTest::addColumn<int>("device");
        QTest::addColumn<bool>("linked");
        QTest::addColumn<int>("key");
        QTest::addColumn<QByteArray>("wire");
        QTest::newRow("RV5: PgUp") << 0 << true << int(Qt::Key_PageUp) << QByteArray("\x0b");
        QTest::newRow("RV5: Up") << 0 << true << int(Qt::Key_Up) << QByteArray("\x15");
        QTest::newRow("unknown device: PgUp") << 2 << true << int(Qt::Key_PageUp) << QByteArray();
        QTest::newRow("unknown device: Up") << 2 << true << int(Qt::Key_Up) << QByteArray();
        QTest::newRow("other device: PgUp") << 1 << true << int(Qt::Key_PageUp) << QByteArray();
        QTest::newRow("RV5 not linked: PgUp") << 0 << false << int(Qt::Key_PageUp) << QByteArray();
    }
    void arrowAndPageKeysSendOrScroll()
    {
        QFETCH(int, device);
        QFETCH(bool, linked);
        QFETCH(int, key);
        QFETCH(QByteArray, wire);
        SimFixture sim;
        QVERIFY(sim.isOpen());
        PortMap::setOverride(1, sim.stablePath());
        const auto unmap = qScopeGuard([] { PortMap::clearOverrides(); });
        ScriptedPrompter prompter;
        LinkSession s(&prompter, nullptr, QStringLiteral("Zentrix0"), 0, nullptr);
        s.MSComm1.setCommPort(1);
        s.subOpenPort();
        QVERIFY(s.MSComm1.portOpen());
        s.cro.iCroDevice = qint16(device);
        s.bRxTo[0] = true;
        for (int i = 0; i < 300; ++i)
            s.termRx(QStringLiteral("\r\nline %1").arg(i));
        s.bRxTo[0] = linked;
        Terminal term(s, prompter, nullptr);
        FrmTerminal w(term);
        w.show();
        auto *view = w.findChild<TermView *>(QStringLiteral("txtTerm"));
        QTRY_VERIFY(view->toPlainText().endsWith(QLatin1String("line 299")));
        QScrollBar *bar = view->verticalScrollBar();
        QVERIFY(bar->maximum() > 0);
        QCOMPARE(bar->value(), bar->maximum());
        sim.waitIdle();
        sim.sim().clearReceived();

        QTest::keyClick(view, Qt::Key(key));
        if (wire.isEmpty()) {
            QVERIFY(bar->value() < bar->maximum());
            QVERIFY(!sim.waitReceived(1, 200));
            QTest::keyClick(view, Qt::Key_PageDown);   // and back down
            QCOMPARE(bar->value(), bar->maximum());
        } else {
            QVERIFY(sim.waitReceived(int(wire.size())));
            QCOMPARE(sim.sim().received(), wire);
            QCOMPARE(bar->value(), bar->maximum());
        }
    }

    // Normal Window brings back the size and place the window had before it was maximised or
    // minimised.
    void normalWindowBringsBackItsPlace_data()
    {
        QTest::addColumn<bool>("maximise");
        QTest::addColumn<bool>("minimise");
        QTest::newRow("maximised") << true << false;
        QTest::newRow("minimised") << false << true;
        QTest::newRow("maximised, then minimised") << true << true;
    }
    void normalWindowBringsBackItsPlace()
    {
        QFETCH(bool, maximise);
        QFETCH(bool, minimise);
        LinkSession s(nullptr, nullptr, QStringLiteral("Zentrix0"), 0, nullptr);
        ScriptedPrompter prompter;
        Terminal term(s, prompter, nullptr);
        FrmTerminal w(term);
        w.show();
        w.setGeometry(130, 140, 500, 300);
        QTRY_COMPARE(w.size(), QSize(500, 300));
        const QRect placed = w.geometry();
        if (maximise) {
            w.showMaximized();
            QTRY_VERIFY(w.geometry() != placed);
        }
        if (minimise)
            w.showMinimized();
        w.findChild<QAction *>(QStringLiteral("mnuWinNormal"))->trigger();
        QTRY_VERIFY(!w.isMaximized() && !w.isMinimized());
        QTRY_COMPARE(w.geometry(), placed);
    }

    // The Control menu's port values reach the port, a refused one shows the port's error text;
    // no parity replacement is offered (nothing could tell which byte to replace).
    void portValuesFromTheControlMenu()
    {
        LinkSession s(nullptr, nullptr, QStringLiteral("Zentrix0"), 0, nullptr);
        ScriptedPrompter prompter;
        Terminal term(s, prompter, nullptr);
        FrmTerminal w(term);
        QVERIFY(w.findChild<QAction *>(QStringLiteral("mnuRThreshold")));
        QVERIFY(!w.findChild<QAction *>(QStringLiteral("mnuParRep")));
        QStringList shown;
        const auto answer = [&shown](QStringList answers) {
            // Answers the coming modal boxes in turn: an input dialog with the next answer, a
            // message box with OK; notes what each showed.
            shown.clear();
            auto *poll = new QTimer;
            QObject::connect(poll, &QTimer::timeout, poll, [poll, answers, &shown]() mutable {
                QWidget *modal = QApplication::activeModalWidget();
                if (auto *in = qobject_cast<QInputDialog *>(modal)) {
                    shown << in->textValue();
                    in->setTextValue(answers.takeFirst());
                    in->accept();
                } else if (auto *box = qobject_cast<QMessageBox *>(modal)) {
                    shown << box->text();
                    box->accept();
                    answers.removeFirst();
                } else {
                    return;
                }
                if (answers.isEmpty())
                    poll->deleteLater();
            });
            poll->start(10);
        };
        answer({QStringLiteral("5")});
        w.findChild<QAction *>(QStringLiteral("mnuRThreshold"))->trigger();
        QCOMPARE(shown, QStringList(QStringLiteral("1")));   // the current value is the default answer
        QCOMPARE(s.MSComm1.rThreshold(), 5);
        answer({QStringLiteral("many"), QString()});
        w.findChild<QAction *>(QStringLiteral("mnuSThreshold"))->trigger();
        QCOMPARE(shown, QStringList({QStringLiteral("0"), SerialPort::errorText(SerialPort::ErrInvalidValue)}));
        QCOMPARE(s.MSComm1.sThreshold(), 0);
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
