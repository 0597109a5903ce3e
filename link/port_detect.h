#pragma once
// Port properties and chronograph detection, without widgets: the progress log,
// the port scan over COM1 to COM16 on the probe port, the RV5 detection, the
// port test, choosing a chronograph from the list and applying and saving the
// settings. The properties window (link/ui) shows this state and forwards its
// controls here; zentrix-cli and the start-up selection use it directly.
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

namespace zx {

class LinkSession;
class Prompter;

// The values of the window's setting controls.
struct PortForm {
    int comIndex = 0;                         // cboPort: COM1 is 0
    QString baud = QStringLiteral("4800");    // cboSpeed
    QString parity = QStringLiteral("None");  // cboParity
    QString dataBits = QStringLiteral("8");   // cboDataBits
    QString stopBits = QStringLiteral("1");   // cboStopBits
    int flow = 0;                             // optFlow: the handshaking number
    int echo = 0;                             // optEcho: 0 the first option (echo off)
    int device = 0;                           // cboDevice
    bool autoConnect = true;                  // chkAutoConnect
    bool autoDetect = true;                   // chkAutoDetect
    // txtPortDevice: the device the machine-wide port map binds to the chosen COM number
    // (empty: the port map's automatic choice). Not shown on Windows, where COMn is the device.
    QString portDevice;
};

struct PortRow {
    QString text;
    quint16 item = 0;  // packed COM number, state and third field
};

class PortDetect {
public:
    static constexpr int kMaxCom = 16;
    static QStringList speeds();
    static QStringList parities();
    static QStringList dataBitsList();
    static QStringList stopBitsList();

    PortDetect(LinkSession &link, Prompter &prompter);
    ~PortDetect();

    // --- progress log (txtSetPrg) ---
    void prtLog(const QString &text, int code = 0, int count = 1);
    const QString &log() const { return m_log; }
    std::function<void()> logChanged;
    // The progress log wants to be shown (scan, detection, test).
    std::function<void()> showLog;
    // The window's setting controls: locked (false) during a detection, unlocked after.
    std::function<void(bool)> controlsEnabled;

    // --- port list (lstCom2Cro) and current chronograph (lstCurCro) ---
    const QList<PortRow> &rows() const { return m_rows; }
    const QStringList &currentCro() const { return m_curCro; }
    std::function<void()> listChanged;
    void prtScan();
    // Line 0 of lstCurCro from the link port as it is now (no probing): its row while it is
    // open, tagged as the last detection found it, else " Connection = Off -------->".
    void showConnection();
    void croDetect();
    void cmdDetect();
    void cmdTest();
    // Detection counters of the last detection.
    int rv5Found() const { return m_rv5Found; }
    int noPromptFound() const { return m_noPrompt; }

    // --- settings ---
    LinkSession &link() { return m_link; }
    PortForm &form() { return m_form; }
    // Fills the form from the link port's settings and the stored switches.
    void loadForm(bool autoConnect, bool autoDetect, int device, bool echo);
    bool dirty() const { return m_dirty; }
    void setDirty(bool d);
    std::function<void(bool)> dirtyChanged;
    // Applied to the program-wide copies: the start-up switches, the device, the echo.
    std::function<void(const PortForm &)> applyProgramWide;
    // The main window's command state and mode text.
    std::function<void()> refreshMain;
    // Select a row: returns true when the row was taken (applied and saved).
    bool chooseRow(int index);
    void SetApply();
    void cmdDefault();
    // The close question with unsaved changes; returns after saving or discarding.
    void queryClose();

    // --- start-up selection ---
    // The first free chronograph for the device: an RV5 found by detection
    // (device 0), or a free port for another device. True when one was taken.
    bool selectFirstFree(int device);

private:
    void emitList();
    int probePort(int com);

    LinkSession &m_link;
    Prompter &m_prompter;
    QString m_log;
    QList<PortRow> m_rows;
    QStringList m_curCro;
    int m_rv5Found = 0;
    int m_noPrompt = 0;
    PortForm m_form;
    bool m_dirty = false;
};

} // namespace zx
