#pragma once
// The export template: the workbook the program ships as "zentboox.ixi" and builds itself.
// Sheets 1 to 5 take shot rows from row 5 down; rows 3 and 4 are the block header rows the
// export copies above every block (names row "Sequence", units row "(Shot #)", both marked
// "BLK" in column K); "iSetup" holds the conversion constants D4 (grains to grams), D5 (grams
// to grains) and D6 (feet to metres) and the export switches.
#include "workbook/workbook.h"
#include "workbook/xlsx_file.h"

#include <memory>

namespace zx::xls {

inline constexpr const char *kMasterTemplateFile = "zentboox.ixi";

// Sheet names by sheet index 1 to 7 (kSheetNames[0] is sheet 1).
inline constexpr const char *kSheetNames[] = {"String", "Folder", "eDisk", "CFile", "Capture", "iSetup", "iPad"};
inline constexpr int kSheetCount = 7;
inline constexpr int kSetupSheet = 6;     // "iSetup", by sheet index
inline constexpr int kLastShotSheet = 5;  // "Capture"

// Rows and cells of the shot sheets (1-based rows and columns).
inline constexpr int kNamesRow = 3;     // column A reads "Sequence"
inline constexpr int kUnitsRow = 4;     // column A reads "(Shot #)"
inline constexpr int kFirstShotRow = 5;
inline constexpr int kMarkerColumn = 11; // K: "BLK" on both header rows
inline constexpr wb::CellAddr kSourceCell{1, 5};       // E1: "Source Of This Data: ..."
inline constexpr wb::CellAddr kCounterCell{1, 17};     // Q1: export counter
inline constexpr wb::CellAddr kGrainsWeightCell{1, 19}; // S1
inline constexpr wb::CellAddr kGramsWeightCell{2, 19};  // S2
inline constexpr wb::CellAddr kLinkStatusCell{2, 1};    // A2 of "Capture": "Link On" / "Link Off"
// Where a block's begin rows carry their texts (beside the names and units of rows 3 and 4).
inline constexpr wb::CellAddr kBeginLineCell{kNamesRow, 22};  // V: "Begin CAP-Import(n)"
inline constexpr wb::CellAddr kPositionCell{kNamesRow, 23};   // W: "    Folder=f    String=s"
inline constexpr wb::CellAddr kNotesCell{kUnitsRow, 22};      // V: "String Notes: ..."

// Conversion constants on "iSetup".
inline constexpr wb::CellAddr kGrainsToGramsCell{4, 4}; // D4
inline constexpr wb::CellAddr kGramsToGrainsCell{5, 4}; // D5
inline constexpr wb::CellAddr kFeetToMetresCell{6, 4};  // D6
// Export switches on "iSetup": from this row down, column C the setting's value name,
// column D "YES" or "NO".
inline constexpr int kFirstSwitchRow = 9;

std::unique_ptr<wb::Workbook> buildExportTemplate();
wb::XlsxResult writeExportTemplate(const QString &path);

} // namespace zx::xls
