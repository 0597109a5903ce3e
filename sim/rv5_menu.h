#pragma once
// The RV5's two on-screen menus. An entry sits at (item, sub-item); Right/Left move between
// items (sub-item back to 0), Down/Up between the sub-items of an item, Enter shows the entry's
// value, PgUp ("K") turns an ON/OFF entry on or raises a stepped one, PgDn ("O") turns it off or
// lowers it. The full table is in docs/protocol.md.
#include "sim/edisk.h"
#include "sim/rv5_state.h"

#include <QByteArray>

namespace zx::sim {

class Rv5Menus {
public:
    Rv5Menus(Rv5State &st, EDisk &disk) : m_st(st), m_disk(disk) {}

    static int itemCount(int menu);
    static int subCount(int menu, int item);
    static QByteArray label(int menu, int item, int sub);

    QByteArray value(int menu, int item, int sub) const;
    // K (up = true) or O on the entry; returns true when something changed.
    bool step(int menu, int item, int sub, bool up);

    // Memory layouts offered by the string-size entry, as strings x 100 + shots.
    static const int *layouts(int *count);

private:
    Rv5State &m_st;
    EDisk &m_disk;
};

} // namespace zx::sim
