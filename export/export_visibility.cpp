#include "export/export_visibility.h"

#include "export/export_template.h"
#include "workbook/workbook.h"

namespace zx::xls {

namespace {

enum Col { B = 2, C = 3, F = 6, G = 7, H = 8, J = 10, K = 11, P = 16, Q = 17, R = 18, U = 21 };

void showRange(wb::Worksheet &ws, int from, int to, bool shown)
{
    for (int col = from; col <= to; ++col)
        ws.setColumnHidden(col, !shown);
}

} // namespace

void applyVisibility(wb::Worksheet &ws, int sheetIndex, const ExportOptions &o, const IdentifierWidths &widths,
                     int lastRow)
{
    const bool memorySheet = sheetIndex <= 3;
    ws.setColumnHidden(B, !o.folderNumbers);
    if (o.folderNumbers)
        ws.setColumnWidth(B, widths.folder);
    ws.setColumnHidden(C, !o.stringNumbers);
    if (o.stringNumbers)
        ws.setColumnWidth(C, widths.string);
    ws.setColumnHidden(F, !o.unitsAfterValue);
    ws.setColumnHidden(J, !o.unitsAfterValue);
    ws.setColumnHidden(H, !(o.unitsAfterValue && !memorySheet));
    ws.setColumnHidden(G, memorySheet);
    ws.setColumnHidden(K, memorySheet);
    showRange(ws, P, Q, o.incrementalStats);
    showRange(ws, R, U, o.powerEnergy);
    for (int row = kFirstShotRow + 1; row <= lastRow; ++row) {
        const wb::Cell *a = ws.cell(row, 1);
        if (!a || !wb::isText(a->value))
            continue;
        const QString label = std::get<QString>(a->value).trimmed();
        if (label == u"Sequence")
            ws.setRowHidden(row, !o.namesEveryString);
        else if (label == u"(Shot #)")
            ws.setRowHidden(row, !o.unitsEveryString);
    }
}

} // namespace zx::xls
