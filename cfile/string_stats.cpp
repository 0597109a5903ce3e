#include "cfile/string_stats.h"

#include <algorithm>
#include <cmath>

namespace zx {

void StatsAccumulator::add(double v)
{
    ++m_count;
    const double delta = v - m_mean;
    m_mean += delta / m_count;
    m_m2 += delta * (v - m_mean);
    m_min = std::min(m_min, v);
    m_max = std::max(m_max, v);
}

StringStats StatsAccumulator::stats() const
{
    StringStats s;
    s.count = m_count;
    if (m_count == 0)
        return s;
    s.average = m_mean;
    s.minimum = m_min;
    s.maximum = m_max;
    s.spread = m_max - m_min;
    s.sd = m_count > 1 ? std::sqrt(std::max(0.0, m_m2) / (m_count - 1)) : 0.0;
    s.sdPercent = m_mean != 0 ? 100.0 * s.sd / std::fabs(m_mean) : 0.0;
    const double half = m_count > 1 ? studentT95(m_count - 1) * s.sd / std::sqrt(double(m_count)) : 0.0;
    s.ciLow = m_mean - half;
    s.ciHigh = m_mean + half;
    return s;
}

StringStats computeStats(const std::vector<double> &velocities)
{
    StatsAccumulator acc;
    for (double v : velocities)
        acc.add(v);
    return acc.stats();
}

double studentT95(int df)
{
    static constexpr double table[] = {
        12.706, 4.303, 3.182, 2.776, 2.571, 2.447, 2.365, 2.306, 2.262, 2.228,
        2.201,  2.179, 2.160, 2.145, 2.131, 2.120, 2.110, 2.101, 2.093, 2.086,
        2.080,  2.074, 2.069, 2.064, 2.060, 2.056, 2.052, 2.048, 2.045, 2.042};
    if (df < 1)
        return 0;
    if (df <= 30)
        return table[df - 1];
    // Cornish-Fisher expansion around the normal quantile: within 0.001 beyond 30.
    const double z = 1.959964, n = df;
    return z + (z * z * z + z) / (4 * n) + (5 * std::pow(z, 5) + 16 * z * z * z + 3 * z) / (96 * n * n);
}

ShotEnergy shotEnergy(double velocity, const QString &velocityUnits, double grains)
{
    constexpr double kGrainsPerPound = 7000.0, kGravity = 32.17405;   // ft/s²
    constexpr double kKgPerGrain = 0.00006479891, kFeetPerMetre = 3.280839895;
    ShotEnergy e;
    if (velocityUnits == QLatin1String("m/s")) {
        const double kg = grains * kKgPerGrain;
        e.energy = 0.5 * kg * velocity * velocity;
        e.momentum = kg * velocity;
        e.powerFactor = grains * velocity * kFeetPerMetre / 1000.0;
        e.energyUnits = QStringLiteral("J");
        e.momentumUnits = QStringLiteral("N-s");
    } else {
        const double slugs = grains / kGrainsPerPound / kGravity;
        e.energy = 0.5 * slugs * velocity * velocity;
        e.momentum = slugs * velocity;
        e.powerFactor = grains * velocity / 1000.0;
        e.energyUnits = QStringLiteral("ft-lbf");
        e.momentumUnits = QStringLiteral("lbf-s");
    }
    const double kg = grains * kKgPerGrain, metresPerSecond = velocityUnits == QLatin1String("m/s") ? velocity : velocity / kFeetPerMetre;
    e.joules = 0.5 * kg * metresPerSecond * metresPerSecond;
    e.gramMetres = kg * 1000.0 * metresPerSecond;
    return e;
}

} // namespace zx
