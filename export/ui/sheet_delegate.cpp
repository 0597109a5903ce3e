#include "export/ui/sheet_delegate.h"

#include "export/sheet_model.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QTableView>

namespace zx::xls {

namespace {

constexpr int kTextMargin = 3;      // the style's space left of a cell's text
constexpr int kMaxRunOverCells = 32; // how far left a running text is looked for

QStyle *styleOf(const QWidget *w) { return w ? w->style() : QApplication::style(); }

// Left-aligned text that is not a number: what may run on over empty neighbours.
bool runsOn(const QModelIndex &ix)
{
    if (ix.data(SheetModel::GeneralNumberRole).isValid())
        return false;
    const int align = ix.data(Qt::TextAlignmentRole).toInt();
    return (align & Qt::AlignHorizontal_Mask) == Qt::AlignLeft && !ix.data(Qt::DisplayRole).toString().isEmpty();
}

QFont fontOf(const QModelIndex &ix, const QFont &fallback)
{
    const QVariant f = ix.data(Qt::FontRole);
    return f.isValid() ? f.value<QFont>() : fallback;
}

} // namespace

void SheetDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    if (const QVariant number = index.data(SheetModel::GeneralNumberRole); number.isValid()) {
        paintNumber(painter, option, index, number.toDouble());
        return;
    }
    const auto *view = qobject_cast<const QTableView *>(option.widget);
    if (!view || !paintRunningText(painter, option, index, *view))
        QStyledItemDelegate::paint(painter, option, index);
}

void SheetDelegate::paintNumber(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index,
                                double value) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QFontMetrics fm(opt.font);
    const int room = opt.rect.width() - 2 * kTextMargin;
    for (int digits = 10; digits >= 1; --digits) {
        opt.text = SheetModel::generalNumber(value, digits);
        if (fm.horizontalAdvance(opt.text) <= room)
            break;
    }
    styleOf(opt.widget)->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);
}

bool SheetDelegate::paintRunningText(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index,
                                     const QTableView &view) const
{
    const QAbstractItemModel *model = index.model();
    // The source: this cell when it holds text, else the nearest filled cell to the left.
    QModelIndex source = index;
    if (index.data(Qt::DisplayRole).toString().isEmpty()) {
        source = {};
        for (int c = index.column() - 1; c >= 0 && c >= index.column() - kMaxRunOverCells; --c) {
            if (view.isColumnHidden(c))
                continue;
            const QModelIndex left = model->index(index.row(), c);
            if (!left.data(Qt::DisplayRole).toString().isEmpty()) {
                source = left;
                break;
            }
        }
        if (!source.isValid())
            return false;
    }
    if (!runsOn(source))
        return false;
    const QString text = source.data(Qt::DisplayRole).toString();
    const QFont font = fontOf(source, option.font);
    const int sourceLeft = view.columnViewportPosition(source.column());
    const int textRight = sourceLeft + kTextMargin + QFontMetrics(font).horizontalAdvance(text);
    const int cellRight = option.rect.left() + option.rect.width();
    if (source == index ? textRight <= cellRight - kTextMargin : textRight <= option.rect.left())
        return false;

    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    opt.text.clear();
    styleOf(opt.widget)->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);
    painter->save();
    painter->setClipRect(option.rect);
    painter->setFont(font);
    const QVariant color = source.data(Qt::ForegroundRole);
    const bool selected = opt.state & QStyle::State_Selected;
    painter->setPen(selected ? opt.palette.color(QPalette::HighlightedText)
                             : color.isValid() ? color.value<QColor>() : opt.palette.color(QPalette::Text));
    const QRect line(sourceLeft + kTextMargin, option.rect.top(), textRight - sourceLeft, option.rect.height());
    painter->drawText(line, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
    painter->restore();
    return true;
}

} // namespace zx::xls
