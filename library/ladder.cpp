#include "library/ladder.h"

#include <algorithm>
#include <cmath>

namespace zx {

namespace {

constexpr double kGrainsPerGram = 15.4323584;
constexpr double kMillimetresPerInch = 25.4;
constexpr double kFeetPerMetre = 3.28083990;

QString unitKey(QString unit)
{
    unit = unit.toLower();
    unit.remove(QChar(0xB0)); // "°C"
    if (unit == u"grain" || unit == u"grains")
        return QStringLiteral("gr");
    return unit;
}

// value in unit `from` expressed in unit `to`; false when the two do not convert.
bool convert(double value, const QString &from, const QString &to, double *out)
{
    const QString f = unitKey(from), t = unitKey(to);
    if (f == t) {
        *out = value;
        return true;
    }
    if (f == u"g" && t == u"gr")
        *out = value * kGrainsPerGram;
    else if (f == u"gr" && t == u"g")
        *out = value / kGrainsPerGram;
    else if (f == u"mm" && t == u"in")
        *out = value / kMillimetresPerInch;
    else if (f == u"in" && t == u"mm")
        *out = value * kMillimetresPerInch;
    else if (f == u"c" && t == u"f")
        *out = value * 9 / 5 + 32;
    else if (f == u"f" && t == u"c")
        *out = (value - 32) * 5 / 9;
    else if (f == u"m/s" && t == u"f/s")
        *out = value * kFeetPerMetre;
    else if (f == u"f/s" && t == u"m/s")
        *out = value / kFeetPerMetre;
    else
        return false;
    return true;
}

QString fieldTitle(LadderField field, const LoadData &first)
{
    switch (field) {
    case LadderField::Charge:
        return QStringLiteral("Charge weight");
    case LadderField::BulletWeight:
        return QStringLiteral("Bullet weight");
    case LadderField::Length:
        return first.lengthKind;
    case LadderField::Temperature:
        return QStringLiteral("Temperature");
    }
    return {};
}

} // namespace

std::optional<LoadMeasure> ladderValue(const LoadData &load, LadderField field)
{
    const LoadMeasure &m = field == LadderField::Charge         ? load.charge
                         : field == LadderField::BulletWeight ? load.bulletWeight
                         : field == LadderField::Length       ? load.length
                                                              : load.temperature;
    return m.known ? std::optional(m) : std::nullopt;
}

Ladder buildLadder(const std::vector<ShotString> &strings, LadderField field)
{
    Ladder ladder;
    const LoadData *first = nullptr;
    for (size_t i = 0; i < strings.size(); ++i) {
        const ShotString &s = strings[i];
        const std::optional<LoadMeasure> m = s.load ? ladderValue(*s.load, field) : std::nullopt;
        if (!m || s.shots.empty()) {
            ++ladder.skipped;
            continue;
        }
        if (!first) {
            first = &*s.load;
            ladder.xUnit = m->unit;
            ladder.velocityUnit = s.shots.front().velocityUnits;
        }
        LadderPoint p;
        p.string = int(i);
        // A field typed without its unit is taken to be in the ladder's unit.
        if (!convert(m->value, m->unit.isEmpty() ? ladder.xUnit : m->unit, ladder.xUnit, &p.x)) {
            ++ladder.skipped;
            continue;
        }
        StatsAccumulator acc;
        bool ok = true;
        for (const ShotRecord &r : s.shots) {
            double v = 0;
            ok = ok && convert(r.velocity, r.velocityUnits, ladder.velocityUnit, &v);
            acc.add(v);
        }
        if (!ok) {
            ++ladder.skipped;
            continue;
        }
        p.stats = acc.stats();
        ladder.points.push_back(p);
    }
    std::stable_sort(ladder.points.begin(), ladder.points.end(),
                     [](const LadderPoint &a, const LadderPoint &b) { return a.x < b.x; });
    for (size_t i = 0; i + 1 < ladder.points.size(); ++i) {
        const double dx = ladder.points[i + 1].x - ladder.points[i].x;
        if (dx <= 0) // the same load twice is no step
            continue;
        const double slope = std::abs(ladder.points[i + 1].stats.average - ladder.points[i].stats.average) / dx;
        if (ladder.flattest < 0 || slope < ladder.flattestSlope) {
            ladder.flattest = int(i);
            ladder.flattestSlope = slope;
        }
    }
    if (first) {
        const QString unit = ladder.xUnit.isEmpty() ? QString() : QStringLiteral(" (") + ladder.xUnit + QLatin1Char(')');
        ladder.xTitle = fieldTitle(field, *first) + unit;
        ladder.yTitle = QStringLiteral("Average velocity (") + ladder.velocityUnit + QLatin1Char(')');
    }
    return ladder;
}

} // namespace zx
