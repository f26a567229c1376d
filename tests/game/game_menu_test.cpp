#include "game/game_menu.h"
#include "game_fixture.h"

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
        menu =
            std::make_unique<GameMenu>(GameContext{profile, user, layout, dialogs, sound_, random,
                                                   clock, averages, lastResult, folder.Path()});
        menu->Load();
        return *menu;
    }

    // The options the key visits, from the current one, `steps` times.
    std::vector<int> Walk(Key key, int steps)
    {
        std::vector<int> seen{menu->Selected()};
        for (int i = 0; i < steps; ++i) {
            menu->KeyDown(key);
            seen.push_back(menu->Selected());
        }
        return seen;
    }

    std::unique_ptr<GameMenu> menu;
};

TEST_F(GameMenuTest, ArrowCyclesSkipWhatCannotBeUsed)
{
    struct Row
    {
        const char* name;
        bool running;
        Key key;
        std::vector<int> cycle;
    };
    const Row rows[] = {
        {"down without a game skips Pause", false, Key::Down, {0, 2, 3, 4, 5, 6, 7, 0}},
        {"up without a game skips Pause", false, Key::Up, {0, 7, 6, 5, 4, 3, 2, 0}},
        {"down in a game skips Begin and Level", true, Key::Down, {1, 2, 3, 4, 5, 7, 1}},
        {"up in a game skips Begin and Level", true, Key::Up, {1, 7, 5, 4, 3, 2, 1}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Menu();
        if (row.running) {
            menu->KeyDown(Key::Enter); // Begin moves the highlight to Pause
            ASSERT_TRUE(menu->Game().Running());
        }
        EXPECT_EQ(Walk(row.key, static_cast<int>(row.cycle.size()) - 1), row.cycle);
    }
}

TEST_F(GameMenuTest, LevelOptionWraps)
{
    struct Row
    {
        const char* name;
        int stored;
        Key key;
        int expected;
    };
    const Row rows[] = {
        {"right from 10 wraps to 1", 10, Key::Right, 1},
        {"left from 1 wraps to 10", 1, Key::Left, 10},
        {"enter raises", 4, Key::Enter, 5},
        {"left lowers", 4, Key::Left, 3},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        GameMenu& m = Menu(row.stored);
        m.KeyDown(Key::Up);
        m.KeyDown(Key::Up);
        ASSERT_EQ(m.Selected(), GameMenu::kLevel);
        m.KeyDown(row.key);
        EXPECT_EQ(m.Game().ChosenLevel(), row.expected);
        EXPECT_EQ(m.Caption(GameMenu::kLevel), "Level " + std::to_string(row.expected));
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
    EXPECT_EQ(m.Selected(), GameMenu::kPause);
    m.PressOption(GameMenu::kBegin);
    m.ClickLevel();
    EXPECT_EQ(m.Selected(), GameMenu::kPause);
    EXPECT_EQ(m.Game().ChosenLevel(), 5);
    EXPECT_EQ(m.CaptionColour(GameMenu::kBegin), GameMenu::kUnavailableCaption);
    EXPECT_FALSE(m.Shown(GameMenu::kLevel));
}

TEST_F(GameMenuTest, EndGameStaysAndASecondActivationLeaves)
{
    GameMenu& m = Menu();
    m.KeyDown(Key::Enter);
    EXPECT_EQ(m.Caption(GameMenu::kLeave), "End Game");
    EXPECT_EQ(m.PressOption(GameMenu::kLeave), GameAction::None);
    EXPECT_FALSE(m.Game().Running());
    EXPECT_TRUE(m.Game().TakeScoresRequest());
    EXPECT_EQ(m.Caption(GameMenu::kLeave), "Main Menu");
    EXPECT_EQ(m.KeyDown(Key::Left), GameAction::LeaveToMenu);
}

TEST_F(GameMenuTest, EscapeWithThePanelOpenClosesOnlyThePanel)
{
    GameMenu& m = Menu();
    m.PressOption(GameMenu::kKeys);
    EXPECT_TRUE(m.Game().KeyPanelOpen());
    EXPECT_EQ(m.Caption(GameMenu::kKeys), "Done");
    EXPECT_EQ(m.Selected(), GameMenu::kCase);
    EXPECT_TRUE(m.Shown(GameMenu::kSelectAll));

    EXPECT_EQ(m.KeyDown(Key::Escape), GameAction::None);
    EXPECT_FALSE(m.Game().KeyPanelOpen());
    EXPECT_EQ(m.Caption(GameMenu::kKeys), "Modify Keys");
    EXPECT_EQ(m.KeyDown(Key::Escape), GameAction::LeaveToMenu);
}

TEST_F(GameMenuTest, PanelKeysAndCaseWorkThroughTheMenu)
{
    GameMenu& m = Menu();
    EXPECT_EQ(m.KeyBorder(1), GameMenu::kKeySelectedBorder); // Q is in the default pool
    m.PressKey(1);
    EXPECT_EQ(m.KeyBorder(1), GameMenu::kBorder);
    m.PressOption(GameMenu::kKeys);
    m.KeyDown(Key::Enter); // option 8: the letter case
    EXPECT_EQ(m.Caption(GameMenu::kCase), "Lowercase");
    m.KeyDown(Key::Up);
    EXPECT_EQ(m.Selected(), GameMenu::kKeys);
}

TEST_F(GameMenuTest, HighlightAndHoverColours)
{
    GameMenu& m = Menu();
    EXPECT_EQ(m.Fill(GameMenu::kBegin), GameMenu::kBeginSelectedFill);
    m.KeyDown(Key::Down);
    EXPECT_EQ(m.Fill(GameMenu::kBegin), GameMenu::kBeginFill);
    EXPECT_EQ(m.Fill(GameMenu::kLeave), GameMenu::kSelectedFill);
    int from = GameMenu::kLeave, to = GameMenu::kOptionCount;
    m.MoveHighlight(from, to);
    EXPECT_EQ(to, GameMenu::kBegin);

    m.HoverOption(3);
    EXPECT_EQ(m.Border(3), GameMenu::kHoverBorder);
    m.HoverOption(4);
    EXPECT_EQ(m.Border(3), GameMenu::kBorder);
    m.HoverBackground();
    EXPECT_EQ(m.Hovered(), GameMenu::kNone);
    EXPECT_EQ(m.Border(4), GameMenu::kBorder);
}

TEST_F(GameMenuTest, HelpPausesARunningGameWhileTheRulesShow)
{
    GameMenu& m = Menu();
    m.KeyDown(Key::Enter);
    EXPECT_EQ(m.PressOption(GameMenu::kHelp), GameAction::ShowRules);
    EXPECT_TRUE(m.Game().Paused());
    EXPECT_EQ(m.Caption(GameMenu::kPause), "UnPause");
    m.RulesClosed();
    EXPECT_FALSE(m.Game().Paused());
}

TEST_F(GameMenuTest, EnterAndEscapeTypeNothing)
{
    GameMenu& m = Menu();
    m.KeyDown(Key::Enter);
    m.TypeChar(27);
    m.TypeChar(13);
    EXPECT_EQ(m.Game().Keystrokes(), 0);
    m.TypeChar('Q');
    EXPECT_EQ(m.Game().Keystrokes(), 1);
}

} // namespace
} // namespace tarvelo::test
