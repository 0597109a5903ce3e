#include "app/ui/terminal_desk.h"

#include "app/app_context.h"
#include "app/status_refresh.h"
#include "app/ui/chrono_desk.h"
#include "app/ui/first_place.h"
#include "app/ui/frm_mdi.h"
#include "app/ui/remote_panel_desk.h"
#include "cfile/ui/qt_file_chooser.h"
#include "link/link_session.h"
#include "platform/settings_store.h"
#include "remote/remote_control.h"
#include "remote/ui/frm_rem_ctr.h"
#include "term/term_settings_keys.h"
#include "term/terminal.h"
#include "term/ui/frm_terminal.h"
#include "term/ui/term_view.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <QStatusBar>

#include <algorithm>

namespace zx {

namespace {

// The window's part of the mode and status view: the caption tag and the port command.
class TerminalModeView : public ModeView {
public:
    explicit TerminalModeView(QPointer<FrmTerminal> &w) : m_w(w) {}
    void applyView(const ViewState &v) override
    {
        if (!m_w)
            return;
        m_w->setTag(v.windowTag);
        m_w->setPortCommandText(v.portCommandText);
    }

private:
    QPointer<FrmTerminal> &m_w;
};

} // namespace

struct TerminalDesk::Parts {
    Parts(FrmMdi &mdi, ChronoDesk &desk, QPointer<FrmTerminal> &w)
        : chooser(&mdi), term(desk.link(), *mdi.context().prompter, &chooser), view(w)
    {
    }
    QtFileChooser chooser;
    Terminal term;
    TerminalModeView view;
    QPointer<QLabel> connTim;   // the main window's connect time of the CFile link
};

TerminalDesk::TerminalDesk(FrmMdi &mdi, ChronoDesk &desk)
    : QObject(&mdi), m_mdi(mdi), m_desk(&desk), m_parts(std::make_unique<Parts>(mdi, desk, m_window))
{
    setObjectName(QStringLiteral("terminalDesk"));
    AppContext &ctx = mdi.context();
    Terminal &t = m_parts->term;
    LinkSession &link = desk.link();

    // A window of its own, alive for the program's life (hidden until opened).
    m_window = new FrmTerminal(t);
    placeBesideOnFirstShow(m_window, &mdi);
    FrmTerminal::Hooks &h = m_window->hooks;
    h.togglePort = [this, &link] {
        // Switched off from the terminal: every link target is cleared.
        if (link.MSComm1.portOpen())
            link.bRxTo = {};
        m_desk->togglePort();
    };
    h.properties = [this] { m_desk->openProperties(false); };
    h.viewLogPad = [&mdi] {
        mdi.showNormal();
        mdi.raise();
        mdi.activateWindow();
    };
    const auto panelPage = [&mdi](int page) {
        if (RemotePanelDesk *p = remotePanelDesk(mdi))
            p->open(page);
    };
    h.viewIPad = [panelPage] { panelPage(-1); };
    h.remotePage = panelPage;
    h.help = [this] {
        QMessageBox::information(m_window, m_window->windowTitle(),
                                 QStringLiteral("The iLoger shows what the chronograph sends while it is linked to "
                                                "the iLoger; typed keys go to the chronograph.\n"
                                                "Log: record the conversation into a communication log file.\n"
                                                "Control: the serial line's low-level properties."));
    };
    h.showWarn = [&ctx] { return ctx.showWarn; };
    h.refresh = [&mdi] { mdi.refreshModeStatus(); };

    t.echoOn = [&ctx] { return ctx.echo; };
    t.log().setTimestamps(ctx.store.readBool(ctx.instanceName(), keys::frmBuffer::LogStamps));
    if (QAction *a = m_window->findChild<QAction *>(QStringLiteral("mnuLogStamps")))
        a->setChecked(t.log().timestamps());
    t.logStateChanged = [this] {
        if (m_window)
            m_window->refreshLogMenus();
        showPanelLog();
    };
    link.hooks.terminalChanged = [w = m_window] {
        if (w)
            w->refreshText();
    };

    // The main window's "ConnTim" panel shows the CFile link's connect time.
    m_parts->connTim = new QLabel(mdi.statusBar());
    m_parts->connTim->setObjectName(QStringLiteral("sbrPanelConnTim"));
    mdi.statusBar()->addPermanentWidget(m_parts->connTim);
    connect(&t, &Terminal::statsChanged, this, [this, &link] {
        if (m_parts->connTim && link.bRxTo[1])
            m_parts->connTim->setText(m_parts->term.connectTimeText(1));
    });

    desk.statusRefresh().addView(&m_parts->view);
    connectRemotePanel();
    loadGeometry();

    mdi.shutdownHooks().supportClosing.push_back([this, &ctx] {
        saveGeometry();
        ctx.store.writeBool(ctx.instanceName(), keys::frmBuffer::LogStamps, m_parts->term.log().timestamps());
        if (m_window)
            m_window->hide();
    });
    mdi.shutdownHooks().destroyWindows.push_back([this] { delete m_window.data(); });
}

TerminalDesk::~TerminalDesk()
{
    delete m_window.data();
    if (m_desk) {
        m_desk->statusRefresh().removeView(&m_parts->view);
        m_desk->link().hooks.terminalChanged = nullptr;
    }
}

Terminal &TerminalDesk::terminal() { return m_parts->term; }
FrmTerminal *TerminalDesk::window() const { return m_window; }

void TerminalDesk::open()
{
    if (!m_window)
        return;
    m_desk->link().bRxTo[0] = true;
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
    m_window->view()->setFocus();
    m_window->refreshText();
    m_mdi.refreshModeStatus();
    if (RemotePanelDesk *p = remotePanelDesk(m_mdi))
        Q_EMIT p->control().linksChanged();
}

void TerminalDesk::connectRemotePanel()
{
    RemotePanelDesk *panel = remotePanelDesk(m_mdi);
    if (!panel || !panel->window())
        return;
    RemoteControl &rc = panel->control();
    Terminal &t = m_parts->term;
    t.panelLogPath = [&rc] { return QDir(QDir::fromNativeSeparators(rc.logPath)).filePath(rc.logFile); };
    if (auto *on = panel->window()->findChild<QCheckBox *>(QStringLiteral("chkHwrCLogOn")))
        connect(on, &QCheckBox::toggled, this, [this](bool checked) {
            Terminal &term = m_parts->term;
            if (checked && !term.logOpen())
                term.strtCLog();
            else if (!checked && term.logOpen())
                term.closeLog();
            showPanelLog();
        });
    // The panel's log switch was on when the program ended: the log goes on.
    if (rc.logOn)
        t.strtCLog(6);
    showPanelLog();
}

void TerminalDesk::showPanelLog()
{
    RemotePanelDesk *panel = remotePanelDesk(m_mdi);
    if (!panel || !panel->window())
        return;
    const bool open = m_parts->term.logOpen();
    FrmRemCtr *w = panel->window();
    if (auto *on = w->findChild<QCheckBox *>(QStringLiteral("chkHwrCLogOn")); on && on->isChecked() != open)
        on->setChecked(open);
    for (const char *name : {"txtHwrCLogFile", "txtHwrCLogPath"})
        if (auto *e = w->findChild<QLineEdit *>(QString::fromLatin1(name)))
            e->setEnabled(!open);
}

void TerminalDesk::loadGeometry()
{
    AppContext &ctx = m_mdi.context();
    const QString app = ctx.instanceName();
    const double tpp = twipsPerPixel(m_window);
    bool ok[4] = {};
    const int w = ctx.store.read(app, keys::frmBuffer::SizWinX).toInt(&ok[0]);
    const int h = ctx.store.read(app, keys::frmBuffer::SizWinY).toInt(&ok[1]);
    const int x = ctx.store.read(app, keys::frmBuffer::PosWinX).toInt(&ok[2]);
    const int y = ctx.store.read(app, keys::frmBuffer::PosWinY).toInt(&ok[3]);
    QRect r = m_window->geometry();
    if (ok[0] && ok[1] && w > 0 && h > 0)
        r.setSize(QSize(int(w / tpp), int(h / tpp)));
    if (ok[2] && ok[3])
        r.moveTopLeft(QPoint(int(x / tpp), int(y / tpp)));
    // Kept within the screen.
    if (const QScreen *s = m_window->screen()) {
        const QRect avail = s->availableGeometry();
        r.setSize(r.size().boundedTo(avail.size()));
        r.moveLeft(std::clamp(r.left(), avail.left(), avail.right() - r.width() + 1));
        r.moveTop(std::clamp(r.top(), avail.top(), avail.bottom() - r.height() + 1));
    }
    m_window->resize(r.size());
    if (ok[2] && ok[3])   // else it opens beside the main window
        m_window->move(r.topLeft());
}

void TerminalDesk::saveGeometry()
{
    if (!m_window)
        return;
    AppContext &ctx = m_mdi.context();
    const QString app = ctx.instanceName();
    const double tpp = twipsPerPixel(m_window);
    const QRect r = m_window->normalGeometry().isValid() ? m_window->normalGeometry() : m_window->geometry();
    ctx.store.writeInt(app, keys::frmBuffer::SizWinX, int(r.width() * tpp));
    ctx.store.writeInt(app, keys::frmBuffer::SizWinY, int(r.height() * tpp));
    if (m_window->testAttribute(Qt::WA_Moved)) {   // a window never opened has no place yet
        ctx.store.writeInt(app, keys::frmBuffer::PosWinX, int(m_window->pos().x() * tpp));
        ctx.store.writeInt(app, keys::frmBuffer::PosWinY, int(m_window->pos().y() * tpp));
    }
}

TerminalDesk *installTerminalDesk(FrmMdi &mdi)
{
    if (TerminalDesk *d = terminalDesk(mdi))
        return d;
    ChronoDesk *desk = chronoDesk(mdi);
    if (!desk || !mdi.context().prompter)
        return nullptr;
    return new TerminalDesk(mdi, *desk);
}

TerminalDesk *terminalDesk(FrmMdi &mdi)
{
    return mdi.findChild<TerminalDesk *>(QStringLiteral("terminalDesk"), Qt::FindDirectChildrenOnly);
}

void openTerminalWindow(FrmMdi &mdi)
{
    if (TerminalDesk *d = installTerminalDesk(mdi))
        d->open();
}

} // namespace zx
