// The mode and status view reaches the toolbars' real actions and the status panel by
// name, and the progress window's Abort button calls its handler.
#include "app/mode_commands.h"
#include "app/mode_fgs.h"
#include "app/ui/main_toolbars.h"
#include "app/ui/mode_apply.h"
#include "link/ui/progress_window.h"

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QToolBar>
#include <QtTest>

using namespace zx;

class TstModesWidgets : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void viewReachesActionsByName();
    void progressAbort();
};

void TstModesWidgets::viewReachesActionsByName()
{
    QMainWindow w;
    fillMainToolbars(w.addToolBar(QStringLiteral("Standard")), w.addToolBar(QStringLiteral("Format")));
    auto *menu = w.menuBar()->addMenu(QStringLiteral("&Chrono"));
    QAction *start = menu->addAction(QStringLiteral("Start"));
    start->setObjectName(cmd::mnuRemStart);
    auto *sens = new QLabel(&w);
    sens->setObjectName(QStringLiteral("sbrPanelSens"));
    w.statusBar()->addWidget(sens);

    MainWindowModeView view(&w);
    view.applyCommands(zapFgsMDI());
    QVERIFY(!w.findChild<QAction *>(cmd::Save)->isEnabled());

    ProgramState s;
    s.portOpen = s.captureOn = s.sensorsOn = s.statusOk = true;
    s.sensLevel = 40;
    s.moreOptions = false;
    view.applyView(modeStatusRefresh(s));
    QCOMPARE(w.windowTitle(), QStringLiteral("Zentrix0 {COM1=ON} {Shoot}  {RV5 Vantor}"));
    QVERIFY(w.findChild<QAction *>(cmd::Connect)->isChecked());
    QVERIFY(!w.findChild<QAction *>(cmd::BTerminal)->isEnabled());
    QVERIFY(start->isChecked());
    QCOMPARE(sens->text(), QStringLiteral("Sensitivity 40%"));

    view.applyCommands(setFgsMDI(0));
    QVERIFY(w.findChild<QAction *>(cmd::Save)->isEnabled());
}

void TstModesWidgets::progressAbort()
{
    FrmFPrgrs p;
    int aborts = 0;
    p.setAbortHandler([&] { ++aborts; });
    p.progressOpen(QStringLiteral("Turn Sensors On"), 12);
    QVERIFY(p.progressIsOpen());
    QCOMPARE(p.windowTitle(), QStringLiteral("Turn Sensors On"));
    QCOMPARE(p.percentText(), QStringLiteral("000.0%"));
    for (int i = 0; i < 3; ++i)
        p.progressStep();
    QCOMPARE(p.percentText(), QStringLiteral("025.0%"));
    QTest::mouseClick(p.findChild<QPushButton *>(QStringLiteral("cmdAbort")), Qt::LeftButton);
    QCOMPARE(aborts, 1);
    p.progressClose();
    QVERIFY(!p.progressIsOpen());
    QVERIFY(p.isHidden());
}

QTEST_MAIN(TstModesWidgets)
#include "tst_modes_widgets.moc"
