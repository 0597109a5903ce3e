#include "import/magnetospeed.h"

#include "import/csv_text.h"

namespace zx::import {

namespace {

bool isInt(const QString &s, int *n)
{
    bool ok = false;
    *n = s.toInt(&ok);
    return ok;
}

} // namespace

ImportResult readMagnetoSpeed(const QByteArray &bytes, bool xfr)
{
    ImportResult r;
    r.format = xfr ? QStringLiteral("MagnetoSpeed XFR export") : QStringLiteral("MagnetoSpeed LOG.CSV");
    const QString device = xfr ? QStringLiteral("MagnetoSpeed (XFR)") : QStringLiteral("MagnetoSpeed V3/Sporter");
    std::vector<ImportedSeries> all;
    ImportedSeries *cur = nullptr;
    QString synced;
    auto close = [&] {
        if (cur && !cur->shots.empty())
            all.push_back(*cur);
    };
    ImportedSeries building;
    const int speedCol = xfr ? 1 : 2;
    for (const TextLine &l : textLines(bytes)) {
        const QStringList c = splitCsv(l.text);
        const QString first = c.value(0);
        int a = 0, b = 0;
        if (first == QLatin1String("Synced on:")) {
            synced = normalDate(c.value(1));
        } else if (first == QLatin1String("Series") && c.value(2) == QLatin1String("Shots:")) {
            close();
            building = ImportedSeries();
            cur = &building;
            cur->device = device;
            cur->decimals = 0;
            cur->title = QStringLiteral("Series ") + c.value(1);
            cur->date = xfr ? normalDate(c.value(1)) : QString();
            if (xfr && !synced.isEmpty())
                cur->vendorSummary = QStringLiteral("synced %1").arg(synced);
        } else if (!cur) {
            continue;
        } else if (first == QLatin1String("Notes")) {
            cur->note = c.mid(1).join(u',').trimmed();
            cur->title = cur->note.isEmpty() ? cur->title : cur->note;
        } else if (first == QLatin1String("Avg") || first == QLatin1String("ES") || first == QLatin1String("Min")) {
            const QString summary = QStringLiteral("%1 %2").arg(first, c.value(1))
                                    + (c.value(2).isEmpty() ? QString() : QStringLiteral(", %1 %2").arg(c.value(2), c.value(3)));
            cur->vendorSummary += (cur->vendorSummary.isEmpty() ? QStringLiteral("MagnetoSpeed: ") : QStringLiteral(", "))
                                  + summary;
        } else if (isInt(first, &a) && (xfr || isInt(c.value(1), &b))) {
            ImportedShot shot;
            shot.number = xfr ? a : b;
            const QString speed = c.value(speedCol), unit = velocityUnit(c.value(speedCol + 1));
            if (!readNumber(speed, &shot.velocity)) {
                r.error = lineError(l.number, QStringLiteral("a speed in column %1").arg(speedCol + 1), speed);
                return r;
            }
            if (unit.isEmpty() || (!cur->velocityUnit.isEmpty() && unit != cur->velocityUnit)) {
                r.error = lineError(l.number, QStringLiteral("the unit ft/s, fps or m/s after the speed"),
                                    c.value(speedCol + 1));
                return r;
            }
            cur->velocityUnit = unit;
            cur->decimals = std::max(cur->decimals, decimalsOf(speed));
            cur->shots.push_back(shot);
        }
    }
    close();
    r.series = std::move(all);
    if (r.series.empty())
        r.error = lineError(1, QStringLiteral("a series block \"Series,..., Shots:,n\" with shot rows"));
    return r;
}

} // namespace zx::import
