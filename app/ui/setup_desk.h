#pragma once
// The main window's side of the chronograph setup windows: the setup panel (frmCroSetup,
// one at a time, not modal), the sensors dialog (frmSensors) and the chronograph control
// dialog (frmLedsSEP), opened by the chronograph operations' openChronoPanel and
// chronoCommand(0). Owned by the chronograph desk.
#include <QObject>
#include <QPointer>
#include <memory>

namespace zx {

class ChronoDesk;
class CroSetup;
class FrmCroSetup;
class FrmMdi;
class SensorsDialog;

class SetupDesk : public QObject {
    Q_OBJECT
public:
    // Binds the operations' panel hooks to the windows here.
    SetupDesk(FrmMdi &mdi, ChronoDesk &desk);
    ~SetupDesk() override;

    void openSetupPanel();
    void openSensorsDialog();
    void openControlDialog();
    FrmCroSetup *setupWindow() const;
    CroSetup &setup() { return *m_setup; }

private:
    FrmMdi &m_mdi;
    ChronoDesk &m_desk;
    std::unique_ptr<CroSetup> m_setup;
    std::unique_ptr<SensorsDialog> m_sensors;
    QPointer<FrmCroSetup> m_window;
};

} // namespace zx
