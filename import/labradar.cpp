#include "import/labradar.h"

#include "import/csv_text.h"

namespace zx::import {

ImportResult readLabRadar(const QByteArray &bytes)
{
    ImportResult r;
    r.format = QStringLiteral("LabRadar report");
    const std::vector<TextLine> lines = textLines(bytes);
    QChar sep = u';';
    std::size_t i = 0;
    if (!lines.empty() && lines[0].text.trimmed().startsWith(QLatin1String("sep="))) {
        const QString given = lines[0].text.trimmed().mid(4, 1);
        sep = given.isEmpty() ? QChar(u';') : given[0];
        i = 1;
    } else {
        for (const TextLine &l : lines)
            if (l.text.contains(QLatin1String("Shot ID"))) {
                sep = l.text.contains(u';') ? u';' : u',';
                break;
            }
    }
    ImportedSeries s;
    QString unitText, seriesNo;
    QStringList vendor;
    for (; i < lines.size(); ++i) {
        const QStringList c = splitCsv(lines[i].text.trimmed(), sep);
        const QString key = c.value(0);
        if (key == QLatin1String("Shot ID"))
            break;
        if (key == QLatin1String("Device ID"))
            s.device = QStringLiteral("LabRadar ") + c.value(1);
        else if (key == QLatin1String("Series No"))
            seriesNo = c.value(1);
        else if (key == QLatin1String("Units velocity"))
            unitText = c.value(1);
        else if (key.startsWith(QLatin1String("Stats - ")))
            vendor << key.mid(8) + u' ' + c.value(1);
    }
    if (i == lines.size()) {
        r.error = lineError(lines.empty() ? 1 : lines.back().number, QStringLiteral("the shot table header \"Shot ID\""));
        return r;
    }
    s.velocityUnit = velocityUnit(unitText);
    if (s.velocityUnit.isEmpty()) {
        r.error = lineError(lines[i].number, QStringLiteral("a \"Units velocity\" line (fps or m/s) above the table"),
                            unitText);
        return r;
    }
    const QStringList header = splitCsv(lines[i].text.trimmed(), sep);
    const qsizetype v0 = header.indexOf(QStringLiteral("V0"));
    const qsizetype dateCol = header.indexOf(QStringLiteral("Date")), timeCol = header.indexOf(QStringLiteral("Time"));
    if (v0 < 0) {
        r.error = lineError(lines[i].number, QStringLiteral("a V0 column"), lines[i].text);
        return r;
    }
    s.decimals = 0;
    for (++i; i < lines.size(); ++i) {
        const QStringList c = splitCsv(lines[i].text.trimmed(), sep);
        if (c.join(QString()).trimmed().isEmpty())
            continue;
        ImportedShot shot;
        bool ok = false;
        shot.number = c.value(0).toInt(&ok);
        if (!ok || !readNumber(c.value(v0), &shot.velocity) || c.size() < header.size()) {
            r.error = lineError(lines[i].number, QStringLiteral("a shot row with %1 cells").arg(header.size()), lines[i].text);
            return r;
        }
        s.decimals = std::max(s.decimals, decimalsOf(c.value(v0)));
        shot.time = c.value(timeCol);
        if (s.date.isEmpty() && dateCol >= 0)
            s.date = normalDate(c.value(dateCol) + u' ' + shot.time);
        s.shots.push_back(shot);
    }
    s.title = QStringLiteral("Series ") + seriesNo;
    if (!vendor.isEmpty())
        s.vendorSummary = QStringLiteral("LabRadar: ") + vendor.join(QStringLiteral(", ")) + QStringLiteral(" (sample SD, of n-1)");
    // A deleted or empty series has no shot rows: it reads, with nothing to import.
    if (!s.shots.empty())
        r.series.push_back(std::move(s));
    return r;
}

} // namespace zx::import
