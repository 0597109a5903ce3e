#pragma once
// A long table of test rows split over several processes that ctest runs side by side. The
// environment's ZX_TEST_SHARD="k/n" (k from 0) keeps the k-th of n blocks of neighbouring rows,
// so rows that share a costly set-up stay together; the test functions outside the table run
// in block 0 only. Unset, a process runs everything.
namespace zx::test {

struct TestShard {
    int index = 0;
    int count = 1;
    static TestShard fromEnvironment();
    // Row row of rows: does this process run it?
    bool keepsRow(int row, int rows) const;
    bool keepsTheRest() const { return index == 0; }
};

} // namespace zx::test
