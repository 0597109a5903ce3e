#pragma once
// The String Library's shown rows as a workbook sheet: the header row, then one row a string;
// the count and the statistics as numbers (their unit in the row's Unit column), the rest as
// the text shown.
#include <memory>

class QAbstractItemModel;

namespace zx
{
namespace wb
{
class Workbook;
}

std::unique_ptr<wb::Workbook> tableWorkbook(const QAbstractItemModel &model);

} // namespace zx
