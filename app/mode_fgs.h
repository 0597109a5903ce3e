#pragma once
// Command states that follow the active CFile: all off without one, on for a new
// or activated one, and brought in line with its text and selection on every
// change. The results are applied by the main window like the mode refresh.
#include "app/mode_model.h"

namespace zx {

// What updFgsMDI needs to know of the active CFile.
struct CFileFacts {
    bool present = false;
    bool textEmpty = true;
    bool canUndo = false;
    bool selectionEmpty = true;
    bool clipboardHasText = false;
    int alignment = 0;        // 0 left, 1 centre, 2 right, -1 mixed
    bool bold = false, italic = false, underline = false, strikeThru = false, bullet = false;
};

CommandStates zapFgsMDI();
CommandStates setFgsMDI(int userLevel);
CommandStates updFgsMDI(const CFileFacts &f, bool editingAllowed, int userLevel);

// Shown/hidden state of the commands reserved for test levels.
CommandStates testLevelStates(int userLevel);

} // namespace zx
