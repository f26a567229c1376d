#include "game/game_keys.h"
#include "game/game_storage.h"
#include "game/high_scores.h"
#include "profile/profile_store.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tarvelo {
namespace {

using settings::ScoreEntryKey;
using settings::ScoreField;

class HighScoreTest : public ::testing::Test
{
protected:
    std::string Stored(int k, ScoreField field) const
    {
        return profile.Read(settings::kScores, ScoreEntryKey(k, field).AsKey());
    }
    void Store(int k, ScoreField field, std::string_view value)
    {
        profile.Write(settings::kScores, ScoreEntryKey(k, field).AsKey(), value);
    }
    // Ten entries scored 1000, 900, ... 100, all fields filled.
    void StoreTen()
    {
        for (int k = 1; k <= 10; ++k) {
            storage.InsertHighScore({1100 - 100 * k, 1, 2, 30, 9000, 26}, "P" + std::to_string(k),
                                    {2025, 1, 1});
        }
    }
    test::TempFolder folder;
    ProfileStore profile{folder.Path()};
    GameStorage storage{profile, "user0"};
};

TEST_F(HighScoreTest, FirstGameWritesTheZeroFieldsOfAllTenEntries)
{
    const ScoreTexts last =
        storage.InsertHighScore({120, 3, 4, 18, 8749, 26}, "Tester", {2026, 3, 7});
    EXPECT_EQ(profile.Read(settings::kScores, settings::kNumScores), "1");
    EXPECT_EQ(Stored(10, ScoreField::Letters), "0");
    EXPECT_EQ(Stored(10, ScoreField::Accuracy), "0");
    EXPECT_EQ(Stored(1, ScoreField::Date), "Mar 7, 2026");
    EXPECT_EQ(Stored(1, ScoreField::Accuracy), "87") << "87.49 %";
    EXPECT_EQ(last.accuracy, "87");
    EXPECT_EQ(AccuracyPercent(8750), 88);
}

TEST_F(HighScoreTest, SortingKeepsEqualScoresInOrderCutsToTenAndReadsHandEditsSafely)
{
    StoreTen();
    storage.InsertHighScore({100, 1, 1, 0, 0, 1}, "Low", {2026, 1, 2});
    EXPECT_EQ(storage.ReadHighScores().back().score, 100);
    EXPECT_EQ(Stored(10, ScoreField::User), "P10") << "a result equal to the last sorts after it";

    storage.InsertHighScore({700, 1, 1, 0, 0, 1}, "New", {2026, 1, 2});
    EXPECT_EQ(Stored(5, ScoreField::User), "New");
    EXPECT_EQ(Stored(6, ScoreField::User), "P5");
    ASSERT_EQ(storage.ReadHighScores().size(), 10u);
    EXPECT_EQ(storage.ReadHighScores().back().score, 200);

    // Hand-edited tables read safely.
    const std::pair<std::string_view, std::size_t> rows[] = {{"15", 10}, {"-3", 0}, {"x", 0}};
    for (const auto& [numscores, entries] : rows) {
        profile.Write(settings::kScores, settings::kNumScores, numscores);
        EXPECT_EQ(storage.ReadHighScores().size(), entries) << numscores;
    }
    profile.Write(settings::kScores, settings::kNumScores, "15");
    Store(2, ScoreField::Score, "lots");
    Store(3, ScoreField::Level, "99999"); // too wide for 16 bits
    const std::vector<HighScoreEntry> table = storage.ReadHighScores();
    EXPECT_EQ(table[1].score, 0);
    EXPECT_EQ(table[2].level, 0);
    EXPECT_EQ(table[2].score, 800);

    storage.InsertHighScore({5000, 1, 1, 0, 0, 1}, "Top", {2026, 1, 2});
    EXPECT_EQ(profile.Read(settings::kScores, settings::kNumScores), "10");
    EXPECT_EQ(Stored(1, ScoreField::User), "Top");
}

// Two running copies finishing games back to back: the table keeps the ten
// best of both, and the averages count every game (the table was read before
// the lock was taken, so one copy's scores were overwritten by the other's).
TEST_F(HighScoreTest, TwoCopiesInsertingKeepTheTenBestOfBoth)
{
    constexpr int kGames = 200;
    std::vector<pid_t> copies;
    for (const int parity : {0, 1}) {
        const pid_t child = ::fork();
        if (child == 0) {
            ProfileStore mine(folder.Path());
            GameStorage copy(mine, "user0");
            for (int i = 0; i < kGames; ++i) {
                copy.InsertHighScore({2 * i + parity, 1, 1, 0, 0, 1}, "C", {2026, 1, 2});
                copy.AddGameToAverages(50, 90.0f);
            }
            ::_exit(0);
        }
        copies.push_back(child);
    }
    for (const pid_t child : copies) {
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
    }
    std::string best;
    for (const HighScoreEntry& entry : storage.ReadHighScores())
        best += std::to_string(entry.score) + " ";
    EXPECT_EQ(best, "399 398 397 396 395 394 393 392 391 390 ");
    EXPECT_EQ(GameAverages::Load(profile, "user0").GamesPlayed, 2 * kGames);
}

TEST_F(HighScoreTest, WindowRows)
{
    storage.InsertHighScore({250, 2, 5, 40, 9000, 38}, std::string(30, 'N'), {2026, 12, 24});
    Store(1, ScoreField::Letters, "0"); // stored before the letters were kept
    const ScoreTexts last{"7", "Me", "Jan 1, 2026", "1", "1", "0", "100", "0"};
    const auto rows = HighScoreRows(storage.ReadHighScoreTexts(), last);
    EXPECT_EQ(rows[1].scores, "1 ) " + std::string(21, 'N') + ":  250");
    EXPECT_EQ(rows[1].date, "Dec 24, 2026");
    EXPECT_EQ(rows[1].details, "Level: 2-5   Intelligence: 40/100   Accuracy: 90%");
    EXPECT_EQ(rows[0].scores, "Me:  7  @ 0 letters") << "row 0 always shows its letters";
    EXPECT_EQ(rows[2].scores, "");
    EXPECT_EQ(HighScoreRows({}, std::nullopt)[0].scores, "");
}

} // namespace
} // namespace tarvelo
