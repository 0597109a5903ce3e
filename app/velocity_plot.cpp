#include "app/velocity_plot.h"

#include <algorithm>
#include <cmath>

namespace zx {

namespace {
bool ownNumbersRise(const std::vector<ShotRecord> &shots)
{
    for (size_t i = 0; i < shots.size(); ++i)
        if (shots[i].shot <= 0 || (i > 0 && shots[i].shot <= shots[i - 1].shot))
            return false;
    return true;
}
} // namespace

VelocityPlot plotOf(const std::vector<ShotRecord> &shots, const QString &title)
{
    VelocityPlot p;
    if (shots.empty())
        return p;
    p.title = title;
    std::vector<double> v;
    v.reserve(shots.size());
    const bool own = ownNumbersRise(shots);
    for (size_t i = 0; i < shots.size(); ++i) {
        v.push_back(shots[i].velocity);
        p.shots.append(QPointF(own ? shots[i].shot : double(i + 1), shots[i].velocity));
    }
    const StringStats st = computeStats(v);
    p.average = st.average;
    p.sd = st.sd;
    p.xFirst = p.shots.front().x();
    // One shot still gets a line across: the axis spans at least two numbers.
    p.xLast = std::max(p.shots.back().x(), p.xFirst + 1);
    // Whole numbers under each tick while they fit; a long string gets every few.
    const int span = int(p.xLast - p.xFirst);
    p.xTicks = span < 10 ? span + 1 : 10;
    const double lo = std::min(st.minimum, st.average - st.sd), hi = std::max(st.maximum, st.average + st.sd);
    const double pad = std::max(1.0, (hi - lo) * 0.15);
    p.yLow = std::floor(lo - pad);
    p.yHigh = std::ceil(hi + pad);
    const QString units = shots.front().velocityUnits;
    p.yTitle = QStringLiteral("Velocity (") + units + QLatin1Char(')');
    p.averageLabel = QStringLiteral("Average %1 %2").arg(st.average, 0, 'f', 1).arg(units);
    p.bandLabel = QStringLiteral("\u00b11 SD band (%1 %2)").arg(st.sd, 0, 'f', 1).arg(units);
    return p;
}

} // namespace zx
