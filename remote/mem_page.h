#pragma once
// Driving the chronograph's memory through its Data menu (docs/protocol.md, "Memory page"):
// the memory position, moving the cursor to a folder and string through the Folder and
// String entries, and the memory page of the Keep entries, where Up and Down choose an
// action, Right applies it to the unit under the cursor and PgUp applies it and moves on.
// Every step is one transaction; false as soon as one fails.
#include <QtGlobal>

namespace zx {

class LinkSession;

struct MemPos {
    int folder = 0, string = 0, shot = 0, size = 0;
};

class MemPage {
public:
    // The actions of the page, in the order Down steps through them (Up goes back).
    enum Action { Keep = 0, Restore = 1, Delete = 2, UnDelete = 3, Clear = 4 };
    static constexpr int kActions = 5;

    explicit MemPage(LinkSession &link) : m_link(link) {}

    // Esc, "D" unless the last prompt was "DAT>", then "W"; the answer's "Att=" block
    // must confirm the four values.
    bool readMemPos(MemPos &pos);
    // The cursor to folder (1..10) and string (1..MaxStr), through the Folder and String
    // entries of the Data menu; the chronograph stays in the menu.
    bool goToPosition(int folder, int string);
    // The Keep entry of a scope: 0 shot, 1 string, 2 folder, 3 eDisk (Data menu item 2).
    bool goToEntry(int scope);
    // Enter on the entry: the page opens on the unit under the cursor, action Keep.
    bool open();
    // From Keep, the keys that show action a (Down for the first two, Up for the rest).
    bool choose(Action a);
    // Right: apply the shown action, the unit stays. PgUp: apply and move to the next unit.
    bool apply();
    bool applyAndNext();
    // One key (a key letter) that must end in the Data menu.
    bool menuKey(char letter);
    // A command that must end on the Data prompt ("D" leaves the menu).
    bool command(char letter);

private:
    bool stepValueTo(int want, int maxSteps);

    LinkSession &m_link;
};

} // namespace zx
