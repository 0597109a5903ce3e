#include "app/ui/frm_mdi.h"

#include "app/main_geometry.h"
#include "app/settings_keys.h"
#include "app/startup.h"
#include "app/ui/chrono_desk.h"
#include "app/ui/help_menu.h"
#include "app/ui/window_list.h"
#include "link/link_settings_keys.h"
#include "platform/prompter.h"
#include "platform/termination.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDate>
#include <QGuiApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include <algorithm>

namespace zx {

double twipsPerPixel(const QWidget *w)
{
    const QScreen *s = w ? w->screen() : nullptr;
    const double dpi = s ? s->logicalDotsPerInch() : 96.0;
    return dpi > 0 ? 1440.0 / dpi : 15.0;
}

FrmMdi::FrmMdi(AppContext &ctx, QWidget *parent) : QMainWindow(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("frmMDI"));
    m_mdi = new QMdiArea(this);
    m_mdi->setObjectName(QStringLiteral("mdiClient"));
    m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdi);
    buildToolbars();
    buildMenus();
    buildStatusBar();
    setWindowTitle(m_ctx.instanceName());
}

FrmMdi::~FrmMdi()
{
    // The chronograph side writes into the CFiles' LogPad: it goes before the CFile windows.
    delete chronoDesk(*this);
}

QMenu *FrmMdi::menuNamed(const QString &objectName) const { return findChild<QMenu *>(objectName); }

QLabel *FrmMdi::statusPanel(int index) const { return m_panels.value(index); }

void FrmMdi::buildMenus()
{
    auto *file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    QAction *exit = file->addAction(QStringLiteral("E&xit"), this, &FrmMdi::closeByProgram);
    exit->setObjectName(QStringLiteral("mnuFileExit"));

    auto *edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("mnuEdit"));

    auto *view = menuBar()->addMenu(QStringLiteral("&View"));
    view->setObjectName(QStringLiteral("mnuView"));
    const auto addToggle = [this, view](const char *name, const QString &text, const SettingKey &key, QWidget *part) {
        QAction *a = view->addAction(text);
        a->setObjectName(QString::fromLatin1(name));
        a->setCheckable(true);
        connect(a, &QAction::toggled, this, [this, &key, part](bool on) { toggleLayout(key, part, on); });
        return a;
    };
    addToggle("mnuViewToolbar", QStringLiteral("&Toolbar"), keys::frmMDI::StandardToolbar, m_tbrStandard);
    addToggle("mnuViewFormatBar", QStringLiteral("&Format Bar"), keys::frmMDI::FormatToolbar, m_tbrFormat);
    addToggle("mnuViewRuler", QStringLiteral("&Ruler"), keys::frmMDI::Ruler, m_ruler);
    addToggle("mnuViewStatusBar", QStringLiteral("&Status Bar"), keys::frmMDI::StatusBar, statusBar());

    auto *window = menuBar()->addMenu(QStringLiteral("&Window"));
    window->setObjectName(QStringLiteral("mnuWindow"));
    window->addAction(QStringLiteral("&Cascade"), m_mdi, &QMdiArea::cascadeSubWindows)
        ->setObjectName(QStringLiteral("mnuWindowCascade"));
    window->addAction(QStringLiteral("&Tile"), m_mdi, &QMdiArea::tileSubWindows)
        ->setObjectName(QStringLiteral("mnuWindowTile"));
    listSubWindowsIn(window, m_mdi);

    m_mnuDebug = buildDebugMenu();

    auto *help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    addHelpCommands(*this, help, m_ctx);
    help->addAction(QStringLiteral("&About Zentrix..."), this, [this] {
          m_ctx.prompter->inform(QStringLiteral("Zentrix") + QStringLiteral("\r\nVersion ")
                                 + QCoreApplication::applicationVersion());
      })->setObjectName(QStringLiteral("mnuHelpAbout"));
    updateDebugMenu();
}

QMenu *FrmMdi::buildDebugMenu()
{
    auto *dbg = menuBar()->addMenu(QStringLiteral("&Debug"));
    dbg->setObjectName(QStringLiteral("mnuDebug"));
    const auto add = [this](QMenu *menu, DebugCommand c, const QString &text, bool checkable) {
        QAction *a = menu->addAction(text);
        a->setObjectName(debugCommandName(c));
        a->setCheckable(checkable);
        connect(a, &QAction::triggered, this, [this, c] {
            const bool refresh = runDebugCommand(m_ctx, c);
            updateDebugMenu();
            if (refresh)
                refreshModeStatus();
        });
    };
    add(dbg, DebugCommand::SftDbg, QStringLiteral("Soft&Debug"), true);
    add(dbg, DebugCommand::SftHid, QStringLiteral("&Hide Debug Menu"), false);
    add(dbg, DebugCommand::SftShp, QStringLiteral("Shi&p Mode"), true);
    add(dbg, DebugCommand::SftTst, QStringLiteral("Soft&Test"), true);
    QMenu *lev = dbg->addMenu(debugLevelCaption(m_ctx));
    lev->setObjectName(QStringLiteral("mnuDbgLev"));
    add(lev, DebugCommand::MaxLev, QStringLiteral("Max-4"), true);
    add(lev, DebugCommand::MinLev, QStringLiteral("Min-0"), true);
    add(lev, DebugCommand::IncLev, QStringLiteral("Level Up"), false);
    add(lev, DebugCommand::DecLev, QStringLiteral("Level Down"), false);
    dbg->addSeparator();
    add(dbg, DebugCommand::GetReg, QStringLiteral("&Get Registry"), true);
    add(dbg, DebugCommand::SavReg, QStringLiteral("&Save Registry"), true);
    add(dbg, DebugCommand::ZapReg, QStringLiteral("&Clear Registry at Exit"), true);
    add(dbg, DebugCommand::ZapRegNow, QStringLiteral("Clear Registry &Now"), false);
    return dbg;
}

void FrmMdi::updateDebugMenu()
{
    if (!m_mnuDebug)
        return;
    m_mnuDebug->menuAction()->setVisible(m_ctx.soft.softDebugSee);
    for (QAction *a : m_mnuDebug->findChildren<QAction *>()) {
        for (int i = 0; i <= static_cast<int>(DebugCommand::ZapRegNow); ++i) {
            const auto c = static_cast<DebugCommand>(i);
            if (a->objectName() == debugCommandName(c) && a->isCheckable())
                a->setChecked(debugCommandChecked(m_ctx, c));
        }
    }
    if (QMenu *lev = m_mnuDebug->findChild<QMenu *>(QStringLiteral("mnuDbgLev")))
        lev->setTitle(debugLevelCaption(m_ctx));
}

void FrmMdi::buildToolbars()
{
    m_tbrStandard = addToolBar(QStringLiteral("Standard"));
    m_tbrStandard->setObjectName(QStringLiteral("tbrStandard"));
    addToolBarBreak();   // each toolbar on its own row: the main window is narrow by default
    m_tbrFormat = addToolBar(QStringLiteral("Format"));
    m_tbrFormat->setObjectName(QStringLiteral("tbrFormat"));
    m_tools = fillMainToolbars(m_tbrStandard, m_tbrFormat);
    addToolBarBreak();
    // The ruler sits under the toolbars; its marks belong to the editing windows.
    auto *rulerBar = addToolBar(QStringLiteral("Ruler"));
    rulerBar->setObjectName(QStringLiteral("tbrRuler"));
    rulerBar->setMovable(false);
    m_ruler = rulerBar;
}

void FrmMdi::buildStatusBar()
{
    statusBar()->setObjectName(QStringLiteral("sbrStatusBar"));
    const char *names[] = {"sbrPanelMsg", "sbrPanelSens", "sbrPanelDate", "sbrPanelTime"};
    for (const char *n : names) {
        auto *l = new QLabel(this);
        l->setObjectName(QString::fromLatin1(n));
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        m_panels << l;
    }
    statusBar()->addWidget(m_panels[0], 1);
    for (int i = 1; i < m_panels.size(); ++i)
        statusBar()->addPermanentWidget(m_panels[i]);
    m_panels[1]->setText(QStringLiteral("Sensitivity ???"));
    auto *clock = new QTimer(this);
    const auto tick = [this] {
        const QDateTime now = QDateTime::currentDateTime();
        m_panels[2]->setText(QLocale().toString(now.date(), QLocale::ShortFormat));
        m_panels[3]->setText(QLocale().toString(now.time(), QLocale::ShortFormat));
    };
    connect(clock, &QTimer::timeout, this, tick);
    tick();
    clock->start(1000);
}

void FrmMdi::loadSettings()
{
    readStartSettings(m_ctx);
    QList<QRect> screens;   // the primary screen first
    if (const QScreen *primary = QGuiApplication::primaryScreen())
        screens.append(primary->availableGeometry());
    for (const QScreen *s : QGuiApplication::screens())
        if (s != QGuiApplication::primaryScreen())
            screens.append(s->availableGeometry());
    if (screens.isEmpty())
        screens.append(QRect(0, 0, 800, 600));
    m_firstRun = !m_ctx.store.contains(m_ctx.instanceName(), keys::frmMDI::SizWinX);
    const PixelGeometry g = restoreMainGeometry(m_ctx, screens, twipsPerPixel(this));
    resize(g.size);
    move(g.pos);
    updateDebugMenu();
}

void FrmMdi::fitToolbarsOnFirstRun()
{
    if (!m_firstRun)
        return;
    // Each toolbar has a row of its own: the widest one, with the window's margins, is the need.
    const QMargins margins = contentsMargins();
    const int need = std::max(m_tbrStandard->sizeHint().width(), m_tbrFormat->sizeHint().width()) + margins.left()
                     + margins.right();
    // Fitted with the window frame, which must stay on the screen too.
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QRect framed = frameGeometry();
    const int frameWidth = framed.width() - width();
    const QRect r = widenForToolbars(framed, need + frameWidth,
                                     screen ? screen->availableGeometry() : QRect(0, 0, 800, 600));
    resize(r.width() - frameWidth, height());
    move(r.topLeft());
}

void FrmMdi::applyLayout(const LayoutSettings &layout)
{
    const auto set = [this](const char *name, bool on) {
        if (QAction *a = findChild<QAction *>(QString::fromLatin1(name))) {
            const QSignalBlocker block(a);   // applying stored values does not write them back
            a->setChecked(on);
        }
    };
    set("mnuViewToolbar", layout.standardToolbar);
    set("mnuViewFormatBar", layout.formatToolbar);
    set("mnuViewRuler", layout.ruler);
    set("mnuViewStatusBar", layout.statusBar);
    m_tbrStandard->setVisible(layout.standardToolbar);
    m_tbrFormat->setVisible(layout.formatToolbar);
    m_ruler->setVisible(layout.ruler);
    statusBar()->setVisible(layout.statusBar);
    m_viewMode = layout.viewMode;
}

void FrmMdi::toggleLayout(const SettingKey &key, QWidget *part, bool on)
{
    part->setVisible(on);
    m_ctx.store.writeBool(m_ctx.instanceName(), key, on);
}

QString FrmMdi::defaultCaption() const
{
    const QString port = m_ctx.store.read(m_ctx.instanceName(), keys::frmComSet::CommPort);
    return m_ctx.instanceName() + QStringLiteral(" {COM") + port + QStringLiteral("=OFF}") + QStringLiteral(" {Edit}");
}

void FrmMdi::refreshModeStatus()
{
    if (m_refresh) {
        m_refresh();
        return;
    }
    setWindowTitle(defaultCaption());
    updateDebugMenu();
}

void FrmMdi::closeByProgram()
{
    m_programClose = true;
    close();
    m_programClose = false;
}

void FrmMdi::closeEvent(QCloseEvent *event)
{
    if (m_shutdownDone) {
        event->accept();
        return;
    }
    if (!queryClose(!m_programClose && event->spontaneous())) {
        event->ignore();
        return;
    }
    runShutdownSequence();
    event->accept();
}

bool FrmMdi::queryClose(bool fromCloseBox)
{
    // Ending on the system's request asks nothing: the CFiles keep their recovery journals.
    if (terminationRequested())
        return true;
    // The close box asks first (a close by the program or from File/Exit does not).
    if (fromCloseBox && !confirmQuit(m_ctx))
        return false;
    for (const auto &query : m_closeQueries)
        if (!query())
            return false;
    return !m_queryClose || m_queryClose();
}

void FrmMdi::runShutdownSequence()
{
    if (isMinimized())
        showNormal();
    const QRect normal = normalGeometry().isValid() ? normalGeometry() : geometry();
    PixelGeometry g;
    g.pos = (isMaximized() || isFullScreen()) ? normal.topLeft() : pos();
    g.size = (isMaximized() || isFullScreen()) ? normal.size() : size();
    ShutdownHooks hooks = m_hooks;
    hooks.closeOtherWindows = [this, other = m_hooks.closeOtherWindows] {
        if (other)
            other();
        // Closing a changed CFile asks about it; on the system's request they go with this window.
        if (!terminationRequested())
            m_mdi->closeAllSubWindows();
    };
    runShutdown(m_ctx, g, twipsPerPixel(this), hooks);
    m_shutdownDone = true;
}

} // namespace zx
