#pragma once
// The chronograph state: what the program knows of the RV5 it is linked to.
// Most fields are filled from the status answer ("Q" sign-on or "Z" status, see
// status_parser.h); the flags are kept by the transactions, the calibration and
// the on/off operations. One object per running program; tests build a fresh one.
#include <QString>
#include <QtGlobal>

namespace zx {

struct CroState {
    // --- filled by the status parser, in the order the answer carries them ---
    QString sCroModel = QStringLiteral("    ");  // model name, always 4 characters (space padded)
    qint16 iCroVersion = 0;                      // firmware version; 105 reads as 10.5 patch 5
    qint16 iCroShotTotal = 0;                    // shots up to date; also numbers LogPad remarks
    float fCroBattery = 0.0f;                    // battery voltage, volts
    float fCroTemp = 0.0f;                       // case temperature, degrees Celsius
    bool bCroPwrDown = false;                    // automatic power-down enabled
    qint16 iCroPwrDownHrs = 0;                   // power-down time, hours
    qint16 iCroPwrDownMin = 0;                   // power-down time, minutes
    bool bCroRapidOn = false;                    // rapid-fire mode on
    bool bCroArcheryOn = false;                  // archery mode on
    bool bCroSensorsOn = false;                  // sensors (shot capture) on; also kept by
                                                 // "CAP=OFF"/"<End>" answers and sensor operations
    qint16 iCroSensLevel = 0;                    // sensitivity level, percent 0..100
    qint16 iCroCalLevel = 0;                     // calibration value
    bool bCroLogK = false;                       // temperature log (send-log option K)
    bool bCroLogL = false;                       // stats-position log (send-log option L)
    bool bCroLogJ = false;                       // capture log (send-log option J)
    qint16 iCroCamLevel = 0;                     // user cam level
    QString sCroVelUnits = QStringLiteral("   "); // "f/s" or "m/s", always 3 characters
    QString sCroTmpUnits = QStringLiteral("   "); // "cel" or "fah", always 3 characters
    QString sCroTimUnits = QStringLiteral("   "); // time units, always 3 characters
    qint16 iCroMaxFol = 0;                       // folders per eDisk
    qint16 iCroMaxStr = 0;                       // strings per folder
    qint16 iCroMaxSho = 0;                       // shots per string
    qint16 iCroCurFol = 0;                       // current folder
    qint16 iCroCurStr = 0;                       // current string
    qint16 iCroShotReview = 0;                   // shot under review
    qint16 iCroShotPos = 0;                      // current shot position
    bool bCroStatusOk = false;                   // the last status answer was read to its end;
                                                 // cleared by anything that makes the state stale

    // --- calibration results (set by the calibration operation) ---
    qint16 iCroCalNoise = 0;      // noise figure of the last calibration, 9999 when unreadable
    float fCroCalTime = 0.0f;     // seconds the last calibration took
    bool bCroCalPass = false;     // the last calibration answer held no "ERR=Cal"
    bool bCroCalOk = false;       // the chronograph counts as calibrated

    // --- link flags (kept by the transactions and operations) ---
    bool bCroLinkOk = false;      // the last transaction's result was below 100
    bool bCroPwrOnSeen = false;   // an answer held "Power ON" (chronograph was switched on)
    bool bCroSetupChg = false;    // a setup value was changed since a chronograph panel opened

    // --- selected device (port properties): 0 = RV5, 1 and above another device ---
    qint16 iCroDevice = 0;
};

} // namespace zx
