#pragma once
// A long table of test rows split over several processes that ctest runs side by side. The
// environment's ZX_TEST_SHARD="k/n" (k from 0) keeps every n-th row from row k, so the slow rows
// of a table (which come together) spread over all processes; the test functions outside the
// table run in process 0 only. Unset, a process runs everything.
namespace zx::test {

struct TestShard {
    int index = 0;
    int count = 1;
    static TestShard fromEnvironment();
    // Does this process run row (0-based) of the table?
    bool keepsRow(int row) const { return row % count == index; }
    bool keepsTheRest() const { return index == 0; }
};

} // namespace zx::test
