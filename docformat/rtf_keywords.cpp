#include "docformat/rtf_keywords.h"

#include <algorithm>
#include <array>

namespace zx::rtf {

namespace {

struct Entry {
    std::string_view name;
    Kw kw;
};

// Sorted by name once; lookups are binary searches on the letters the tokenizer points at.
constexpr Entry kEntries[] = {
    {"rtf", Kw::Rtf}, {"fonttbl", Kw::FontTable}, {"colortbl", Kw::ColorTable}, {"info", Kw::Info},
    {"title", Kw::Title}, {"pntext", Kw::PnText}, {"listtext", Kw::ListText}, {"pn", Kw::Pn},
    {"listtable", Kw::ListTable}, {"listoverridetable", Kw::ListOverrideTable}, {"list", Kw::List},
    {"listlevel", Kw::ListLevel}, {"listoverride", Kw::ListOverride}, {"fldrslt", Kw::FieldResult},
    // Destinations whose content is never shown. Readers must skip them even without \*.
    {"stylesheet", Kw::SkipDestination}, {"pict", Kw::SkipDestination},
    {"object", Kw::SkipDestination}, {"shp", Kw::SkipDestination},
    {"shpinst", Kw::SkipDestination}, {"shptxt", Kw::SkipDestination},
    {"nonshppict", Kw::SkipDestination}, {"header", Kw::SkipDestination},
    {"headerl", Kw::SkipDestination}, {"headerr", Kw::SkipDestination},
    {"headerf", Kw::SkipDestination}, {"footer", Kw::SkipDestination},
    {"footerl", Kw::SkipDestination}, {"footerr", Kw::SkipDestination},
    {"footerf", Kw::SkipDestination}, {"footnote", Kw::Footnote},
    {"fldinst", Kw::SkipDestination}, {"nonesttables", Kw::SkipDestination},
    {"xe", Kw::SkipDestination}, {"tc", Kw::SkipDestination}, {"txe", Kw::SkipDestination},
    {"rxe", Kw::SkipDestination}, {"author", Kw::SkipDestination},
    {"operator", Kw::SkipDestination}, {"subject", Kw::SkipDestination},
    {"keywords", Kw::SkipDestination}, {"comment", Kw::SkipDestination},
    {"doccomm", Kw::SkipDestination}, {"company", Kw::SkipDestination},
    {"creatim", Kw::SkipDestination}, {"revtim", Kw::SkipDestination},
    {"printim", Kw::SkipDestination}, {"buptim", Kw::SkipDestination},
    {"template", Kw::SkipDestination}, {"revtbl", Kw::SkipDestination},
    {"rsidtbl", Kw::SkipDestination}, {"filetbl", Kw::SkipDestination},
    {"docvar", Kw::SkipDestination}, {"datafield", Kw::SkipDestination},
    {"ftnsep", Kw::SkipDestination}, {"ftnsepc", Kw::SkipDestination},
    {"ftncn", Kw::SkipDestination}, {"aftnsep", Kw::SkipDestination},
    {"aftnsepc", Kw::SkipDestination}, {"aftncn", Kw::SkipDestination},
    {"annotation", Kw::SkipDestination}, {"atnid", Kw::SkipDestination},
    {"atnauthor", Kw::SkipDestination}, {"pntxta", Kw::SkipDestination},
    {"pntxtb", Kw::SkipDestination}, {"leveltext", Kw::SkipDestination},
    {"levelnumbers", Kw::SkipDestination}, {"listname", Kw::SkipDestination},
    {"objdata", Kw::SkipDestination}, {"generator", Kw::SkipDestination},
    {"background", Kw::SkipDestination}, {"do", Kw::SkipDestination},
    {"field", Kw::Unknown},
    {"ansi", Kw::Ansi}, {"mac", Kw::Mac}, {"pc", Kw::Pc}, {"pca", Kw::Pca},
    {"ansicpg", Kw::AnsiCpg}, {"deff", Kw::DefaultFont}, {"deftab", Kw::DefaultTab},
    {"uc", Kw::Uc}, {"u", Kw::U},
    {"f", Kw::F}, {"fcharset", Kw::FCharset}, {"fs", Kw::Fs}, {"red", Kw::Red},
    {"green", Kw::Green}, {"blue", Kw::Blue}, {"cf", Kw::Cf}, {"cb", Kw::Cb},
    {"highlight", Kw::Highlight}, {"chcbpat", Kw::Cb},
    {"plain", Kw::Plain}, {"b", Kw::B}, {"i", Kw::I}, {"ul", Kw::Ul}, {"uld", Kw::Ul},
    {"uldb", Kw::Ul}, {"ulw", Kw::Ul}, {"ulwave", Kw::Ul}, {"ulth", Kw::Ul}, {"uldash", Kw::Ul},
    {"uldashd", Kw::Ul}, {"uldashdd", Kw::Ul}, {"ulhwave", Kw::Ul}, {"ulldash", Kw::Ul},
    {"ulthd", Kw::Ul}, {"ulthdash", Kw::Ul}, {"ulthdashd", Kw::Ul}, {"ulthdashdd", Kw::Ul},
    {"ulthldash", Kw::Ul}, {"ululdbwave", Kw::Ul}, {"ulnone", Kw::UlNone},
    {"strike", Kw::Strike}, {"striked", Kw::Strike}, {"super", Kw::Super}, {"sub", Kw::Sub},
    {"nosupersub", Kw::NoSuperSub}, {"up", Kw::Up}, {"dn", Kw::Dn}, {"v", Kw::Hidden},
    {"caps", Kw::Caps}, {"scaps", Kw::SmallCaps},
    {"pard", Kw::Pard}, {"par", Kw::Par}, {"sect", Kw::Par}, {"line", Kw::Line},
    {"tab", Kw::Tab}, {"ql", Kw::Ql}, {"qc", Kw::Qc}, {"qr", Kw::Qr}, {"qj", Kw::Qj},
    {"qd", Kw::Qj}, {"li", Kw::Li}, {"lin", Kw::Li}, {"ri", Kw::Ri}, {"rin", Kw::Ri},
    {"fi", Kw::Fi}, {"sb", Kw::Sb}, {"sa", Kw::Sa}, {"tx", Kw::Tx}, {"tqc", Kw::Tqc},
    {"tqr", Kw::Tqr}, {"tqdec", Kw::Tqdec}, {"ls", Kw::Ls}, {"ilvl", Kw::Ilvl},
    {"intbl", Kw::InTable}, {"cell", Kw::Cell}, {"nestcell", Kw::Cell}, {"row", Kw::Row},
    {"nestrow", Kw::Row}, {"page", Kw::Page}, {"column", Kw::Column},
    {"pnlvlblt", Kw::PnLvlBlt}, {"pnlvlbody", Kw::PnLvlBody}, {"pnlvlcont", Kw::PnLvlBody},
    {"pnlvl", Kw::PnLvl}, {"pndec", Kw::PnDec}, {"pnucltr", Kw::PnUcLtr},
    {"pnlcltr", Kw::PnLcLtr}, {"pnucrm", Kw::PnUcRm}, {"pnlcrm", Kw::PnLcRm},
    {"listid", Kw::ListId}, {"levelnfc", Kw::LevelNfc}, {"levelnfcn", Kw::LevelNfc},
    {"emdash", Kw::EmDash}, {"endash", Kw::EnDash}, {"emspace", Kw::EmSpace},
    {"enspace", Kw::EnSpace}, {"qmspace", Kw::QmSpace}, {"bullet", Kw::Bullet}, {"chftn", Kw::Chftn},
    {"lquote", Kw::LQuote}, {"rquote", Kw::RQuote}, {"ldblquote", Kw::LDblQuote},
    {"rdblquote", Kw::RDblQuote}, {"zwj", Kw::Zwj}, {"zwnj", Kw::Zwnj},
    {"ltrmark", Kw::LtrMark}, {"rtlmark", Kw::RtlMark},
};

constexpr size_t kCount = sizeof(kEntries) / sizeof(kEntries[0]);

std::array<Entry, kCount> sortedEntries()
{
    std::array<Entry, kCount> a;
    std::copy(std::begin(kEntries), std::end(kEntries), a.begin());
    std::sort(a.begin(), a.end(), [](const Entry &x, const Entry &y) { return x.name < y.name; });
    return a;
}

} // namespace

Kw keyword(std::string_view word)
{
    static const std::array<Entry, kCount> table = sortedEntries();
    const auto it = std::lower_bound(table.begin(), table.end(), word,
                                     [](const Entry &e, std::string_view w) { return e.name < w; });
    if (it != table.end() && it->name == word)
        return it->kw;
    return Kw::Unknown;
}

} // namespace zx::rtf
