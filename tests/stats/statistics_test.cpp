#include "profile/keyboard_layout.h"
#include "profile/profile_store.h"
#include "state/complete_totals.h"
#include "state/current_user.h"
#include "state/letter_tallies.h"
#include "stats/speed_report.h"
#include "stats/statistics.h"
#include "stats/typing_stats.h"
#include "stats/value_axis.h"
#include "support/temp_folder.h"

#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <vector>

namespace tarvelo {
namespace {

TEST(TypingStatsFormulaTest, SpeedAccuracyMinutesAndTheFlooredCompleteFigures)
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
    EXPECT_EQ(TypingStats::WordsPerMinute(11, 0, 49), 11); // 2.2 * 240 / 49 = 10.78
    EXPECT_EQ(TypingStats::WordsPerMinute(5, 4, 30), 0) << "nothing typed right";
    EXPECT_EQ(TypingStats::WordsPerMinute(6, 0, 240), 1) << "1.2 rounds down";
    EXPECT_EQ(TypingStats::WordsPerMinute(3.5 * 5 + 1, 1, 240), 4) << "3.5 rounds to even";
    EXPECT_EQ(TypingStats::Accuracy(4, 1), 75);
    EXPECT_EQ(TypingStats::Accuracy(8, 1), 88) << "87.5 rounds to even";
    EXPECT_EQ(TypingStats::Accuracy(1, 1), 0);
    EXPECT_EQ(TypingStats::FormatMinutes(12), "0.1") << "0.05 minutes: halves away from zero";
    EXPECT_EQ(TypingStats::FormatMinutes(240 * 12345), "12345.0");
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

// A key shows its slowest letter; only codes with a key are listed, lower case
// under its capital, in code order.
TEST_F(KeyboardStatsTest, KeysShowTheirSlowestLetterCodesWithAKeyAreListedWithPercentages)
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

class TypingStatsTest : public ::testing::Test
{
protected:
    CurrentUser user;
    CompleteTotals totals;
    LetterTallies tallies;
    TypingStats stats{totals, tallies, user};
};

// The speed is taken from the time before the tick; lessons count no time.
TEST_F(TypingStatsTest, TickFinishSkipAndLetterFolds)
{
    stats.SentenceTime = 49;
    stats.Tick(11);
    EXPECT_EQ(stats.SentenceWpm, 11);
    EXPECT_EQ(totals.CompleteQSeconds, 1);
    stats.CountWrongKeystroke();
    stats.UpdateAccuracies(4);
    stats.SkipSentence();
    EXPECT_EQ(stats.Panel().lastLineErrors, "1");
    EXPECT_EQ(stats.Panel().lastLinePercentage, "75");
    EXPECT_EQ(stats.Panel().totalErrors, "0") << "a skip leaves the Total row";
    stats.FinishSentence();
    EXPECT_EQ(stats.Panel().lastLineErrors, "0") << "the sentence counts started again";
    EXPECT_EQ(stats.Panel().totalErrors, "1");
    std::string folded; // a, é, ÷ (the whole upper half moves), ÿ (kept) and [
    for (int code : {int{'a'}, 0xE9, 0xF7, 0xFF, int{'['}})
        folded += static_cast<char>(LetterTallies::Fold(code));
    EXPECT_EQ(folded, "A\xC9\xD7\xFF[");
}

// Time stays exact past 2^24 ticks; counts past 2^31 are kept and never wrap.
TEST(CompleteTotalsTest, TotalsKeepTheirPrecision)
{
    test::TempFolder folder;
    ProfileStore profile(folder.Path());
    CompleteTotals totals;
    totals.CompleteQSeconds = 16777216;
    totals.CompleteQSeconds += 1;
    totals.CompletePosition = 2147483647;
    ASSERT_TRUE(totals.Save(profile, "user4"));
    const CompleteTotals loaded = CompleteTotals::Load(profile, "user4");
    EXPECT_EQ(loaded.CompleteQSeconds, 16777217);
    const std::pair<const char*, std::int64_t> stored[] = {{"3e9", 3000000000LL},
                                                           {"9223372036854775807", INT64_MAX},
                                                           {"99999999999999999999", INT64_MAX}};
    for (const auto& [text, errors] : stored) {
        profile.WriteProfile("user0", "completeerrors", text);
        EXPECT_EQ(CompleteTotals::Load(profile, "user0").CompleteErrors, errors) << text;
    }
    CurrentUser user;
    user.TypeMode = RunMode::Practice;
    totals = loaded;
    totals.CompleteErrors = INT64_MAX;
    LetterTallies tallies;
    TypingStats stats{totals, tallies, user};
    stats.CountPosition();
    stats.CountWrongKeystroke();
    EXPECT_EQ(totals.CompleteErrors, INT64_MAX) << "saturates";
    ASSERT_TRUE(totals.Save(profile, "user4"));
    EXPECT_EQ(profile.ReadProfile("user4", "completeposition", ""), "2147483648");
}

// Two copies practising as the same user: each save adds what its copy
// counted since its last save, so neither copy's practice is overwritten.
TEST(CompleteTotalsTest, TwoCopiesSavingKeepBothCopiesCounts)
{
    test::TempFolder folder;
    folder.Write("Tarvelo.INI", "[users]\r\nlastuser=352\r\n");
    ProfileStore first(folder.Path());
    ProfileStore second(folder.Path());
    CompleteTotals a = CompleteTotals::Load(first, "user0");
    CompleteTotals b = CompleteTotals::Load(second, "user0");
    a.CompletePosition += 10;
    a.CompleteErrors += 2;
    ASSERT_TRUE(a.Save(first, "user0"));
    b.CompletePosition += 5;
    ASSERT_TRUE(b.Save(second, "user0"));
    a.CompletePosition += 1;
    ASSERT_TRUE(a.Save(first, "user0"));
    const CompleteTotals stored = CompleteTotals::Load(ProfileStore(folder.Path()), "user0");
    EXPECT_EQ(stored.CompletePosition, 17);
    EXPECT_EQ(stored.CompleteErrors, 2);
    EXPECT_EQ(a.CompletePosition, 17) << "the copy shows what is stored";

    // A save the disk refused stays owed to the next one.
    {
        test::FileSizeLimit diskFull(0);
        b.CompletePosition += 3;
        EXPECT_FALSE(b.Save(second, "user0"));
    }
    ASSERT_TRUE(b.Save(second, "user0"));
    EXPECT_EQ(CompleteTotals::Load(ProfileStore(folder.Path()), "user0").CompletePosition, 20);
}

} // namespace
} // namespace tarvelo
