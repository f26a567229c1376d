#pragma once

#include <vector>

namespace tarvelo {

// A value axis of the progress chart: the range it spans and the values its
// grid lines and labels stand at, lowest first.
struct ValueAxis
{
    double low = 0;
    double high = 1;
    std::vector<double> ticks;
};

// An axis for values from `lowest` to `highest`, kept within `floor` and
// `ceiling`, with at most `maxIntervals` intervals between its ticks.
ValueAxis ValueAxisFor(double lowest, double highest, double floor, double ceiling,
                       int maxIntervals);

} // namespace tarvelo
