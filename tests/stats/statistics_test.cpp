#include "profile/keyboard_layout.h"
#include "profile/profile_store.h"
#include "state/complete_totals.h"
#include "state/letter_tallies.h"
#include "stats/record_sheet.h"
#include "stats/statistics.h"
#include "support/temp_folder.h"

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
        {"worked example", {481, 960, 24}, {"4.0", "22", "95"}}, // 95.01, 22.85
        {"position 0", {0, 1, 0}, {"0.0", "0", "100"}},
        {"position 3 has a speed", {3, 240, 0}, {"1.0", "0", "100"}}, // 0.6 floors to 0
    };
    for (const auto& row : rows) {
        const CompleteFigures figures = LoadCompleteStats(row.totals);
        EXPECT_EQ(figures.lctime, row.expected.lctime) << row.name;
        EXPECT_EQ(figures.lcwpm, row.expected.lcwpm) << row.name;
        EXPECT_EQ(figures.lcpercent, row.expected.lcpercent) << row.name;
    }
    EXPECT_EQ(LoadCompleteStats({2, 1, 0}).lcwpm, "0") << "a position of 2 shows no speed";
}

class LetterListTest : public ::testing::Test
{
protected:
    test::TempFolder folder;
    ProfileStore profile{folder.Path()};
    KeyboardLayout layout;
    LetterTallies tallies;

    std::string Listed() const
    {
        std::string codes;
        for (const ListedLetter& letter : LoadLetterErrors(layout, tallies, 0))
            codes += letter.letter;
        return codes;
    }
};

TEST_F(LetterListTest, DefaultLayoutListsCapitalsAndSymbolsInCodeOrder)
{
    layout.Load(profile);
    const std::string listed = Listed();
    EXPECT_EQ(listed.find(' '), std::string::npos);
    EXPECT_EQ(listed.find('a'), std::string::npos) << "lower case counts under its capital";
    EXPECT_NE(listed.find('A'), std::string::npos);
    EXPECT_TRUE(std::is_sorted(listed.begin(), listed.end(), [](char a, char b) {
        return static_cast<unsigned char>(a) < static_cast<unsigned char>(b);
    }));
    EXPECT_LE(listed.size(), Statistics::kMaxLetters);
}

TEST_F(LetterListTest, CodesWithAKeyAreListedOthersNever)
{
    layout.AssignCharacter(5, 255, false, profile);  // y with diaeresis: listed
    layout.AssignCharacter(6, 0xE9, false, profile); // é: counted as É
    layout.AssignCharacter(7, 0x80, false, profile); // the euro sign
    const std::string listed = Listed();
    EXPECT_NE(listed.find('\xFF'), std::string::npos);
    EXPECT_NE(listed.find('\xC9'), std::string::npos);
    EXPECT_EQ(listed.find('\xE9'), std::string::npos);
    EXPECT_NE(listed.find('\x80'), std::string::npos);
}

TEST_F(LetterListTest, NoKeysGiveAnEmptyChartTwoUnitsWide)
{
    const Statistics statistics({}, layout, tallies, 0, "Ada");
    EXPECT_TRUE(statistics.Letters().empty());
    EXPECT_EQ(statistics.ScaleWidth(), 2);
}

TEST_F(LetterListTest, PercentagesPlaceMarkersAndTintKeys)
{
    layout.Load(profile);
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
    EXPECT_EQ(Statistics::MarkerRow(100), 2) << "never typed: drawn at the top";
    EXPECT_EQ(statistics.KeyPercentage(q->key), 57.0f);
    EXPECT_EQ(statistics.KeyTip(q->key), "Q  57 %");
    EXPECT_EQ(statistics.ScaleWidth(), static_cast<double>(letters.size()) + 2);
    // Red at 0 %, green at 100 %.
    EXPECT_GT(Statistics::HeatColour(0) & 0xFF, (Statistics::HeatColour(0) >> 8) & 0xFF);
    EXPECT_GT((Statistics::HeatColour(100) >> 8) & 0xFF, Statistics::HeatColour(100) & 0xFF);
}

TEST(StatisticsOptionsTest, KeysAndPresses)
{
    const KeyboardLayout layout;
    const LetterTallies tallies;
    Statistics stats({}, layout, tallies, 0, "Ada");
    EXPECT_EQ(stats.Selected(), Statistics::kClose);
    EXPECT_EQ(stats.KeyDown(NavigationKey::Left), StatsAction::Close);
    EXPECT_EQ(stats.KeyDown(NavigationKey::Up), StatsAction::None);
    EXPECT_EQ(stats.OptionFill(Statistics::kPrint), Statistics::kSelectedFill);
    EXPECT_EQ(stats.KeyDown(NavigationKey::Left), StatsAction::None);
    EXPECT_EQ(stats.KeyDown(NavigationKey::Right), StatsAction::Print);
    EXPECT_EQ(stats.KeyDown(NavigationKey::Down), StatsAction::None);
    EXPECT_EQ(stats.KeyDown(NavigationKey::Enter), StatsAction::Close);
    EXPECT_EQ(stats.KeyDown(NavigationKey::Escape), StatsAction::Close);
    EXPECT_EQ(stats.PressOption(Statistics::kPrint), StatsAction::Print);
    stats.HoverOption(Statistics::kClose);
    EXPECT_EQ(stats.OptionBorder(Statistics::kClose), Statistics::kHoverBorder);
    stats.HoverBackground();
    EXPECT_EQ(stats.OptionBorder(Statistics::kClose), Statistics::kBorder);
}

TEST(RecordSheetTest, LinesFollowTheFigures)
{
    const RecordSheet sheet = MakeRecordSheet("Ada", LoadCompleteStats({481, 960, 24}));
    const std::array<std::string, 4> expected = {"User:  Ada", "Time Spent:  4.0 minutes",
                                                 "Words per Minute:  22", "Accuracy:  95%"};
    EXPECT_EQ(sheet.lines, expected);
}

} // namespace
} // namespace tarvelo
