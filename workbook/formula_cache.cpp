#include "workbook/formula_cache.h"

#include "docformat/decimal_text.h"

#include <algorithm>

namespace zx::wb {

bool FormulaCache::scan(const QString &text, Runs &runs, std::size_t &hash)
{
    std::size_t h = 14695981039346656037ull; // FNV-1a over the text, a run counting as one mark
    const QChar *s = text.constData();
    const int n = int(text.size());
    for (int i = 0; i < n;) {
        const char16_t c = s[i].unicode();
        if (c >= u'0' && c <= u'9') {
            if (runs.count == kMaxRuns)
                return false;
            const int start = i;
            while (i < n && s[i].unicode() >= u'0' && s[i].unicode() <= u'9')
                ++i;
            runs.run[runs.count++] = {start, i - start};
            h = (h ^ 0xFFFFu) * 1099511628211ull;
            continue;
        }
        if (c >= 128 && s[i].isDigit())
            return false;
        h = (h ^ c) * 1099511628211ull;
        ++i;
    }
    hash = h;
    return true;
}

bool FormulaCache::sameShape(const QString &a, const std::vector<Run> &aRuns, const QString &b, const Runs &bRuns)
{
    if (int(aRuns.size()) != bRuns.count)
        return false;
    const QStringView va(a), vb(b);
    int pa = 0, pb = 0;
    for (int k = 0; k < bRuns.count; ++k) {
        if (va.mid(pa, aRuns[std::size_t(k)].pos - pa) != vb.mid(pb, bRuns.run[k].pos - pb))
            return false;
        pa = aRuns[std::size_t(k)].pos + aRuns[std::size_t(k)].len;
        pb = bRuns.run[k].pos + bRuns.run[k].len;
    }
    return va.mid(pa) == vb.mid(pb);
}

std::unique_ptr<Formula> FormulaCache::fill(const Shape &shape, const QString &text, const Runs &runs)
{
    auto f = std::make_unique<Formula>(shape.formula);
    f->text = text;
    int rangeFirst = 0;
    for (int k = 0; k < runs.count; ++k) {
        const QStringView digits = QStringView(text).mid(runs.run[k].pos, runs.run[k].len);
        const int s = shape.slot[std::size_t(k)];
        if (s < 0) {
            const Run &was = shape.runs[std::size_t(k)];
            if (digits != QStringView(shape.formula.text).mid(was.pos, was.len))
                return nullptr;
            continue;
        }
        const DigitSlot &slot = shape.slots[std::size_t(s)];
        FormulaNode &node = f->nodes[std::size_t(slot.node)];
        if (slot.kind == DigitSlot::Number) {
            readDecimal(digits, &node.number);
            continue;
        }
        if (digits.size() > 7) // as the parser reads a row
            return nullptr;
        int row = 0;
        for (const QChar c : digits)
            row = row * 10 + (c.unicode() - u'0');
        if (row < 1 || row > kMaxRows)
            return nullptr;
        switch (slot.kind) {
        case DigitSlot::RefRow: node.a = node.a2 = row; break;
        case DigitSlot::RangeFirst: rangeFirst = row; break;
        case DigitSlot::RangeLast:
            node.a = std::min(rangeFirst, row);
            node.a2 = std::max(rangeFirst, row);
            break;
        case DigitSlot::Number: break;
        }
    }
    return f;
}

void FormulaCache::remember(std::size_t hash, const Formula &f, const Runs &runs, const std::vector<DigitSlot> &slots)
{
    Shape shape{f, {runs.run, runs.run + runs.count}, std::vector<int>(std::size_t(runs.count), -1), slots};
    std::size_t placed = 0;
    for (std::size_t s = 0; s < slots.size(); ++s)
        for (std::size_t k = 0; k < shape.runs.size(); ++k)
            if (shape.runs[k].pos == slots[s].textPos) {
                shape.slot[k] = int(s);
                ++placed;
            }
    if (placed != slots.size()) // a slot not at the start of a run: keep parsing such text
        return;
    if (m_shapes.size() >= kMaxShapes)
        m_shapes.clear();
    m_shapes.insert(hash, std::move(shape));
}

std::unique_ptr<Formula> FormulaCache::parse(const QString &text, QString *error)
{
    Runs runs;
    std::size_t hash = 0;
    if (!text.startsWith(u'=') || text.size() > kMaxFormulaLength || !scan(text, runs, hash))
        return parseFormula(text, error);
    if (const auto it = m_shapes.constFind(hash);
        it != m_shapes.constEnd() && sameShape(it->formula.text, it->runs, text, runs))
        if (std::unique_ptr<Formula> f = fill(*it, text, runs))
            return f;
    std::vector<DigitSlot> slots;
    std::unique_ptr<Formula> f = parseFormula(text, error, &slots);
    if (f)
        remember(hash, *f, runs, slots);
    return f;
}

} // namespace zx::wb
