#include "stats/value_axis.h"

#include <algorithm>
#include <cmath>

namespace tarvelo {
namespace {

// The multiples of `step` around the values, within floor and ceiling.
ValueAxis Spanning(double lowest, double highest, double floor, double ceiling, double step)
{
    ValueAxis axis;
    axis.low = std::max(floor, std::floor(lowest / step) * step);
    axis.high = std::min(ceiling, std::ceil(highest / step) * step);
    if (axis.high <= axis.low) {
        // One value: a step above it, or below it at the ceiling.
        if (axis.low + step <= ceiling)
            axis.high = axis.low + step;
        else
            axis.low = axis.high - step;
    }
    for (double tick = axis.low; tick <= axis.high + step / 2; tick += step)
        axis.ticks.push_back(tick);
    return axis;
}

} // namespace

// The smallest step of 1, 2 or 5 times a power of ten, at least 1 so every
// label is a whole number, that spans the values in few enough intervals.
ValueAxis ValueAxisFor(double lowest, double highest, double floor, double ceiling,
                       int maxIntervals)
{
    const auto most = static_cast<std::size_t>(std::max(1, maxIntervals)) + 1;
    ValueAxis axis;
    for (double power = 1; power <= 1e12; power *= 10)
        for (const double factor : {1.0, 2.0, 5.0}) {
            axis = Spanning(lowest, highest, floor, ceiling, factor * power);
            if (axis.ticks.size() <= most)
                return axis;
        }
    return axis;
}

} // namespace tarvelo
