// The workbook: sheets, the shared format table, and recalculation over the dependency index.
#include "workbook/workbook.h"
#include "workbook/workbook_deps.h"
#include "workbook/formula_cache.h"

#include <algorithm>

namespace zx::wb {

Workbook::Workbook() : m_deps(std::make_unique<DependencyIndex>()), m_parsed(std::make_unique<FormulaCache>())
{
    m_formats.emplace_back();
}

Workbook::~Workbook() = default;

Worksheet &Workbook::addSheet(const QString &name)
{
    m_sheets.push_back(std::unique_ptr<Worksheet>(new Worksheet(this, sheetCount(), name)));
    // Formulas written before this sheet existed can now read it.
    if (m_unresolvedFormulas > 0) {
        rebindAll();
        recalculateAll();
    }
    return *m_sheets.back();
}

int Workbook::sheetIndex(const QString &name) const
{
    for (int i = 0; i < sheetCount(); ++i)
        if (m_sheets[std::size_t(i)]->name().compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

Worksheet *Workbook::sheet(const QString &name)
{
    const int i = sheetIndex(name);
    return i < 0 ? nullptr : m_sheets[std::size_t(i)].get();
}

std::uint16_t Workbook::formatId(const CellFormat &f)
{
    for (std::size_t i = 0; i < m_formats.size(); ++i)
        if (m_formats[i] == f)
            return std::uint16_t(i);
    if (m_formats.size() >= 0xFFFF)
        return 0;
    m_formats.push_back(f);
    return std::uint16_t(m_formats.size() - 1);
}

Cell *Workbook::cellAt(std::uint64_t key)
{
    const int s = keySheet(key), row = keyRow(key), col = keyCol(key);
    if (s >= sheetCount())
        return nullptr;
    auto &rows = m_sheets[std::size_t(s)]->m_rows;
    if (row < 1 || row > int(rows.size()))
        return nullptr;
    auto &cells = rows[std::size_t(row - 1)].cells;
    return col >= 1 && col <= int(cells.size()) ? &cells[std::size_t(col - 1)] : nullptr;
}

const CellValue *Workbook::cellValue(int sheet, int row, int col) const
{
    if (sheet < 0 || sheet >= sheetCount())
        return nullptr;
    const Cell *c = m_sheets[std::size_t(sheet)]->cell(row, col);
    return c && !isEmpty(c->value) ? &c->value : nullptr;
}

CellAddr Workbook::usedExtent(int sheet) const
{
    return sheet >= 0 && sheet < sheetCount() ? m_sheets[std::size_t(sheet)]->usedExtent() : CellAddr{};
}

void Workbook::bind(Worksheet &ws, int row, int col, Cell &cell)
{
    Formula &f = *cell.formula;
    cell.generation = ++m_generation;
    for (int i = 0; i < f.sheetNames.size(); ++i) {
        f.sheetIndex[std::size_t(i)] = sheetIndex(f.sheetNames[i]);
        if (f.sheetIndex[std::size_t(i)] < 0)
            ++m_unresolvedFormulas;
    }
    const std::uint64_t key = cellKey(ws.index(), row, col);
    const auto sameCells = [](const FormulaNode &x, const FormulaNode &y) {
        return x.kind == y.kind && x.sheetSlot == y.sheetSlot && x.a == y.a && x.b == y.b && x.a2 == y.a2 && x.b2 == y.b2;
    };
    for (auto n = f.nodes.cbegin(); n != f.nodes.cend(); ++n) {
        if (n->kind != FormulaNode::Ref && n->kind != FormulaNode::Range)
            continue;
        const int sheet = n->sheetSlot < 0 ? ws.index() : f.sheetIndex[std::size_t(n->sheetSlot)];
        if (sheet < 0 || std::any_of(f.nodes.cbegin(), n, [&](const FormulaNode &m) { return sameCells(m, *n); }))
            continue; // a cell read twice (=A1*A1) is registered once
        const bool single = n->kind == FormulaNode::Ref;
        m_deps->add(sheet, n->a, n->b, single ? n->a : n->a2, single ? n->b : n->b2, key, cell.generation);
    }
}

void Workbook::rebindAll()
{
    m_deps->clear();
    m_unresolvedFormulas = 0;
    for (auto &ws : m_sheets)
        for (std::size_t r = 0; r < ws->m_rows.size(); ++r) {
            auto &cells = ws->m_rows[r].cells;
            for (std::size_t c = 0; c < cells.size(); ++c)
                if (cells[c].formula)
                    bind(*ws, int(r + 1), int(c + 1), cells[c]);
        }
}

void Workbook::dependantsOf(std::uint64_t key, std::vector<std::uint64_t> &out)
{
    m_deps->collect(
        keySheet(key), keyRow(key), keyCol(key),
        [this](const Dependency &d) {
            const Cell *c = cellAt(d.dependant);
            return c && c->formula && c->generation == d.generation;
        },
        out);
}

void Workbook::cellChanged(int sheet, int row, int col)
{
    m_lastRecalc = 0;
    const std::uint64_t key = cellKey(sheet, row, col);
    std::vector<std::uint64_t> dirty;
    const Cell *c = cellAt(key);
    if (c && c->formula)
        dirty.push_back(key);
    else
        dependantsOf(key, dirty);
    if (!dirty.empty())
        recalculate(std::move(dirty));
}

void Workbook::recalculateAll()
{
    std::vector<std::uint64_t> all;
    for (auto &ws : m_sheets)
        for (std::size_t r = 0; r < ws->m_rows.size(); ++r) {
            auto &cells = ws->m_rows[r].cells;
            for (std::size_t c = 0; c < cells.size(); ++c)
                if (cells[c].formula)
                    all.push_back(cellKey(ws->index(), int(r + 1), int(c + 1)));
        }
    m_lastRecalc = 0;
    if (!all.empty())
        recalculate(std::move(all));
}

// The formulas reachable from `dirty` are evaluated precedents first (Kahn's order over the
// dependency edges); whatever is left belongs to or hangs on a cycle and shows #REF!.
void Workbook::recalculate(std::vector<std::uint64_t> dirty)
{
    auto evaluate = [this](std::uint64_t key) {
        Cell *c = cellAt(key);
        if (c && c->formula && !c->formula->nodes.empty())
            c->value = evaluateFormula(*c->formula, keySheet(key), *this);
    };
    std::vector<std::uint64_t> found;
    if (dirty.size() == 1) { // the common case: one new formula, or one value read by one formula
        dependantsOf(dirty[0], found);
        if (found.empty()) {
            evaluate(dirty[0]);
            m_lastRecalc = 1;
            return;
        }
    }
    QHash<std::uint64_t, int> position;
    std::vector<std::uint64_t> nodes;
    for (std::uint64_t k : dirty)
        if (!position.contains(k)) {
            position.insert(k, int(nodes.size()));
            nodes.push_back(k);
        }
    std::vector<std::vector<int>> edges;
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        found.clear();
        dependantsOf(nodes[i], found);
        edges.emplace_back();
        for (std::uint64_t d : found) {
            auto it = position.find(d);
            if (it == position.end()) {
                it = position.insert(d, int(nodes.size()));
                nodes.push_back(d);
            }
            edges[i].push_back(it.value());
        }
    }
    std::vector<int> waiting(nodes.size(), 0);
    for (const auto &out : edges)
        for (int e : out)
            ++waiting[std::size_t(e)];
    std::vector<int> ready;
    for (std::size_t i = 0; i < nodes.size(); ++i)
        if (waiting[i] == 0)
            ready.push_back(int(i));
    while (!ready.empty()) {
        const int i = ready.back();
        ready.pop_back();
        evaluate(nodes[std::size_t(i)]);
        for (int e : edges[std::size_t(i)])
            if (--waiting[std::size_t(e)] == 0)
                ready.push_back(e);
    }
    for (std::size_t i = 0; i < nodes.size(); ++i)
        if (waiting[i] > 0)
            if (Cell *c = cellAt(nodes[i]); c && c->formula && !c->formula->nodes.empty())
                c->value = CellError::Ref;
    m_lastRecalc = int(nodes.size());
}

} // namespace zx::wb
