#pragma once
// The program-wide state of the application shell: which instance this copy is, the debug and
// test flags, the warning switches, the start-up keys of the port setup and the error count.
// One object per running program owns it and is handed to whoever needs it; tests build a fresh one.
#include "platform/settings_store.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <array>
#include <cstdint>

namespace zx {

class Prompter;

// The debug and test flags (each backed by a key of section Morvane of the same name).
struct SoftFlags {
    bool softDebugSee = false;   // Debug menu visible
    bool softDebug = false;
    bool softTest = false;       // software test mode
    bool getRegistry = true;     // read back toolbar layout, printing, margins, default format
    bool saveRegistry = true;    // save them (and the find window's history)
    bool clearRegistry = false;  // offer to clear all settings at exit
    bool softMore = false;       // the MoreOptions flag (frmMDI MoreOptions is the same flag)
    bool softEdit = false;       // editing allowed in every mode
    int16_t userLevel = 0;       // test level 0 to 4

    // Debug and test flags cleared: the state of a shipped program.
    void zap() { *this = SoftFlags{}; }
};

// Values given on the command line ("N=xx,P=yy,Path/File"), see readCommandLine.
struct CommandLine {
    int16_t cmdAppNum = -1;   // -1: no usable "N="
    int16_t cmdPort = -1;     // -1: no usable "P="
    QString cmdPath;          // folder part, keeping its final "\" (or "/" or ":")
    QString cmdFile;          // file-name part
};

// Options of the desktop program beyond the classic command line.
struct StartOptions {
    bool simulate = false;    // --simulate: run on the built-in simulated chronograph
    QList<double> simLadder;  // --simulate-ladder: the simulator's string means in turn (demos)
    int simLadderShots = 0;   // --simulate-shots: the shots of each of those strings; 0 = no limit
    bool scripted = false;    // --answers given: boxes are answered from `answers`, never shown
    QString answers;          // button names in order, comma-separated
    QString answersLog;       // --answers-log: every box is appended to this file
    QString commandLine;      // the classic command-line text handed to readCommandLine
};

inline constexpr int kMaxInstance = 16;      // instance numbers 0 to 16
inline constexpr int kMaxAutoInstance = 3;   // numbers handed out without "N=": 0 to 3

struct AppContext {
    int16_t appNumber = 0;
    bool recorded = false;        // this copy's start record is written and its exit record not yet
    QDateTime startTime;
    int32_t errorCount = 0;       // stored as frmErrox gxMoxErc
    bool shipMode = true;         // on: UserLevel and SoftTest live in frmVipNotes
    SoftFlags soft;

    bool showWarn = true;         // system warnings (quit confirmation)
    bool showWarnRV = true;       // chronograph warnings (confirmWarning)
    int showVipNotes = 1;         // 1: show the iNotes window at the end of start-up

    // Start-up keys of the port setup (section frmComSet), read at main window start, saved at exit.
    bool autoDetect = true;
    bool autoConnect = true;
    int chronSelect = 1;          // 0 "Let Me Select My Own", 1 "Select First Free", 2 "Select Last Used"
    int device = 0;               // 0 is the RV5
    bool echo = false;

    std::array<std::array<int16_t, 10>, 10> sensorTally{};

    CommandLine cmd;
    StartOptions options;
    QString programDir;           // folder of the program file
    QString helpFile;             // "zentrix.hlp" in the program's folder

    SettingsStore store;
    Prompter *prompter = nullptr; // message boxes; never null while the program runs

    // Run-time error waiting for the general error report (number 0: none).
    int pendingErrorNumber = 0;
    QString pendingErrorDescription;

    QString instanceName() const { return instanceNameOf(appNumber); }
    static QString instanceNameOf(int number) { return QStringLiteral("Zentrix") + QString::number(number); }
};

} // namespace zx
