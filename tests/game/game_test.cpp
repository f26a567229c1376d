#include "game/falling_board.h"
#include "game/game_keys.h"
#include "game/game_scoring.h"
#include "game/game_storage.h"
#include "game/high_scores.h"
#include "game_fixture.h"
#include "profile/key_codes.h"
#include "profile/profile_store.h"
#include "support/temp_folder.h"

#include <algorithm>
#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <sys/wait.h>
#include <tuple>
#include <unistd.h>

namespace tarvelo {
namespace {

using test::ScriptedRandom;

FallingBoard::PlayableSet Playable(std::string_view letters)
{
    FallingBoard::PlayableSet set{};
    for (char c : letters)
        set[static_cast<unsigned char>(c)] = true;
    return set;
}

constexpr auto ColumnDraw = ScriptedRandom::Column;
constexpr auto CodeDraw = ScriptedRandom::Code;

class FallingBoardTest : public ::testing::Test
{
protected:
    FallingBoardTest() { board.ResetBoard(); }
    FallingBoard board;
    ScriptedRandom random;
};

TEST_F(FallingBoardTest, SpawnRedrawsTakenColumnsAndUnusableCharactersHitsMatchExactly)
{
    const auto playable = Playable("AB");
    random.queue = {ColumnDraw(4), CodeDraw('A')};
    board.SpawnLetter(random, playable, 2);
    // Column 4 is taken, "A" is on screen, "x" is not playable.
    random.queue = {ColumnDraw(4), ColumnDraw(9), CodeDraw('A'), CodeDraw('x'), CodeDraw('B')};
    board.SpawnLetter(random, playable, 2);
    EXPECT_TRUE(random.queue.empty());
    EXPECT_TRUE(board.Slot(9).taken);
    ASSERT_EQ(board.FallingArea().size(), 2u);
    EXPECT_EQ(board.FallingArea()[1].column, 9);
    EXPECT_EQ(board.FallingArea()[1].character, 'B');

    EXPECT_FALSE(board.HitLetter('a')) << "case must match";
    EXPECT_TRUE(board.HitLetter('A'));
    EXPECT_FALSE(board.Slot(4).letter.has_value());
    EXPECT_EQ(board.ActiveLetters(), 1);
    EXPECT_FALSE(board.HitLetter('A'));

    const int draws = random.draws;
    board.SpawnLetter(random, Playable(""), 0);
    board.SpawnLetter(random, Playable("B"), 1); // "B" is on screen
    EXPECT_EQ(random.draws, draws) << "nothing playable: no draw";
}

TEST_F(FallingBoardTest, FullBoardNeverPicksATakenColumn)
{
    std::string letters;
    for (int c = 0; c < 17; ++c) {
        letters += static_cast<char>('A' + c);
        random.queue.insert(random.queue.end(), {ColumnDraw(c), CodeDraw('A' + c)});
    }
    letters += "XYZ";
    const auto playable = Playable(letters);
    for (int c = 0; c < 17; ++c)
        board.SpawnLetter(random, playable, 20);
    for (int c = 0; c < 17; ++c)
        random.queue.push_back(ColumnDraw(c));
    random.queue.insert(random.queue.end(), {ColumnDraw(18), CodeDraw('Y')});
    board.SpawnLetter(random, playable, 20);
    EXPECT_EQ(board.Slot(18).letter, 'Y');
    EXPECT_EQ(board.ActiveLetters(), 18);
}

TEST_F(FallingBoardTest, PileFillsBottomUpAndTheFourthLandingOverflows)
{
    const auto playable = Playable("ABCD");
    const std::vector<Landing> expected = {Landing::Piled, Landing::Piled, Landing::Piled,
                                           Landing::Overflow};
    for (int i = 0; i < 4; ++i) {
        random.queue = {ColumnDraw(3), CodeDraw('A' + i)};
        board.SpawnLetter(random, playable, 4);
        Landing landing = Landing::None;
        for (int row = 0; row < FallingBoard::kLandingRow; ++row)
            landing = board.AdvanceColumn(3);
        EXPECT_EQ(landing, expected[i]) << "landing " << i + 1;
    }
    EXPECT_EQ(board.PileLetter(2, 3), 'C');
    EXPECT_EQ(board.PileArea(2, 3), 'A') << "the first lands on the bottom row";
}

using Game = test::GameFixture;

TEST(GameScoringTest, IntervalsBonusesIntelligenceAndAverages)
{
    const std::pair<int, int> rows[] = {{2, 450}, {5, 328}, {10, 194}, {19, 82}, {23, 70}};
    for (const auto& [startLevel, intervalMs] : rows) {
        int interval = 500;
        for (int level = 1; level < startLevel; ++level)
            interval = scoring::NextLevelInterval(interval, level);
        EXPECT_EQ(interval, intervalMs) << "level " << startLevel;
    }
    EXPECT_EQ(scoring::NextLevelInterval(12, 63), 12) << "the floor";
    EXPECT_EQ(scoring::DollarInterval(194), 213);
    // Level, hits, bonus.
    // clang-format off
    const std::tuple<int, int, int> bonuses[] = {
        {1, 30, 2}, {3, 30, 8}, {5, 30, 18}, {10, 30, 60}, {10, 1, 13}, {4, 28, 8}};
    // clang-format on
    for (const auto& [level, hits, bonus] : bonuses)
        EXPECT_EQ(scoring::LevelBonus(level, hits), bonus) << "level " << level << ", " << hits;
    EXPECT_EQ(scoring::FinalIntelligence(25), 50);
    EXPECT_EQ(scoring::FinalIntelligence(61), 100);

    GameAverages averages;
    averages = scoring::WithGame(averages, 40, 80.0f);
    EXPECT_EQ(averages.GameIntelligence, 40) << "the first game is the average";
    averages = scoring::WithGame(averages, 45, 90.0f);
    averages = scoring::WithGame(averages, 46, 70.0f);
    EXPECT_EQ(averages.GameIntelligence, 44) << "(2 * 43 + 46) / 3, after 42.5 rounded up";
    EXPECT_FLOAT_EQ(averages.GameAccuracy, 80.0f);
}

TEST_F(Game, StartingAtLevelFiveRaisesFourTimesWithTheSound)
{
    Load("01", 0, 5);
    game->StartGame();
    EXPECT_EQ(game->DropTimer().intervalMs, 328); // the scoring's level-5 interval
    EXPECT_EQ(std::count_if(sound_.calls.begin(), sound_.calls.end(),
                            [](const std::string& c) { return c.starts_with("wave "); }),
              5);
    EXPECT_EQ(sound_.calls.back(), "play");
}

TEST_F(Game, LevelRisesAfterThirtyWonTossesAndTheInterlude)
{
    Load();
    game->StartGame();
    // One letter per tick, each in a column that is free again by then.
    for (int toss = 1; toss <= 30; ++toss) {
        random.Spawn(toss % 20, static_cast<unsigned char>('A' + toss % 26));
        game->GameTick();
        if (toss == 1)
            Type("b"); // a hit, so the level earns a bonus
    }
    EXPECT_EQ(game->ShownLevel(), 2) << "shown ahead of the change";
    EXPECT_EQ(game->Level(), 1);
    const int drawsBefore = random.draws;
    Ticks(19);
    EXPECT_EQ(random.draws, drawsBefore) << "no toss during the interlude";
    EXPECT_TRUE(game->RaisingLevel());
    game->GameTick();
    EXPECT_EQ(game->Level(), 2);
    EXPECT_FALSE(game->RaisingLevel());

    // The bonus, 1^2 / 31 + 1, lands after 19 animation steps.
    const int score = game->Score();
    for (int step = 1; step < TypingGame::kBonusSteps; ++step)
        game->ScoreAddTick();
    EXPECT_EQ(game->Score(), score);
    game->ScoreAddTick();
    EXPECT_EQ(game->Score(), score + 1);
    EXPECT_FALSE(game->ScoreAddTimer().enabled);
}

TEST_F(Game, PauseStopsTheDropTimerAndIgnoresKeysAnEndStopsEverything)
{
    Load();
    game->StartGame();
    random.Spawn(2, 'K');
    Ticks(3);
    const unsigned restarts = game->DropTimer().restarts;
    game->ProcessTypedChar(' ');
    EXPECT_FALSE(game->DropTimer().enabled);
    EXPECT_TRUE(game->Board().FallingArea().empty()) << "hidden while paused";
    Type("k");
    game->GameTick();
    EXPECT_EQ(game->Keystrokes(), 0);
    EXPECT_EQ(game->Board().Slot(2).posY, 2);
    game->ProcessTypedChar(' ');
    EXPECT_GT(game->DropTimer().restarts, restarts);
    Type("k");
    EXPECT_EQ(game->CorrectKeys(), 1) << "a lower-case key hits with Uppercase";

    // Nothing moves after the game ends inside a tick.
    for (int i = 0; i < 3; ++i)
        Land(4, i % 2 ? 'Q' : 'W');
    random.Spawn(4, 'Q');
    game->GameTick();
    random.Spawn(9, 'W');
    Ticks(16); // "Q" in column 4 at row 16, "W" in column 9 at row 15
    random.queue = {0.75, 0.475, 0.5};
    game->GameTick();
    EXPECT_FALSE(game->Running());
    EXPECT_EQ(game->Board().Slot(9).posY, 15) << "later columns stay";
    EXPECT_EQ(random.queue.size(), 3u) << "no toss";
}

TEST_F(Game, KeystrokesScoreAndAccuracy)
{
    Load("01", 2); // Mixed Case: "q" and "Q"
    game->StartGame();
    random.Spawn(0, 'q');
    game->GameTick();
    Type("Q\b\rq");
    EXPECT_EQ(game->Keystrokes(), 2) << "backspace and Enter do not count";
    EXPECT_FLOAT_EQ(game->CurrentAccuracy(), 50.0f);
    game->ProcessTypedChar(keycode::kOutsideCodePage);
    EXPECT_EQ(game->Keystrokes(), 3) << "a character the code page lacks misses";
    Type("$");
    EXPECT_EQ(game->Score(), -2 + 3000);
    EXPECT_EQ(game->DropTimer().intervalMs, 550);
    Type(std::string(10, '$'));
    game->AbortGame();
    EXPECT_EQ(GameStorage(profile, user.UserSection).ReadHighScores().at(0).score, 11 * 2999 - 1)
        << "a score beyond 16 bits";
}

// The watchdog restarts the tune at its end; the sound toggle stops it and
// reopens it; a missing tune is told once.
TEST_F(Game, TuneRestartsAtItsEndFollowsTheSoundToggleAndMayBeMissing)
{
    Load();
    game->StartGame();
    sound_.calls.clear();
    sound_.length = 3000;
    sound_.position = 2999;
    game->MusicTick();
    EXPECT_TRUE(sound_.calls.empty());
    sound_.position = 3000;
    game->MusicTick();
    EXPECT_EQ(sound_.calls, (std::vector<std::string>{"stop", "close", "open", "play"}));
    EXPECT_TRUE(game->MusicTimer().enabled);
    sound_.length = 0; // a failed query
    game->MusicTick();
    EXPECT_EQ(sound_.calls.size(), 4u);

    sound_.calls.clear();
    game->ToggleSound();
    EXPECT_EQ(sound_.calls, (std::vector<std::string>{"stop", "close"}));
    EXPECT_FALSE(profile.Read(user.UserSection, settings::kGameSound));
    EXPECT_FALSE(game->MusicTimer().enabled);
    game->ToggleSound();
    EXPECT_EQ(sound_.calls.size(), 4u);
    EXPECT_EQ(sound_.calls[2], "open") << "no stop or close before reopening";
    game->ToggleSound();
    sound_.calls.clear();
    game->AbortGame();
    game->StartGame();
    EXPECT_TRUE(sound_.calls.empty()) << "sound off requests nothing";

    std::remove(folder.File(TypingGame::kTuneFile).c_str());
    Load(); // sound on, no tune: told once, and the game goes on
    for (int i = 0; i < 2; ++i) {
        game->AbortGame();
        game->StartGame();
    }
    EXPECT_EQ(dialogs.shown.size(), 1u);
    EXPECT_TRUE(game->Running());
}

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
