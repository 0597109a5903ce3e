#include "library/ladder.h"

#include <algorithm>
#include <cmath>
#include <functional>

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

namespace {

// The strings of a ladder, whatever holds them: a string's load, the unit of its velocities and
// its statistics in a given velocity unit (false when they do not convert).
struct LadderSource {
    std::size_t count;
    std::function<const std::optional<LoadData> &(std::size_t)> load;
    std::function<QString(std::size_t)> unit; // empty: a string without shots
    std::function<bool(std::size_t, const QString &, StringStats *)> stats;
};

Ladder ladderOf(const LadderSource &src, LadderField field)
{
    Ladder ladder;
    const LoadData *first = nullptr;
    for (size_t i = 0; i < src.count; ++i) {
        const std::optional<LoadData> &load = src.load(i);
        const std::optional<LoadMeasure> m = load ? ladderValue(*load, field) : std::nullopt;
        if (!m || src.unit(i).isEmpty()) {
            ++ladder.skipped;
            continue;
        }
        if (!first) {
            first = &*load;
            ladder.xUnit = m->unit;
            ladder.velocityUnit = src.unit(i);
        }
        LadderPoint p;
        p.string = int(i);
        // A field typed without its unit is taken to be in the ladder's unit.
        if (!convert(m->value, m->unit.isEmpty() ? ladder.xUnit : m->unit, ladder.xUnit, &p.x)
            || !src.stats(i, ladder.velocityUnit, &p.stats)) {
            ++ladder.skipped;
            continue;
        }
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

} // namespace

Ladder buildLadder(const std::vector<ShotString> &strings, LadderField field)
{
    const auto stats = [&strings](std::size_t i, const QString &unit, StringStats *out) {
        StatsAccumulator acc;
        for (const ShotRecord &r : strings[i].shots) {
            double v = 0;
            if (!convert(r.velocity, r.velocityUnits, unit, &v))
                return false;
            acc.add(v);
        }
        *out = acc.stats();
        return true;
    };
    return ladderOf({strings.size(), [&strings](std::size_t i) -> const std::optional<LoadData> & { return strings[i].load; },
                     [&strings](std::size_t i) { return strings[i].shots.empty() ? QString() : strings[i].shots.front().velocityUnits; },
                     stats},
                    field);
}

Ladder buildLadder(const std::vector<LibraryRow> &rows, LadderField field)
{
    // Velocity units differ by a factor only: the statistics scale with it, SD % stays.
    const auto stats = [&rows](std::size_t i, const QString &unit, StringStats *out) {
        double k = 1;
        if (!convert(1, rows[i].unit, unit, &k))
            return false;
        StringStats s = rows[i].stats;
        for (double *v : {&s.average, &s.minimum, &s.maximum, &s.spread, &s.sd, &s.ciLow, &s.ciHigh})
            *v *= k;
        *out = s;
        return true;
    };
    return ladderOf({rows.size(), [&rows](std::size_t i) -> const std::optional<LoadData> & { return rows[i].load; },
                     [&rows](std::size_t i) { return rows[i].stats.count > 0 ? rows[i].unit : QString(); }, stats},
                    field);
}

double ladderStep(const Ladder &ladder)
{
    double step = 0;
    for (std::size_t i = 1; i < ladder.points.size(); ++i)
        if (const double d = ladder.points[i].x - ladder.points[i - 1].x; d > 1e-9 && (step == 0 || d < step))
            step = d;
    return step;
}

} // namespace zx
