#pragma once
// What a workbook cell holds: its value (as a spreadsheet shows it), its format, and the
// A1-style address helpers shared by the model, the formula engine and the file codecs.
#include <QString>

#include <variant>

namespace zx::wb {

// Rows and columns are 1-based, as the user sees them ("A1" is row 1, column 1).
inline constexpr int kMaxRows = 1048576;
inline constexpr int kMaxColumns = 16384;

enum class CellError { Div0, Value, Ref, Name, Num, NA };
QString errorText(CellError e); // "#DIV/0!", "#VALUE!", ...
bool errorFromText(const QString &text, CellError *out);

// Empty, number, text, yes/no or an error value.
using CellValue = std::variant<std::monostate, double, QString, bool, CellError>;

inline bool isEmpty(const CellValue &v) { return std::holds_alternative<std::monostate>(v); }
inline bool isNumber(const CellValue &v) { return std::holds_alternative<double>(v); }
inline bool isText(const CellValue &v) { return std::holds_alternative<QString>(v); }
inline bool isError(const CellValue &v) { return std::holds_alternative<CellError>(v); }
// The value as a spreadsheet displays it without a number format (errors as "#DIV/0!").
QString displayText(const CellValue &v);

enum class HAlign : unsigned char { General, Left, Center, Right };

// Excel's automatic font colour; colour indexes 1 to 56 are the standard palette.
inline constexpr int kColorAutomatic = -4105;

struct CellFormat {
    double fontSize = 0; // 0: the workbook's default size
    bool bold = false;
    bool underline = false;
    int colorIndex = kColorAutomatic;
    QString numberFormat; // empty: General
    HAlign align = HAlign::General;
    bool operator==(const CellFormat &) const = default;
};

// 0xRRGGBB of a palette index (1 to 56), or -1 for automatic / unknown indexes.
int paletteColor(int colorIndex);

struct CellAddr {
    int row = 0;
    int col = 0;
    bool operator==(const CellAddr &) const = default;
};

QString columnName(int col);                // 1 -> "A", 28 -> "AB"
QString cellName(int row, int col);         // "B7"
bool parseCellName(const QString &name, CellAddr *out); // "B7" (no '$', no sheet)

} // namespace zx::wb
