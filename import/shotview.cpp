#include "import/shotview.h"

#include "import/csv_text.h"
#include "workbook/workbook.h"
#include "workbook/xlsx_file.h"

namespace zx::import {

namespace {

const QString kDevice = QStringLiteral("Garmin Xero (ShotView)");

// Summary labels in the languages the app writes (matched on the upper-cased label).
enum class Label { None, Average, Sd, Spread, Weight, Note, Date };
Label labelOf(const QString &cell)
{
    const QString l = cell.toUpper().simplified();
    if (l == QLatin1String("AVERAGE SPEED"))
        return Label::Average;
    if (l == QLatin1String("STD DEV") || l == QLatin1String("STANDARDABWEICHUNG"))
        return Label::Sd;
    if (l == QLatin1String("SPREAD") || l == QLatin1String("STREUUNG"))
        return Label::Spread;
    if (l.startsWith(QLatin1String("PROJECTILE WEIGHT")) || l.startsWith(QLatin1String("GEWICHT DES PROJEKTILS")))
        return Label::Weight;
    if (l == QLatin1String("SESSION NOTE") || l == QLatin1String("TRAININGSNOTIZ"))
        return Label::Note;
    if (l == QLatin1String("DATE") || l == QLatin1String("DATUM"))
        return Label::Date;
    return Label::None;
}

bool isShotNumber(const QString &cell, int *n)
{
    bool ok = false;
    *n = cell.toInt(&ok);
    return ok && *n > 0;
}

} // namespace

bool readShotViewRows(const QString &title, const std::vector<CellRow> &rows, ImportedSeries *out, QString *error)
{
    std::size_t i = 0;
    while (i < rows.size() && (rows[i].cells.isEmpty() || rows[i].cells.first() != QLatin1String("#")))
        ++i;
    if (i == rows.size()) {
        *error = lineError(rows.empty() ? 1 : rows.front().line, QStringLiteral("the column header \"#, SPEED (FPS)...\""));
        return false;
    }
    const CellRow &header = rows[i];
    out->velocityUnit = header.cells.size() > 1 ? velocityUnit(header.cells[1]) : QString();
    if (out->velocityUnit.isEmpty()) {
        *error = lineError(header.line, QStringLiteral("a speed column with (FPS) or (MPS)"),
                           header.cells.value(1));
        return false;
    }
    const int timeColumn = 5;
    out->title = title.trimmed();
    out->device = kDevice;
    out->decimals = 0;
    int number = 0;
    for (++i; i < rows.size() && isShotNumber(rows[i].cells.value(0), &number); ++i) {
        const QString speed = rows[i].cells.value(1);
        ImportedShot shot;
        shot.number = number;
        if (!readNumber(speed, &shot.velocity) || shot.velocity <= 0) {
            *error = lineError(rows[i].line, QStringLiteral("a speed in column 2"), speed);
            return false;
        }
        out->decimals = std::max(out->decimals, decimalsOf(speed));
        shot.time = rows[i].cells.value(timeColumn).simplified();
        out->shots.push_back(shot);
    }
    if (out->shots.empty()) {
        *error = lineError(i < rows.size() ? rows[i].line : header.line + 1, QStringLiteral("a shot row \"1, speed, ...\""),
                           i < rows.size() ? rows[i].cells.join(u',') : QString());
        return false;
    }
    QStringList vendor;
    for (; i < rows.size(); ++i) {
        const QStringList &c = rows[i].cells;
        const QString value = c.value(1).trimmed();
        switch (labelOf(c.value(0))) {
        case Label::Average:
            vendor << QStringLiteral("average %1").arg(value);
            break;
        case Label::Sd:
            vendor << QStringLiteral("SD %1 (population SD, of n)").arg(value);
            break;
        case Label::Spread:
            vendor << QStringLiteral("ES %1").arg(value);
            break;
        case Label::Weight:
            vendor << QStringLiteral("bullet %1 gr").arg(value);
            break;
        case Label::Note:
            // An empty note comes as "" from the phones and as 0.0 in the iOS workbook.
            if (value != QLatin1String("0.0"))
                out->note = value;
            break;
        case Label::Date:
            out->date = normalDate(value);
            break;
        case Label::None:
            break;
        }
    }
    if (!vendor.isEmpty())
        out->vendorSummary = QStringLiteral("ShotView: ") + vendor.join(QStringLiteral(", "));
    return true;
}

ImportResult readShotViewCsv(const QByteArray &bytes)
{
    ImportResult r;
    r.format = QStringLiteral("Garmin ShotView CSV");
    const std::vector<TextLine> lines = textLines(bytes);
    if (lines.empty()) {
        r.error = lineError(1, QStringLiteral("a session title"), QString());
        return r;
    }
    // Android leaves commas of the title unquoted: the whole first line is the title.
    QString title = lines.front().text.trimmed();
    if (title.size() >= 2 && title.startsWith(u'"') && title.endsWith(u'"'))
        title = splitCsv(title).join(u',');
    std::vector<CellRow> rows;
    for (std::size_t i = 1; i < lines.size(); ++i)
        rows.push_back({lines[i].number, splitCsv(lines[i].text)});
    ImportedSeries s;
    if (readShotViewRows(title, rows, &s, &r.error))
        r.series.push_back(std::move(s));
    return r;
}

ImportResult readShotViewSheets(const std::vector<SessionSheet> &sheets, const QString &format)
{
    ImportResult r;
    r.format = format;
    for (const SessionSheet &sheet : sheets) {
        ImportedSeries series;
        QString error;
        if (!readShotViewRows(sheet.titleCell, sheet.rows, &series, &error)) {
            r.error = QStringLiteral("sheet \"%1\", %2").arg(sheet.name, error);
            r.series.clear();
            return r;
        }
        series.title = series.title.isEmpty() ? sheet.name : series.title;
        r.series.push_back(std::move(series));
    }
    if (r.series.empty())
        r.error = QStringLiteral("expected at least one sheet with a session");
    return r;
}

ImportResult readShotViewXlsx(const QString &path)
{
    QString err;
    const auto book = wb::readXlsx(path, &err);
    if (!book) {
        ImportResult r;
        r.error = err;
        return r;
    }
    std::vector<SessionSheet> sheets;
    for (int s = 0; s < book->sheetCount(); ++s) {
        const wb::Worksheet &sheet = book->sheet(s);
        const wb::CellAddr extent = sheet.usedExtent();
        SessionSheet out{sheet.name(), wb::displayText(sheet.value(1, 1)), {}};
        for (int row = 2; row <= extent.row; ++row) {
            CellRow cr{row, {}};
            for (int col = 1; col <= extent.col; ++col)
                cr.cells << wb::displayText(sheet.value(row, col)).trimmed();
            out.rows.push_back(cr);
        }
        sheets.push_back(std::move(out));
    }
    return readShotViewSheets(sheets, QStringLiteral("Garmin ShotView workbook"));
}

} // namespace zx::import
