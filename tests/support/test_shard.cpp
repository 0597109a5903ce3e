#include "test_shard.h"

#include <QByteArray>
#include <QList>

namespace zx::test {

TestShard TestShard::fromEnvironment()
{
    const QList<QByteArray> parts = qgetenv("ZX_TEST_SHARD").split('/');
    TestShard s;
    bool okIndex = false, okCount = false;
    if (parts.size() == 2) {
        s.index = parts[0].toInt(&okIndex);
        s.count = parts[1].toInt(&okCount);
    }
    if (!okIndex || !okCount || s.count < 1 || s.index < 0 || s.index >= s.count)
        return {};
    return s;
}

} // namespace zx::test
