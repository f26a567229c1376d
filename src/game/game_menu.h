#pragma once

#include "game/typing_game.h"
#include "platform/navigation_key.h"
#include "state/palette.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarvelo {

class SharedHistory;

// The options of the game window's menu down its left side, Begin to Keys,
// and of the key panel, Case to SelectAll.
enum class GameOption
{
    Begin,
    Pause,
    Leave,
    Scores,
    Help,
    Sound,
    Level,
    Keys,
    Case,
    DefaultKeys,
    SelectAll,
};

// What the game window must do after an operation of the menu: first show
// the high-score window when a game ended or "Scores" asked for it, then the
// step.
struct GameAction
{
    enum class Step
    {
        None,
        // Show the rules modally, then call RulesClosed.
        ShowRules,
        // Store the placement, hide the window and return to the main menu.
        LeaveToMenu,
    };
    bool showScores = false;
    Step step = Step::None;
};

// What the score panel shows besides the board: the figures' texts, the
// history group, "Raising Level" and the flying bonus.
struct GameFigures
{
    std::string score;
    std::string level;
    std::string accuracy;
    std::string intelligence;
    std::string historyAccuracy;
    std::string historyIntelligence;
    std::string bonus; // empty while no bonus flies
    int bonusStep = 0; // how far the bonus has flown, 0..18
    bool historyShown = false;
    bool raisingLevel = false;
};

// The game window's logic: the menu of eleven options down its left side
// (Case to SelectAll inside the key panel) with its captions, availability,
// highlight and pointer outline, the key and mouse rules that work the game,
// and the game itself. Finished games go into the run history.
class GameMenu
{
public:
    static constexpr int kOptionCount = 11;
    // Begin to Keys: the options down the left side.
    static constexpr int kColumnCount = 8;

    // Colours, 0x00BBGGRR.
    static constexpr std::int32_t kKeySelectedBorder = 0x0000FF;

    static constexpr std::string_view kPauseHint = "(Press Spacebar)";
    static constexpr std::string_view kRaisingLevel = "Raising Level";

    static constexpr int Index(GameOption option) { return static_cast<int>(option); }

    GameMenu(GameContext context, SharedHistory& history);
    // The game holds a pointer back to the menu.
    GameMenu(const GameMenu&) = delete;
    GameMenu& operator=(const GameMenu&) = delete;

    // The window's load; true when the rules are to be shown first.
    bool Load() { return m_game.Load(); }

    // Keys of the focus box.
    GameAction KeyDown(NavigationKey key);
    // A typed character; Enter and Escape work the menu only.
    GameAction TypeChar(int code);

    // The mouse. A press on an option (ignored where the option cannot be
    // used), a click or double-click on the Level option, a press on a key
    // label of the panel or on the window background.
    GameAction PressOption(GameOption option);
    GameAction ClickLevel();
    GameAction PressKey(int key);
    GameAction PressBackground();
    void HoverOption(GameOption option);
    void HoverBackground() { m_hover.reset(); }

    // After the rules window of "Help" closes.
    void RulesClosed() { m_game.TogglePause(); }
    // The window's close box: ends a running game without the high-score
    // window.
    void Close() { m_game.Close(); }

    // The ticks of the three timers.
    GameAction DropTick();
    GameAction ScoreAddTick();
    GameAction MusicTick();
    TimerState DropTimer() const { return m_game.DropTimer(); }
    TimerState ScoreAddTimer() const { return m_game.ScoreAddTimer(); }
    TimerState MusicTimer() const { return m_game.MusicTimer(); }

    // What the window shows. Text is code-page bytes.
    std::string Caption(GameOption option) const;
    bool Shown(GameOption option) const;
    std::int32_t Fill(GameOption option) const;
    std::int32_t Border(GameOption option) const;
    std::int32_t CaptionColour(GameOption option) const;
    GameFigures Figures() const;
    const FallingBoard& Board() const { return m_game.Board(); }
    // "Not running", "Paused" or "Running", for screen readers.
    std::string_view PlayState() const;
    bool KeyPanelOpen() const { return m_game.KeyPanelOpen(); }
    // The caption and border of key 1..49 in the panel.
    std::string KeyCaption(int key) const { return m_game.Pool().Caption(key); }
    std::int32_t KeyBorder(int key) const;
    std::array<HighScoreRow, kHighScoreRows> ScoreRows() const { return m_game.ScoreRows(); }

    GameOption Selected() const { return m_selected; }
    std::optional<GameOption> Hovered() const { return m_hover; }

    // The game's state, for tests and benchmarks.
    const TypingGame& Game() const { return m_game; }
    // Window tests and benchmarks set up scenes through it.
    FallingBoard& SceneBoard() { return m_game.SceneBoard(); }

private:
    GameAction Activate();
    GameAction Done(GameAction::Step step = GameAction::Step::None);
    GameAction LeaveGame();
    // Whether the option works now; the arrows pass over it otherwise.
    bool Usable(GameOption option) const;
    GameOption Stepped(int step) const;
    void Highlight(GameOption option);

    TypingGame m_game;
    GameOption m_selected = GameOption::Begin;
    std::optional<GameOption> m_hover;
    std::array<std::int32_t, kOptionCount> m_fills{};
};

} // namespace tarvelo
