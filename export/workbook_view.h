#pragma once
// The meeting point of the Excel link (logic) and the workbook window (export/ui), which stands
// in for Excel's own window. The link owns the workbook; the window only shows and edits it.
#include "workbook/workbook.h"

#include <QString>

namespace zx::xls {

// What the window reports back: Excel's two application events.
class WorkbookEvents {
public:
    virtual ~WorkbookEvents() = default;
    // A double-click on a cell of `sheetName`. Returns true when the link handled it; the
    // window then never starts editing the cell.
    virtual bool sheetBeforeDoubleClick(const QString &sheetName, int row, int col) = 0;
    // The user closes the workbook's window (never called for closeByProgram()). Changes were
    // saved or discarded by the user's answer before this.
    virtual void workbookBeforeClose(const QString &bookName) = 0;
    // The window wrote the workbook to `filePath` (its Save, Save As, or the close question's Yes).
    virtual void workbookSaved(const QString &filePath) { Q_UNUSED(filePath) }
};

// What the link asks of the window.
class WorkbookView {
public:
    virtual ~WorkbookView() = default;
    // Shows (or raises) the window over `book`; `filePath` is where Save writes, empty for a
    // workbook never saved.
    virtual void showWorkbook(wb::Workbook &book, const QString &filePath, WorkbookEvents *events) = 0;
    // The workbook was written to: repaint what is visible of `sheetIndex` (0-based) and follow
    // its active cell.
    virtual void cellsChanged(int sheetIndex) = 0;
    // Closes the window without reporting workbookBeforeClose; the link drops the book after.
    virtual void closeByProgram() = 0;
    // The link wrote the workbook to `filePath`: nothing shown is unsaved.
    virtual void bookSaved(const QString &filePath) { Q_UNUSED(filePath) }
};

} // namespace zx::xls
