#include "profile/profile_store.h"
#include "state/complete_totals.h"
#include "state/current_user.h"
#include "state/letter_tallies.h"
#include "stats/typing_stats.h"
#include "support/temp_folder.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <vector>

namespace tarvelo {
namespace {

TEST(TypingStatsFormulaTest, WordsPerMinuteAccuracyAndMinutes)
{
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
