#include "stats/value_axis.h"

#include <algorithm>
#include <cmath>

namespace tarvelo {

ValueAxis ValueAxisFor(double lowest, double highest, double floor, double ceiling,
                       int maxIntervals)
{
    const double step = highest - lowest > 40 ? 20 : (highest - lowest > 10 ? 10 : 5);
    ValueAxis axis;
    axis.low = std::max(floor, std::floor(lowest / step) * step - (lowest == highest ? step : 0));
    axis.high =
        std::min(ceiling, std::ceil(highest / step) * step + (lowest == highest ? step : 0));
    if (axis.high <= axis.low)
        axis.high = axis.low + step;
    const int intervals = std::max(1, maxIntervals);
    for (int i = intervals; i >= 0; --i)
        axis.ticks.push_back(axis.high - (axis.high - axis.low) * i / intervals);
    return axis;
}

} // namespace tarvelo
