#include "profile/keyboard_layout.h"
#include "profile/profile_store.h"
#include "state/complete_totals.h"
#include "state/letter_tallies.h"
#include "stats/speed_report.h"
#include "stats/statistics.h"
#include "stats/value_axis.h"
#include "support/temp_folder.h"

#include <cmath>
#include <gtest/gtest.h>

namespace tarvelo {
namespace {

TEST(CompleteStatsTest, FiguresAreFloored)
{
    const struct
    {
        const char* name;
        CompleteTotals totals;
        CompleteFigures expected;
    } rows[] = {
        {"new user", {1, 1, 0}, {"0.0", "0", "100"}},
        {"worked example", {481, 960, 24}, {"4.0", "22", "95"}},      // 95.01, 22.85
        {"position 3 has a speed", {3, 240, 0}, {"1.0", "0", "100"}}, // 0.6 floors to 0
    };
    for (const auto& row : rows) {
        const CompleteFigures f = LoadCompleteStats(row.totals);
        EXPECT_EQ(f.lctime, row.expected.lctime) << row.name;
        EXPECT_EQ(f.lcwpm, row.expected.lcwpm) << row.name;
        EXPECT_EQ(f.lcpercent, row.expected.lcpercent) << row.name;
    }
    EXPECT_EQ(LoadCompleteStats({2, 1, 0}).lcwpm, "0") << "a position of 2 shows no speed";
}

class KeyboardStatsTest : public ::testing::Test
{
protected:
    test::TempFolder folder;
    ProfileStore profile{folder.Path()};
    KeyboardLayout layout;
    LetterTallies tallies;
    KeyboardStatsTest() { layout.Load(profile); }

    std::string Listed() const
    {
        std::string codes;
        for (const ListedLetter& letter : LoadLetterErrors(layout, tallies, 0))
            codes += letter.letter;
        return codes;
    }
};

// Only codes with a key, lower case under its capital, in code order.
TEST_F(KeyboardStatsTest, CodesWithAKeyAreListedWithPercentagesMarkersAndTints)
{
    layout = KeyboardLayout();                       // no key but these
    layout.AssignCharacter(5, 255, false, profile);  // y with diaeresis: listed
    layout.AssignCharacter(6, 0xE9, false, profile); // é: counted as É
    layout.AssignCharacter(7, 0x80, false, profile); // the euro sign
    layout.AssignCharacter(8, 'q', false, profile);
    EXPECT_EQ(Listed(), "Q\x80\xC9\xFF");
    for (int i = 0; i < 7; ++i)
        tallies.TallyLetterTyped(0, 'q');
    for (int i = 0; i < 3; ++i)
        tallies.TallyLetterError(0, 'q');
    const Statistics statistics({}, layout, tallies, 0, "Ada");
    const auto& letters = statistics.Letters();
    const auto q = std::find_if(letters.begin(), letters.end(),
                                [](const ListedLetter& l) { return l.code == 'Q'; });
    ASSERT_NE(q, letters.end());
    EXPECT_EQ(q->percentage, 57); // 100 - 300 / 7
    EXPECT_EQ(Statistics::MarkerRow(q->percentage), 45);
    EXPECT_EQ(statistics.KeyTip(q->key), "Q  57 %");
    EXPECT_GT(Statistics::HeatColour(0) & 0xFF, (Statistics::HeatColour(0) >> 8) & 0xFF);
    EXPECT_GT((Statistics::HeatColour(100) >> 8) & 0xFF, Statistics::HeatColour(100) & 0xFF);
}

TEST_F(KeyboardStatsTest, AKeyShowsItsSlowestLetterColouredAgainstTheTarget)
{
    SpeedReport report;
    report.averageMs['a'] = 250;
    report.averageMs['s'] = 0; // no samples
    EXPECT_EQ(KeyAverageMs(report, layout, layout.KeyOfChar('a')), 250);
    EXPECT_EQ(KeyAverageMs(report, layout, layout.KeyOfChar('s')), std::nullopt);
    EXPECT_EQ(KeyAverageMs(report, layout, layout.KeyOfChar('1')), std::nullopt);
    EXPECT_EQ(SpeedColour(300, 300), 0x40B030); // at target or faster: green
    EXPECT_EQ(SpeedColour(450, 300), 0x20D0F0); // half as slow again: yellow
    EXPECT_EQ(SpeedColour(600, 300), 0x2030E0); // twice as slow and more: red
}

// Labels stand at whole numbers in round, even steps and cover the values.
TEST(ValueAxisTest, LabelsAreWholeNumbersInRoundSteps)
{
    const struct
    {
        const char* name;
        double lowest, highest, ceiling;
        const char* labels;
    } rows[] = {
        {"accuracy near the top", 95.2, 99.6, 100, "95 96 97 98 99 100"},
        {"speeds far apart", 12, 87, 1000, "0 20 40 60 80 100"},
        {"one value at the ceiling", 100, 100, 100, "99 100"},
        {"one value at the floor", 0, 0, 100, "0 1"},
        {"a narrow range", 40.3, 40.6, 1000, "40 41"},
    };
    for (const auto& row : rows) {
        const ValueAxis axis = ValueAxisFor(row.lowest, row.highest, 0, row.ceiling, 5);
        std::string labels;
        for (const double tick : axis.ticks)
            labels += (labels.empty() ? "" : " ") + std::to_string(std::lround(tick));
        EXPECT_EQ(labels, row.labels) << row.name;
        ASSERT_FALSE(axis.ticks.empty()) << row.name;
        EXPECT_EQ(axis.ticks.front(), axis.low) << row.name;
        EXPECT_EQ(axis.ticks.back(), axis.high) << row.name;
    }
}

} // namespace
} // namespace tarvelo
