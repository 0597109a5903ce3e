#pragma once
// Which columns and label rows of a shot sheet are shown, from the export options: applied
// after every export to the exported sheet and, on demand, by the export options window.
#include "export/export_options.h"

namespace zx::wb {
class Worksheet;
}

namespace zx::xls {

// Widths the identifier columns get back when they are shown again (the template's).
struct IdentifierWidths {
    double folder = 6; // B
    double string = 6; // C
};

// sheetIndex is 1-based ("String" = 1). Label rows are looked at from row 6 to lastRow.
void applyVisibility(wb::Worksheet &ws, int sheetIndex, const ExportOptions &options,
                     const IdentifierWidths &widths, int lastRow);

} // namespace zx::xls
