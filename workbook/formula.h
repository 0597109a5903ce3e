#pragma once
// Worksheet formulas: parsing "=..." text into a compact tree, evaluating it against a
// workbook's cells, and shifting its relative references the way a spreadsheet does when a
// cell is copied. Supported: numbers, "text", TRUE/FALSE, error literals, A1 references and
// ranges with '$', sheet references (iSetup!$D$6, 'My sheet'!A1), + - * / ^, unary minus,
// parentheses and the functions SUM, MIN, MAX, AVERAGE, STDEV and COUNT.
#include "workbook/workbook_cell.h"

#include <QStringList>

#include <cstdint>
#include <memory>
#include <vector>

namespace zx::wb {

inline constexpr int kMaxFormulaLength = 8192; // a spreadsheet's own limit

enum class FormulaFunc : std::uint8_t { Sum, Min, Max, Average, Stdev, Count, Unknown };

struct FormulaNode {
    enum Kind : std::uint8_t { Number, Text, Bool, Error, Ref, Range, Name, Negate, Add, Sub, Mul, Div, Pow, Call };
    Kind kind = Number;
    FormulaFunc func = FormulaFunc::Unknown; // Call
    std::int16_t sheetSlot = -1;             // Ref/Range: index into Formula::sheetNames, -1 = own sheet
    std::int32_t a = 0; // Ref/Range: row; binary: left node; Negate: operand; Call: first argument slot
    std::int32_t b = 0; // Ref/Range: column; binary: right node; Call: argument count
    std::int32_t a2 = 0, b2 = 0; // Range: last row and column
    double number = 0;           // Number; Bool (0/1); Error (CellError); Text (index into texts)
};

struct Formula {
    QString text; // as written, with the leading '='
    std::vector<FormulaNode> nodes;
    std::vector<std::int32_t> args; // Call arguments, by node index
    int root = 0;
    QStringList texts;      // string literals
    QStringList sheetNames; // sheet prefixes used, as written (without quotes)
    std::vector<int> sheetIndex; // sheetNames resolved by the workbook; -1: no such sheet
};

// Where a run of digits of a formula's text went in its tree: a reference's row, a range's
// first or last row, or a whole number; text positions count from the '='.
struct DigitSlot {
    enum Kind : std::uint8_t { RefRow, RangeFirst, RangeLast, Number };
    Kind kind;
    int textPos;
    int node;
};

// Parses a formula ("=..."). On a syntax error returns nullptr and says why in *error.
// With `slots`, also lists where the digits of references and whole numbers went.
std::unique_ptr<Formula> parseFormula(const QString &text, QString *error = nullptr,
                                      std::vector<DigitSlot> *slots = nullptr);

// The formula text with every relative row moved by dRows and relative column by dCols
// ('$' parts stay); a reference pushed off the sheet becomes #REF!.
QString shiftFormula(const QString &text, int dRows, int dCols);

// Where the evaluation reads cells from (the workbook).
class FormulaCells {
public:
    virtual ~FormulaCells() = default;
    virtual const CellValue *cellValue(int sheet, int row, int col) const = 0; // nullptr: empty
    virtual CellAddr usedExtent(int sheet) const = 0; // last used row and column
};

CellValue evaluateFormula(const Formula &f, int ownSheet, const FormulaCells &cells);

} // namespace zx::wb
