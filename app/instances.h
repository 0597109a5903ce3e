#pragma once
// Instance numbering: which numbered copy this program is, the instance records every copy
// keeps in section Morvane, and the messages about copies and the "N=" number.
#include "app/app_context.h"

#include <QStringList>

namespace zx {

class Prompter;

enum class StartDecision { Continue, Exit };

// The instance choice in two halves. chooseInstance runs while the records are locked: it
// reads every record afresh from disk, resets 0 to 3 for a lone copy, binds "N=" and "P=",
// and reserves the number it takes by writing that instance's start record at once, so a
// copy starting at the same moment sees it in use. confirmInstance then asks the user, with
// the records unlocked; a copy that ends there gives its reservation back (releaseInstance,
// again under the lock), leaving the record as it found it.
struct InstanceChoice {
    enum Kind { Take, AskNewCopy, TooMany, AlreadyRunning, OutOfRange };
    Kind kind = Take;
    int number = 0;        // taken (or offered) number; the requested one for the messages
    int usedCount = 0;
    bool reserved = false;
    QString oldRun, oldEnd, oldNum;   // the reserved record as it was before
};
InstanceChoice chooseInstance(AppContext &ctx, bool anotherCopyRunning);
StartDecision confirmInstance(AppContext &ctx, const InstanceChoice &choice);
void releaseInstance(AppContext &ctx, const InstanceChoice &choice);
// All three without a lock (a single copy, tests): Exit means the program ends at once and
// leaves no instance record.
StartDecision checkInstances(AppContext &ctx, bool anotherCopyRunning);

// Number i is free when its records can be read, AppRun is empty and AppEnd is empty or its
// own instance name.
bool instanceIsFree(const SettingsStore &store, int number);
// Records of numbers 0 to 3 as after an orderly exit (the first copy does this).
void resetInstanceRecords(SettingsStore &store);
void writeStartRecord(AppContext &ctx);
void writeExitRecord(AppContext &ctx);

void showMultiChronoHelp(Prompter &prompter);
void showInstanceRangeError(Prompter &prompter, int requested);

QStringList tooManyCopiesLines();
QStringList newCopyLines(int firstFree, int usedCount);
QStringList instanceRangeLines(int requested);
QStringList multiChronoHelpLines();

} // namespace zx
