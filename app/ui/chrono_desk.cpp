#include "app/ui/chrono_desk.h"

#include "app/mode_test_level.h"
#include "app/startup.h"
#include "app/ui/chrono_menus.h"
#include "app/ui/document_factory.h"
#include "app/ui/frm_mdi.h"
#include "app/ui/mode_apply.h"
#include "cfile/capture_stack.h"
#include "cfile/chrono_stack.h"
#include "cfile/ui/cfile_workspace.h"
#include "cfile/ui/frm_document.h"
#include "link/link_session.h"
#include "link/port_detect.h"
#include "link/port_detect_startup.h"
#include "link/port_detect_text.h"
#include "link/ui/frm_properties.h"
#include "link/ui/progress_window.h"
#include "remote/remote_ops.h"
#include "remote/remote_ops_host.h"

#include <QAction>
#include <QMenu>
#include <QClipboard>
#include <QComboBox>
#include <QFontComboBox>
#include <QGuiApplication>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextList>
#include <QTimer>

namespace zx {

namespace {

// The properties window's part of the view: its caption, the chronograph's name and
// the port's state on optConnect.
class PropertiesView : public ModeView {
public:
    PropertiesView(FrmProperties *w, PortDetect &detect)
        : m_w(w), m_caption(w, CaptionModeView::Properties), m_detect(detect)
    {
    }
    void applyView(const ViewState &v) override
    {
        if (!m_w)
            return;
        m_caption.applyView(v);
        m_w->setChronoName(v.propertiesChronoName);
        m_w->setPortOpenShown(m_detect.link().MSComm1.portOpen());
        // The current connection as it is now, not as the last scan found it.
        m_detect.showConnection();
    }

private:
    QPointer<FrmProperties> m_w;
    CaptionModeView m_caption;
    PortDetect &m_detect;
};

// The mouse pointer over the active CFile: capture and remote arrows while recording;
// the CFile windows' record protection follows the mode.
class PointerView : public ModeView {
public:
    explicit PointerView(CFileWorkspace &ws) : m_ws(ws) {}
    void applyView(const ViewState &v) override
    {
        m_ws.syncEditPolicy();
        FrmDocument *doc = m_ws.activeWindow();
        if (!doc)
            return;
        QWidget *vp = doc->rtfText()->viewport();
        switch (v.pointer) {
        case PointerKind::CapArrow: vp->setCursor(Qt::UpArrowCursor); break;
        case PointerKind::RemArrow: vp->setCursor(Qt::PointingHandCursor); break;
        case PointerKind::Standard: vp->setCursor(Qt::IBeamCursor); break;
        }
    }

private:
    CFileWorkspace &m_ws;
};

// Whether every character of the selection (or the caret's format without one) has f.
template <class Pred> bool wholeSelection(const QTextCursor &c, Pred has)
{
    if (!c.hasSelection())
        return has(c.charFormat());
    const int from = c.selectionStart(), to = c.selectionEnd();
    for (QTextBlock b = c.document()->findBlock(from); b.isValid() && b.position() < to; b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            if (f.position() + f.length() <= from || f.position() >= to)
                continue;
            if (!has(f.charFormat()))
                return false;
        }
    }
    return true;
}

int alignmentOf(const QTextCursor &c)
{
    const auto code = [](Qt::Alignment a) {
        if (a & Qt::AlignHCenter)
            return 1;
        if (a & Qt::AlignRight)
            return 2;
        return 0;
    };
    if (!c.hasSelection())
        return code(c.blockFormat().alignment());
    const QTextDocument *d = c.document();
    QTextBlock b = d->findBlock(c.selectionStart());
    const int first = code(b.blockFormat().alignment());
    for (; b.isValid() && b.position() < c.selectionEnd(); b = b.next())
        if (code(b.blockFormat().alignment()) != first)
            return -1;
    return first;
}

} // namespace

struct ChronoDesk::Parts {
    Parts(FrmMdi &mdi, CFileWorkspace &ws, AppContext &ctx)
        : link(ctx.prompter, &ctx.store, ctx.instanceName(), ctx.appNumber, &ws.logPad()),
          capture(ws.files(), ws.logPad(), *ctx.prompter, link), progressWindow(new FrmFPrgrs(&mdi)),
          chrono(capture, link, *ctx.prompter, *progressWindow), detect(link, *ctx.prompter),
          propertiesWindow(new FrmProperties(detect)), mainView(&mdi), pointerView(ws),
          propertiesView(propertiesWindow, detect), remoteHost(chrono.host, *progressWindow, *ctx.prompter),
          remote(link, chrono.ops, remoteHost)
    {
    }
    LinkSession link;
    CaptureStack capture;
    QPointer<FrmFPrgrs> progressWindow;
    ChronoStack chrono;
    PortDetect detect;
    // A window of its own, not a child of the main window: the start-up selection shows it
    // while the main window is still disabled. Deleted by the desk.
    QPointer<FrmProperties> propertiesWindow;
    MainWindowModeView mainView;
    PointerView pointerView;
    PropertiesView propertiesView;
    ChronoRemoteHost remoteHost;
    RemoteOps remote;   // download and memory operations
};

ChronoDesk::ChronoDesk(FrmMdi &mdi, CFileWorkspace &ws)
    : QObject(&mdi), m_mdi(mdi), m_ws(ws), m_parts(std::make_unique<Parts>(mdi, ws, mdi.context())),
      m_refresh([this] { return gather(); }, [this] { m_parts->link.bRxTo[1] = false; })
{
    setObjectName(QStringLiteral("chronoDesk"));
    AppContext &ctx = mdi.context();
    Parts &p = *m_parts;

    // The port as the terminal window left it, the device as stored.
    p.link.lodTerminal();
    p.link.cro.iCroDevice = qint16(ctx.device);
    p.link.bShowWarn = ctx.showWarn;

    m_refresh.addView(&p.mainView);
    m_refresh.addView(&p.pointerView);
    m_refresh.addView(&p.propertiesView);
    mdi.setModeStatusRefresh([this] {
        m_refresh.refresh();
        m_mdi.updateDebugMenu();
    });
    p.link.hooks.refreshMain = [this] { m_mdi.refreshModeStatus(); };
    p.link.hooks.progressStep = [w = p.progressWindow] {
        if (w)
            w->progressStep();
    };
    p.progressWindow->setAbortHandler([this] { m_parts->link.croUserAbort(); });
    p.remoteHost.captionHook = [w = p.progressWindow](const QString &caption) {
        if (w)
            w->setWindowTitle(caption);
    };

    LogPadOpsHost::Hooks &h = p.chrono.host.hooks;
    h.refresh = [this] { m_mdi.refreshModeStatus(); };
    h.confirmWarning = [&ctx](const QString &q) { return confirmWarning(ctx, q); };
    // ShowWarnRV lives in the program's memory: a Yes that turns it off counts everywhere at once.
    p.capture.warn.setChronoWarnings([&ctx] { return ctx.showWarnRV; });
    h.noteDisabled = [&ctx] { zx::noteDisabled(*ctx.prompter, ctx.soft.userLevel); };
    h.softDebug = [&ctx] { return ctx.soft.softDebug; };

    // Typed keys go to the end of the LogPad while recording (unless SoftEdit).
    ws.setJumpToEndOnKey([this, &ctx] { return m_parts->link.bRxTo[1] && !ctx.soft.softEdit; });
    // Shoot mode protects the record: only the LogPad writes into it.
    ws.setEditingAllowed([this, &ctx] {
        return editingAllowed(m_parts->link.bRxTo[1], m_parts->link.cro.bCroSensorsOn, ctx.soft.softEdit);
    });
    // A burst of changes (a download writing many lines) brings the commands in line once.
    connect(&ws, &CFileWorkspace::commandStateChanged, this, [this] {
        if (m_cfileCommandsPending)
            return;
        m_cfileCommandsPending = true;
        QTimer::singleShot(0, this, [this] {
            m_cfileCommandsPending = false;
            updateCFileCommands();
        });
    });

    connectProperties();
    buildMenus();

    mdi.shutdownHooks().supportClosing.push_back([this] {
        if (m_parts->propertiesWindow)
            m_parts->propertiesWindow->hide();
    });
    mdi.shutdownHooks().stopTerminalTimers = [this] { m_parts->link.extTerminal(); };
}

ChronoDesk::~ChronoDesk()
{
    // The windows that hold references into the parts go first.
    delete m_parts->propertiesWindow.data();
    delete m_parts->progressWindow.data();
    m_parts->link.hooks = {};
    if (m_parts->link.MSComm1.portOpen())
        m_parts->link.subClosePort();
}

LinkSession &ChronoDesk::link() { return m_parts->link; }
ChronoOps &ChronoDesk::ops() { return m_parts->chrono.ops; }
RemoteOps &ChronoDesk::remote() { return m_parts->remote; }
PortDetect &ChronoDesk::detect() { return m_parts->detect; }
FrmProperties *ChronoDesk::properties() const { return m_parts->propertiesWindow; }
FrmFPrgrs *ChronoDesk::progress() const { return m_parts->progressWindow; }
ChronoStack &ChronoDesk::chronoStack() { return m_parts->chrono; }
CaptureStack &ChronoDesk::captureStack() { return m_parts->capture; }

ProgramState ChronoDesk::gather() const
{
    const AppContext &ctx = m_mdi.context();
    const LinkSession &l = m_parts->link;
    ProgramState s;
    s.appNumber = ctx.appNumber;
    s.portNum = l.MSComm1.commPort();
    s.portOpen = l.MSComm1.portOpen();
    s.captureOn = l.bRxTo[1];
    s.sensorsOn = l.cro.bCroSensorsOn;
    s.device = l.cro.iCroDevice;
    s.deviceName = deviceName(l.cro.iCroDevice);
    s.statusOk = l.cro.bCroStatusOk;
    s.sensLevel = l.cro.iCroSensLevel;
    s.rapidOn = l.cro.bCroRapidOn;
    s.archeryOn = l.cro.bCroArcheryOn;
    s.userLevel = ctx.soft.userLevel;
    s.softTest = ctx.soft.softTest;
    s.shipMode = ctx.shipMode;
    s.softDebug = ctx.soft.softDebug;
    s.getRegistry = ctx.soft.getRegistry;
    s.saveRegistry = ctx.soft.saveRegistry;
    s.clearRegistry = ctx.soft.clearRegistry;
    s.moreOptions = ctx.soft.softMore;
    s.softEdit = ctx.soft.softEdit;
    s.excelOpen = l.bExcCapture;
    if (m_documentMarks)
        m_documentMarks(s);
    if (FrmDocument *doc = m_ws.activeWindow()) {
        const QTextCursor c = doc->rtfText()->textCursor();
        s.hasCFile = true;
        const auto va = c.charFormat().verticalAlignment();
        s.selOffset = va == QTextCharFormat::AlignSuperScript ? 1 : va == QTextCharFormat::AlignSubScript ? -1 : 0;
        s.selBullet = c.currentList() != nullptr;
    }
    return s;
}

void ChronoDesk::showFontOf(const QFont &font)
{
    const MainToolbars &tools = m_mdi.toolbars();
    if (tools.fontName && tools.fontName->currentFont().family() != font.family()) {
        const QSignalBlocker block(tools.fontName);
        tools.fontName->setCurrentFont(font);
    }
    if (tools.fontSize) {
        const QString size = QString::number(font.pointSizeF());
        if (tools.fontSize->currentText() != size) {
            const QSignalBlocker block(tools.fontSize);
            tools.fontSize->setEditText(size);
        }
    }
}

void ChronoDesk::updateCFileCommands()
{
    CFileFacts f;
    if (FrmDocument *doc = m_ws.activeWindow()) {
        QTextEdit *e = doc->rtfText();
        const QTextCursor c = e->textCursor();
        f.present = true;
        f.textEmpty = e->document()->isEmpty();
        f.canUndo = e->document()->isUndoAvailable();
        f.selectionEmpty = !c.hasSelection();
        const QClipboard *clip = QGuiApplication::clipboard();
        f.clipboardHasText = clip && !clip->text().isEmpty();
        f.alignment = alignmentOf(c);
        f.bold = wholeSelection(c, [](const QTextCharFormat &x) { return x.fontWeight() >= QFont::Bold; });
        f.italic = wholeSelection(c, [](const QTextCharFormat &x) { return x.fontItalic(); });
        f.underline = wholeSelection(c, [](const QTextCharFormat &x) { return x.fontUnderline(); });
        f.strikeThru = wholeSelection(c, [](const QTextCharFormat &x) { return x.fontStrikeOut(); });
        f.bullet = c.currentList() != nullptr;
        showFontOf(e->currentFont());
    }
    const int level = m_mdi.context().soft.userLevel;
    if (!f.present) {
        m_refresh.zapFgs();
        m_lastActive = nullptr;
        return;
    }
    // A CFile newly active (created, opened or switched to) gets its commands first.
    CFileDoc *active = m_ws.files().active();
    if (active != m_lastActive) {
        m_lastActive = active;
        m_refresh.setFgs(level);
    }
    m_refresh.updFgs(f, level);
}

void ChronoDesk::buildMenus()
{
    Parts &p = *m_parts;
    CaptureOps &cap = p.capture.capture;
    ChronoMenuHandlers h;
    h.start = [&cap] { cap.croStartShoot(); };
    h.stop = [&cap] { cap.croStopShoot(); };
    h.remote = [&cap] { cap.croRemoteOnly(); };
    h.openProperties = [this] { openProperties(false); };
    h.detect = [this] { openProperties(true); };
    h.togglePort = [this] { togglePort(); };
    // The terminal side depends on this one; it hands its opener in (setTerminalOpener).
    h.openTerminal = [this] {
        if (m_openTerminal)
            m_openTerminal();
    };
    QMenu *chrono = buildChronoMenu(&m_mdi, p.chrono.ops, h);
    buildMemoryMenu(chrono, p.remote);
    buildInterfaceMenu(&m_mdi, h);
    m_popup = buildChronoPopup(&m_mdi, p.chrono.ops, h);
    m_ws.setPopupCommands([popup = QPointer<QMenu>(m_popup)] { return popup ? popup->actions() : QList<QAction *>(); });

    // The toolbar's twins of the Interface commands.
    if (QAction *a = m_mdi.findChild<QAction *>(QStringLiteral("Connect")))
        connect(a, &QAction::triggered, this, [this] { togglePort(); });
    if (QAction *a = m_mdi.findChild<QAction *>(QStringLiteral("Properties")))
        connect(a, &QAction::triggered, this, [this] { openProperties(false); });
}

void ChronoDesk::connectProperties()
{
    Parts &p = *m_parts;
    AppContext &ctx = m_mdi.context();
    FrmProperties *w = p.propertiesWindow;
    w->connectPort = [this](bool open) {
        LinkSession &l = m_parts->link;
        if (open && !l.MSComm1.portOpen())
            l.subOpenPort();
        else if (!open && l.MSComm1.portOpen())
            l.subClosePort();
        m_mdi.refreshModeStatus();
    };
    p.detect.applyProgramWide = [&ctx](const PortForm &f) {
        ctx.autoConnect = f.autoConnect;
        ctx.autoDetect = f.autoDetect;
        ctx.device = f.device;
        ctx.echo = f.echo != 0;
    };
    p.detect.refreshMain = [this] { m_mdi.refreshModeStatus(); };
    w->loadFromLink(ctx.autoConnect, ctx.autoDetect, ctx.device, ctx.echo);
}

void ChronoDesk::openProperties(bool runDetection)
{
    FrmProperties *w = m_parts->propertiesWindow;
    if (!w)
        return;
    AppContext &ctx = m_mdi.context();
    if (w->isHidden())
        w->loadFromLink(ctx.autoConnect, ctx.autoDetect, ctx.device, ctx.echo);
    w->show();
    w->raise();
    w->activateWindow();
    m_mdi.refreshModeStatus();
    if (runDetection)
        m_parts->detect.cmdDetect();
}

void ChronoDesk::togglePort()
{
    LinkSession &l = m_parts->link;
    if (l.MSComm1.portOpen())
        l.subClosePort();
    else
        l.subOpenPort();
    m_mdi.refreshModeStatus();
}

void ChronoDesk::startupConnect()
{
    AppContext &ctx = m_mdi.context();
    StartupChoice c{ctx.autoConnect, ctx.autoDetect, ctx.chronSelect, ctx.device};
    StartupWindows w;
    w.refresh = [this] { m_mdi.refreshModeStatus(); };
    zx::startupConnect(m_parts->detect, c, w);
}

void ChronoDesk::startupSelect()
{
    AppContext &ctx = m_mdi.context();
    StartupChoice c{ctx.autoConnect, ctx.autoDetect, ctx.chronSelect, ctx.device};
    StartupWindows w;
    QPointer<FrmProperties> props = m_parts->propertiesWindow;
    w.showProperties = [props] {
        if (props)
            props->show();
    };
    w.hideProperties = [props] {
        if (props)
            props->hide();
    };
    w.runPropertiesModal = [props] {
        if (props)
            props->exec();
    };
    w.note = [this](const QString &t) { m_parts->detect.prtLog(t); };
    w.refresh = [this] { m_mdi.refreshModeStatus(); };
    zx::startupSelect(m_parts->detect, m_parts->chrono.ops, *ctx.prompter, c, w);
}

bool ChronoDesk::busy() const
{
    const LinkSession &l = m_parts->link;
    return l.croTxn.busy || l.bCom2Busy || m_parts->chrono.task.busy();
}

ChronoDesk *installChronoDesk(FrmMdi &mdi)
{
    if (ChronoDesk *d = chronoDesk(mdi))
        return d;
    CFileWorkspace *ws = cfileWorkspace(mdi);
    if (!ws || !mdi.context().prompter)
        return nullptr;
    return new ChronoDesk(mdi, *ws);
}

ChronoDesk *chronoDesk(FrmMdi &mdi)
{
    return mdi.findChild<ChronoDesk *>(QStringLiteral("chronoDesk"), Qt::FindDirectChildrenOnly);
}

} // namespace zx
