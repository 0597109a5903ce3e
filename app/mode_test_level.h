#pragma once
// The hidden test-level prompts and the "temporarily disabled" notice.
#include "platform/prompter.h"

namespace zx {

// The flags the prompts change; owned by the program's settings.
struct TestLevelFlags {
    int *userLevel = nullptr;
    bool *softTest = nullptr;
    bool *softDebugSee = nullptr;
    int *rememberedLevel = nullptr;  // starts as the UserLevel read at start
};

// action 0 raises and 1 lowers UserLevel (only while SoftTest is on), 2 toggles
// SoftTest, 3 toggles SoftDebugSee. Returns true when a flag changed (the caller
// then refreshes the mode and status and shows or hides the Debug menu).
bool askTestLevel(int action, Prompter &prompter, const TestLevelFlags &flags);

// "[0:<level>] - This function is temporarily disabled..." with an OK button.
void noteDisabled(Prompter &prompter, int userLevel);
QString noteDisabledText(int userLevel);

} // namespace zx
