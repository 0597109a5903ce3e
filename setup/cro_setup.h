#pragma once
// The RV5 setup panel's logic: every setting the PC can change on the chronograph, most of
// them by driving its on-screen menus with emulated keys and reading back the value it then
// shows. The panel (setup/ui/frm_cro_setup) is a view of shown(); zentrix-cli's setup
// command and the tests run the same operations without widgets.
//
// Each operation runs inside the task guard (when one is set), with the wait overlay on,
// the capture switch cleared and the filling flag set; a change the chronograph does not
// confirm leaves the state fields as they were and tells the user in a message box.
#include <QString>
#include <QtGlobal>

#include <array>
#include <functional>

namespace zx {

class ChronoOps;
class LinkSession;
class Prompter;
struct CroState;

class CroSetup {
public:
    // Switches of the panel driven by an ON/OFF menu entry.
    enum Switch { TempUnits, PwrDownOn, MemAlarm, ExpertMode, kSwitches };
    // Settings with their own menu setter in the chronograph operations.
    enum OnOff { Sensors, Archery, RapidFire };
    // Check box states as the panel shows them.
    enum Check { Unchecked = 0, Checked = 1, Grayed = 2 };

    // What the panel shows. Option pairs hold the selected index, -1 when neither is.
    struct Shown {
        std::array<int, 3> onOff{};   // by OnOff: 0 "Off", 1 "On"
        int velUnits = -1;            // 0 "f/s", 1 "m/s"
        int mode = -1;                // 0 Data, 1 Stats
        std::array<int, kSwitches> switches{};   // Check states by Switch
        std::array<bool, 3> logs{};   // Send to PC: capture tag, temperature, incremental stats
        int shot = 0, str = 0, fol = 0, maxSho = 0, maxStr = 0, pwrMin = 0, pwrHrs = 0, sensLevel = 0;
    };

    CroSetup(ChronoOps &ops, Prompter &prompter);

    // The wait overlay on (true) and off; the panel redraws from shown() when it goes off.
    std::function<void(bool)> onBusy;
    // Runs an operation inside the one-chronograph-task guard; false when the guard refused.
    // Unset: operations run directly (the guard is already held, or there is none).
    std::function<bool(const std::function<void()> &)> guard;

    // Settings the status answer does not carry.
    bool bCroMemAlarm = false;
    bool bCroExpertMode = false;
    // Set while the panel fills its controls and while an operation runs: changes do nothing.
    bool filling = false;
    // Set by the overlay's Abort button; the stepping loops stop at their next step.
    bool abortFlag = false;

    CroState &cro();
    LinkSession &link();
    const Shown &shown() const { return m_shown; }
    bool unknown(Switch s) const { return m_unknown.at(size_t(s)); }

    // 1. Opening: fields cleared and markers set, menu position forgotten.
    void open();
    // 2. Read Status. 3 to 7: the changes; index/checked as the user clicked them.
    bool readStatus();
    bool setOnOff(OnOff which, int index);
    bool setVelUnits(int index);
    bool setSwitch(Switch which, bool checked);
    bool setMode(int index);
    bool setSendLog(int box, bool checked);
    // 8. One step of the sensor level (button 0 raises, 1 lowers). 9. Default: toward 60.
    bool stepSensLevel(int button);
    bool defaultSensLevel() { return sensLevelTo(60); }
    bool sensLevelTo(int target);
    // 10. Power-down time buttons: 0 hour up, 1 hour down, 2 minute up, 3 minute down.
    bool pressPwrDown(int button);
    bool pwrDownTo(int code);   // hours x 100 + minutes
    static int hourTarget(int hrs, int min, bool up);
    // 11. String size buttons: 0 and 3 lower, 1 and 2 raise.
    bool stepStringSize(int button);
    bool stringSizeTo(int code);   // strings x 100 + shots
    // 12. Current position buttons: 0/1 shot down/up, 2/3 string right/left, 4/5 folder.
    bool movePosition(int button);
    // Reads an ON/OFF entry from the menu without changing it (memory alarm, expert mode).
    bool readSwitch(Switch which);

    // 13. Closing: the first setting the panel shows differently from the state (in the
    // order the close question checks them), -1 when none; sendChanges re-sends each one
    // the panel shows a definite value for.
    int firstDifference() const;
    void sendChanges();

    static QString changeFailure(const QString &name);
    static QString onOffFailure(const QString &name, bool on);
    static QString statusFailure();

private:
    bool run(const std::function<bool()> &op);
    void fillShown();
    void tell(const QString &text);
    bool readStatusCore(bool quiet);
    bool setOnOffCore(OnOff which, int index);
    bool setVelUnitsCore(int index);
    bool setSwitchCore(Switch which, bool checked);
    bool setSendLogCore(int box, bool checked);
    bool sensStepCore(bool up);
    bool sensLevelToCore(int target);
    bool pwrPressCore(bool up);
    bool pwrDownToCore(int code);
    bool stringSizeStepCore(bool up);
    bool stringSizeToCore(int code);
    int stringSizeWalk(int code);   // 1 reached, 0 not offered, -1 no answer
    bool stepRead(int menu, int pos, int expected, bool up, int *value);
    bool &switchField(Switch which);

    ChronoOps &m_ops;
    Prompter &m_prompter;
    Shown m_shown;
    std::array<bool, kSwitches> m_unknown{};
};

// The sensor level's menu step shared by the panel and the sensors dialog: navigates to the
// entry unless pos already says the chronograph shows it, checks the value there against the
// stored level, steps and accepts 0..100. pos is set to the entry's code on success and
// cleared on failure.
bool stepSensorLevel(LinkSession &link, qint16 &pos, bool up);

} // namespace zx
