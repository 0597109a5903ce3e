#pragma once
// The main window's Chrono and Interface menus and the pop-up twins of Start,
// Stop and Remote. Every chronograph command runs inside the task guard and is
// followed by the mode and status refresh (ChronoOps::guarded).
#include <QString>
#include <functional>

class QMainWindow;
class QMenu;
class QWidget;

namespace zx {

class ChronoOps;
class RemoteOps;

// Start, Stop and Remote belong to shot capture; the other commands here are
// the chronograph operations and the port.
struct ChronoMenuHandlers {
    std::function<void()> start;          // croStartShoot
    std::function<void()> stop;           // croStopShoot
    std::function<void()> remote;         // croRemoteOnly
    std::function<void()> openProperties; // the properties window
    std::function<void()> detect;         // the properties window, then a detection
    std::function<void()> togglePort;     // open or close the link port
    std::function<void()> openTerminal;   // the terminal window
};

QMenu *buildChronoMenu(QMainWindow *w, ChronoOps &ops, const ChronoMenuHandlers &h);
QMenu *buildInterfaceMenu(QMainWindow *w, const ChronoMenuHandlers &h);
// The Memory submenu of the Chrono menu: downloads into the CFile and the memory
// operations, each inside the task guard; the memory operations ask `confirm` first.
QMenu *buildMemoryMenu(QMenu *chrono, RemoteOps &remote);
// The pop-up menu of the CFile with popRemStart, popRemStop, popRemRemo.
QMenu *buildChronoPopup(QWidget *parent, ChronoOps &ops, const ChronoMenuHandlers &h);

} // namespace zx
