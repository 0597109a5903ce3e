#pragma once
// The main window: an MDI area for the CFile windows, the menus, the toolbars and the status
// bar. Logic lives in zx_app; this window applies it and forwards its commands.
#include "app/app_context.h"
#include "app/debug_commands.h"
#include "app/shutdown.h"
#include "app/soft_settings.h"
#include "app/ui/main_toolbars.h"

#include <QMainWindow>

#include <functional>

class QLabel;
class QMdiArea;
class QMenu;
class QToolBar;

namespace zx {

class FrmMdi : public QMainWindow {
    Q_OBJECT
public:
    explicit FrmMdi(AppContext &ctx, QWidget *parent = nullptr);
    ~FrmMdi() override;

    AppContext &context() { return m_ctx; }
    QMdiArea *mdiArea() const { return m_mdi; }
    QMenu *menuNamed(const QString &objectName) const;
    QToolBar *standardToolbar() const { return m_tbrStandard; }
    QToolBar *formatToolbar() const { return m_tbrFormat; }
    const MainToolbars &toolbars() const { return m_tools; }
    QLabel *statusPanel(int index) const;   // 0 message, 1 sensitivity, 2 date, 3 time

    // Start: keys of the main window, then its place and size (fitted to the screen).
    void loadSettings();
    // On a first run (no stored size), once shown with every button: wide enough for the toolbars.
    void fitToolbarsOnFirstRun();
    // Splash step: toolbars, ruler, status bar shown as stored; the view mode kept for CFiles.
    void applyLayout(const LayoutSettings &layout);
    int viewMode() const { return m_viewMode; }

    // The mode and status refresh. Until the full refresh is installed, the caption and the
    // Debug menu's marks are brought up to date here.
    void setModeStatusRefresh(std::function<void()> refresh) { m_refresh = std::move(refresh); }
    void refreshModeStatus();
    void updateDebugMenu();
    QString defaultCaption() const;

    // Closing steps of other windows, run in their place of the shutdown.
    ShutdownHooks &shutdownHooks() { return m_hooks; }
    // Asked after the quit confirmation: every CFile with unsaved changes asks to save;
    // false (Cancel in any) stops the exit.
    void setQueryCloseDocuments(std::function<bool()> query) { m_queryClose = std::move(query); }
    // Questions of other windows about their unsaved changes (the iNotes), asked before the
    // CFiles' so that a Cancel leaves everything open; false stops the exit.
    void addCloseQuery(std::function<bool()> query) { m_closeQueries.push_back(std::move(query)); }

    // A close by the program or the File menu's Exit: no confirmation.
    void closeByProgram();
    // Whether a close may go on: the quit question (close box only), then the other windows'
    // and the CFiles' own questions about unsaved changes.
    bool queryClose(bool fromCloseBox);
    bool shutdownDone() const { return m_shutdownDone; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildMenus();
    void buildToolbars();
    void buildStatusBar();
    QMenu *buildDebugMenu();
    void toggleLayout(const SettingKey &key, QWidget *part, bool on);
    void runShutdownSequence();

    AppContext &m_ctx;
    QMdiArea *m_mdi = nullptr;
    QToolBar *m_tbrStandard = nullptr;
    QToolBar *m_tbrFormat = nullptr;
    MainToolbars m_tools;
    QWidget *m_ruler = nullptr;
    QMenu *m_mnuDebug = nullptr;
    QList<QLabel *> m_panels;
    int m_viewMode = 0;
    bool m_firstRun = false;   // no stored size when the settings were read
    bool m_programClose = false;
    bool m_shutdownDone = false;
    std::function<void()> m_refresh;
    std::function<bool()> m_queryClose;
    std::vector<std::function<bool()>> m_closeQueries;
    ShutdownHooks m_hooks;
};

// 1440 / the screen's logical dpi (15 at 96 dpi).
double twipsPerPixel(const QWidget *w);

} // namespace zx
