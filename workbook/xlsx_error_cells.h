#pragma once
// Error cells in a written .xlsx package. libxlsxwriter can write an error value only as text
// (a formula's result as t="str", a value as an inline string); the writer names those cells
// and they are turned into real error cells (t="e") once the library has closed the file, so
// every spreadsheet reads #DIV/0!, #N/A, ... as errors, not as words.
#include <QSet>
#include <QString>

#include <map>

namespace zx::wb {

// Sheet index (0-based, the order the sheets were written) -> cell names ("B8").
using ErrorCellMap = std::map<int, QSet<QString>>;

// Rewrites the named cells of the package at `path` in place (through a temporary file beside
// it). False, with the reason, when the package cannot be read or written.
bool markErrorCells(const QString &path, const ErrorCellMap &cells, QString *error);

} // namespace zx::wb
