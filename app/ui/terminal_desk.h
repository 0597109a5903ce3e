#pragma once
// The main window's side of the terminal window (frmTerminal, the "iLoger") and its
// statistics: the terminal logic on the program's link session, the window's place in the
// mode and status refresh (caption tag, port command), the communication log started from
// the remote panel's file name and check box, the window's geometry (section frmBuffer) and
// its closing step. Opened by the toolbar's Terminal button and Interface/Terminal.
#include <QObject>
#include <QPointer>
#include <memory>

namespace zx {

class ChronoDesk;
class FrmMdi;
class FrmTerminal;
class Terminal;

class TerminalDesk : public QObject {
    Q_OBJECT
public:
    TerminalDesk(FrmMdi &mdi, ChronoDesk &desk);
    ~TerminalDesk() override;

    Terminal &terminal();
    FrmTerminal *window() const;
    // Shows the window with the terminal linked (link target 0).
    void open();

private:
    struct Parts;
    void connectRemotePanel();
    void showPanelLog();
    void loadGeometry();
    void saveGeometry();

    FrmMdi &m_mdi;
    QPointer<ChronoDesk> m_desk;
    QPointer<FrmTerminal> m_window;
    std::unique_ptr<Parts> m_parts;
};

// Splash step, after the remote panel: the terminal created and its log started when the
// panel's log switch is on. Needs the chronograph side.
TerminalDesk *installTerminalDesk(FrmMdi &mdi);
TerminalDesk *terminalDesk(FrmMdi &mdi);
// The main window's terminal commands.
void openTerminalWindow(FrmMdi &mdi);

} // namespace zx
