#pragma once
// Statistics of a string of shots: count, average, extreme spread, sample standard deviation,
// the 95% confidence interval of the mean and, with a bullet weight, energy, momentum and power
// factor. Plain values only: the statistics panel, the CSV export and zentrix-cli share them.
#include <QString>

#include <limits>
#include <vector>

namespace zx {

struct StringStats {
    int count = 0;
    double average = 0;
    double minimum = 0;
    double maximum = 0;
    double spread = 0;      // extreme spread: maximum - minimum
    double sd = 0;          // sample standard deviation (n - 1); 0 below two shots
    double sdPercent = 0;   // sd as percent of the average
    double ciLow = 0;       // 95% confidence interval of the mean (Student t); the average
    double ciHigh = 0;      // itself below two shots
};

// Running statistics, one shot at a time (Welford's update: no loss of precision on long
// strings of nearly equal velocities).
class StatsAccumulator {
public:
    void add(double velocity);
    void clear() { *this = StatsAccumulator(); }
    int count() const { return m_count; }
    StringStats stats() const;

private:
    int m_count = 0;
    double m_mean = 0;
    double m_m2 = 0;
    double m_min = std::numeric_limits<double>::max();
    double m_max = std::numeric_limits<double>::lowest();
};

StringStats computeStats(const std::vector<double> &velocities);

// Two-sided 95% Student t value for the given degrees of freedom (>= 1).
double studentT95(int degreesOfFreedom);

// Energy figures of one velocity for a bullet weight in grains, in the velocity's unit system:
// f/s gives ft-lbf and lbf-s, m/s gives J and N-s. The power factor is grains x ft/s / 1000
// in both (m/s converted); joules and gramMetres as the export workbook shows them.
struct ShotEnergy {
    double energy = 0;
    double momentum = 0;
    double powerFactor = 0;
    QString energyUnits;
    QString momentumUnits;
    // The same shot in the export workbook's units, whatever the velocity's: J and g-m/s.
    double joules = 0;
    double gramMetres = 0;
};
ShotEnergy shotEnergy(double velocity, const QString &velocityUnits, double grains);

} // namespace zx
