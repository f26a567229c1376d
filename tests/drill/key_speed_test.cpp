#include "drill/key_speed.h"

#include <gtest/gtest.h>
#include <vector>

namespace tarvelo {
namespace {

Keystroke Hit(char letter, double ms)
{
    return {letter, letter, ms, false};
}

Keystroke Miss(char letter, char typed, double ms)
{
    return {letter, typed, ms, true};
}

TEST(KeySpeedsTest, FoldsLineMeansIntoAMovingAverage)
{
    // clang-format off
    const struct { const char* name; std::vector<std::vector<Keystroke>> lines; double averageMs, bestMs; std::int64_t hits, misses; } rows[] = {
        {"first_mean_seeds", {{Hit('x', 100), Hit('e', 200), Hit('e', 400)}}, 300, 300, 2, 0},
        {"then_a_tenth_of_the_change", {{Hit('x', 100), Hit('e', 300)}, {Hit('x', 100), Hit('e', 500)}}, 320, 300, 2, 0},
        {"best_is_the_lowest_average", {{Hit('x', 100), Hit('e', 300)}, {Hit('x', 100), Hit('e', 100)}}, 280, 280, 2, 0},
        {"first_keystroke_untimed", {{Hit('e', 100), Hit('e', 300)}}, 300, 300, 2, 0},
        {"too_fast_and_too_slow_left_out", {{Hit('x', 1), Hit('e', 39), Hit('e', 12001), Hit('e', 40), Hit('e', 12000)}}, 6020, 6020, 4, 0},
        {"misses_counted_not_timed", {{Hit('x', 1), Miss('e', 'r', 90), Hit('e', 250)}}, 250, 250, 1, 1},
        {"composed_time_shared_by_its_keys", {{Hit('x', 1), {'e', 'e', 600, false, 1}, {'e', 'e', 900, false, 2}}}, 300, 300, 2, 0},
        {"capitals_fold_to_lower", {{Hit('x', 1), Hit('E', 200), Hit('e', 400)}}, 300, 300, 2, 0},
        {"a_line_without_samples_changes_nothing", {{Hit('x', 1), Hit('e', 300)}, {Hit('e', 900)}}, 300, 300, 2, 0},
    };
    // clang-format on
    for (const auto& row : rows) {
        KeySpeeds speeds;
        for (const auto& line : row.lines)
            speeds.FoldLine(line);
        const KeySpeed& e = speeds.Of('e');
        EXPECT_DOUBLE_EQ(e.averageMs, row.averageMs) << row.name;
        EXPECT_DOUBLE_EQ(e.bestMs, row.bestMs) << row.name;
        EXPECT_EQ(e.hits, row.hits) << row.name;
        EXPECT_EQ(e.misses, row.misses) << row.name;
    }
}

TEST(TargetSpeedTest, ConfidenceIsTargetOverAverage)
{
    const TargetSpeed target(30); // 400 ms a letter
    EXPECT_DOUBLE_EQ(target.Confidence({200, 100, 1, 0}), 2.0);
    EXPECT_DOUBLE_EQ(target.BestConfidence({200, 100, 1, 0}), 4.0);
    EXPECT_DOUBLE_EQ(target.Confidence({}), 0.0);
    EXPECT_EQ(TargetSpeed(5).Wpm(), 10);
    EXPECT_EQ(TargetSpeed(400).Wpm(), 150);
}

} // namespace
} // namespace tarvelo
