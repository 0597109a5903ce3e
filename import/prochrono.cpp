#include "import/prochrono.h"

#include "import/csv_text.h"

namespace zx::import {

namespace {

// The device writes feet per second and no unit; a header naming one wins.
QString unitFromHeader(const QStringList &header)
{
    for (const QString &h : header)
        if (const QString u = velocityUnit(h); !u.isEmpty())
            return u;
    return QStringLiteral("f/s");
}

ImportedSeries newSeries(const QString &title, const QString &unit)
{
    ImportedSeries s;
    s.title = title;
    s.device = QStringLiteral("ProChrono");
    s.velocityUnit = unit;
    s.decimals = 0;
    return s;
}

ImportResult shotList(const std::vector<TextLine> &lines, ImportResult r)
{
    const QStringList header = splitCsv(lines.front().text);
    const QString unit = unitFromHeader(header);
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const QStringList c = splitCsv(lines[i].text);
        if (c.size() < 9)
            continue; // the Digital Link's string headers and statistics lines
        ImportedShot shot;
        bool ok = false;
        shot.number = c[1].toInt(&ok);
        if (!ok || !readNumber(c[2], &shot.velocity)) {
            r.error = lineError(lines[i].number, QStringLiteral("string name, index and velocity"), lines[i].text);
            return r;
        }
        if (r.series.empty() || shot.number == 1 || r.series.back().title != c[0]) {
            r.series.push_back(newSeries(c[0], unit));
            r.series.back().date = normalDate(c[8]);
        }
        r.series.back().decimals = std::max(r.series.back().decimals, decimalsOf(c[2]));
        r.series.back().shots.push_back(shot);
    }
    return r;
}

ImportResult rowsOfShots(const std::vector<TextLine> &lines, ImportResult r)
{
    const QString unit = unitFromHeader(splitCsv(lines.front().text));
    ImportedSeries cur = newSeries(QString(), unit);
    for (std::size_t i = 1; i < lines.size(); ++i) {
        QStringList c = splitCsv(lines[i].text);
        while (!c.isEmpty() && c.last().isEmpty())
            c.removeLast();
        if (c.isEmpty())
            continue;
        if (c.size() == 1 && c[0].contains(u'/')) { // the string's date ends it
            if (cur.shots.empty()) {
                r.error = lineError(lines[i].number, QStringLiteral("a row of velocities before the date"), lines[i].text);
                return r;
            }
            cur.date = normalDate(c[0]);
            cur.title = QStringLiteral("String %1").arg(r.series.size() + 1);
            r.series.push_back(cur);
            cur = newSeries(QString(), unit);
            continue;
        }
        for (const QString &cell : c) {
            ImportedShot shot;
            shot.number = int(cur.shots.size()) + 1;
            if (!readNumber(cell, &shot.velocity)) {
                r.error = lineError(lines[i].number, QStringLiteral("velocities"), cell);
                return r;
            }
            cur.decimals = std::max(cur.decimals, decimalsOf(cell));
            cur.shots.push_back(shot);
        }
    }
    if (!cur.shots.empty()) {
        r.error = lineError(lines.back().number + 1, QStringLiteral("the date line of the last string"));
        return r;
    }
    return r;
}

} // namespace

ImportResult readProChrono(const QByteArray &bytes)
{
    ImportResult r;
    r.format = QStringLiteral("ProChrono CSV");
    const std::vector<TextLine> lines = textLines(bytes);
    const QStringList header = lines.empty() ? QStringList() : splitCsv(lines.front().text);
    if (header.value(0) == QLatin1String("Shot List") && header.value(1) == QLatin1String("Index"))
        r = shotList(lines, r);
    else if (header.value(0) == QLatin1String("Shot 1"))
        r = rowsOfShots(lines, r);
    else
        r.error = lineError(1, QStringLiteral("\"Shot List,Index,Velocity,...\" or \"Shot 1,Shot 2,...\""),
                            header.join(u','));
    if (r.ok() && r.series.empty())
        r.error = lineError(2, QStringLiteral("a shot row"));
    if (!r.ok())
        r.series.clear(); // a file that does not read gives no strings, not the ones before the fault
    return r;
}

} // namespace zx::import
