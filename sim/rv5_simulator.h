#pragma once
// The simulated RV5 chronograph: the other end of the serial line. It consumes the bytes the PC
// sends (receive) and produces the chronograph's output (signal output), with its own state:
// settings, menus, the eDisk of folders/strings/shots, battery, temperature and power. While its
// sensors are on it sends live shot lines on a timer. Everything random comes from the seed, so a
// run with the same seed and the same input produces the same output. docs/protocol.md describes
// every text it sends.
#include "sim/edisk.h"
#include "sim/rv5_menu.h"
#include "sim/rv5_state.h"
#include "sim/tx_pipe.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QRandomGenerator>
#include <QTimer>

#include <functional>
#include <vector>

namespace zx::sim {

// Faults of the answers inside a menu or on the memory page (Rv5Options::menuFault).
enum class MenuFault {
    None,
    LoseKey,     // the key never arrives: the chronograph answers with the entry or page it still shows
    DropAnswer,  // the key acts, its answer is lost on the line
    Garble,      // the key acts, a character of its shown text arrives as junk ("~")
    WrongUnit,   // the cursor moves to the next string (folder on a folder page) as the key
                 // arrives; after it when the key applies the memory page's action
};

struct Rv5Options {
    quint32 seed = 1;
    int prefillShots = 36;        // shots already in memory at power-up (folder 1 onwards)
    bool fillEDisk = false;       // every string of every folder full at power-up instead
    int layout = 0;               // strings x 100 + shots per string (a String Size value); 0 = 1010
    int shotIntervalMs = 4000;    // mean gap between live shots while the sensors are on; 0 = none
    int liveShotLimit = -1;       // stop firing after so many live shots; -1 = no limit
    bool sensorsOn = false;       // start calibrated with the sensors on
    bool paced = false;           // 4800-baud character pacing
    int calibrationStepMs = 700;  // gap between the calibration's progress lines
    int deleteDelayMs = 700;      // pause inside a shot/string delete or undelete answer
    MenuFault menuFault = MenuFault::None;  // hits the menuFaultAt-th key pressed inside a menu
    int menuFaultAt = 0;                    // 1 = the first; 0 = none
    // A demo ladder: the mean velocities (f/s) of the live strings in turn. A string is what is
    // fired between two pauses of the sensors; each starts on a fresh string of the eDisk, as a
    // shooter who moves the chronograph on before the next load. Empty: random means.
    QList<double> ladderFps;
    int ladderShots = 0;  // with ladderFps: the shots of each string (the shooter then waits); 0 = no limit
};

class Rv5Simulator : public QObject {
    Q_OBJECT
public:
    explicit Rv5Simulator(const Rv5Options &options = {}, QObject *parent = nullptr);
    ~Rv5Simulator() override;

    // Bytes from the PC.
    void receive(const QByteArray &bytes);

    Rv5State &state() { return m_st; }
    const Rv5State &state() const { return m_st; }
    EDisk &edisk() { return m_disk; }
    const EDisk &edisk() const { return m_disk; }
    const Rv5Options &options() const { return m_opt; }

    // Everything received so far (tests check what the program sent).
    QByteArray received() const { return m_received; }
    void clearReceived() { m_received.clear(); }
    qint64 bytesSent() const { return m_tx.bytesSent(); }
    // Nothing left to transmit and no listing or calibration running.
    bool isIdle() const { return m_tx.idle() && m_busy == Busy::None; }

    // Live shots. setSensors is the chronograph switching its sensors by itself (setting
    // state().sensors directly changes the flag but leaves the shot timer as it was).
    void setSensors(bool on);
    void setShotInterval(int ms);
    void setLiveShotLimit(int n);
    int liveShotsFired() const { return m_liveShots; }
    // Fire one shot now (fps <= 0: a seeded random velocity). False when the sensors are off,
    // the power is off or the chronograph is busy.
    bool fireShot(double fps = 0);

    // Line.
    void setPaced(bool on) { m_tx.setPaced(on); }
    bool isPaced() const { return m_tx.isPaced(); }
    double msPerChar() const { return m_tx.msPerChar(); }

    // The chronograph's own power key.
    void pressPowerButton();
    // Length of one "minute" of the automatic power-down (tests shorten it).
    void setMinuteMs(int ms);

    // Timing of the slow answers.
    void setCalibrationStepMs(int ms) { m_opt.calibrationStepMs = ms; }
    void setDeleteDelayMs(int ms) { m_opt.deleteDelayMs = ms; }

    // Fault knobs.
    void setSilent(bool on);                           // hears everything, says nothing
    void setStallListingAfterHeader(bool on) { m_stallListing = on; }
    // A line of junk after every n records of a listing (0 = none).
    void setListingGarbageEvery(int n) { m_listingGarbage = n; }
    void setGarbageRate(double probability);           // random junk bytes in the output
    void injectGarbage(const QByteArray &bytes);       // these bytes, now
    void setChunking(int maxBytes, int pauseMs) { m_tx.setChunking(maxBytes, pauseMs); }
    void cutNextAnswer(int keepBytes) { m_cutOnce = keepBytes; }  // stop talking mid-answer, once
    void setCutEveryAnswer(int keepBytes) { m_cutEvery = keepBytes; }  // -1 = off
    void setBabbling(bool on);                         // talks all the time, never a prompt, ignores commands
    void setSensorsStuck(bool on) { m_sensorsStuck = on; }  // "Z" cannot switch the sensors off
    // The nth key pressed inside a menu or on the memory page from now on (1 = the next)
    // meets the fault; the count of menu keys starts again.
    void setMenuFault(MenuFault fault, int nth);
    bool menuFaultFired() const { return m_menuFaultFired; }
    int menuKeys() const { return m_menuKeys; }   // keys pressed inside a menu since the last setMenuFault
    // What the memory page applied (Right, PgUp), as the page showed it: "Fol=01 Str=04 Delete".
    QList<QByteArray> pageApplied() const { return m_pageApplied; }

Q_SIGNALS:
    void output(const QByteArray &bytes);
    void shotFired(int folder, int string, int number);
    void poweredChanged(bool on);

private:
    enum class Busy { None, Listing, Calibrating };
    struct Piece {
        QByteArray bytes;
        int pauseMs = 0;
        std::function<void()> fn;
    };

    void handleByte(char c);
    void command(char c);
    void key(char c);
    void menuKey(char c);
    void cursorKey(char c);
    void memoryKey(char c);
    void memPageKey(char c);
    void openMemPage();
    QByteArray memUnit() const;
    int applyMemAction();
    void nextMemUnit();

    bool menuFaultBefore(char c);   // true when the key is lost
    void moveUnit();
    QByteArray screen() const;  // what the menu or page shows now
    void reply(const QByteArray &text);
    void send(const std::vector<Piece> &pieces);
    int takeCutBudget();

    void listing(int scope);
    void calibrate();
    void abortCalibration();
    void powerOff(const QByteArray &why);
    void powerOn();

    bool storeShot(double fps, int *folder, int *string, int *number);
    double randomVelocity(bool newString);
    double ladderVelocity();
    double gauss();
    void onShotTimer();
    void syncShots();
    void restartAutoOff();

    Rv5Options m_opt;
    Rv5State m_st;
    EDisk m_disk;
    Rv5Menus m_menus{m_st, m_disk};
    TxPipe m_tx;
    QRandomGenerator m_shotRng;
    QRandomGenerator m_miscRng;
    double m_base = 0;  // velocity the current string scatters around
    int m_ladderStep = -1;      // index into Rv5Options::ladderFps of the string being fired
    bool m_ladderBreak = true;  // the sensors paused since the last live shot
    int m_ladderFired = 0;      // live shots of the ladder string being fired

    QTimer m_shotTimer;
    QTimer m_autoOff;
    QTimer m_babble;
    int m_minuteMs = 60000;
    int m_liveShots = 0;
    int m_babbleCount = 0;
    Busy m_busy = Busy::None;
    QByteArray m_received;

    bool m_silent = false;
    bool m_stallListing = false;
    int m_listingGarbage = 0;
    bool m_sensorsStuck = false;
    int m_cutOnce = -1;
    int m_cutEvery = -1;
    MenuFault m_menuFault = MenuFault::None;
    int m_menuFaultAt = 0;
    int m_menuKeys = 0;
    bool m_menuFaultFired = false;
    bool m_dropReply = false;
    bool m_garbleReply = false;
    bool m_moveUnitAfter = false;
    QList<QByteArray> m_pageApplied;
};

} // namespace zx::sim
