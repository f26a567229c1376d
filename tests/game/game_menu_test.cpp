#include "game/game_menu.h"
#include "game_fixture.h"

#include <functional>
#include <tuple>
#include <vector>

namespace tarvelo::test {
namespace {

using Key = NavigationKey;

class GameMenuTest : public GameFixture
{
protected:
    GameMenu& Menu(int level = 1)
    {
        profile.Write(user.UserSection, settings::kGameLevel, level);
        layout.Load(profile);
        menu = std::make_unique<GameMenu>(Context());
        menu->Load();
        return *menu;
    }

    std::unique_ptr<GameMenu> menu;
};

TEST_F(GameMenuTest, ArrowCyclesSkipWhatCannotBeUsed)
{
    const std::tuple<const char*, bool, Key, std::vector<int>> rows[] = {
        {"down without a game skips Pause", false, Key::Down, {0, 2, 3, 4, 5, 6, 7, 0}},
        {"up without a game skips Pause", false, Key::Up, {0, 7, 6, 5, 4, 3, 2, 0}},
        {"down in a game skips Begin and Level", true, Key::Down, {1, 2, 3, 4, 5, 7, 1}},
        {"up in a game skips Begin and Level", true, Key::Up, {1, 7, 5, 4, 3, 2, 1}},
    };
    for (const auto& [name, running, key, cycle] : rows) {
        Menu();
        if (running)
            menu->KeyDown(Key::Enter); // Begin moves the highlight to Pause
        std::vector<int> seen{menu->Selected()};
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
        ASSERT_EQ(m.Selected(), GameMenu::kLevel);
        m.KeyDown(key);
        EXPECT_EQ(m.Caption(GameMenu::kLevel), "Level " + std::to_string(expected))
            << "from " << stored;
        EXPECT_EQ(m.Game().ChosenLevel(), expected);
    }
}

TEST_F(GameMenuTest, PressesIgnoredWhereTheOptionCannotBeUsed)
{
    GameMenu& m = Menu(3);
    m.PressOption(GameMenu::kPause);
    m.PressOption(GameMenu::kLevel);
    EXPECT_EQ(m.Selected(), GameMenu::kBegin);
    EXPECT_EQ(m.Game().ChosenLevel(), 3);

    m.ClickLevel();
    m.ClickLevel(); // a double-click: two clicks' worth
    EXPECT_EQ(m.Game().ChosenLevel(), 5);
    EXPECT_EQ(m.Selected(), GameMenu::kLevel);

    m.PressOption(GameMenu::kBegin);
    ASSERT_TRUE(m.Game().Running());
    m.PressOption(GameMenu::kBegin);
    m.ClickLevel();
    EXPECT_EQ(m.Selected(), GameMenu::kPause);
    EXPECT_EQ(m.Game().ChosenLevel(), 5);
    EXPECT_FALSE(m.Shown(GameMenu::kLevel));
}

// In a game: Enter and Escape type nothing, Help pauses while the rules show,
// End Game stays in the window and a second activation leaves.
TEST_F(GameMenuTest, RunningGameTypingHelpAndEnding)
{
    GameMenu& m = Menu();
    m.KeyDown(Key::Enter);
    m.TypeChar(27);
    m.TypeChar(13);
    m.TypeChar('Q');
    EXPECT_EQ(m.Game().Keystrokes(), 1);
    EXPECT_EQ(m.PressOption(GameMenu::kHelp), GameAction::ShowRules);
    EXPECT_TRUE(m.Game().Paused());
    m.RulesClosed();
    EXPECT_FALSE(m.Game().Paused());

    EXPECT_EQ(m.PressOption(GameMenu::kLeave), GameAction::None);
    EXPECT_FALSE(m.Game().Running());
    EXPECT_TRUE(m.Game().TakeScoresRequest());
    EXPECT_EQ(m.PressOption(GameMenu::kLeave), GameAction::LeaveToMenu);
}

// Regression: after an overflow the highlight stayed on the greyed Pause, and
// after End Game on the option that ended it.
TEST_F(GameMenuTest, EveryEndOfAGameHighlightsBegin)
{
    const std::pair<const char*, std::function<void(GameMenu&)>> ends[] = {
        {"overflow",
         [this](GameMenu& m) {
             for (int landed = 0; landed < 4; ++landed) {
                 random.Spawn(0, 'Q');
                 for (int tick = 0; tick < 18; ++tick)
                     m.Game().GameTick();
             }
         }},
        {"End Game", [](GameMenu& m) { m.PressOption(GameMenu::kLeave); }},
        {"Scores", [](GameMenu& m) { m.PressOption(GameMenu::kScores); }},
        {"close box", [](GameMenu& m) { m.Game().Close(); }},
    };
    for (const auto& [name, end] : ends) {
        GameMenu& m = Menu();
        m.KeyDown(Key::Enter);
        m.KeyDown(Key::Down); // off Pause, as a player moving around would
        end(m);
        ASSERT_FALSE(m.Game().Running()) << name;
        EXPECT_EQ(m.Selected(), GameMenu::kBegin) << name;
        EXPECT_EQ(m.Fill(GameMenu::kBegin), GameMenu::kBeginSelectedFill) << name;
        EXPECT_EQ(m.Fill(GameMenu::kLeave), GameMenu::kFill) << name;
    }
    // Down and Enter now leave, as "Main Menu" follows "Begin".
    Menu().KeyDown(Key::Enter);
    menu->PressOption(GameMenu::kLeave);
    menu->KeyDown(Key::Down);
    EXPECT_EQ(menu->KeyDown(Key::Enter), GameAction::LeaveToMenu);
}

TEST_F(GameMenuTest, EscapeWithThePanelOpenClosesOnlyThePanel)
{
    GameMenu& m = Menu();
    m.PressOption(GameMenu::kKeys);
    EXPECT_EQ(m.Selected(), GameMenu::kCase);
    EXPECT_TRUE(m.Shown(GameMenu::kSelectAll));
    m.KeyDown(Key::Enter);
    EXPECT_EQ(m.Caption(GameMenu::kCase), "Lowercase");
    m.KeyDown(Key::Up);
    EXPECT_EQ(m.Selected(), GameMenu::kKeys);

    EXPECT_EQ(m.KeyDown(Key::Escape), GameAction::None);
    EXPECT_FALSE(m.Game().KeyPanelOpen());
    EXPECT_EQ(m.KeyDown(Key::Escape), GameAction::LeaveToMenu);
}

// Regression: closing the panel from inside it left the highlight on a hidden
// panel option, so the arrows moved an invisible highlight.
TEST_F(GameMenuTest, ClosingThePanelFromInsideHighlightsModifyKeys)
{
    const std::pair<const char*, std::function<void(GameMenu&)>> closes[] = {
        {"Escape", [](GameMenu& m) { m.KeyDown(Key::Escape); }},
        {"background click", [](GameMenu& m) { m.PressBackground(); }},
    };
    for (const auto& [name, close] : closes) {
        GameMenu& m = Menu();
        m.PressOption(GameMenu::kKeys);
        m.KeyDown(Key::Down);
        ASSERT_EQ(m.Selected(), GameMenu::kDefaultKeys) << name;
        close(m);
        ASSERT_FALSE(m.Game().KeyPanelOpen()) << name;
        EXPECT_EQ(m.Selected(), GameMenu::kKeys) << name;
        EXPECT_EQ(m.Fill(GameMenu::kDefaultKeys), GameMenu::kFill) << name;
    }
}

TEST_F(GameMenuTest, KeyPressesToggleThePoolAndHoverLeavesNoBorderBehind)
{
    GameMenu& m = Menu();
    const std::int32_t inPool = m.KeyBorder(1); // Q is in the default pool
    m.PressKey(1);
    EXPECT_NE(m.KeyBorder(1), inPool);

    const std::int32_t plain = m.Border(3);
    m.HoverOption(3);
    m.HoverOption(4);
    EXPECT_EQ(m.Border(3), plain);
    m.HoverBackground();
    EXPECT_EQ(m.Border(4), plain);
    EXPECT_EQ(m.Hovered(), GameMenu::kNone);
}

} // namespace
} // namespace tarvelo::test
