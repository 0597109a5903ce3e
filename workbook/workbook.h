#pragma once
// The program's own workbook: sheets of cells (value, formula, format), column widths and
// row heights with their hidden flags, hyperlinks and the active cell. Every write
// recalculates only the formulas that depend on the written cell; a formula that depends on
// itself, directly or through others, shows #REF! instead of looping.
#include "workbook/formula.h"
#include "workbook/workbook_cell.h"

#include <QHash>

#include <map>
#include <memory>
#include <vector>

namespace zx::wb {

class Workbook;
class DependencyIndex;
class FormulaCache;

struct Cell {
    CellValue value;
    std::unique_ptr<Formula> formula; // a formula with no nodes was read from a file and not understood
    std::uint32_t generation = 0;     // of the formula; dependency entries of replaced formulas are stale
    std::uint16_t format = 0;         // index into the workbook's format table; 0 = default
};

class Worksheet {
public:
    const QString &name() const { return m_name; }
    int index() const { return m_index; }

    // Cells. Writing a value removes a formula; both recalculate what depends on the cell.
    void setValue(int row, int col, const CellValue &value);
    void setNumber(int row, int col, double v) { setValue(row, col, v); }
    void setText(int row, int col, const QString &v) { setValue(row, col, v); }
    // "=..." text; a syntax error leaves the cell unchanged and says why.
    bool setFormula(int row, int col, const QString &text, QString *error = nullptr);
    // A formula with the result stored beside it in a file: nothing is recalculated, and a
    // formula the engine does not understand keeps that result.
    void setFormulaWithResult(int row, int col, const QString &text, const CellValue &result);
    void clearCell(int row, int col);

    const Cell *cell(int row, int col) const;
    CellValue value(int row, int col) const;
    QString formula(int row, int col) const; // empty when the cell holds none
    const CellFormat &format(int row, int col) const;
    void setFormat(int row, int col, const CellFormat &format);
    // The same with an id from Workbook::formatId (writers of many cells look it up once).
    void setFormatId(int row, int col, std::uint16_t formatId);

    // Last row and column that ever held a cell (0, 0 for an empty sheet).
    CellAddr usedExtent() const { return {m_lastRow, m_lastCol}; }

    // Widths in characters, heights in points; -1 = the default.
    void setColumnWidth(int col, double width);
    double columnWidth(int col) const;
    void setColumnHidden(int col, bool hidden);
    bool isColumnHidden(int col) const;
    int lastFormattedColumn() const { return int(m_columns.size()); }
    void setRowHeight(int row, double height);
    double rowHeight(int row) const;
    void setRowHidden(int row, bool hidden);
    bool isRowHidden(int row) const;
    int lastFormattedRow() const { return int(m_rows.size()); }

    void setHyperlink(int row, int col, const QString &address);
    QString hyperlink(int row, int col) const;
    const std::map<std::pair<int, int>, QString> &hyperlinks() const { return m_links; }

    void setActiveCell(CellAddr a) { m_active = a; }
    CellAddr activeCell() const { return m_active; }

    // Copies a row's cells (values, formats, formulas with relative references shifted as a
    // spreadsheet does) and its height onto row `toRow` of `dest`, replacing what was there.
    void copyRowTo(int fromRow, Worksheet &dest, int toRow) const;

private:
    friend class Workbook;
    struct ColumnInfo {
        double width = -1;
        bool hidden = false;
    };
    struct Row {
        std::vector<Cell> cells;
        double height = -1;
        bool hidden = false;
    };
    Worksheet(Workbook *book, int index, const QString &name) : m_book(book), m_index(index), m_name(name) {}
    Cell &cellForWrite(int row, int col);
    Row &rowForWrite(int row);
    ColumnInfo &columnForWrite(int col);
    void placeFormula(int row, int col, std::unique_ptr<Formula> f, const CellValue *storedResult);

    Workbook *m_book;
    int m_index;
    QString m_name;
    std::vector<Row> m_rows;
    std::vector<ColumnInfo> m_columns;
    std::map<std::pair<int, int>, QString> m_links;
    CellAddr m_active{1, 1};
    int m_lastRow = 0, m_lastCol = 0;
};

class Workbook : private FormulaCells {
public:
    Workbook();
    ~Workbook() override;
    Workbook(const Workbook &) = delete;
    Workbook &operator=(const Workbook &) = delete;

    Worksheet &addSheet(const QString &name);
    int sheetCount() const { return int(m_sheets.size()); }
    Worksheet &sheet(int index) { return *m_sheets[std::size_t(index)]; }
    const Worksheet &sheet(int index) const { return *m_sheets[std::size_t(index)]; }
    Worksheet *sheet(const QString &name); // names compare without regard to case; nullptr if none
    int sheetIndex(const QString &name) const;

    int activeSheet() const { return m_activeSheet; }
    void setActiveSheet(int index) { m_activeSheet = index; }

    // Formats are shared: cells hold an index into this table.
    std::uint16_t formatId(const CellFormat &f);
    const CellFormat &formatAt(std::uint16_t id) const { return m_formats[id]; }
    int formatCount() const { return int(m_formats.size()); }

    void recalculateAll();
    // How many formulas the last write (or recalculateAll) evaluated.
    int lastRecalcCount() const { return m_lastRecalc; }

private:
    friend class Worksheet;
    const CellValue *cellValue(int sheet, int row, int col) const override;
    CellAddr usedExtent(int sheet) const override;

    void bind(Worksheet &ws, int row, int col, Cell &cell);
    void cellChanged(int sheet, int row, int col);
    void recalculate(std::vector<std::uint64_t> dirty);
    void dependantsOf(std::uint64_t key, std::vector<std::uint64_t> &out);
    Cell *cellAt(std::uint64_t key);
    void rebindAll();

    std::vector<std::unique_ptr<Worksheet>> m_sheets;
    std::vector<CellFormat> m_formats;
    std::unique_ptr<DependencyIndex> m_deps;
    std::unique_ptr<FormulaCache> m_parsed; // formulas written row after row are parsed once
    std::uint32_t m_generation = 0;
    int m_unresolvedFormulas = 0;
    int m_activeSheet = 0;
    int m_lastRecalc = 0;
};

} // namespace zx::wb
