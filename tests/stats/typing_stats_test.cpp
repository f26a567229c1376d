#include "profile/profile_store.h"
#include "state/complete_totals.h"
#include "state/current_user.h"
#include "state/letter_tallies.h"
#include "stats/typing_stats.h"
#include "support/temp_folder.h"

#include <cstdint>
#include <gtest/gtest.h>

namespace tarvelo {
namespace {

TEST(TypingStatsFormulaTest, WordsPerMinuteAndAccuracy)
{
    EXPECT_EQ(TypingStats::WordsPerMinute(11, 0, 49), 11); // 2.2 * 240 / 49 = 10.78
    EXPECT_EQ(TypingStats::WordsPerMinute(5, 4, 30), 0) << "nothing typed right";
    EXPECT_EQ(TypingStats::WordsPerMinute(6, 0, 240), 1) << "1.2 rounds down";
    EXPECT_EQ(TypingStats::WordsPerMinute(3.5 * 5 + 1, 1, 240), 4) << "3.5 rounds to even";
    EXPECT_EQ(TypingStats::Accuracy(4, 1), 75);
    EXPECT_EQ(TypingStats::Accuracy(8, 1), 88) << "87.5 rounds to even";
    EXPECT_EQ(TypingStats::Accuracy(1, 1), 0);
}

TEST(TypingStatsFormulaTest, MinutesRoundHalvesAwayFromZero)
{
    EXPECT_EQ(TypingStats::FormatMinutes(600), "2.5");
    EXPECT_EQ(TypingStats::FormatMinutes(1), "0.0");
    EXPECT_EQ(TypingStats::FormatMinutes(12), "0.1"); // 0.05 minutes
    EXPECT_EQ(TypingStats::FormatMinutes(240 * 12345), "12345.0");
}

class TypingStatsTest : public ::testing::Test
{
protected:
    CurrentUser user;
    CompleteTotals totals;
    LetterTallies tallies;
    TypingStats stats{totals, tallies, user};
};

TEST_F(TypingStatsTest, TickComputesSpeedThenCountsTime)
{
    stats.SentenceTime = 49;
    stats.Tick(11);
    EXPECT_EQ(stats.SentenceWpm, 11);
    EXPECT_EQ(stats.SentenceTime, 50);
    EXPECT_EQ(stats.SessionTime, 2);
    EXPECT_EQ(totals.CompleteQSeconds, 1) << "lessons leave the totals alone";
    user.TypeMode = CurrentUser::kPractice;
    stats.Tick(11);
    EXPECT_EQ(totals.CompleteQSeconds, 2);
}

TEST_F(TypingStatsTest, OnlyWrongKeysGiveZeroSpeedAndAccuracy)
{
    for (int position = 1; position <= 5; ++position) {
        stats.CountWrongKeystroke();
        stats.UpdateAccuracies(position);
        stats.CountPosition();
    }
    stats.Tick(6);
    EXPECT_EQ(stats.SentenceWpm, 0);
    EXPECT_EQ(stats.SentenceAccuracy, 0);
    EXPECT_EQ(stats.SessionAccuracy, 0);
}

TEST_F(TypingStatsTest, FinishShowsBothRowsAndSkipOnlyTheLast)
{
    stats.CountWrongKeystroke();
    stats.UpdateAccuracies(4);
    stats.SkipSentence();
    EXPECT_EQ(stats.Panel().llerrors, "1");
    EXPECT_EQ(stats.Panel().llpercent, "75");
    EXPECT_EQ(stats.Panel().lterrors, "0");
    EXPECT_EQ(stats.SentenceErrors, 0);
    stats.FinishSentence();
    EXPECT_EQ(stats.Panel().llerrors, "0");
    EXPECT_EQ(stats.Panel().lterrors, "1");
}

TEST(LetterTalliesTest, FoldsLowerCaseAndUpperHalfLetters)
{
    EXPECT_EQ(LetterTallies::Fold('a'), 'A');
    EXPECT_EQ(LetterTallies::Fold(233), 201);
    EXPECT_EQ(LetterTallies::Fold(247), 215);
    EXPECT_EQ(LetterTallies::Fold(255), 255);
    EXPECT_EQ(LetterTallies::Fold('['), '[');
}

TEST(LetterTalliesTest, PercentagePerUserRoundsDown)
{
    LetterTallies tallies;
    for (int i = 0; i < 10; ++i)
        tallies.TallyLetterTyped(2, 'a');
    tallies.TallyLetterError(2, 'a');
    EXPECT_EQ(tallies.LetterPercentage(2, 'A'), 90);
    EXPECT_EQ(tallies.LetterPercentage(2, 'a'), 100) << "nothing is tallied under a";
    EXPECT_EQ(tallies.LetterPercentage(3, 'A'), 100) << "another user";
    for (int i = 0; i < 7; ++i)
        tallies.TallyLetterTyped(0, 'q');
    for (int i = 0; i < 3; ++i)
        tallies.TallyLetterError(0, 'q');
    EXPECT_EQ(tallies.LetterPercentage(0, 'Q'), 57);
    tallies.TallyLetterTyped(9, 'a'); // no such user: ignored
    tallies.TallyLetterTyped(0, 400); // no such code: ignored
}

TEST(CompleteTotalsTest, TimeStaysExactPast2To24Ticks)
{
    test::TempFolder folder;
    ProfileStore profile(folder.Path());
    CompleteTotals totals;
    totals.CompleteQSeconds = 16777216;
    totals.CompleteQSeconds += 1;
    totals.CompletePosition = 123456;
    totals.CompleteErrors = 789;
    ASSERT_TRUE(totals.Save(profile, "user4"));
    EXPECT_EQ(profile.ReadProfile("user4", "completeqseconds", ""), "16777217");
    const CompleteTotals loaded = CompleteTotals::Load(profile, "user4");
    EXPECT_EQ(loaded.CompleteQSeconds, 16777217);
    EXPECT_EQ(loaded.CompletePosition, 123456);
    EXPECT_EQ(loaded.CompleteErrors, 789);
    EXPECT_EQ(CompleteTotals::Load(profile, "user5").CompletePosition, 1) << "defaults";
}

TEST(CompleteTotalsTest, CountsPast2To31AreKeptAndNeverWrap)
{
    test::TempFolder folder;
    ProfileStore profile(folder.Path());
    struct Row
    {
        const char* name;
        std::string stored;
        std::int64_t loaded;
    };
    const Row rows[] = {
        {"exponent_form", "3e9", 3000000000LL},
        {"just_past_int32", "2147483648", 2147483648LL},
        {"int64_max", "9223372036854775807", INT64_MAX},
        {"beyond_int64", "99999999999999999999", INT64_MAX},
    };
    for (const Row& row : rows) {
        profile.WriteProfile("user0", "completeposition", row.stored);
        profile.WriteProfile("user0", "completeerrors", row.stored);
        const CompleteTotals totals = CompleteTotals::Load(profile, "user0");
        EXPECT_EQ(totals.CompletePosition, row.loaded) << row.name;
        EXPECT_EQ(totals.CompleteErrors, row.loaded) << row.name;
    }

    CurrentUser user;
    user.TypeMode = CurrentUser::kPractice;
    CompleteTotals totals = CompleteTotals::Load(profile, "user0"); // the last row: beyond
    LetterTallies tallies;
    TypingStats stats{totals, tallies, user};
    stats.CountPosition();
    stats.CountWrongKeystroke();
    EXPECT_EQ(totals.CompletePosition, INT64_MAX) << "saturates";
    EXPECT_EQ(totals.CompleteErrors, INT64_MAX);
    totals.CompletePosition = 2147483647;
    stats.CountPosition();
    ASSERT_TRUE(totals.Save(profile, "user1"));
    EXPECT_EQ(profile.ReadProfile("user1", "completeposition", ""), "2147483648");
}

} // namespace
} // namespace tarvelo
