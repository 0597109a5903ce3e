#pragma once
// Everything the simulated RV5 remembers besides its shots: settings, position, mode, power.
// Plain data; tests may set fields directly before driving the engine.
#include <QString>

namespace zx::sim {

struct Rv5State {
    // Identity (sign-on banner).
    QString model = QStringLiteral("RV5");
    int version = 105;  // shown as V105
    int serial = 4711;

    // Health.
    int shotTotal = 0;         // shots measured since manufacture
    double battery = 9.18;     // volts
    double caseTempC = 23.5;   // case temperature, always Celsius
    double airTempC = 22.0;    // air temperature stamped on shots

    // Power.
    bool powered = true;
    bool pwrDown = true;       // automatic power-down enabled
    int pwrDownHrs = 1;
    int pwrDownMin = 0;

    // Shooting modes and sensors.
    bool rapid = false;
    bool archery = false;
    bool sensors = false;
    int sensLevel = 45;        // percent
    int calLevel = 0;          // calibration value, 0 until calibrated
    int camLevel = 3;

    // Send-to-PC options (J capture tag, K temperature, L incremental stats).
    bool logJ = true;
    bool logK = true;
    bool logL = false;

    // Units.
    bool metric = false;       // m/s instead of f/s
    bool celsius = false;      // cel instead of fah

    // Memory layout and position.
    int maxStr = 10;           // strings per folder
    int maxSho = 10;           // shots per string
    int curFol = 1;
    int curStr = 1;
    int review = 0;            // shot under review in the current string, 0 = none

    // Menu-only settings.
    bool memAlarm = false;
    bool expert = false;
    bool backlight = true;
    bool beep = true;
    bool lowBatAlarm = true;
    bool tempAlarm = false;

    // Where the chronograph is: mode 1 Data ("DAT>"), 2 Stats ("STS>"); menu 0 none, 1 Data, 2 Stats.
    int mode = 1;
    int menu = 0;
    int item = 0;
    int sub = 0;
    // The memory page of a Keep entry (Data menu item 2) and the action it shows (MemAction).
    bool memPage = false;
    int memAction = 0;

    QString velUnits() const { return metric ? QStringLiteral("m/s") : QStringLiteral("f/s"); }
    QString tmpUnits() const { return celsius ? QStringLiteral("cel") : QStringLiteral("fah"); }
    QString timUnits() const { return QStringLiteral("sec"); }
};

} // namespace zx::sim
