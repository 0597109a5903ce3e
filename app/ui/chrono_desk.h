#pragma once
// The main window's side of the chronograph: one link session for the program's life,
// shot capture and the chronograph operations over the CFile workspace, the progress
// window, the port properties window, the Chrono and Interface menus with the pop-up
// twins, the toolbar's Connect and Setup buttons, and the mode and status refresh that
// keeps all of them (and the caption) in line. Owned by the main window.
#include "app/status_refresh.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>

class QFont;
class QMenu;

namespace zx {

class CaptureStack;
class CFileDoc;
class ChronoStack;
class CFileWorkspace;
class ChronoOps;
class FrmFPrgrs;
class FrmMdi;
class FrmProperties;
class LinkSession;
class PortDetect;
class RemoteOps;

class ChronoDesk : public QObject {
    Q_OBJECT
public:
    ChronoDesk(FrmMdi &mdi, CFileWorkspace &ws);
    ~ChronoDesk() override;

    LinkSession &link();
    ChronoOps &ops();
    RemoteOps &remote();   // download and memory operations
    PortDetect &detect();
    FrmProperties *properties() const;
    FrmFPrgrs *progress() const;
    // The operations' LogPad host and task guard; shot capture (for the remote panel).
    ChronoStack &chronoStack();
    CaptureStack &captureStack();
    StatusRefresh &statusRefresh() { return m_refresh; }
    QMenu *chronoPopup() const { return m_popup; }

    // Start-up: the port opened at once when the user selects by hand (step 8), then
    // the chronograph selection (step 9).
    void startupConnect();
    void startupSelect();

    // Interface menu and toolbar commands.
    void openProperties(bool runDetection);
    // The Interface menu's and the pop-up's Terminal command; given by the main window's
    // assembly, so this side needs nothing of the terminal's.
    void setTerminalOpener(std::function<void()> open) { m_openTerminal = std::move(open); }
    // The document side's default-format, margin and tab marks, filled into the state the
    // refresh gathers; handed in the same way.
    void setDocumentMarks(std::function<void(ProgramState &)> fill) { m_documentMarks = std::move(fill); }
    void togglePort();

    // A transaction, a probe or a chronograph task is waiting on the stack.
    bool busy() const;

    // Commands of the active CFile (updFgsMDI), after a change of text or selection.
    void updateCFileCommands();

private:
    struct Parts;
    ProgramState gather() const;
    void buildMenus();
    void connectProperties();
    // The format toolbar's font boxes show the font at the caret.
    void showFontOf(const QFont &font);

    FrmMdi &m_mdi;
    CFileWorkspace &m_ws;
    std::unique_ptr<Parts> m_parts;
    StatusRefresh m_refresh;
    QMenu *m_popup = nullptr;
    bool m_cfileCommandsPending = false;
    QPointer<CFileDoc> m_lastActive;   // the CFile whose commands were last set
    std::function<void()> m_openTerminal;
    std::function<void(ProgramState &)> m_documentMarks;
};

// The main window's chronograph side, installed once the CFile workspace exists.
ChronoDesk *installChronoDesk(FrmMdi &mdi);
ChronoDesk *chronoDesk(FrmMdi &mdi);

} // namespace zx
