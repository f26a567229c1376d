#include "drill/key_speed.h"
#include "drill/keystroke_figures.h"
#include "drill/keystroke_log.h"
#include "stats/speed_report.h"

#include <gtest/gtest.h>
#include <string>
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

TEST(KeySpeedsTest, FoldsLineMeansIntoAMovingAverageTargetsStayInRange)
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
    // Confidence itself is pinned by the drill plan's tests.
    EXPECT_EQ(TargetSpeed(5).Wpm(), 10);
    EXPECT_EQ(TargetSpeed(400).Wpm(), 150);
}

// "ab120" types b 120 ms after a; "ax!" types x for a (an error, untimed).
std::vector<Keystroke> Line(std::initializer_list<const char*> strokes)
{
    std::vector<Keystroke> line{{' ', ' ', 0}};
    for (std::string_view s : strokes) {
        if (s.size() >= 3 && s[2] == '!')
            line.push_back({s[0], s[1], 100, true});
        else
            line.push_back({s[1], s[1], std::stod(std::string(s.substr(2)))});
    }
    return line;
}

TEST(KeystrokeFiguresTest, PairsConfusionsAndTrends)
{
    KeystrokeFigures figures;
    for (int i = 0; i < 3; ++i) {
        // t-h slow, h-e fast; "e" after a miss is not a pair; "Th" folds to "th".
        figures.FoldLine(Line({" t100", "th400", "he100", "ex!", " e100", "ek20000"}));
        figures.FoldLine(Line({" T100", "Th300", "he150"}));
    }
    figures.FoldLine(Line({" q100", "qz900"})); // one sample: not ranked
    std::string pairs;
    for (const LetterPair& pair : figures.SlowestPairs(10))
        pairs += std::string{pair.first, pair.second} + std::to_string(int(pair.meanMs)) + "x" +
                 std::to_string(pair.samples) + " ";
    EXPECT_EQ(pairs, "th350x6 he125x6 ");
    ASSERT_EQ(figures.Confusions(10).size(), 1u);
    EXPECT_EQ(figures.Confusions(10)[0].typed, 'x');
    EXPECT_EQ(figures.Confusions(10)[0].count, 3);
    EXPECT_EQ(figures.SlowestPairs(1).size(), 1u);
    KeystrokeFigures trend;
    for (int i = 0; i < 40; ++i)
        trend.FoldLine(Line({" a300", "ab300"}));
    trend.FoldLine(Line({" b300", "bc200"})); // "a" untouched
    EXPECT_EQ(trend.Trend('a').size(), 1u) << "its average never moved after the first";
    EXPECT_EQ(trend.Trend('B').size(), 1u);
    trend.FoldLine(Line({" a300", "ab100"}));
    EXPECT_EQ(trend.Trend('b').size(), 2u);
    EXPECT_DOUBLE_EQ(trend.Trend('b').back(), 280);
}

TEST(SpeedReportTest, LinesToTargetFitAStraightLineTheReportShowsPairsAndOutlook)
{
    const auto falling = [](double from, double step, int count) {
        std::deque<double> values;
        for (int i = 0; i < count; ++i)
            values.push_back(from - step * i);
        return values;
    };
    std::deque<double> risingThenFalling = falling(200, -10, 10);
    for (double v : falling(500, 10, 30))
        risingThenFalling.push_back(v);
    std::deque<double> noisy;
    for (int i = 0; i < 30; ++i)
        noisy.push_back(400 + (i % 2 ? 60 : -60) - i);
    // clang-format off
    const struct { const char* name; std::deque<double> averages; double target; std::optional<int> lines; } rows[] = {
        {"exact: 410 now, 10 less a line", falling(500, 10, 10), 342.9, 7},
        {"only the last 30 count", risingThenFalling, 190, 2},
        {"one line short of target", falling(500, 10, 10), 400, 1},
        {"at target", falling(500, 10, 10), 410, std::nullopt},
        {"getting slower", falling(300, -10, 10), 200, std::nullopt},
        {"a poor fit (R² under 0.5)", noisy, 200, std::nullopt},
        {"too few", falling(500, 10, 2), 200, std::nullopt},
    };
    // clang-format on
    for (const auto& row : rows)
        EXPECT_EQ(LinesToTarget(row.averages, row.target), row.lines) << row.name;
    // The focus letter "e" gets faster line by line towards the target.
    KeystrokeLog log;
    for (int i = 0; i < 8; ++i)
        log.AddLine(std::vector<Keystroke>{{' ', ' ', 0}, {'t', 't', 100}, {'e', 'e', 200}});
    log.AddLine(std::vector<Keystroke>{{' ', ' ', 0}, {'e', 'r', 90, true}});
    const std::vector<std::string> logs{"\x07"
                                        "damaged",
                                        log.Bytes()};
    const SpeedReport report = MakeSpeedReport(logs, "Header\r\nee tt ee\r\n", TargetSpeed(35));
    EXPECT_EQ(report.averageMs['e'], 200);
    EXPECT_EQ(report.slowestPairs, std::vector<std::string>{"te: 200 ms"});
    EXPECT_EQ(report.confusions, std::vector<std::string>{"typed \"r\" for \"e\": 1 time"});
    EXPECT_EQ(report.focusOutlook, "") << "e is at target, t has no trend";

    KeystrokeLog slower;
    for (int i = 0; i < 8; ++i)
        slower.AddLine(
            std::vector<Keystroke>{{' ', ' ', 0}, {'t', 't', 100}, {'e', 'e', 600.0 - 20 * i}});
    const SpeedReport faster =
        MakeSpeedReport(std::vector{slower.Bytes()}, "Header\r\nee tt ee\r\n", TargetSpeed(35));
    EXPECT_EQ(faster.focusOutlook.rfind("e: about ", 0), 0u) << faster.focusOutlook;
    EXPECT_NE(faster.focusOutlook.find(" more lines to target"), std::string::npos);
}

} // namespace
} // namespace tarvelo
