#pragma once
// How a workbook cell is painted, as a spreadsheet paints it: a number in the General format
// loses digits until it fits its column, and a left-aligned text longer than its cell runs on
// over the empty cells to its right (each of them paints its own part, so a partial repaint
// never cuts the text).
#include <QStyledItemDelegate>

class QTableView;

namespace zx::xls {

class SheetDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    void paintNumber(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index,
                     double value) const;
    // Paints the cell with the text of `source` (this cell or one to its left) laid out from
    // the source's left edge and cut at this cell; false when no text runs over this cell.
    bool paintRunningText(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index,
                          const QTableView &view) const;
};

} // namespace zx::xls
