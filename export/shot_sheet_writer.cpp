#include "export/shot_sheet_writer.h"

#include "cfile/logpad.h"
#include "export/export_template.h"
#include "workbook/workbook.h"

#include <QStringBuilder>

namespace zx::xls {

using wb::CellFormat;

namespace {

enum Fmt { Seq, Ident, Big, Velocity, Plain, Stat, WeightGrains, WeightGrams, Power, EndLine, EndDate, Head };

CellFormat fmt(double size, bool bold, int color, const char *number = "", wb::HAlign align = wb::HAlign::Center)
{
    CellFormat f;
    f.fontSize = size;
    f.bold = bold;
    f.colorIndex = color;
    f.numberFormat = QString::fromLatin1(number);
    f.align = align;
    return f;
}

const QString kUnknown = QStringLiteral("-?-");

wb::CellValue counted(int v) { return v < 1 ? wb::CellValue(kUnknown) : wb::CellValue(double(v)); }

} // namespace

ShotSheetWriter::ShotSheetWriter(wb::Workbook &book, const wb::Workbook &templ) : m_book(book), m_templ(templ)
{
    const CellFormat formats[] = {
        fmt(8, false, 5, "0"),   fmt(8, false, 5),
        fmt(10, true, wb::kColorAutomatic), fmt(10, true, wb::kColorAutomatic, "0.00"),
        fmt(8, false, wb::kColorAutomatic), fmt(8, false, 5, "0.00"),
        fmt(8, true, wb::kColorAutomatic, "0.00"), fmt(8, true, wb::kColorAutomatic, "0.0000"),
        fmt(8, false, 3),        fmt(8, false, 5, "", wb::HAlign::Left),
        [] { CellFormat f = fmt(8, false, 5, "", wb::HAlign::Left); f.underline = true; return f; }(),
        fmt(8, false, 5)};
    for (std::size_t i = 0; i < std::size(formats); ++i)
        m_fmt[i] = m_book.formatId(formats[i]);
    reset();
}

wb::Worksheet &ShotSheetWriter::sheet(int sheet)
{
    return *m_book.sheet(QString::fromLatin1(kSheetNames[sheet - 1]));
}

const wb::Worksheet &ShotSheetWriter::templateSheet(int sheetIndex) const
{
    const int at = m_templ.sheetIndex(QString::fromLatin1(kSheetNames[sheetIndex - 1]));
    return m_templ.sheet(at >= 0 ? at : m_templ.sheetIndex(QString::fromLatin1(kSheetNames[kLastShotSheet - 1])));
}

void ShotSheetWriter::reset()
{
    sequence = 0;
    for (int i = 1; i <= int(m_state.size()); ++i) {
        m_state[std::size_t(i - 1)] = SheetState{};
        // A workbook of the user's own keeps its rows: the next block goes below them.
        if (const wb::Worksheet *ws = m_book.sheet(QString::fromLatin1(kSheetNames[i - 1])))
            state(i).nextRow = std::max(kFirstShotRow, ws->usedExtent().row + 1);
    }
}

QString ShotSheetWriter::positionText(int folder, int string)
{
    return QStringLiteral("    Folder=") + QString::number(folder) + QStringLiteral("    String=") + QString::number(string);
}

int ShotSheetWriter::beginExport(int sheetIndex, const QString &sourceLine)
{
    wb::Worksheet &ws = sheet(sheetIndex);
    const wb::CellValue old = ws.value(kCounterCell.row, kCounterCell.col);
    const int counter = (wb::isNumber(old) ? int(std::get<double>(old)) : 0) + 1;
    ws.setValue(kCounterCell.row, kCounterCell.col, double(counter));
    ws.setValue(kSourceCell.row, kSourceCell.col, sourceLine);
    return counter;
}

void ShotSheetWriter::beginBlock(int sheetIndex, const BlockHead &head)
{
    wb::Worksheet &ws = sheet(sheetIndex);
    SheetState &st = state(sheetIndex);
    const int names = st.nextRow, units = names + 1;
    const wb::Worksheet &t = templateSheet(sheetIndex);
    t.copyRowTo(kNamesRow, ws, names);
    t.copyRowTo(kUnitsRow, ws, units);
    const ShotRecord &u = head.units;
    st.grams = u.velocityUnits == u"m/s";
    if (const double grains = blockGrains ? blockGrains() : 0; grains > 0)
        ws.setValue(kGrainsWeightCell.row, kGrainsWeightCell.col, grains); // grams follow by formula
    const wb::CellAddr weightCell = st.grams ? kGramsWeightCell : kGrainsWeightCell;
    const wb::CellValue w = ws.value(weightCell.row, weightCell.col);
    st.weight = wb::isNumber(w) ? std::get<double>(w) : 0;

    ws.setValue(names, kBeginLineCell.col,
                QStringLiteral("Begin ") + head.kind + QStringLiteral("-Import(") + QString::number(head.counter) + u')');
    ws.setValue(names, kPositionCell.col, head.position);
    ws.setValue(units, kNotesCell.col, QString::fromLatin1(sheetIndex <= 3 ? "String" : "Pause")
                                           + QStringLiteral(" Notes: Type your notes here"));
    ws.setValue(names, 18, QStringLiteral("Bullet"));
    ws.setValue(units, 18, st.grams ? QStringLiteral("(grams)") : QStringLiteral("(grains)"));
    const QString v = u'(' + u.velocityUnits + u')';
    ws.setValue(units, 5, v);
    ws.setValue(units, 7, u'(' + u.timeUnits + u')');
    ws.setValue(units, 9, u'(' + u.temperatureUnits + u')');
    for (int col = 12; col <= 16; ++col)
        ws.setValue(units, col, v);
    st.nextRow = units + 1;
    st.blockStart = st.nextRow;
}

bool ShotSheetWriter::blockHasNoShots(int sheetIndex)
{
    // Both begin rows carry the block marker in column K; a shot row never does.
    const int units = state(sheetIndex).nextRow - 1;
    const wb::Worksheet &ws = sheet(sheetIndex);
    const auto marked = [&ws](int row) {
        const wb::Cell *k = row >= kFirstShotRow ? ws.cell(row, kMarkerColumn) : nullptr;
        return k && k->value == wb::CellValue(QStringLiteral("BLK"));
    };
    return marked(units) && marked(units - 1);
}

void ShotSheetWriter::resumeAt(int sheetIndex, int nextRow, bool grams)
{
    SheetState &st = state(sheetIndex);
    st.nextRow = std::max(nextRow, st.nextRow);
    st.blockStart = 0;
    st.grams = grams;
    const wb::CellAddr weightCell = grams ? kGramsWeightCell : kGrainsWeightCell;
    const wb::CellValue w = sheet(sheetIndex).value(weightCell.row, weightCell.col);
    st.weight = wb::isNumber(w) ? std::get<double>(w) : 0;
}

void ShotSheetWriter::writeShot(int sheetIndex, const ShotRecord &s, bool markerSearch)
{
    wb::Worksheet &ws = sheet(sheetIndex);
    SheetState &st = state(sheetIndex);
    const int row = st.nextRow;
    int start = st.blockStart > 0 ? st.blockStart : kFirstShotRow;
    if (markerSearch || st.blockStart == 0) {
        start = kFirstShotRow;
        for (int r = row - 1; r >= kFirstShotRow; --r) {
            const wb::Cell *k = ws.cell(r, kMarkerColumn);
            if (k && wb::isText(k->value) && std::get<QString>(k->value) == u"BLK") {
                start = r + 1;
                break;
            }
        }
    }
    const int n = row - start + 1;
    ++sequence;
    // Each text is built in one allocation (QStringBuilder's '%'): ten thousand rows write
    // ninety thousand formulas.
    const QString r = QString::number(row);
    const QString e = u"(E" % QString::number(start) % u":E" % r % u')';
    auto put = [&](int col, const wb::CellValue &value, int f) {
        ws.setValue(row, col, value);
        ws.setFormatId(row, col, m_fmt[std::size_t(f)]);
    };
    auto formula = [&](int col, const QString &text, int f) {
        ws.setFormula(row, col, text);
        ws.setFormatId(row, col, m_fmt[std::size_t(f)]);
    };
    put(1, double(sequence), Seq);
    put(2, counted(s.folder), Ident);
    put(3, counted(s.string), Ident);
    put(4, counted(s.shot), Big);
    put(5, s.velocity > 0 ? wb::CellValue(s.velocity) : wb::CellValue(kUnknown), Velocity);
    put(6, s.velocityUnits, Plain);
    put(7, s.time > 0 ? wb::CellValue(s.time) : wb::CellValue(kUnknown), Big);
    put(8, s.timeUnits, Plain);
    put(9, s.temperature >= 998 ? wb::CellValue(kUnknown) : wb::CellValue(s.temperature), Big);
    put(10, s.temperatureUnits, Plain);
    put(11, double(n), Ident);
    formula(12, u"=MIN" % e, Stat);
    formula(13, u"=MAX" % e, Ident);
    formula(14, u"=AVERAGE" % e, Ident);
    formula(15, u"=(M" % r % u"-L" % r % u')', Ident);
    if (n < 2) {
        put(16, 0.0, Ident);
        put(17, 0.0, Ident);
    } else {
        formula(16, u"=STDEV" % e, Ident);
        formula(17, u"=(P" % r % u"* 100)/N" % r, Ident);
    }
    put(18, st.weight, st.grams ? WeightGrams : WeightGrains);
    const QString E = u"$E" % r, R = u"$R" % r;
    if (st.grams) {
        formula(19, u"=(" % E % u'*' % E % u" * (" % R % u"/2000))", Power);
        formula(20, u"=(" % E % u'*' % R % u')', Power);
        formula(21, u"=(" % E % u"/iSetup!$D$6*" % R % u"*iSetup!$D$5/1000)", Power);
    } else {
        formula(19, u"=(" % E % u"*iSetup!$D$6*" % E % u"*iSetup!$D$6 * (" % R % u"*iSetup!$D$4/2000))", Power);
        formula(20, u"=(" % E % u"*iSetup!$D$6*" % R % u"*iSetup!$D$4)", Power);
        formula(21, u"=(" % E % u'*' % R % u"/1000)", Power);
    }
    ws.setActiveCell({row, 1});
    st.nextRow = row + 1;
}

void ShotSheetWriter::endExport(int sheetIndex, const QString &kind, int counter, const QDateTime &when)
{
    wb::Worksheet &ws = sheet(sheetIndex);
    SheetState &st = state(sheetIndex);
    const int row = st.nextRow;
    ws.setValue(row, 1, QStringLiteral("End ") + kind + QStringLiteral("-Import(") + QString::number(counter) + u')');
    ws.setFormatId(row, 1, m_fmt[EndLine]);
    ws.setValue(row, 4, QStringLiteral("Date=") + LogPad::shortDate(when.date()) + QStringLiteral("  Time=")
                            + LogPad::longTime(when.time()));
    ws.setFormatId(row, 4, m_fmt[EndDate]);
    ws.setActiveCell({row, 1});
    st.nextRow = row + 1;
    st.blockStart = 0;
}

} // namespace zx::xls
