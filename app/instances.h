#pragma once
// Instance numbering: which numbered copy this program is, the instance records every copy
// keeps in section Morvane, and the messages about copies and the "N=" number.
#include "app/app_context.h"

#include <QStringList>

namespace zx {

class Prompter;

enum class StartDecision { Continue, Exit };

// Chooses appNumber (and the application title) among the running copies; Exit means the
// program ends at once without writing its instance record.
StartDecision checkInstances(AppContext &ctx, bool anotherCopyRunning);

// Number i is free when AppRun is empty and AppEnd is empty or its own instance name.
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
