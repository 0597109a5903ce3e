#include "app/ui/remote_panel_desk.h"

#include "app/mode_commands.h"
#include "app/status_refresh.h"
#include "app/ui/chrono_desk.h"
#include "app/ui/document_factory.h"
#include "app/ui/first_place.h"
#include "app/ui/frm_mdi.h"
#include "cfile/capture_stack.h"
#include "cfile/chrono_stack.h"
#include "cfile/ui/cfile_workspace.h"
#include "link/chrono_ops.h"
#include "link/link_session.h"
#include "link/ui/progress_window.h"
#include "platform/program_files.h"
#include "remote/panel_download.h"
#include "remote/remote_control.h"
#include "remote/remote_ops.h"
#include "remote/ui/download_page.h"
#include "remote/ui/frm_rem_ctr.h"

#include <QAction>
#include <QMenu>
#include <QTimer>

namespace zx {

namespace {

// The panel's part of the mode and status view: caption tag, mode label, key colours.
class PanelModeView : public ModeView {
public:
    explicit PanelModeView(QPointer<FrmRemCtr> &w) : m_w(w) {}
    void applyView(const ViewState &v) override
    {
        if (!m_w)
            return;
        std::optional<QColor> label;
        if (v.modeColor)
            label = QColor::fromRgb(*v.modeColor);
        m_w->applyMode(v.windowTag, v.modeLabel, label, QColor::fromRgb(v.startKey), QColor::fromRgb(v.stopKey),
                       QColor::fromRgb(v.remoteKey));
    }

private:
    QPointer<FrmRemCtr> &m_w;
};

} // namespace

struct RemotePanelDesk::Parts {
    Parts(FrmMdi &mdi, ChronoDesk &desk, QPointer<FrmRemCtr> &window)
        : control(desk.link(), desk.chronoStack().task, *mdi.context().prompter),
          download(desk.remote(), desk.chronoStack().task, cfileWorkspace(mdi)->files(), *mdi.context().prompter), view(window)
    {
    }
    RemoteControl control;
    PanelDownload download;
    PanelModeView view;
};

RemotePanelDesk::RemotePanelDesk(FrmMdi &mdi, ChronoDesk &desk)
    : QObject(&mdi), m_mdi(mdi), m_desk(&desk), m_parts(std::make_unique<Parts>(mdi, desk, m_window))
{
    setObjectName(QStringLiteral("remotePanelDesk"));
    AppContext &ctx = mdi.context();
    CFileWorkspace &ws = *cfileWorkspace(mdi);
    RemoteControl &rc = m_parts->control;
    LinkSession &link = desk.link();
    ChronoOps &chronoOps = desk.ops();
    CaptureOps &capture = desk.captureStack().capture;

    // A window of its own (usable while the main window is minimized); deleted at shutdown.
    m_window = new FrmRemCtr(rc);
    placeBesideOnFirstShow(m_window, &mdi);
    auto *page = new DownloadPage(m_parts->download, ws.files());
    m_window->setDownloadPage(page);

    RemoteControl::Hooks &h = rc.hooks;
    h.mainMinimized = [&mdi] { return mdi.isMinimized(); };
    h.restoreMain = [&mdi] {
        mdi.showNormal();
        mdi.raise();
    };
    h.refresh = [&mdi] { mdi.refreshModeStatus(); };
    h.startShoot = [&chronoOps, &capture] { chronoOps.guarded([&capture] { capture.croStartShoot(); }); };
    h.stopShoot = [&chronoOps, &capture] { chronoOps.guarded([&capture] { capture.croStopShoot(); }); };
    h.remoteOnly = [&chronoOps, &capture] { chronoOps.guarded([&capture] { capture.croRemoteOnly(); }); };
    h.calibrate = [&chronoOps] { chronoOps.guarded([&chronoOps] { chronoOps.calibrate(false); }); };
    h.testLink = [&chronoOps] {
        if (!chronoOps.deviceGate())
            chronoOps.guarded([&chronoOps] { chronoOps.croTest(4, 4); });
    };
    h.statusReport = [&chronoOps] { chronoOps.mnuRemStatus(); };
    m_parts->download.activate = [&ws](CFileDoc *doc) { ws.activateDoc(doc); };
    m_parts->download.refresh = h.refresh;

    // What the link and the operations address to the panel: its message line and the
    // progress log (redrawn once per burst of received text).
    const auto message = [&rc](const QString &t) { rc.panelMessage(t); };
    link.hooks.remoteMessage = message;
    desk.chronoStack().host.hooks.panelMessage = message;
    link.hooks.remoteProgressChanged = [this, &link] {
        if (m_progressPending)
            return;
        m_progressPending = true;
        QTimer::singleShot(0, this, [this, &link] {
            m_progressPending = false;
            if (m_window)
                m_window->showProgress(link.remPrgrs.text());
        });
    };
    desk.statusRefresh().addView(&m_parts->view);

    // Opened from the iPad tool button and the Interface menu.
    if (QAction *a = mdi.toolbars().action(cmd::IPad))
        connect(a, &QAction::triggered, this, [this] { open(); });
    if (QMenu *m = mdi.menuNamed(QStringLiteral("mnuInterface"))) {
        QAction *a = m->addAction(QStringLiteral("Remote Control &Panel..."));
        a->setObjectName(QStringLiteral("mnuRemPanel"));
        connect(a, &QAction::triggered, this, [this] { open(); });
    }

    // Load step; closing step and destruction in their places of the shutdown.
    m_window->lodRemCtr(ctx.store, ctx.instanceName(), ctx.appNumber, ProgramFiles::forDesktop());
    mdi.shutdownHooks().supportClosing.push_back([this, &ctx] {
        if (m_window) {
            m_window->extRemCtr(ctx.store, ctx.instanceName());
            m_window->hide();
        }
    });
    mdi.shutdownHooks().destroyWindows.push_back([this] { delete m_window.data(); });
}

RemotePanelDesk::~RemotePanelDesk()
{
    delete m_window.data();
    if (m_desk) {
        m_desk->statusRefresh().removeView(&m_parts->view);
        m_desk->link().hooks.remoteMessage = nullptr;
        m_desk->link().hooks.remoteProgressChanged = nullptr;
        m_desk->chronoStack().host.hooks.panelMessage = nullptr;
    }
}

FrmRemCtr *RemotePanelDesk::window() const { return m_window; }
RemoteControl &RemotePanelDesk::control() { return m_parts->control; }
PanelDownload &RemotePanelDesk::download() { return m_parts->download; }

void RemotePanelDesk::open(int page)
{
    if (!m_window)
        return;
    m_window->showPage(page < 0 ? m_parts->control.page() : page);
    m_mdi.refreshModeStatus();
}

RemotePanelDesk *installRemotePanel(FrmMdi &mdi)
{
    if (RemotePanelDesk *d = remotePanelDesk(mdi))
        return d;
    ChronoDesk *desk = chronoDesk(mdi);
    if (!desk || !desk->progress() || !cfileWorkspace(mdi))
        return nullptr;
    return new RemotePanelDesk(mdi, *desk);
}

RemotePanelDesk *remotePanelDesk(FrmMdi &mdi)
{
    return mdi.findChild<RemotePanelDesk *>(QStringLiteral("remotePanelDesk"), Qt::FindDirectChildrenOnly);
}

} // namespace zx
