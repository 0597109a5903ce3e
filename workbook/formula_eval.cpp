// Evaluating a parsed formula with a spreadsheet's rules: text in referenced cells is skipped
// by the aggregates, text typed as an argument must read as a number, errors propagate.
#include "workbook/formula.h"

#include <cmath>
#include <limits>

namespace zx::wb {

namespace {

// Numbers gathered by an aggregate; mean and spread by Welford's update (stable for
// velocities around 3000 with small deviations).
struct Numbers {
    int count = 0;
    double sum = 0, min = std::numeric_limits<double>::infinity(), max = -min, mean = 0, m2 = 0;
    void add(double x)
    {
        ++count;
        sum += x;
        min = std::min(min, x);
        max = std::max(max, x);
        const double d = x - mean;
        mean += d / count;
        m2 += d * (x - mean);
    }
};

class Evaluator {
public:
    Evaluator(const Formula &f, int ownSheet, const FormulaCells &cells)
        : m_f(f), m_own(ownSheet), m_cells(cells)
    {
    }

    CellValue value(int idx)
    {
        const FormulaNode &n = m_f.nodes[std::size_t(idx)];
        switch (n.kind) {
        case FormulaNode::Number: return n.number;
        case FormulaNode::Bool: return n.number != 0;
        case FormulaNode::Text: return m_f.texts[int(n.number)];
        case FormulaNode::Error: return CellError(int(n.number));
        case FormulaNode::Name: return CellError::Name;
        case FormulaNode::Range: return CellError::Value; // no implicit intersection
        case FormulaNode::Ref: {
            const int sheet = sheetOf(n);
            if (sheet < 0)
                return CellError::Ref;
            const CellValue *v = m_cells.cellValue(sheet, n.a, n.b);
            return v ? *v : CellValue{};
        }
        case FormulaNode::Negate: {
            const CellValue v = number(n.a);
            return isError(v) ? v : CellValue(-std::get<double>(v));
        }
        case FormulaNode::Add:
        case FormulaNode::Sub:
        case FormulaNode::Mul:
        case FormulaNode::Div:
        case FormulaNode::Pow: return arithmetic(n);
        case FormulaNode::Call: return call(n);
        }
        return CellError::Value;
    }

private:
    int sheetOf(const FormulaNode &n) const
    {
        return n.sheetSlot < 0 ? m_own : m_f.sheetIndex[std::size_t(n.sheetSlot)];
    }

    // The node's value as a number for arithmetic: empty is 0, TRUE is 1, numeric text converts.
    CellValue number(int idx)
    {
        const CellValue v = value(idx);
        if (isNumber(v) || isError(v))
            return v;
        if (isEmpty(v))
            return 0.0;
        if (const bool *b = std::get_if<bool>(&v))
            return *b ? 1.0 : 0.0;
        bool ok = false;
        const double d = std::get<QString>(v).trimmed().toDouble(&ok);
        return ok ? CellValue(d) : CellValue(CellError::Value);
    }

    CellValue arithmetic(const FormulaNode &n)
    {
        const CellValue l = number(n.a);
        if (isError(l))
            return l;
        const CellValue r = number(n.b);
        if (isError(r))
            return r;
        const double x = std::get<double>(l), y = std::get<double>(r);
        switch (n.kind) {
        case FormulaNode::Add: return x + y;
        case FormulaNode::Sub: return x - y;
        case FormulaNode::Mul: return x * y;
        case FormulaNode::Div:
            if (y == 0)
                return CellError::Div0;
            return x / y;
        default:
            if (x == 0 && y < 0)
                return CellError::Div0;
            if (x == 0 && y == 0)
                return CellError::Num;
            return std::pow(x, y);
        }
    }

    // Collects the numbers of every argument; returns an error value when one stops the function.
    bool gather(const FormulaNode &call, Numbers &nums, CellValue *error)
    {
        const bool counting = call.func == FormulaFunc::Count;
        for (int i = 0; i < call.b; ++i) {
            const int argIdx = m_f.args[std::size_t(call.a + i)];
            const FormulaNode &arg = m_f.nodes[std::size_t(argIdx)];
            if (arg.kind == FormulaNode::Ref || arg.kind == FormulaNode::Range) {
                const int sheet = sheetOf(arg);
                if (sheet < 0) {
                    if (counting)
                        continue;
                    *error = CellError::Ref;
                    return false;
                }
                const CellAddr used = m_cells.usedExtent(sheet);
                const int lastRow = std::min(arg.kind == FormulaNode::Ref ? arg.a : arg.a2, used.row);
                const int lastCol = std::min(arg.kind == FormulaNode::Ref ? arg.b : arg.b2, used.col);
                for (int r = arg.a; r <= lastRow; ++r)
                    for (int c = arg.b; c <= lastCol; ++c) {
                        const CellValue *v = m_cells.cellValue(sheet, r, c);
                        if (!v)
                            continue;
                        if (const double *d = std::get_if<double>(v))
                            nums.add(*d);
                        else if (isError(*v) && !counting) {
                            *error = *v;
                            return false;
                        }
                    }
                continue;
            }
            // Typed arguments: numbers, TRUE/FALSE and numeric text count; other text is wrong.
            const CellValue v = number(argIdx);
            if (const double *d = std::get_if<double>(&v))
                nums.add(*d);
            else if (!counting) {
                *error = v;
                return false;
            }
        }
        return true;
    }

    CellValue call(const FormulaNode &n)
    {
        if (n.func == FormulaFunc::Unknown)
            return CellError::Name;
        Numbers nums;
        CellValue error;
        if (!gather(n, nums, &error))
            return error;
        switch (n.func) {
        case FormulaFunc::Sum: return nums.sum;
        case FormulaFunc::Count: return double(nums.count);
        case FormulaFunc::Min: return nums.count ? nums.min : 0.0;
        case FormulaFunc::Max: return nums.count ? nums.max : 0.0;
        case FormulaFunc::Average:
            if (nums.count == 0)
                return CellError::Div0;
            return nums.sum / nums.count;
        case FormulaFunc::Stdev:
            if (nums.count < 2)
                return CellError::Div0;
            return std::sqrt(nums.m2 / (nums.count - 1));
        case FormulaFunc::Unknown: break;
        }
        return CellError::Name;
    }

    const Formula &m_f;
    int m_own;
    const FormulaCells &m_cells;
};

} // namespace

CellValue evaluateFormula(const Formula &f, int ownSheet, const FormulaCells &cells)
{
    if (f.nodes.empty())
        return CellError::Value;
    CellValue v = Evaluator(f, ownSheet, cells).value(f.root);
    if (isEmpty(v))
        return 0.0; // a formula pointing at an empty cell shows 0
    if (const double *d = std::get_if<double>(&v); d && !std::isfinite(*d))
        return CellError::Num;
    return v;
}

} // namespace zx::wb
