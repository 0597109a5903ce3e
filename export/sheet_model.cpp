#include "export/sheet_model.h"

#include <QColor>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace zx::xls {

namespace {

constexpr int kMinRows = 100;
constexpr int kMinColumns = 26;
const QColor kLinkColor(0x00, 0x00, 0xFF);

} // namespace

SheetModel::SheetModel(wb::Worksheet &sheet, QObject *parent) : QAbstractTableModel(parent), m_sheet(sheet)
{
    m_baseFont.setPointSizeF(10);
    m_rows = wantedRows();
    m_cols = wantedColumns();
}

int SheetModel::wantedRows() const
{
    const int used = std::max(m_sheet.usedExtent().row, m_sheet.lastFormattedRow());
    return std::min(std::max(used + kSpareRows, kMinRows), wb::kMaxRows);
}

int SheetModel::wantedColumns() const
{
    const int used = std::max(m_sheet.usedExtent().col, m_sheet.lastFormattedColumn());
    return std::min(std::max(used + kSpareColumns, kMinColumns), wb::kMaxColumns);
}

int SheetModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : m_rows; }
int SheetModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : m_cols; }

QString SheetModel::formatValue(const wb::CellValue &value, const QString &numberFormat)
{
    const double *number = std::get_if<double>(&value);
    if (!number)
        return wb::displayText(value);
    // Fixed decimals ("0", "0.00"), optionally as a percentage ("0.0%").
    static const QRegularExpression fixed(QStringLiteral("^0(?:\\.(0+))?(%?)$"));
    const QRegularExpressionMatch m = fixed.match(numberFormat);
    if (m.hasMatch()) {
        const bool percent = !m.captured(2).isEmpty();
        return QString::number(percent ? *number * 100 : *number, 'f', int(m.capturedLength(1)))
               + (percent ? QStringLiteral("%") : QString());
    }
    return generalNumber(*number, 10);
}

QString SheetModel::generalNumber(double value, int digits)
{
    QString t = QString::number(value, 'g', std::max(digits, 1));
    // "1e+06" is written "1E+06" as spreadsheets do.
    return t.replace(QLatin1Char('e'), QLatin1Char('E'));
}

QVariant SheetModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const int row = index.row() + 1, col = index.column() + 1;
    switch (role) {
    case Qt::DisplayRole: {
        const wb::Cell *c = m_sheet.cell(row, col);
        return c ? formatValue(c->value, m_sheet.format(row, col).numberFormat) : QString();
    }
    case Qt::EditRole: {
        const QString f = m_sheet.formula(row, col);
        if (!f.isEmpty())
            return f;
        return wb::displayText(m_sheet.value(row, col));
    }
    case Qt::FontRole: {
        const wb::CellFormat &f = m_sheet.format(row, col);
        const bool link = !m_sheet.hyperlinks().empty() && !m_sheet.hyperlink(row, col).isEmpty();
        if (f.fontSize <= 0 && !f.bold && !f.underline && !link)
            return {};
        QFont font = m_baseFont;
        if (f.fontSize > 0)
            font.setPointSizeF(f.fontSize);
        font.setBold(f.bold);
        font.setUnderline(f.underline || link);
        return font;
    }
    case Qt::ForegroundRole: {
        if (!m_sheet.hyperlinks().empty() && !m_sheet.hyperlink(row, col).isEmpty())
            return kLinkColor;
        const int rgb = wb::paletteColor(m_sheet.format(row, col).colorIndex);
        return rgb < 0 ? QVariant() : QVariant(QColor::fromRgb(QRgb(rgb)));
    }
    case Qt::TextAlignmentRole: {
        Qt::Alignment h;
        switch (m_sheet.format(row, col).align) {
        case wb::HAlign::Left: h = Qt::AlignLeft; break;
        case wb::HAlign::Center: h = Qt::AlignHCenter; break;
        case wb::HAlign::Right: h = Qt::AlignRight; break;
        case wb::HAlign::General: {
            const wb::CellValue v = m_sheet.value(row, col);
            h = wb::isNumber(v) ? Qt::AlignRight : wb::isText(v) || wb::isEmpty(v) ? Qt::AlignLeft : Qt::AlignHCenter;
            break;
        }
        }
        return int(h | Qt::AlignVCenter);
    }
    case GeneralNumberRole: {
        const wb::Cell *c = m_sheet.cell(row, col);
        if (!c || !wb::isNumber(c->value) || !m_sheet.format(row, col).numberFormat.isEmpty())
            return {};
        return std::get<double>(c->value);
    }
    case Qt::ToolTipRole: {
        if (m_sheet.hyperlinks().empty())
            return {};
        const QString link = m_sheet.hyperlink(row, col);
        return link.isEmpty() ? QVariant() : QVariant(link);
    }
    default: return {};
    }
}

QVariant SheetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role == Qt::DisplayRole)
        return orientation == Qt::Horizontal ? wb::columnName(section + 1) : QString::number(section + 1);
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    return {};
}

Qt::ItemFlags SheetModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable : Qt::NoItemFlags;
}

bool SheetModel::writeInput(wb::Worksheet &sheet, int row, int col, const QString &text, QString *error)
{
    const QString t = text.trimmed();
    if (t.isEmpty()) {
        sheet.clearCell(row, col);
        return true;
    }
    if (t.startsWith(QLatin1Char('=')) && t.size() > 1)
        return sheet.setFormula(row, col, t, error);
    if (t.startsWith(QLatin1Char('\''))) {
        sheet.setText(row, col, text.mid(text.indexOf(QLatin1Char('\'')) + 1));
        return true;
    }
    bool isNumber = false;
    const double v = t.toDouble(&isNumber);
    if (isNumber && std::isfinite(v))
        sheet.setNumber(row, col, v);
    else if (t.compare(QLatin1String("TRUE"), Qt::CaseInsensitive) == 0)
        sheet.setValue(row, col, true);
    else if (t.compare(QLatin1String("FALSE"), Qt::CaseInsensitive) == 0)
        sheet.setValue(row, col, false);
    else
        sheet.setText(row, col, text);
    return true;
}

bool SheetModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    QString why;
    if (!writeInput(m_sheet, index.row() + 1, index.column() + 1, value.toString(), &why)) {
        Q_EMIT inputRejected(wb::cellName(index.row() + 1, index.column() + 1), why);
        return false;
    }
    // Formulas anywhere on the sheet may have followed the cell.
    refresh();
    Q_EMIT cellWritten(index.row() + 1, index.column() + 1);
    return true;
}

void SheetModel::refresh()
{
    const int rows = wantedRows(), cols = wantedColumns();
    if (rows > m_rows) {
        beginInsertRows({}, m_rows, rows - 1);
        m_rows = rows;
        endInsertRows();
    }
    if (cols > m_cols) {
        beginInsertColumns({}, m_cols, cols - 1);
        m_cols = cols;
        endInsertColumns();
    }
    Q_EMIT dataChanged(index(0, 0), index(m_rows - 1, m_cols - 1));
}

} // namespace zx::xls
