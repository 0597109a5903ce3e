#pragma once
// The chronograph link: the link port MSComm1 and the probe port MSComm2 with their receive
// paths, buffers, flags and pacing timers, the command transactions (croTransact and what is
// built on it: connect, probe, menu navigation) and the chronograph state they update.
// One object per running program; tests build a fresh one. Everything runs on the GUI thread:
// waits pump events until a timer's expired mark or an expected answer ends them.
#include "link/cro_state.h"
#include "link/cro_txn.h"
#include "link/link_hooks.h"
#include "link/text_buffers.h"
#include "platform/one_shot_timer.h"
#include "platform/serial_port.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QStringList>

#include <array>

namespace zx {

class LogPadSink;
class Prompter;
class SettingsStore;

// Passes of the event loop taken without waiting once a time-out is due: one to read what the
// port holds, one more for an answer that a peer in the same process is writing.
inline constexpr int kLastLooks = 2;

// Per-window counters of the terminal (reset by termInit).
struct TermCounters {
    qint32 rxChars = 0, rxLines = 0, rxErrors = 0, rxEvents = 0;
    qint32 txChars = 0, txLines = 0, txMsgs = 0, txErrors = 0;
};

// The answer classes of croTransact.
enum class CroClass { MemoryA, MemoryB, DataStats, SignOn, Status, Menu, Prompt, PowerOff, Calibrate,
                      Enter, Move, Delete, Escape };

class LinkSession : public QObject {
    Q_OBJECT
public:
    static constexpr int kRxSlots = 101;      // sRxLine slots 0..100
    static constexpr int kExcSlots = 16;      // sExcLine slots 0..15
    static constexpr int kRxLineCap = 4096;   // a line longer than this keeps its first 4096 characters
    static constexpr int kCroRspLimit = 800;  // sCroRsp: over 800, drop 79
    static constexpr int kCroRspCap = 8192;   // hard bound when every chunk outgrows one trim
    static constexpr const char *kDefaultSettings = "4800,n,8,1";

    LinkSession(Prompter *prompter, SettingsStore *store, const QString &appName, int appNumber,
                LogPadSink *logPad, QObject *parent = nullptr);
    ~LinkSession() override;

    // --- collaborators ---
    Prompter *prompter() const { return m_prompter; }
    void setPrompter(Prompter *p) { m_prompter = p; }
    SettingsStore *settingsStore() const { return m_store; }
    QString appName() const { return m_appName; }
    int appNumber() const { return m_appNumber; }
    LogPadSink *logPad() const { return m_logPad; }
    void setLogPad(LogPadSink *sink) { m_logPad = sink; }
    LinkHooks hooks;
    bool bShowWarn = true;     // system warnings on (iNotes option)

    // The banner marker of the sign-on answer: the maker's web-domain text.
    static QString bannerMarker();
    static void setBannerMarker(const QString &marker);

    // --- ports and timers ---
    SerialPort MSComm1;        // link port
    // The link port as messages name it: "COMn", or the device path a script gave
    // (zentrix-cli --port /dev/ttyUSB0), so a failure names the port the user typed.
    QString portLabel() const;
    void setPortLabel(const QString &label) { m_portLabel = label; }
    SerialPort MSComm2;        // probe port
    OneShotTimer tmrCrxShrt{100, QStringLiteral("tmrCrxShrt")};
    OneShotTimer tmrCrxLng{2000, QStringLiteral("tmrCrxLng")};
    OneShotTimer tmrCrxHed{500, QStringLiteral("tmrCrxHed")};
    OneShotTimer tmrGPeriod{250, QStringLiteral("tmrGPeriod")};
    OneShotTimer tmrCom2Sho{300, QStringLiteral("tmrCom2Sho")};
    OneShotTimer tmrCom2Lng{10000, QStringLiteral("tmrCom2Lng")};
    OneShotTimer tmrExcEnd{250, QStringLiteral("tmrExcEnd")};
    OneShotTimer tmrExcRtc{100, QStringLiteral("tmrExcRtc")};

    // --- link state ---
    bool bPortOpen = false;
    qint16 iPortNum = 0;
    QString sCroRsp;
    bool bCroRspOn = false;
    QString sCroHedMark;
    qint16 iCroTicks = 0;
    std::array<QString, kRxSlots> sRxLine;
    qint16 iRxLine = 0, iRxLineCnt = 0, iRxLineWrap = 0;
    std::array<bool, 3> bRxTo{};   // 0 terminal, 1 active CFile (capture switch), 2 Excel
    bool bRemPrgrsView = false, bPrgrsStep = false, bKeyPadOn = false, bExcCapture = false;
    std::array<QString, kExcSlots> sExcLine;
    qint16 iExcPut = 0, iExcGet = 0, iExcPend = 0, iExcOver = 0, iExcLines = 0, iExcEndCnt = 0;
    QString sExcCur;
    // While set, every completed line is also appended here: a memory listing for the workbook
    // export is longer than the terminal text keeps.
    QStringList *listingLines = nullptr;
    qint16 iLogFile = 0;
    bool bLogRun = false;
    QString sCom2Rsp;
    bool bCom2Busy = false;
    qint16 iCom2Len = 0, iCom2Lfs = 0;
    bool bCom2Detect = false, bCom2ToCFile = false;
    bool bPrt1Was = false, bPrt2Was = false;
    qint16 iPrt1Was = 0, iPrt2Was = 0, iPrt2Err = 0;

    TermCounters counters;
    QDateTime clkStart, clkNow;          // connect-time clocks
    qint64 clkElapsedMs = 0;

    TerminalBuffer txtTerm;              // the terminal text (flag 0 of bRxTo)
    TrimmedText remPrgrs{4000, 99, 16000}; // remote control panel progress text

    CroState cro;                        // the chronograph state
    CroTxn croTxn;                       // the transaction record

    // --- link port (frmTerminal) ---
    void subOpenPort();
    void subClosePort();
    void modExitPort(bool &aborted);
    void extTerminal();
    void lodTerminal();
    void setPrtDef();
    void savPrtDef();
    void seeComErr(int errNo);
    int findTwin() const;
    void termInit();
    void startConnClock();
    void stopConnClock();
    // The receive routine; the terminal box is txtTerm.
    void termRx(const QString &s);
    // Communication events of the two ports.
    void linkPortEvent(int event);
    void probePortEvent(int event);
    // tmrExcRtc tick: hand waiting capture lines to the Excel export.
    void excDrain();
    static QString eventText(int event);

    // --- a lost device (cable pulled, the far end of a pseudo-terminal closed) ---
    static constexpr int kReconnectPollMs = 1000;
    bool bLinkLost = false;        // the link port's device went away and has not come back
    bool bAutoReconnect = true;    // reopen the port when that device comes back (AutoReconnect)
    // The lost-device event: the port is closed, the capture switch remembered and cleared,
    // a remark written and, with bAutoReconnect, the device's path watched.
    void linkLost();
    // One look for the lost device; reopens the port (and capture) when it is back.
    void reconnectPoll();
    bool reconnectWatching() const { return m_reconnectPoll.isActive(); }

    // Send one key code (mode 1: code AND 191) at once, no wait, no guard. The key may move
    // the chronograph anywhere: croTxn.menuPos is forgotten.
    void croSendKey(int code, int mode);

    // --- probe port ---
    void getPrtState();
    int com2Open(int port);
    void com2Close();
    void com2Arm(int shortMs, int longMs);
    void com2Disarm();
    void com2Guard(int ms);
    int com2Transact(const QString &cmd, int shortMs);

    // --- transactions ---
    static CroClass classify(bool isKey, const QString &request);
    void croTransact(bool isKey, const QString &request, int expect, int shortMs);
    bool croReopenPort();
    bool croConnect();
    int croProbe();
    void croUserAbort();

    // --- exchanges that read one answer ---
    // Esc, "D" unless the chronograph already shows "DAT>", then "W": the memory position.
    // True when the answer's "Att=" block confirms all four values; nothing is read when a
    // transaction failed or the answer holds no "Fol=".
    bool readMemPos(double &folder, double &string, double &shot, qint16 &size);
    // Esc, then "Z": true (and bCroSensorsOn cleared) when the answer reports "Sens=OFF";
    // otherwise bCroStatusOk is cleared.
    bool sensorsOff();

    // --- menu navigation ---
    bool menuParsePos(int &item, int &sub) const;
    bool menuGoTo(int menu, int item, int sub);
    QString menuRead(int menu);
    QString menuStep(int menu, bool turnOn);
    bool setMenuItem(int menu, int item, int sub, bool turnOn);
    // The last answer ended in the menu and at the entry of position code pos (100 x menu +
    // 10 x item + sub-item).
    bool menuShows(int pos) const;
    // The value (or label, or memory page text) the last menu answer showed; "" without one.
    QString menuValue() const;

    // Pump events once; block for the next event unless `block` is false.
    static void pump(bool block = true);

private:
    void portOpened();        // the common end of a successful open of the link port
    void forgetLinkLost();    // the port was opened again by other means
    void crxArm(int shortMs, int longMs);
    void crxArmHed(int ms, const QString &mark);
    void crxDisarm();
    void crxGuard(int ms);
    void periodArm();
    void periodTick();
    void waitTimer(OneShotTimer &t);
    void parseStatusAnswer(const QString &text);
    void logPad(const QString &text, int nBefore, int nAfter, int kind);
    void probeMsg(const QString &text);
    bool appendCapped(QString &slot, QStringView part);

    Prompter *m_prompter;
    SettingsStore *m_store;
    QString m_appName;
    int m_appNumber;
    LogPadSink *m_logPad;
    QTimer m_reconnectPoll;
    bool m_captureBeforeLoss = false;
    int m_lostCom = 0;
    QString m_lostPath;
    QString m_portLabel;
};

} // namespace zx
