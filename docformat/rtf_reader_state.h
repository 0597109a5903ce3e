#pragma once
// The formatting state the RTF reader keeps per group: what the next characters and the current
// paragraph look like. Plain values so that saving and restoring a group is a cheap copy.
#include <QList>
#include <QTextOption>

namespace zx::rtf {

struct CharState {
    int font = -1;        // font table number, -1 none
    int sizeHalfPt = 24;  // \fs
    int fg = 0;           // colour table index, 0 = automatic
    int bg = 0;           // colour table index, 0 = none
    int offset = 0;       // \up (+) / \dn (-), half-points
    signed char vAlign = 0; // 1 superscript, -1 subscript
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool hidden = false;
    bool caps = false;
    bool smallCaps = false;

    bool operator==(const CharState &) const = default;
};

struct ParaState {
    int align = 0;       // 0 left, 1 centre, 2 right, 3 justify
    int leftTw = 0;      // \li
    int rightTw = 0;     // \ri
    int firstTw = 0;     // \fi
    int spaceBeforeTw = 0;
    int spaceAfterTw = 0;
    QList<QTextOption::Tab> tabs;
    int nextTabType = 0; // 0 left, 1 centre, 2 right, 3 decimal: applies to the next \tx
    // Lists: \ls + \ilvl (list table) or old-style \pn numbering. A paragraph that only has a
    // \pntext/\listtext marker is tracked by the reader itself, per paragraph.
    int ls = 0;
    int level = 0;
    int pnStyle = 0;     // 0 none, else a QTextListFormat::Style value + 100 (so 0 stays "none")
    bool inTable = false;
};

} // namespace zx::rtf
