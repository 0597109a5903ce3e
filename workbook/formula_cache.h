#pragma once
// Formulas written row after row differ only in their numbers: =MIN(E5:E12) on one row,
// =MIN(E5:E13) on the next. The cache keeps one parsed formula per shape (the text with its
// runs of digits left out) and makes the next formula of that shape by putting the new rows
// and numbers into a copy of the tree, instead of parsing the text again. Digits that are not
// a row or a whole number (in a sheet name, a text, "1.5") must be the same as in the kept
// formula; anything else, or a row out of range, is parsed in full.
#include "workbook/formula.h"

#include <QHash>

namespace zx::wb {

class FormulaCache {
public:
    // As parseFormula.
    std::unique_ptr<Formula> parse(const QString &text, QString *error = nullptr);

private:
    static constexpr int kMaxRuns = 24;
    static constexpr int kMaxShapes = 256;

    struct Run {
        int pos, len;
    };
    struct Runs {
        Run run[kMaxRuns];
        int count = 0;
    };
    struct Shape {
        Formula formula;
        std::vector<Run> runs;
        std::vector<int> slot; // per run: index into slots, -1 = digits that must not change
        std::vector<DigitSlot> slots;
    };

    // The runs of ASCII digits and a hash of the text without them; false when the text
    // is not worth caching (too many runs, digits of other scripts).
    static bool scan(const QString &text, Runs &runs, std::size_t &hash);
    static bool sameShape(const QString &a, const std::vector<Run> &aRuns, const QString &b, const Runs &bRuns);
    static std::unique_ptr<Formula> fill(const Shape &shape, const QString &text, const Runs &runs);
    void remember(std::size_t hash, const Formula &f, const Runs &runs, const std::vector<DigitSlot> &slots);

    QHash<std::size_t, Shape> m_shapes;
};

} // namespace zx::wb
