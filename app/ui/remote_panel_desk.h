#pragma once
// The main window's side of the remote control panel: the panel (frmRemCtr) with its logic,
// its Download page over the desk's download operations, the panel's place in the mode and status
// refresh, the message line and progress log the link and the operations write to, the iPad
// tool button and Interface menu command that open it, and its closing step.
#include <QObject>
#include <QPointer>
#include <memory>

namespace zx {

class ChronoDesk;
class FrmMdi;
class FrmRemCtr;
class PanelDownload;
class RemoteControl;

class RemotePanelDesk : public QObject {
    Q_OBJECT
public:
    RemotePanelDesk(FrmMdi &mdi, ChronoDesk &desk);
    ~RemotePanelDesk() override;

    FrmRemCtr *window() const;
    RemoteControl &control();
    PanelDownload &download();
    // The panel on a page (0..4; -1 the page it shows).
    void open(int page = -1);

private:
    struct Parts;
    FrmMdi &m_mdi;
    QPointer<ChronoDesk> m_desk;
    QPointer<FrmRemCtr> m_window;   // before the parts: their mode view refers to it
    std::unique_ptr<Parts> m_parts;
    bool m_progressPending = false;
};

// Splash step: the panel created after the other support windows, its load step run
// (position, command file, log file). Needs the chronograph side.
RemotePanelDesk *installRemotePanel(FrmMdi &mdi);
RemotePanelDesk *remotePanelDesk(FrmMdi &mdi);

} // namespace zx
