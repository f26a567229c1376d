#include "stats/value_axis.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>

namespace tarvelo::test {
namespace {

std::string Labels(const ValueAxis& axis)
{
    std::string labels;
    for (const double tick : axis.ticks)
        labels += (labels.empty() ? "" : " ") + std::to_string(std::lround(tick));
    return labels;
}

// Labels stand at whole numbers in round, even steps and cover the values.
TEST(ValueAxisTest, LabelsAreWholeNumbersInRoundSteps)
{
    const struct
    {
        const char* name;
        double lowest, highest, floor, ceiling;
        const char* labels;
    } rows[] = {
        {"accuracy near the top", 95.2, 99.6, 0, 100, "95 96 97 98 99 100"},
        {"speeds in the 230s", 230.4, 234.7, 0, 1000, "230 231 232 233 234 235"},
        {"speeds far apart", 12, 87, 0, 1000, "0 20 40 60 80 100"},
        {"one value at the ceiling", 100, 100, 0, 100, "99 100"},
        {"one value at the floor", 0, 0, 0, 100, "0 1"},
        {"a narrow range", 40.3, 40.6, 0, 1000, "40 41"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const ValueAxis axis = ValueAxisFor(row.lowest, row.highest, row.floor, row.ceiling, 5);
        EXPECT_EQ(Labels(axis), row.labels);
        ASSERT_FALSE(axis.ticks.empty());
        EXPECT_EQ(axis.ticks.front(), axis.low);
        EXPECT_EQ(axis.ticks.back(), axis.high);
    }
}

} // namespace
} // namespace tarvelo::test
