#pragma once
// frmSensors, titled by its frame "Sensors": sensors on/off and the sensor level only, with
// a busy frame while it talks to the chronograph. A view of SensorsDialog; shown modally.
#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QFrame;
class QLineEdit;
class QTimer;

namespace zx {

class SensorsDialog;

class FrmSensors : public QDialog {
    Q_OBJECT
public:
    explicit FrmSensors(SensorsDialog &logic, QWidget *parent = nullptr);
    ~FrmSensors() override;

    // Opening: the sensors flag and the level from the chronograph state.
    void openDialog();

protected:
    void closeEvent(QCloseEvent *e) override;
    void done(int r) override;

private:
    void render();
    void busy(bool on);

    SensorsDialog &m_logic;
    QWidget *m_settings = nullptr;
    QFrame *m_busy = nullptr;
    QButtonGroup *m_onOff = nullptr;
    QLineEdit *m_level = nullptr;
    QTimer *m_autoQuit = nullptr;
};

} // namespace zx
