#pragma once
// The program's start: instance choice, instance record, screen check. What the start needs
// from the system comes through StartupEnvironment so tests can play any situation.
#include "app/instances.h"

#include <QSize>

namespace zx {

class StartupEnvironment {
public:
    virtual ~StartupEnvironment() = default;
    // Whether another copy of the same program file is running; asked once, at start,
    // while the instance records are locked.
    virtual bool anotherCopyRunning() = 0;
    // Held by a starting copy while it reads the other copies' records and records its own
    // number (never while a box waits for the user).
    virtual void lockInstanceRecords() {}
    virtual void unlockInstanceRecords() {}
    // The primary screen's size in device pixels.
    virtual QSize primaryScreenSize() const = 0;
    // The folder of the program file.
    virtual QString programDir() const = 0;
};

// Main up to the splash sequence: flags cleared, command line read, instance chosen and
// recorded, settings file checked, screen checked. Exit: the program ends at once (nothing
// more to do).
StartDecision startMain(AppContext &ctx, StartupEnvironment &env);

// The screen-resolution warning for screens smaller than 800 x 600; false when the user stops.
bool screenCheck(Prompter &prompter, const QSize &screen);

// One message when this instance's settings file cannot be read or written; the program then
// runs on defaults (and never writes over a file it could not read). False when all is well.
bool reportSettingsTrouble(AppContext &ctx);

// Asks a chronograph warning question unless ShowWarnRV is off; true for go ahead.
bool confirmWarning(AppContext &ctx, const QString &question);
// The close box's question (only when ShowWarn is on); true when the program may close.
bool confirmQuit(AppContext &ctx);

} // namespace zx
