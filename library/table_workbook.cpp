#include "library/table_workbook.h"

#include "library/string_table.h"
#include "workbook/workbook.h"

namespace zx
{

std::unique_ptr<wb::Workbook> tableWorkbook(const QAbstractItemModel &model)
{
    auto book = std::make_unique<wb::Workbook>();
    wb::Worksheet &sheet = book->addSheet(QStringLiteral("Strings"));
    const int columns = model.columnCount();
    for (int c = 0; c < columns; ++c)
        sheet.setText(1, c + 1, model.headerData(c, Qt::Horizontal).toString());
    for (int r = 0; r < model.rowCount(); ++r)
        for (int c = 0; c < columns; ++c) {
            const QModelIndex i = model.index(r, c);
            if (c >= StringTable::String && c <= StringTable::Interval)
                sheet.setNumber(r + 2, c + 1, i.data(StringTable::kSortRole).toDouble());
            else if (const QString text = i.data().toString(); !text.isEmpty())
                sheet.setText(r + 2, c + 1, text);
        }
    return book;
}

} // namespace zx
