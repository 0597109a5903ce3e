#include "workbook/workbook_deps.h"

namespace zx::wb {

void DependencyIndex::add(int sheet, int firstRow, int firstCol, int lastRow, int lastCol,
                          std::uint64_t dependant, std::uint32_t generation)
{
    const Dependency dep{firstRow, lastRow, firstCol, lastCol, dependant, generation};
    const std::int64_t buckets = std::int64_t((lastRow >> kBucketShift) - (firstRow >> kBucketShift) + 1) *
                                 (lastCol - firstCol + 1);
    if (buckets > kMaxBucketsPerRange) {
        m_wide[sheet].push_back(dep);
        return;
    }
    for (int c = firstCol; c <= lastCol; ++c)
        for (int b = firstRow >> kBucketShift; b <= lastRow >> kBucketShift; ++b)
            m_buckets[bucketKey(sheet, c, b << kBucketShift)].push_back(dep);
}

void DependencyIndex::clear()
{
    m_buckets.clear();
    m_wide.clear();
}

} // namespace zx::wb
