#pragma once
// The answer endings each class of request waits for, tested against the whole response
// buffer from its first character. One object per transaction keeps the class's phase.
#include "link/cro_state.h"
#include "link/cro_txn.h"

#include <QString>

namespace zx {

enum class CroClass;

class CroEndings {
public:
    explicit CroEndings(CroClass cls) : m_cls(cls) {}

    // One pass of the wait loop: test the endings of the current phase. Returns the result
    // (1..5) when an ending completes the transaction, else 0. Sets txn.prompt / txn.menu and
    // the chronograph flags the endings carry. A phase advances at most once per pass;
    // phaseAdvanced tells the caller to look again without waiting for more text.
    int test(const QString &rsp, CroTxn &txn, CroState &cro, bool &phaseAdvanced);

    int phase() const { return m_phase; }

private:
    int advance(int to, bool &phaseAdvanced)
    {
        m_phase = to;
        phaseAdvanced = true;
        return 0;
    }

    CroClass m_cls;
    int m_phase = 0;
};

} // namespace zx
