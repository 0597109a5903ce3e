#pragma once
// The port properties window frmProperties: the COM port and its line settings,
// the device, echo and flow options, the start-up switches, the port list with
// detection and test, and the progress log. Thin: every action goes to PortDetect.
#include <QDialog>
#include <functional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace zx {

class PortDetect;

class FrmProperties : public QDialog {
    Q_OBJECT
public:
    explicit FrmProperties(PortDetect &detect, QWidget *parent = nullptr);

    // Window load: lists filled, controls showing the link port's settings.
    void loadFromLink(bool autoConnect, bool autoDetect, int device, bool echo);
    // "Chrono-" + port, set by the mode and status refresh.
    void setChronoName(const QString &name);
    void showProgressLog(bool on);
    bool progressLogShown() const;
    // Opens or closes the link port (optConnect).
    std::function<void(bool open)> connectPort;
    // Whether the link port is open, for optConnect's state.
    void setPortOpenShown(bool open);

    PortDetect &detect() { return m_detect; }

protected:
    void closeEvent(QCloseEvent *e) override;

private:
    void buildUi();
    void formToControls();
    void controlsToForm();
    void fillLists();
    void showRows();
    void markDirty();
    void setControlsEnabled(bool on);
    void showPortDevice(int com);

    PortDetect &m_detect;
    bool m_filling = false;
    QComboBox *m_port = nullptr, *m_speed = nullptr, *m_parity = nullptr, *m_dataBits = nullptr,
              *m_stopBits = nullptr, *m_device = nullptr;
    QButtonGroup *m_flow = nullptr, *m_echo = nullptr, *m_connect = nullptr;
    QCheckBox *m_autoConnect = nullptr, *m_autoDetect = nullptr;
    QLineEdit *m_portDevice = nullptr;
    QListWidget *m_list = nullptr, *m_curCro = nullptr;
    QPlainTextEdit *m_log = nullptr;
    QGroupBox *m_fraPLog = nullptr, *m_fraCustSet = nullptr;
    QPushButton *m_save = nullptr, *m_toggleLog = nullptr, *m_detectBtn = nullptr, *m_test = nullptr,
                *m_default = nullptr, *m_close = nullptr;
    QLabel *m_chronoName = nullptr;
};

} // namespace zx
