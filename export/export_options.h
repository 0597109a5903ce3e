#pragma once
// The options that shape an export (section frmExpSet): loaded at start, edited by the export
// options window, read by the export when it shows or hides columns and label rows.
#include "platform/settings_store.h"

namespace zx::wb {
class Worksheet;
}

namespace zx::xls {

struct ExportOptions {
    int destination = 2;               // ExpDestin: 0 text file, 1 Word, 2 Excel (kept as stored)
    bool showINotes = true;            // ExpShowINots
    bool fromSetupSheet = false;       // ExpExcXSet: take the switches from the "iSetup" sheet
    bool unitsTopRow = true;           // ExpExcUHed0
    bool unitsEveryString = true;      // ExpExcUHed1: "(Shot #)" rows shown
    bool unitsAfterValue = false;      // ExpExcUHed2: columns F, H, J shown
    bool namesTopRow = true;           // ExpExcNHed0
    bool namesEveryString = true;      // ExpExcNHed1: "Sequence" rows shown
    bool incrementalStats = true;      // ExpExcFSts0: columns P to Q
    bool summaryStats = true;          // ExpExcFSts1
    bool powerEnergy = true;           // ExpExcFSts2: columns R to U
    bool folderNumbers = true;         // ExpExcIPos0: column B
    bool stringNumbers = true;         // ExpExcIPos1: column C
    bool thirdPosition = true;         // ExpExcIPos2
    bool showLogPad = true;            // ExpExcXLog

    static ExportOptions load(const SettingsStore &store, const QString &app);
    void save(SettingsStore &store, const QString &app) const;
    // What the "Default" button sets: the absent-value defaults except names before every
    // string off; showLogPad is left as it is.
    void setButtonDefaults();
    bool operator==(const ExportOptions &) const = default;
};

// The export switches of the workbook's "iSetup" sheet: column D from kFirstSwitchRow down,
// one cell a switch holding "YES" or "NO" (any case, blanks around ignored), in this order:
// ExpExcUHed0, UHed1, UHed2, ExpExcNHed0, NHed1, ExpExcFSts0, FSts1, FSts2, ExpExcIPos0, IPos1,
// IPos2 (column C names them). On a missing or other cell nothing is changed and *error says
// which cell.
bool readSetupSheetSwitches(const wb::Worksheet &sheet, ExportOptions *options, QString *error);

} // namespace zx::xls
