#pragma once
// The RTF control words the reader acts on. Anything else is ignored.
#include <string_view>

namespace zx::rtf {

enum class Kw {
    Unknown,
    // destinations
    Rtf, FontTable, ColorTable, Info, Title, SkipDestination, PnText, ListText, Pn, ListTable,
    Footnote,
    ListOverrideTable, List, ListLevel, ListOverride, FieldResult,
    // document
    Ansi, Mac, Pc, Pca, AnsiCpg, DefaultFont, DefaultTab, Uc, U,
    // fonts and colours
    F, FCharset, Fs, Red, Green, Blue, Cf, Cb, Highlight,
    // character
    Plain, B, I, Ul, UlNone, Strike, Super, Sub, NoSuperSub, Up, Dn, Hidden, Caps, SmallCaps,
    // paragraph
    Pard, Par, Line, Tab, Ql, Qc, Qr, Qj, Li, Ri, Fi, Sb, Sa, Tx, Tqc, Tqr, Tqdec, Ls, Ilvl,
    InTable, Cell, Row, Page, Column,
    // old-style numbering and list tables
    PnLvlBlt, PnLvlBody, PnLvl, PnDec, PnUcLtr, PnLcLtr, PnUcRm, PnLcRm, ListId, LevelNfc,
    // characters
    EmDash, EnDash, EmSpace, EnSpace, QmSpace, Bullet, LQuote, RQuote, LDblQuote, RDblQuote,
    Zwj, Zwnj, LtrMark, RtlMark, Chftn,
};

Kw keyword(std::string_view word);

} // namespace zx::rtf
