#include "export/export_template.h"

namespace zx::xls {

using wb::CellFormat;
using wb::HAlign;
using wb::Worksheet;

namespace {

struct Column {
    const char *name;  // on the names row
    const char *units; // on the units row
    double width;
};

// Columns A to U of a shot row, then the begin-line texts.
constexpr Column kColumns[] = {
    {"Sequence", "(Shot #)", 8},  {"Folder", "(#)", 6},      {"String", "(#)", 6},    {"Shot", "(#)", 6},
    {"Velocity", "(f/s)", 9},     {"", "", 4.5},            {"Time", "(sec)", 8},    {"", "", 4.5},
    {"Temp", "(fah)", 6},         {"", "", 4.5},            {"BLK", "BLK", 4},       {"Min", "(f/s)", 8},
    {"Max", "(f/s)", 8},          {"Average", "(f/s)", 8},  {"Spread", "(f/s)", 8},  {"Std Dev", "(f/s)", 8},
    {"Dev %", "(%)", 8},          {"Bullet", "(grains)", 8}, {"Energy", "(J)", 9},   {"Momentum", "(g m/s)", 9},
    {"Power F.", "(PF)", 9},      {"", "", 30},             {"", "", 24}};

struct Switch {
    const char *valueName;
    const char *label;
    bool on;
};

// The export options that the "iSetup" sheet can supply instead of the settings window.
constexpr Switch kSwitches[] = {
    {"ExpExcUHed0", "Units in Top Fixed Row", true},     {"ExpExcUHed1", "Units Before Every String", true},
    {"ExpExcUHed2", "Units After Data Value", false},    {"ExpExcNHed0", "Names in Top Fixed Row", true},
    {"ExpExcNHed1", "Names Before Every String", true},  {"ExpExcFSts0", "Incremental Stats", true},
    {"ExpExcFSts1", "Summery Stats", true},              {"ExpExcFSts2", "Power & Energy", true},
    {"ExpExcIPos0", "Folder Numbers", true},             {"ExpExcIPos1", "String Numbers", true},
    {"ExpExcIPos2", "Third Identifier", true}};

CellFormat font(double size, bool bold = false, int colorIndex = wb::kColorAutomatic,
                HAlign align = HAlign::Center)
{
    CellFormat f;
    f.fontSize = size;
    f.bold = bold;
    f.colorIndex = colorIndex;
    f.align = align;
    return f;
}

void put(Worksheet &ws, wb::CellAddr at, const wb::CellValue &v, const CellFormat &f)
{
    ws.setValue(at.row, at.col, v);
    ws.setFormat(at.row, at.col, f);
}

void buildShotSheet(Worksheet &ws)
{
    const CellFormat label = font(8, false, 5, HAlign::Right);
    put(ws, {kCounterCell.row, kCounterCell.col - 1}, QStringLiteral("Exports:"), label);
    put(ws, kCounterCell, 0.0, font(8, false, 5));
    put(ws, {kGrainsWeightCell.row, kGrainsWeightCell.col - 1}, QStringLiteral("Bullet grains:"), label);
    CellFormat weight = font(8, true);
    weight.numberFormat = QStringLiteral("0.00");
    put(ws, kGrainsWeightCell, 150.0, weight);
    put(ws, {kGramsWeightCell.row, kGramsWeightCell.col - 1}, QStringLiteral("Bullet grams:"), label);
    // Grams follow the grains until the user types a weight of their own.
    weight.numberFormat = QStringLiteral("0.0000");
    ws.setFormula(kGramsWeightCell.row, kGramsWeightCell.col,
                  QStringLiteral("=$S$1*iSetup!$D$4"));
    ws.setFormat(kGramsWeightCell.row, kGramsWeightCell.col, weight);
    put(ws, kSourceCell, QStringLiteral(""), font(8, false, 5, HAlign::Left));

    const CellFormat names = font(8, true, 5);
    const CellFormat units = font(8, false, 5);
    int col = 1;
    for (const Column &c : kColumns) {
        put(ws, {kNamesRow, col}, QString::fromLatin1(c.name), names);
        put(ws, {kUnitsRow, col}, QString::fromLatin1(c.units), units);
        ws.setColumnWidth(col, c.width);
        ++col;
    }
    put(ws, kBeginLineCell, QString(), font(8, true, 5, HAlign::Left));
    put(ws, kPositionCell, QString(), font(8, false, 5, HAlign::Left));
    put(ws, kNotesCell, QString(), font(8, false, 5, HAlign::Left));
    ws.setRowHeight(kNamesRow, 13.5);
    ws.setRowHeight(kUnitsRow, 12);
    ws.setRowHeight(kFirstShotRow, 12.75);
    ws.setActiveCell({kFirstShotRow, 1});
}

void buildSetupSheet(Worksheet &ws)
{
    put(ws, {1, 2}, QStringLiteral("Zentrix export setup"), font(12, true, wb::kColorAutomatic, HAlign::Left));
    const CellFormat label = font(10, false, wb::kColorAutomatic, HAlign::Left);
    CellFormat constant = font(10, true);
    constant.numberFormat = QStringLiteral("0.00000000");
    put(ws, {3, 2}, QStringLiteral("Conversion constants"), font(10, true, wb::kColorAutomatic, HAlign::Left));
    put(ws, {kGrainsToGramsCell.row, 2}, QStringLiteral("Grains to Grams"), label);
    put(ws, kGrainsToGramsCell, 0.06479891, constant);
    put(ws, {kGramsToGrainsCell.row, 2}, QStringLiteral("Grams to Grains"), label);
    put(ws, kGramsToGrainsCell, 1 / 0.06479891, constant);
    put(ws, {kFeetToMetresCell.row, 2}, QStringLiteral("Feet to Metres"), label);
    put(ws, kFeetToMetresCell, 0.3048, constant);

    put(ws, {kFirstSwitchRow - 1, 2}, QStringLiteral("Export switches (YES or NO)"),
        font(10, true, wb::kColorAutomatic, HAlign::Left));
    int row = kFirstSwitchRow;
    for (const Switch &s : kSwitches) {
        put(ws, {row, 2}, QString::fromLatin1(s.label), label);
        put(ws, {row, 3}, QString::fromLatin1(s.valueName), font(8, false, 16, HAlign::Left));
        put(ws, {row, 4}, s.on ? QStringLiteral("YES") : QStringLiteral("NO"), font(10, true));
        ++row;
    }
    ws.setColumnWidth(1, 3);
    ws.setColumnWidth(2, 34);
    ws.setColumnWidth(3, 14);
    ws.setColumnWidth(4, 14);
}

} // namespace

std::unique_ptr<wb::Workbook> buildExportTemplate()
{
    auto book = std::make_unique<wb::Workbook>();
    for (const char *name : kSheetNames)
        book->addSheet(QString::fromLatin1(name));
    buildSetupSheet(book->sheet(kSetupSheet - 1));
    for (int i = 0; i < kLastShotSheet; ++i)
        buildShotSheet(book->sheet(i));
    put(book->sheet(kLastShotSheet - 1), kLinkStatusCell, QStringLiteral("Link Off"),
        font(10, true, 3, HAlign::Left));
    put(book->sheet(6), {1, 1}, QStringLiteral("iPad"), font(12, true, wb::kColorAutomatic, HAlign::Left));
    return book;
}

wb::XlsxResult writeExportTemplate(const QString &path) { return wb::writeXlsx(*buildExportTemplate(), path); }

} // namespace zx::xls
