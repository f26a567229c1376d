#include "game/game_menu.h"
#include "game/key_pool.h"
#include "game_fixture.h"
#include "history/run_history.h"
#include "history/shared_history.h"
#include "support/fake_platform.h"

#include <functional>
#include <tuple>
#include <vector>

namespace tarvelo::test {
namespace {

using Key = NavigationKey;
using O = GameOption;
using Step = GameAction::Step;

class GameMenuTest : public GameFixture
{
protected:
    GameMenu& Menu(int level = 1)
    {
        profile.Write(user.UserSection, settings::kGameLevel, level);
        layout.Load(profile);
        menu = std::make_unique<GameMenu>(Context(), history);
        menu->Load();
        return *menu;
    }

    // Four Qs land in column 0; the fourth overflows and ends the game.
    GameAction Overflow()
    {
        GameAction last;
        for (int landed = 0; landed < 4; ++landed) {
            random.Spawn(0, 'Q');
            for (int tick = 0; tick < 18; ++tick)
                last = menu->DropTick();
        }
        return last;
    }

    SteppedUtcClock utcClock;
    SharedHistory history{folder.Path(), utcClock};
    std::unique_ptr<GameMenu> menu;
};

TEST_F(GameMenuTest, ArrowCyclesSkipWhatCannotBeUsed)
{
    // clang-format off
    enum Start { Idle, Running, InPanel };
    const std::tuple<const char*, Start, Key, std::vector<O>> rows[] = {
        {"down without a game skips Pause", Idle, Key::Down,
         {O::Begin, O::Leave, O::Scores, O::Help, O::Sound, O::Level, O::Keys, O::Begin}},
        {"up without a game skips Pause", Idle, Key::Up,
         {O::Begin, O::Keys, O::Level, O::Sound, O::Help, O::Scores, O::Leave, O::Begin}},
        {"down in a game skips Begin and Level", Running, Key::Down,
         {O::Pause, O::Leave, O::Scores, O::Help, O::Sound, O::Keys, O::Pause}},
        {"up in a game skips Begin and Level", Running, Key::Up,
         {O::Pause, O::Keys, O::Sound, O::Help, O::Scores, O::Leave, O::Pause}},
        {"down in the key panel runs on to the side", InPanel, Key::Down,
         {O::Case, O::DefaultKeys, O::SelectAll, O::Begin, O::Leave}},
    };
    // clang-format on
    for (const auto& [name, start, key, cycle] : rows) {
        Menu();
        if (start == Running)
            menu->KeyDown(Key::Enter); // Begin moves the highlight to Pause
        if (start == InPanel)
            menu->PressOption(O::Keys);
        std::vector<O> seen{menu->Selected()};
        while (seen.size() < cycle.size()) {
            menu->KeyDown(key);
            seen.push_back(menu->Selected());
        }
        EXPECT_EQ(seen, cycle) << name;
    }
}

TEST_F(GameMenuTest, LevelOptionWraps)
{
    const std::tuple<int, Key, int> rows[] = {
        {10, Key::Right, 1}, {1, Key::Left, 10}, {4, Key::Enter, 5}, {4, Key::Left, 3}};
    for (const auto& [stored, key, expected] : rows) {
        GameMenu& m = Menu(stored);
        m.KeyDown(Key::Up);
        m.KeyDown(Key::Up);
        ASSERT_EQ(m.Selected(), O::Level);
        m.KeyDown(key);
        EXPECT_EQ(m.Caption(O::Level), "Level " + std::to_string(expected)) << "from " << stored;
    }
}

// Presses are ignored where the option cannot be used. In a game: Enter and
// Escape type nothing, Help pauses while the rules show, End Game stays in
// the window with the scores and a second activation leaves.
TEST_F(GameMenuTest, PressesWithAndWithoutAGame)
{
    GameMenu& m = Menu(3);
    m.PressOption(O::Pause);
    m.PressOption(O::Level);
    EXPECT_EQ(m.Selected(), O::Begin);
    EXPECT_EQ(m.Game().ChosenLevel(), 3);

    m.ClickLevel();
    m.ClickLevel(); // a double-click: two clicks' worth
    EXPECT_EQ(m.Game().ChosenLevel(), 5);
    EXPECT_EQ(m.Selected(), O::Level);

    m.PressOption(O::Begin);
    ASSERT_TRUE(m.Game().Running());
    m.PressOption(O::Begin);
    m.ClickLevel();
    EXPECT_EQ(m.Selected(), O::Pause);
    EXPECT_EQ(m.Game().ChosenLevel(), 5);
    EXPECT_FALSE(m.Shown(O::Level));

    m.TypeChar(27);
    m.TypeChar(13);
    m.TypeChar('Q');
    EXPECT_EQ(m.Game().Keystrokes(), 1);
    EXPECT_EQ(m.PressOption(O::Help).step, Step::ShowRules);
    EXPECT_TRUE(m.Game().Paused());
    m.RulesClosed();
    EXPECT_FALSE(m.Game().Paused());
    const GameAction ended = m.PressOption(O::Leave);
    EXPECT_TRUE(ended.showScores);
    EXPECT_EQ(ended.step, Step::None);
    EXPECT_FALSE(m.Game().Running());
    EXPECT_EQ(m.PressOption(O::Leave).step, Step::LeaveToMenu);
}

// Regression: after an overflow the highlight stayed on the greyed Pause, and
// after End Game on the option that ended it.
TEST_F(GameMenuTest, EveryEndOfAGameHighlightsBegin)
{
    const std::pair<const char*, std::function<void(GameMenu&)>> ends[] = {
        {"overflow", [this](GameMenu&) { Overflow(); }},
        {"End Game", [](GameMenu& m) { m.PressOption(O::Leave); }},
        {"Scores", [](GameMenu& m) { m.PressOption(O::Scores); }},
        {"close box", [](GameMenu& m) { m.Close(); }},
    };
    for (const auto& [name, end] : ends) {
        GameMenu& m = Menu();
        m.KeyDown(Key::Enter);
        m.KeyDown(Key::Down); // off Pause, as a player moving around would
        end(m);
        ASSERT_FALSE(m.Game().Running()) << name;
        EXPECT_EQ(m.Selected(), O::Begin) << name;
        EXPECT_EQ(m.Fill(O::Begin), palette::kSelectedBeginFill) << name;
        EXPECT_EQ(m.Fill(O::Leave), palette::kOptionFill) << name;
    }
}

// Only games that end by themselves count in the averages and go into the
// history, at the clock's time.
TEST_F(GameMenuTest, CountedGamesGoIntoTheAveragesAndTheHistory)
{
    GameMenu& m = Menu();
    m.KeyDown(Key::Enter);
    m.PressOption(O::Leave); // End Game
    m.KeyDown(Key::Enter);
    utcClock.now += 90;
    EXPECT_TRUE(Overflow().showScores);
    EXPECT_FLOAT_EQ(m.Game().CurrentAccuracy(), 100.0f) << "no keystroke";
    m.KeyDown(Key::Enter);
    m.Close();
    EXPECT_EQ(averages.GamesPlayed, 1);
    EXPECT_EQ(averages.GameIntelligence, 8);
    const std::vector<GameRecord> games = history.Get().Games(user.UserSection);
    ASSERT_EQ(games.size(), 1u);
    EXPECT_EQ(games[0].endUtc, utcClock.now);
    EXPECT_EQ(games[0].intelligence, 8);
    EXPECT_EQ(games[0].levelReached, 1);
}

// Regression: closing the panel from inside it left the highlight on a hidden
// panel option, so the arrows moved an invisible highlight.
TEST_F(GameMenuTest, ClosingTheKeyPanelFromInsideHighlightsModifyKeys)
{
    const std::pair<const char*, std::function<GameAction(GameMenu&)>> closes[] = {
        {"Escape", [](GameMenu& m) { return m.KeyDown(Key::Escape); }},
        {"background click", [](GameMenu& m) { return m.PressBackground(); }},
    };
    for (const auto& [name, close] : closes) {
        profile.Write(user.UserSection, settings::kLetterCase, 0); // Uppercase
        GameMenu& m = Menu();
        m.PressOption(O::Keys);
        EXPECT_TRUE(m.Shown(O::SelectAll)) << name;
        m.KeyDown(Key::Enter);
        EXPECT_EQ(m.Caption(O::Case), "Lowercase") << name;
        m.KeyDown(Key::Down);
        EXPECT_EQ(close(m).step, Step::None) << name;
        ASSERT_FALSE(m.KeyPanelOpen()) << name;
        EXPECT_EQ(m.Selected(), O::Keys) << name;
        EXPECT_EQ(m.Fill(O::DefaultKeys), palette::kOptionFill) << name;
    }
    EXPECT_EQ(menu->KeyDown(Key::Escape).step, Step::LeaveToMenu);
}

using KeyPanel = GameFixture;

constexpr std::string_view kDefaultStream = "0102030405060708091011121314151617181922232425262728";

TEST_F(KeyPanel, StreamsPlayableCountsAndPanelActions)
{
    layout.Load(profile);
    KeyPool pool;
    const std::tuple<const char*, std::string_view, LetterCase, int, std::string_view> rows[] = {
        {"default_mixed", kDefaultStream, LetterCase::Mixed, 52, kDefaultStream},
        {"symbol_keys_both_symbols", "2120", LetterCase::Lowercase, 4, "2021"},
        {"comma_alone", "29", LetterCase::Mixed, 1, "29"},
        {"key_without_caption_dropped", "0146", LetterCase::Uppercase, 1, "01"},
        // Damaged streams: only whole pairs naming a selectable key count.
        {"shift_and_space_keys", "323334", LetterCase::Mixed, 0, ""},
        {"outside_1_to_49", "005099", LetterCase::Uppercase, 0, ""},
        {"non_digits", "a1 2x-1", LetterCase::Uppercase, 0, ""},
        {"lone_last_character", "015", LetterCase::Uppercase, 1, "01"},
    };
    for (const auto& [name, stream, letterCase, playable, saved] : rows) {
        pool.Build(layout);
        pool.SelectStream(stream);
        EXPECT_EQ(pool.Save(letterCase), saved) << name;
        EXPECT_EQ(pool.PlayableCount(), playable) << name;
    }
    EXPECT_FALSE(pool.Playable()[0]);
    pool.SelectStream("01");
    pool.Save(LetterCase::Lowercase);
    EXPECT_TRUE(pool.Playable()['q']);
    EXPECT_FALSE(pool.Playable()['Q']);
    EXPECT_EQ(LetterCaseFromStored(7), LetterCase::Mixed);
    EXPECT_EQ(NextLetterCase(LetterCase::Mixed), LetterCase::Uppercase);

    pool.Build(layout);
    pool.ToggleKey(KeyboardLayout::kSpaceBar);
    pool.ToggleKey(KeyboardLayout::kLeftShift);
    pool.ToggleKey(46); // no caption
    EXPECT_EQ(pool.Save(LetterCase::Uppercase), "");
    pool.SelectAll();
    EXPECT_EQ(pool.Save(LetterCase::Uppercase).size(), 35u * 2) << "every captioned key";
    EXPECT_EQ(pool.PlayableCount(), 38);
    pool.SelectAll();
    pool.SelectAll();
    EXPECT_EQ(pool.Save(LetterCase::Uppercase), "") << "select, then clear";
    pool.ToggleKey(1);
    EXPECT_TRUE(pool.Selected(1));
}

// An empty pool keeps the panel open and refuses to start; emptying it ends
// a running game as counted; the case is written at once.
TEST_F(KeyPanel, EmptyPoolRefusesOrEndsTheGameTheCaseIsWrittenAtOnce)
{
    Load("");
    EXPECT_TRUE(game->KeyPanelOpen());
    EXPECT_EQ(dialogs.shown.size(), 1u);
    game->StartGame();
    EXPECT_FALSE(game->Running());
    game->UseDefaultKeys();
    game->SaveKeyPool();
    EXPECT_FALSE(game->KeyPanelOpen());
    EXPECT_EQ(profile.Read(user.UserSection, settings::kLetterStream), kDefaultStream);

    Load("01", 5);
    game->StartGame();
    game->OpenKeyPanel();
    game->CycleLetterCase();
    game->CycleLetterCase();
    EXPECT_EQ(profile.Read(user.UserSection, settings::kLetterCase), 1);
    EXPECT_EQ(game->Pool().PlayableCount(), 2) << "the set changes at the next save";
    game->ToggleKey(1);
    game->SaveKeyPool();
    EXPECT_FALSE(game->Running());
    EXPECT_EQ(averages.GamesPlayed, 1);
}

} // namespace
} // namespace tarvelo::test
