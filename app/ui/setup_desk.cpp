#include "app/ui/setup_desk.h"

#include "app/ui/chrono_desk.h"
#include "app/ui/frm_mdi.h"
#include "cfile/capture_ops.h"
#include "cfile/capture_stack.h"
#include "cfile/chrono_stack.h"
#include "link/chrono_ops.h"
#include "setup/cro_setup.h"
#include "setup/sensors_dialog.h"
#include "setup/ui/frm_cro_setup.h"
#include "setup/ui/frm_leds_sep.h"
#include "setup/ui/frm_sensors.h"

namespace zx {

SetupDesk::SetupDesk(FrmMdi &mdi, ChronoDesk &desk)
    : QObject(&desk), m_mdi(mdi), m_desk(desk),
      m_setup(std::make_unique<CroSetup>(desk.ops(), *mdi.context().prompter)),
      m_sensors(std::make_unique<SensorsDialog>(desk.ops(), *mdi.context().prompter))
{
    setObjectName(QStringLiteral("setupDesk"));
    // The panel stays open after the command that opened it: each of its operations
    // takes the task guard itself. The sensors dialog is modal and runs under its opener's.
    m_setup->guard = [&ops = desk.ops()](const std::function<void()> &op) { return ops.guarded(op); };
    m_sensors->refresh = [&mdi] { mdi.refreshModeStatus(); };
    LogPadOpsHost::Hooks &h = desk.chronoStack().host.hooks;
    h.openSetupPanel = [this] { openSetupPanel(); };
    h.openSensorsDialog = [this] { openSensorsDialog(); };
    h.openControlDialog = [this] { openControlDialog(); };
    // At exit the panel goes without its close question.
    mdi.shutdownHooks().supportClosing.push_back([this] {
        if (m_window)
            m_window->hide();
    });
}

SetupDesk::~SetupDesk()
{
    delete m_window.data();   // it refers to the panel's logic
}

FrmCroSetup *SetupDesk::setupWindow() const { return m_window; }

void SetupDesk::openSetupPanel()
{
    if (!m_window) {
        m_window = new FrmCroSetup(*m_setup, *m_mdi.context().prompter, &m_mdi);
        m_window->setAttribute(Qt::WA_DeleteOnClose);
        m_window->onClosed = [this] {
            if (m_mdi.isMinimized())
                m_mdi.showNormal();
        };
        m_window->adjustSize();
        m_window->move(m_mdi.geometry().center() - m_window->rect().center());
    }
    m_window->openPanel();
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

void SetupDesk::openSensorsDialog()
{
    FrmSensors dialog(*m_sensors, &m_mdi);
    dialog.openDialog();
    dialog.exec();
}

void SetupDesk::openControlDialog()
{
    AppContext &ctx = m_mdi.context();
    FrmLedsSep::Hooks hooks;
    hooks.editMode = [&ctx] { return ctx.soft.softEdit; };
    hooks.setEditMode = [&ctx](bool on) { ctx.soft.softEdit = on; };
    hooks.refresh = [this] { m_mdi.refreshModeStatus(); };
    FrmLedsSep dialog(hooks, &m_mdi);
    dialog.exec();
    CaptureOps &cap = m_desk.captureStack().capture;
    switch (dialog.chosenKey()) {
    case 0: cap.croStartShoot(); break;
    case 1: cap.croStopShoot(); break;
    case 2: cap.croRemoteOnly(); break;
    default: return;
    }
    m_mdi.refreshModeStatus();
}

} // namespace zx
