#pragma once
// What the velocity chart of one string shows, worked out without drawing: the shots at the
// numbers the chronograph gave them, the average and the one-SD band across them, the ranges of
// both axes, the title and the legend's words. The chart widget only draws it.
#include "cfile/string_stats.h"
#include "link/shot_line.h"

#include <QList>
#include <QPointF>
#include <QString>

#include <vector>

namespace zx {

struct VelocityPlot {
    QString title;              // empty: nothing to show
    QList<QPointF> shots;       // x: the shot's number, y: its velocity
    double xFirst = 1, xLast = 2;
    double yLow = 0, yHigh = 1;
    double average = 0, sd = 0;
    QString averageLabel;       // legend of the dashed line
    QString bandLabel;          // legend of the shaded band
    QString yTitle;
    int xTicks = 2;
};

// The shots keep their own numbers when those rise through the string (a string shot as
// #07-#10 reads 7 to 10); a selection across strings, or shots without numbers, count 1, 2, ...
VelocityPlot plotOf(const std::vector<ShotRecord> &shots, const QString &title);

} // namespace zx
