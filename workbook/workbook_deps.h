#pragma once
// Which formulas read which cells. A formula registers every reference and range it reads;
// a write asks which formulas cover the written cell. Ranges are filed per column in buckets
// of 64 rows, so a lookup scans only the formulas near the cell; very tall ranges go to a
// short list checked on every lookup.
#include <QHash>

#include <cstdint>
#include <vector>

namespace zx::wb {

// A cell as one number: sheet, row and column.
inline std::uint64_t cellKey(int sheet, int row, int col)
{
    return (std::uint64_t(sheet) << 40) | (std::uint64_t(row) << 16) | std::uint64_t(col);
}
inline int keySheet(std::uint64_t k) { return int(k >> 40); }
inline int keyRow(std::uint64_t k) { return int((k >> 16) & 0xFFFFFF); }
inline int keyCol(std::uint64_t k) { return int(k & 0xFFFF); }

struct Dependency {
    std::int32_t firstRow, lastRow;
    std::int32_t firstCol, lastCol;
    std::uint64_t dependant;  // cellKey of the formula
    std::uint32_t generation; // of that formula when it registered
};

class DependencyIndex {
public:
    void add(int sheet, int firstRow, int firstCol, int lastRow, int lastCol, std::uint64_t dependant,
             std::uint32_t generation);
    void clear();

    // Calls isCurrent(dep) for each registered range holding the cell and appends the dependants
    // that are current; stale entries (of replaced formulas) holding the cell are dropped on the way.
    template <typename IsCurrent>
    void collect(int sheet, int row, int col, IsCurrent &&isCurrent, std::vector<std::uint64_t> &out)
    {
        if (auto it = m_buckets.find(bucketKey(sheet, col, row)); it != m_buckets.end())
            scan(it.value(), row, col, isCurrent, out);
        if (auto it = m_wide.find(sheet); it != m_wide.end())
            scan(it.value(), row, col, isCurrent, out);
    }

private:
    static constexpr int kBucketShift = 6;
    static constexpr int kMaxBucketsPerRange = 256;
    static std::uint64_t bucketKey(int sheet, int col, int row)
    {
        return (std::uint64_t(sheet) << 48) | (std::uint64_t(col) << 24) | std::uint64_t(row >> kBucketShift);
    }
    template <typename IsCurrent>
    static void scan(std::vector<Dependency> &deps, int row, int col, IsCurrent &isCurrent,
                     std::vector<std::uint64_t> &out)
    {
        for (std::size_t i = 0; i < deps.size();) {
            const Dependency &d = deps[i];
            if (row < d.firstRow || row > d.lastRow || col < d.firstCol || col > d.lastCol) {
                ++i; // not asked about: whether it is stale can wait
                continue;
            }
            if (!isCurrent(d)) {
                deps[i] = deps.back();
                deps.pop_back();
                continue;
            }
            out.push_back(d.dependant);
            ++i;
        }
    }

    QHash<std::uint64_t, std::vector<Dependency>> m_buckets;
    QHash<int, std::vector<Dependency>> m_wide; // per sheet
};

} // namespace zx::wb
