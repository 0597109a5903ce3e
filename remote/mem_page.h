#pragma once
// Driving the chronograph's memory through its Data menu (docs/protocol.md, "Memory page"):
// the memory position, moving the cursor to a folder and string through the Folder and
// String entries, and the memory page of the Keep entries, where Up and Down choose an
// action, Right applies it to the unit under the cursor and PgUp applies it and moves on.
// Every step is one transaction; false as soon as one fails.
//
// Nothing is applied blind: every answer of the page names its unit and action
// ("Fol=01 Str=04 Delete"), and each one must be the unit given to expect() with the action
// the keys so far lead to. The action key goes out only while the page shows exactly that;
// otherwise the page stops and problem() says what the chronograph showed.
#include <QString>
#include <QtGlobal>

namespace zx {

class LinkSession;

// A folder, string or shot number as the chronograph writes it: two digits, zero-padded.
QString twoDigits(int n);

struct MemPos {
    int folder = 0, string = 0, shot = 0, size = 0;
};

class MemPage {
public:
    // The actions of the page, in the order Down steps through them (Up goes back).
    enum Action { Keep = 0, Restore = 1, Delete = 2, UnDelete = 3, Clear = 4 };
    static constexpr int kActions = 5;

    explicit MemPage(LinkSession &link) : m_link(link) {}

    // The page's text of a unit: scope 0 "Fol=01 Str=04 Sho=06", 1 "Fol=01 Str=04",
    // 2 and 3 "Fol=01"; and of an action ("Delete").
    static QString unitText(int scope, const MemPos &pos);
    static QString actionName(Action a);

    // Esc, "D" unless the last prompt was "DAT>", then "W"; the answer's "Att=" block
    // must confirm the four values.
    bool readMemPos(MemPos &pos);
    // The cursor to folder (1..10) and string (1..MaxStr), through the Folder and String
    // entries of the Data menu; the chronograph stays in the menu.
    bool goToPosition(int folder, int string);
    // The Keep entry of a scope: 0 shot, 1 string, 2 folder, 3 eDisk (Data menu item 2).
    bool goToEntry(int scope);
    // The unit the next page answers must name.
    void expect(const QString &unit) { m_unit = unit; }
    // Enter on the entry: the page opens on the unit under the cursor, action Keep.
    bool open();
    // From Keep, the keys that show action a (Down for the first two, Up for the rest).
    bool choose(Action a);
    // One Down (or Up) from the action shown: the next (previous) action on the same unit.
    bool moveAction(bool down);
    // Right: apply the shown action, the unit stays. PgUp: apply and move to the next unit.
    // Each answer must confirm the unit and action with "Done" or "Empty".
    bool apply();
    bool applyAndNext();
    // A command that must end on the Data prompt ("D" leaves the menu).
    bool command(char letter);

    // What went wrong, for the user: what the chronograph showed and what was expected;
    // empty while all went well. actionSent(): the action key had gone out before it.
    QString problem() const { return m_problem; }
    bool actionSent() const { return m_actionSent; }

private:
    bool stepValueTo(int pos, int want, int maxSteps);
    bool menuKey(char letter);
    // The last answer must be the page showing text.
    bool shows(const QString &text);
    bool applyKey(char letter);
    bool fail(const QString &wanted);
    QString shownNow() const;

    LinkSession &m_link;
    QString m_unit;
    Action m_action = Keep;
    QString m_problem;
    bool m_actionSent = false;
};

} // namespace zx
