#include "workbook/workbook_cell.h"

#include <array>

namespace zx::wb {

namespace {
struct ErrorName {
    CellError error;
    const char *text;
};
constexpr std::array<ErrorName, 6> kErrorNames{{{CellError::Div0, "#DIV/0!"},
                                                {CellError::Value, "#VALUE!"},
                                                {CellError::Ref, "#REF!"},
                                                {CellError::Name, "#NAME?"},
                                                {CellError::Num, "#NUM!"},
                                                {CellError::NA, "#N/A"}}};

// Excel's default 56-colour palette, by colour index.
constexpr std::array<int, 56> kPalette{
    0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF, 0x800000, 0x008000,
    0x000080, 0x808000, 0x800080, 0x008080, 0xC0C0C0, 0x808080, 0x9999FF, 0x993366, 0xFFFFCC, 0xCCFFFF,
    0x660066, 0xFF8080, 0x0066CC, 0xCCCCFF, 0x000080, 0xFF00FF, 0xFFFF00, 0x00FFFF, 0x800080, 0x800000,
    0x008080, 0x0000FF, 0x00CCFF, 0xCCFFFF, 0xCCFFCC, 0xFFFF99, 0x99CCFF, 0xFF99CC, 0xCC99FF, 0xFFCC99,
    0x3366FF, 0x33CCCC, 0x99CC00, 0xFFCC00, 0xFF9900, 0xFF6600, 0x666699, 0x969696, 0x003366, 0x339966,
    0x003300, 0x333300, 0x993300, 0x993366, 0x333399, 0x333333};
} // namespace

QString errorText(CellError e)
{
    for (const auto &n : kErrorNames)
        if (n.error == e)
            return QString::fromLatin1(n.text);
    return QStringLiteral("#VALUE!");
}

bool errorFromText(const QString &text, CellError *out)
{
    for (const auto &n : kErrorNames)
        if (text == QLatin1String(n.text)) {
            *out = n.error;
            return true;
        }
    return false;
}

QString displayText(const CellValue &v)
{
    if (const double *d = std::get_if<double>(&v))
        return QString::number(*d, 'g', 15);
    if (const QString *s = std::get_if<QString>(&v))
        return *s;
    if (const bool *b = std::get_if<bool>(&v))
        return *b ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    if (const CellError *e = std::get_if<CellError>(&v))
        return errorText(*e);
    return {};
}

int paletteColor(int colorIndex)
{
    if (colorIndex < 1 || colorIndex > int(kPalette.size()))
        return -1;
    return kPalette[std::size_t(colorIndex - 1)];
}

QString columnName(int col)
{
    QString name;
    while (col > 0) {
        const int rem = (col - 1) % 26;
        name.prepend(QChar(char16_t(u'A' + rem)));
        col = (col - 1) / 26;
    }
    return name;
}

QString cellName(int row, int col) { return columnName(col) + QString::number(row); }

bool parseCellName(const QString &name, CellAddr *out)
{
    int i = 0, col = 0, row = 0;
    while (i < name.size() && name[i].isLetter() && name[i].unicode() < 128) {
        col = col * 26 + (name[i].toUpper().unicode() - u'A' + 1);
        if (++i > 3)
            return false;
    }
    if (i == 0 || i == name.size())
        return false;
    for (; i < name.size(); ++i) {
        if (!name[i].isDigit() || row > kMaxRows)
            return false;
        row = row * 10 + name[i].digitValue();
    }
    if (row < 1 || row > kMaxRows || col > kMaxColumns)
        return false;
    *out = {row, col};
    return true;
}

} // namespace zx::wb
