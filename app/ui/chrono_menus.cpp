#include "app/ui/chrono_menus.h"

#include "app/mode_commands.h"
#include "app/ui/app_icons.h"
#include "link/chrono_ops.h"
#include "link/cro_state.h"
#include "remote/remote_ops.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace zx {

namespace {

QAction *add(QMenu *m, const QString &name, const QString &text, std::function<void()> fn, bool checkable = false)
{
    QAction *a = m->addAction(text);
    a->setObjectName(name);
    a->setCheckable(checkable);
    QObject::connect(a, &QAction::triggered, m, [fn = std::move(fn)] {
        if (fn)
            fn();
    });
    return a;
}

// A guarded chronograph command.
std::function<void()> guarded(ChronoOps &ops, std::function<void()> fn)
{
    return [&ops, fn = std::move(fn)] {
        if (fn)
            ops.guarded(fn);
    };
}

// Chrono and Interface sit before the Window menu when the window has one.
void place(QMainWindow *w, QMenu *m)
{
    if (QMenu *before = w->findChild<QMenu *>(QStringLiteral("mnuWindow")))
        w->menuBar()->insertMenu(before->menuAction(), m);
    else
        w->menuBar()->addMenu(m);
}

void addStartStopRemote(QMenu *m, ChronoOps &ops, const ChronoMenuHandlers &h, bool popup)
{
    add(m, popup ? cmd::popRemStart : cmd::mnuRemStart, QStringLiteral("&Start"), guarded(ops, h.start), true);
    add(m, popup ? cmd::popRemStop : cmd::mnuRemStop, QStringLiteral("S&top"), guarded(ops, h.stop), true);
    add(m, popup ? cmd::popRemRemo : cmd::mnuRemRemo, QStringLiteral("&Remote"), guarded(ops, h.remote), true);
}

// Start, Stop and Remote are what a shooter reaches for most: function keys no other command
// uses, and the menu's own commands on the standard toolbar (one check state for both), after
// the file buttons where a narrow main window still shows them.
void startStopRemoteAtHand(QMainWindow *w, QMenu *m)
{
    const struct {
        QString name;
        Qt::Key key;
        const char *tip;
    } defs[] = {{cmd::mnuRemStart, Qt::Key_F5, "Start shooting"},
                {cmd::mnuRemStop, Qt::Key_F6, "Stop shooting"},
                {cmd::mnuRemRemo, Qt::Key_F7, "Remote control"}};
    QList<QAction *> actions;
    for (const auto &d : defs) {
        auto *a = m->findChild<QAction *>(d.name);
        if (!a)
            return;
        a->setShortcut(QKeySequence(d.key));
        a->setToolTip(QStringLiteral("%1 (%2)").arg(QString::fromLatin1(d.tip), a->shortcut().toString(QKeySequence::NativeText)));
        a->setIcon(commandIcon(commandIconName(a->objectName())));
        actions << a;
    }
    auto *bar = w->findChild<QToolBar *>(QStringLiteral("tbrStandard"));
    if (!bar)
        return;
    QAction *before = nullptr;
    const QList<QAction *> onBar = bar->actions();
    for (int i = 1; i < onBar.size(); ++i)
        if (onBar.at(i)->objectName() == cmd::Cut)
            before = onBar.at(i - 1);   // the separator before the edit buttons
    if (before) {
        bar->insertSeparator(before);
        bar->insertActions(before, actions);
    } else {
        bar->addSeparator();
        bar->addActions(actions);
    }
}

} // namespace

QMenu *buildChronoMenu(QMainWindow *w, ChronoOps &ops, const ChronoMenuHandlers &h)
{
    QMenu *m = new QMenu(QStringLiteral("&Chrono"), w);
    m->setObjectName(QStringLiteral("mnuChrono"));
    addStartStopRemote(m, ops, h, false);
    startStopRemoteAtHand(w, m);
    m->addSeparator();
    add(m, cmd::mnuRemTest, QStringLiteral("T&est Connection"), [&ops] { ops.mnuRemTest(); });
    add(m, cmd::mnuRemStatus, QStringLiteral("Status Re&port"), [&ops] { ops.mnuRemStatus(); });
    add(m, cmd::mnuRemCalibrate, QStringLiteral("&Calibrate"), guarded(ops, [&ops] { ops.calibrate(false); }));
    m->addSeparator();
    add(m, cmd::mnuSnsOn, QStringLiteral("Se&nsors On"),
        guarded(ops, [&ops] { ops.sensors(!ops.cro().bCroSensorsOn); }), true);
    add(m, cmd::mnuSnsLevel, QStringLiteral("Sens&itivity..."), guarded(ops, [&ops] { ops.openChronoPanel(1); }));
    add(m, cmd::mnuRemRapidFireOn, QStringLiteral("Rapid &Fire"),
        guarded(ops, [&ops] { ops.rapidFire(!ops.cro().bCroRapidOn); }), true);
    add(m, cmd::mnuRemArcheryOn, QStringLiteral("&Archery"),
        guarded(ops, [&ops] { ops.archery(!ops.cro().bCroArcheryOn); }), true);
    m->addSeparator();
    add(m, cmd::mnuRemPowerOn, QStringLiteral("Power &On Detect"), guarded(ops, [&ops] { ops.powerSwitch(true); }));
    add(m, cmd::mnuRemPowerOff, QStringLiteral("Po&wer Off"), guarded(ops, [&ops] { ops.powerSwitch(false); }));
    add(m, cmd::mnuCroPref, QStringLiteral("RV5 Set&up..."), guarded(ops, [&ops] { ops.openChronoPanel(2); }));

    QMenu *list = m->addMenu(QStringLiteral("Comman&ds"));
    list->setObjectName(cmd::mnuRemCmdList);
    const QStringList names = {QStringLiteral("Chronograph Control..."), QStringLiteral("Calibrate"),
                               QStringLiteral("Sensors"),                QStringLiteral("High Speed Mode"),
                               QStringLiteral("Archery Mode"),           QStringLiteral("Rapid Fire Mode"),
                               QStringLiteral("Chrono Power")};
    for (int i = 0; i < names.size(); ++i)
        add(list, cmd::mnuRemCmdList + QString::number(i), names.at(i),
            guarded(ops, [&ops, i] { ops.chronoCommand(i); }));
    place(w, m);
    return m;
}

QMenu *buildInterfaceMenu(QMainWindow *w, const ChronoMenuHandlers &h)
{
    QMenu *m = new QMenu(QStringLiteral("&Interface"), w);
    m->setObjectName(QStringLiteral("mnuInterface"));
    add(m, cmd::mnuProperties, QStringLiteral("&Setup..."), h.openProperties);
    add(m, cmd::mnuDetect, QStringLiteral("&Detect Chronographs..."), h.detect);
    add(m, cmd::mnuConnect, QStringLiteral("&Connect"), h.togglePort, true);
    add(m, cmd::mnuTerminal, QStringLiteral("&Terminal..."), h.openTerminal);
    place(w, m);
    return m;
}

QMenu *buildMemoryMenu(QMenu *chrono, RemoteOps &remote)
{
    QMenu *m = chrono->addMenu(QStringLiteral("&Memory"));
    m->setObjectName(QStringLiteral("mnuMemory"));
    add(m, QStringLiteral("mnuDownloadString"), QStringLiteral("Download &String"), [&remote] { remote.mnuDownloadString(); });
    add(m, QStringLiteral("mnuDownloadFolder"), QStringLiteral("Download &Folder"), [&remote] { remote.mnuDownloadFolder(); });
    add(m, QStringLiteral("mnuDownloadEDisk"), QStringLiteral("Download &eDisk"), [&remote] { remote.mnuDownloadEDisk(); });
    m->addSeparator();
    // The operation asks its own question once it knows the folder and string it acts on.
    const auto memOp = [&remote](int op, int scope) { return [&remote, op, scope] { remote.mnuMemOp(op, scope); }; };
    for (int op = RemoteOps::OpDelete; op <= RemoteOps::OpRestore; ++op)
        for (int scope = RemoteOps::MemShot; scope <= RemoteOps::MemFolder; ++scope) {
            const QString text = RemoteOps::memQuestion(op, scope);
            add(m, QStringLiteral("mnuMem") + QString(text).remove(QLatin1Char(' ')), text, memOp(op, scope));
        }
    m->addSeparator();
    add(m, QStringLiteral("mnuMemRestoreEDisk"), QStringLiteral("Restore eDisk"), memOp(RemoteOps::OpRestore, RemoteOps::MemEDisk));
    add(m, QStringLiteral("mnuMemClearEDisk"), QStringLiteral("Clear eDisk"), memOp(RemoteOps::OpDelete, RemoteOps::MemEDisk));
    return m;
}

QMenu *buildChronoPopup(QWidget *parent, ChronoOps &ops, const ChronoMenuHandlers &h)
{
    QMenu *m = new QMenu(parent);
    m->setObjectName(QStringLiteral("popChrono"));
    addStartStopRemote(m, ops, h, true);
    return m;
}

} // namespace zx
