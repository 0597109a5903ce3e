#pragma once
// Workbooks on disk as .xlsx files.
// Writing: every cell with its format, formulas together with their computed results (so any
// spreadsheet shows numbers at once), column widths, row heights, hidden rows and columns,
// hyperlinks, the active sheet and cell. The file is built beside the target under a
// temporary name and renamed over it only when complete: a failed write leaves the previous
// file as it was.
// Reading: sheets, values (shared and inline strings, numbers, yes/no, errors, dates as day
// numbers of the 1900 system in their date format, whichever system the file uses), formulas
// (shared ones too) with their stored results, column widths, row heights and hidden flags,
// hyperlinks. Error values and results are written as error cells. A broken or foreign file
// gives a message, never a crash.
#include <QString>

#include <memory>

namespace zx::wb {

class Workbook;

struct XlsxResult {
    bool ok = false;
    QString error; // what went wrong, in words for a message box
};

XlsxResult writeXlsx(const Workbook &book, const QString &path);
std::unique_ptr<Workbook> readXlsx(const QString &path, QString *error);

} // namespace zx::wb
