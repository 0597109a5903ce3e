// The worksheet: cell storage, formats, row and column measures, hyperlinks, row copies.
#include "workbook/workbook.h"
#include "workbook/formula_cache.h"

#include <algorithm>

namespace zx::wb {

namespace {
const CellFormat kDefaultFormat;

bool validCell(int row, int col) { return row >= 1 && row <= kMaxRows && col >= 1 && col <= kMaxColumns; }
} // namespace

Worksheet::Row &Worksheet::rowForWrite(int row)
{
    if (int(m_rows.size()) < row)
        m_rows.resize(std::size_t(row));
    return m_rows[std::size_t(row - 1)];
}

Worksheet::ColumnInfo &Worksheet::columnForWrite(int col)
{
    if (int(m_columns.size()) < col)
        m_columns.resize(std::size_t(col));
    return m_columns[std::size_t(col - 1)];
}

Cell &Worksheet::cellForWrite(int row, int col)
{
    Row &r = rowForWrite(row);
    if (int(r.cells.size()) < col) {
        if (r.cells.empty()) // rows are usually as wide as the ones before
            r.cells.reserve(std::size_t(std::max(col, m_lastCol)));
        r.cells.resize(std::size_t(col));
    }
    m_lastRow = std::max(m_lastRow, row);
    m_lastCol = std::max(m_lastCol, col);
    return r.cells[std::size_t(col - 1)];
}

const Cell *Worksheet::cell(int row, int col) const
{
    if (row < 1 || row > int(m_rows.size()))
        return nullptr;
    const Row &r = m_rows[std::size_t(row - 1)];
    if (col < 1 || col > int(r.cells.size()))
        return nullptr;
    return &r.cells[std::size_t(col - 1)];
}

void Worksheet::setValue(int row, int col, const CellValue &value)
{
    if (!validCell(row, col))
        return;
    Cell &c = cellForWrite(row, col);
    c.value = value;
    c.formula.reset();
    m_book->cellChanged(m_index, row, col);
}

void Worksheet::clearCell(int row, int col) { setValue(row, col, CellValue{}); }

bool Worksheet::setFormula(int row, int col, const QString &text, QString *error)
{
    if (!validCell(row, col)) {
        if (error)
            *error = QStringLiteral("no such cell");
        return false;
    }
    std::unique_ptr<Formula> f = m_book->m_parsed->parse(text, error);
    if (!f)
        return false;
    placeFormula(row, col, std::move(f), nullptr);
    return true;
}

void Worksheet::setFormulaWithResult(int row, int col, const QString &text, const CellValue &result)
{
    if (!validCell(row, col))
        return;
    std::unique_ptr<Formula> f = m_book->m_parsed->parse(text);
    // Functions the engine does not know would turn the file's results into #NAME?.
    const bool foreign = f && std::any_of(f->nodes.begin(), f->nodes.end(), [](const FormulaNode &n) {
                             return n.kind == FormulaNode::Name ||
                                    (n.kind == FormulaNode::Call && n.func == FormulaFunc::Unknown);
                         });
    if (!f || foreign) {
        f = std::make_unique<Formula>();
        f->text = text;
    }
    placeFormula(row, col, std::move(f), &result);
}

void Worksheet::placeFormula(int row, int col, std::unique_ptr<Formula> f, const CellValue *storedResult)
{
    Cell &c = cellForWrite(row, col);
    c.formula = std::move(f);
    m_book->bind(*this, row, col, c);
    if (storedResult)
        c.value = *storedResult;
    else
        m_book->cellChanged(m_index, row, col);
}

CellValue Worksheet::value(int row, int col) const
{
    const Cell *c = cell(row, col);
    return c ? c->value : CellValue{};
}

QString Worksheet::formula(int row, int col) const
{
    const Cell *c = cell(row, col);
    return c && c->formula ? c->formula->text : QString();
}

const CellFormat &Worksheet::format(int row, int col) const
{
    const Cell *c = cell(row, col);
    return c ? m_book->formatAt(c->format) : kDefaultFormat;
}

void Worksheet::setFormat(int row, int col, const CellFormat &format)
{
    if (validCell(row, col))
        cellForWrite(row, col).format = m_book->formatId(format);
}

void Worksheet::setFormatId(int row, int col, std::uint16_t formatId)
{
    if (validCell(row, col))
        cellForWrite(row, col).format = formatId;
}

void Worksheet::setColumnWidth(int col, double width)
{
    if (col >= 1 && col <= kMaxColumns)
        columnForWrite(col).width = width;
}

double Worksheet::columnWidth(int col) const
{
    return col >= 1 && col <= int(m_columns.size()) ? m_columns[std::size_t(col - 1)].width : -1;
}

void Worksheet::setColumnHidden(int col, bool hidden)
{
    if (col >= 1 && col <= kMaxColumns)
        columnForWrite(col).hidden = hidden;
}

bool Worksheet::isColumnHidden(int col) const
{
    return col >= 1 && col <= int(m_columns.size()) && m_columns[std::size_t(col - 1)].hidden;
}

void Worksheet::setRowHeight(int row, double height)
{
    if (row >= 1 && row <= kMaxRows)
        rowForWrite(row).height = height;
}

double Worksheet::rowHeight(int row) const
{
    return row >= 1 && row <= int(m_rows.size()) ? m_rows[std::size_t(row - 1)].height : -1;
}

void Worksheet::setRowHidden(int row, bool hidden)
{
    if (row >= 1 && row <= kMaxRows)
        rowForWrite(row).hidden = hidden;
}

bool Worksheet::isRowHidden(int row) const
{
    return row >= 1 && row <= int(m_rows.size()) && m_rows[std::size_t(row - 1)].hidden;
}

void Worksheet::setHyperlink(int row, int col, const QString &address)
{
    if (!validCell(row, col))
        return;
    if (address.isEmpty())
        m_links.erase({row, col});
    else
        m_links[{row, col}] = address;
}

QString Worksheet::hyperlink(int row, int col) const
{
    const auto it = m_links.find({row, col});
    return it == m_links.end() ? QString() : it->second;
}

void Worksheet::copyRowTo(int fromRow, Worksheet &dest, int toRow) const
{
    if (!validCell(fromRow, 1) || !validCell(toRow, 1) || (&dest == this && fromRow == toRow))
        return;
    const int destCols = toRow <= int(dest.m_rows.size()) ? int(dest.m_rows[std::size_t(toRow - 1)].cells.size()) : 0;
    const int srcCols = fromRow <= int(m_rows.size()) ? int(m_rows[std::size_t(fromRow - 1)].cells.size()) : 0;
    for (int col = 1; col <= std::max(srcCols, destCols); ++col) {
        const Cell *src = cell(fromRow, col);
        if (!src) {
            dest.clearCell(toRow, col);
            dest.setFormat(toRow, col, kDefaultFormat);
            continue;
        }
        // Copy first: dest may be this sheet, and writing can reallocate its rows.
        const CellValue value = src->value;
        const CellFormat fmt = m_book->formatAt(src->format);
        const QString formulaText = src->formula ? src->formula->text : QString();
        dest.setFormat(toRow, col, fmt);
        if (formulaText.isEmpty() || !dest.setFormula(toRow, col, shiftFormula(formulaText, toRow - fromRow, 0)))
            dest.setValue(toRow, col, value);
    }
    dest.setRowHeight(toRow, rowHeight(fromRow));
}

} // namespace zx::wb
