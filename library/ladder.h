#pragma once
// Load development: strings fired with different loads ("a ladder") as points of average
// velocity against one numeric load field, with the SD (n-1) of each as its error bar and the
// extreme spread beside it, and the flattest step: the neighbouring pair of loads where the
// average changes least per unit of the field (|d average| / |d field|), where a load is least
// sensitive to what varies from round to round. Plain values only: the chart draws them.
#include "cfile/shot_strings.h"
#include "cfile/string_library.h"
#include "cfile/string_stats.h"

#include <vector>

namespace zx {

enum class LadderField { Charge, BulletWeight, Length, Temperature };

struct LadderPoint {
    double x = 0;          // the field, in the ladder's unit
    StringStats stats;     // velocities in the ladder's unit
    int string = 0;        // index into the strings given
};

struct Ladder {
    std::vector<LadderPoint> points; // by x, rising; strings of equal x in their given order
    int flattest = -1;   // the step from points[flattest] to points[flattest + 1]; -1: none
    double flattestSlope = 0;
    QString xUnit;       // the first string's unit of the field ("gr"); others converted to it
    QString velocityUnit;
    QString xTitle;      // "Charge weight (gr)"
    QString yTitle;      // "Average velocity (f/s)"
    int skipped = 0;     // strings without the field, or in a unit that does not convert
};

// The field of a load; nullopt when the load does not give it.
std::optional<LoadMeasure> ladderValue(const LoadData &load, LadderField field);
Ladder buildLadder(const std::vector<ShotString> &strings, LadderField field = LadderField::Charge);
// The same for rows of the String Library (strings of many files): LadderPoint::string indexes rows.
Ladder buildLadder(const std::vector<LibraryRow> &rows, LadderField field = LadderField::Charge);

// The smallest step between neighbouring loads (the ladder's increment, where the chart's ticks
// go); 0 when the ladder has fewer than two different loads.
double ladderStep(const Ladder &ladder);

} // namespace zx
