#pragma once
// What the remote control panel does, without its widgets: the pages with their user levels,
// the chronograph keys and mode buttons (each inside the one-chronograph-task guard), the
// command lists, the three link targets with the unlink question, the connection check, the
// panel's message line and progress log, and the cycle timer. The window (remote/ui) shows
// this state and forwards its controls here; tests drive it the same way.
#include "remote/command_file.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <array>
#include <functional>

namespace zx {

class CroTask;
class LinkSession;
class Prompter;

// One key of the panel: what it sends and the words of its failure report.
struct PanelKey {
    QString letter;   // sent by croTransact
    bool asKey;       // true: as the key (letter AND 191), false: the plain character
    QString action;   // "Increment", "Decrement", "Change", "Retrieve", "Delete", "Undelete"
    QString item;     // "Shot", "String", "Folder", "Data-Type", "Units", "Status"
};

class RemoteControl : public QObject {
    Q_OBJECT
public:
    enum Page { System = 0, Macros = 1, Hardware = 2, Download = 3, Export = 4 };
    static constexpr int kPages = 5;
    // What a page operation needs linked (the connection check).
    enum class Need { CFile, Buffer, Progress };

    // The windows around the panel, as callbacks; each may be left empty.
    struct Hooks {
        std::function<bool()> mainMinimized;
        std::function<void()> restoreMain;
        std::function<void()> refresh;                  // mode and status refresh
        std::function<void(bool)> excelLink;            // open (true) or close the Excel live link
        std::function<bool()> excelLinked;              // the Excel live link's real state
        std::function<void()> startShoot, stopShoot, remoteOnly, calibrate;
        std::function<void()> testLink, statusReport;   // the System page's chronograph buttons
        std::function<void()> progressStep;             // one step of the progress animation
    } hooks;

    RemoteControl(LinkSession &link, CroTask &task, Prompter &prompter, QObject *parent = nullptr);

    // --- keys (the window's key buttons) ---
    static const PanelKey kUp, kDown, kLeft, kRight;
    static const std::array<PanelKey, 2> kPgUpDw, kType;
    static const std::array<PanelKey, 3> kDelete, kUnDelete;
    static constexpr int kEraseSilenceMs = 1900;
    static const std::array<QString, 3> kModeNames;   // "Data", "Stats", "Menu"

    // Device check (a chronograph without remote keys is told so): false stops the key.
    bool deviceCheck();
    // Device and link check before a key: false stops the key.
    bool remoteCheck();
    // Arrow, page, type, delete and undelete keys: check, guard, transaction, report.
    void keyPress(const PanelKey &key);
    // One key inside the guard, for the keypad: the device check only, no link check and no
    // report (the keypad's LCD shows the answer). False when the device has no remote keys or
    // another chronograph task held the guard.
    bool sendKey(const PanelKey &key);
    // Esc: the byte 27 at once, no answer awaited.
    void keyEsc();
    // cmdDelete / cmdUnDelete: the shot (0), string (1) or folder (2) under the cursor.
    void memoryKey(bool undelete, int index);
    // Start, Stop, Calibrate keys.
    void keyStart();
    void keyStop();
    void keyCalibrate();
    // Mode buttons 0 "Data", 1 "Stats", 2 "Menu". The mode shown (-1 none yet).
    void croMode(int index);
    int shownMode() const { return m_mode; }
    // Result report after a transaction (reportMode 1 adds "cLinkErr = " + result).
    void reportResult(const QString &action, const QString &item);
    int reportMode = 0;

    // --- command lists ---
    CommandFile commands;
    // Reads the command file; a bad line is reported with the file name.
    void loadCommands(const QString &path);
    void listClick(int code);

    // --- link targets (chkHwrLnkTo 0 "iLoger", 1 "CFile", 2 "Excel") ---
    static QString linkName(int index);
    // Sets flag index of bRxTo; unlinking while the sensors are on asks first. Returns the
    // flag's state afterwards.
    bool setLink(int index, bool on);
    bool linked(int index) const;

    // Asks to make a missing connection; true when it is (now) there.
    bool connectionCheck(Need need);

    // --- pages and user levels ---
    static QString pageTitle(int page);
    int page() const { return m_page; }
    void setPage(int page);
    int userLevel(int page) const { return m_level.at(size_t(page)); }
    int maxUserLevel(int page) const { return m_maxLevel.at(size_t(page)); }
    void setMaxUserLevel(int page, int max) { m_maxLevel.at(size_t(page)) = max; }
    bool expanded(int page) const { return m_expanded.at(size_t(page)); }
    void setExpanded(int page, bool on) { m_expanded.at(size_t(page)) = on; }
    // cmdUserLev: 0 raises, 1 lowers the current page's level, within 0..maximum.
    void cmdUserLev(int index);

    // --- message line and progress log ---
    // A line from the operations (calibration, link test, aborts): the message line shows
    // it and the progress log keeps it.
    void panelMessage(const QString &text);
    QString messageLine() const { return m_line; }
    // cmdSetPrgTab(0): "Clear Progress Log..?" (asked when system warnings are on).
    void clearProgress();
    // The progress view (the yellow arrow): received text echoed into the log.
    bool progressVisible() const { return m_progressVisible; }
    void setProgressVisible(bool on);
    // Everything the chronograph sends echoed into the progress log (bRemPrgrsView); a
    // download switches it off.
    void setEcho(bool on);
    bool echo() const;

    // --- communication log of the panel ---
    static QString defaultLogFile(int appNumber);   // "zentlogs" + n + ".txt"
    QString logFile, logPath;
    bool logOn = false;

    // --- cycle timer (tmrPCycle, 500 ms, off at load; runs while the panel is shown) ---
    // The progress animation is on while a chronograph task holds the guard; each tick then
    // advances the progress step.
    QTimer tmrPCycle;
    bool pCycleExpired = false;
    bool cycleFlag = false;
    bool progressAnimation = false;
    int cycleCount = 7200;
    int progressStep = 0;
    void cycleTick();

Q_SIGNALS:
    void pageChanged(int page);
    void levelChanged(int page, int level);
    void linksChanged();
    void messageChanged(const QString &line);
    void modeChanged(int index);
    void progressVisibleChanged(bool on);
    // Each cycle tick: the progress step, or -1 while the animation is off.
    void progressStepped(int step);

private:
    bool transact(const PanelKey &key);
    void deviceWarning();
    void linkWarning();

    LinkSession &m_link;
    CroTask &m_task;
    Prompter &m_prompter;
    int m_page = Hardware;
    std::array<int, kPages> m_level{};
    std::array<int, kPages> m_maxLevel{{1, 1, 0, 0, 0}};
    std::array<bool, kPages> m_expanded{};
    int m_mode = -1;
    QString m_line;
    bool m_progressVisible = true;
};

} // namespace zx
