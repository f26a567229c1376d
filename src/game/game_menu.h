#pragma once

#include "game/typing_game.h"
#include "platform/navigation_key.h"
#include "state/palette.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tarvelo {

// What the game window must do after an operation of the menu, besides
// showing the high-score window whenever the game asks for it
// (TypingGame::TakeScoresRequest).
enum class GameAction
{
    None,
    // Show the rules modally, then call RulesClosed.
    ShowRules,
    // Store the placement, hide the window and return to the main menu.
    LeaveToMenu,
};

// The texts of the score panel, the history group and the flying bonus.
struct GameFigures
{
    std::string score;
    std::string level;
    std::string accuracy;
    std::string intelligence;
    std::string historyAccuracy;
    std::string historyIntelligence;
    std::string bonus; // empty while no bonus flies
};

// The game window's menu of eleven options down its left side (8..10 inside
// the key panel): captions, availability, the highlight and the pointer
// outline, and the key and mouse rules that work the game.
class GameMenu
{
public:
    static constexpr int kOptionCount = 11;
    static constexpr int kNone = -1;
    static constexpr int kBegin = 0, kPause = 1, kLeave = 2, kScores = 3, kHelp = 4, kSound = 5,
                         kLevel = 6, kKeys = 7, kCase = 8, kDefaultKeys = 9, kSelectAll = 10;

    // Colours, 0x00BBGGRR.
    static constexpr std::int32_t kFill = palette::kOptionFill;
    static constexpr std::int32_t kSelectedFill = palette::kSelectedFill;
    static constexpr std::int32_t kBeginFill = 0x80FF80;
    static constexpr std::int32_t kBeginSelectedFill = 0xC0FFC0;
    static constexpr std::int32_t kBorder = palette::kBorder;
    static constexpr std::int32_t kHoverBorder = palette::kHoverBorder;
    static constexpr std::int32_t kCaptionColour = palette::kCaption;
    static constexpr std::int32_t kUnavailableCaption = 0xC0C0C0;
    static constexpr std::int32_t kKeySelectedBorder = 0x0000FF;

    static constexpr std::string_view kPauseHint = "(Press Spacebar)";
    static constexpr std::string_view kRaisingLevel = "Raising Level";

    explicit GameMenu(GameContext context);
    // The game holds a pointer back to the menu.
    GameMenu(const GameMenu&) = delete;
    GameMenu& operator=(const GameMenu&) = delete;

    // The window's load; true when the rules are to be shown first.
    bool Load() { return m_game.Load(); }

    // Keys of the focus box.
    GameAction KeyDown(NavigationKey key);
    // A typed character; Enter and Escape work the menu only.
    void TypeChar(int code);

    // The mouse. A press on option 0..10 (ignored where the option cannot
    // be used), a click or double-click on the Level option, a press on a
    // key label of the panel or on the window background.
    GameAction PressOption(int option);
    void ClickLevel();
    void PressKey(int key) { m_game.ToggleKey(key); }
    void PressBackground();
    void HoverOption(int option);
    void HoverBackground();

    // After the rules window of "Help" closes.
    void RulesClosed() { m_game.TogglePause(); }

    // Moves the highlight from option o to n; n = 11 becomes 0.
    void MoveHighlight(int& o, int& n);

    // What the window shows. Text is code-page bytes.
    std::string Caption(int option) const;
    bool Shown(int option) const;
    std::int32_t Fill(int option) const;
    std::int32_t Border(int option) const;
    std::int32_t CaptionColour(int option) const;
    GameFigures Figures() const;
    // The border of key 1..49 in the panel.
    std::int32_t KeyBorder(int key) const;

    int Selected() const { return m_selected; }
    int Hovered() const { return m_hover; }

    TypingGame& Game() { return m_game; }
    const TypingGame& Game() const { return m_game; }

private:
    static bool IsOption(int option) { return option >= 0 && option < kOptionCount; }
    GameAction Activate();
    void Highlight(int option);

    TypingGame m_game;
    int m_selected = kBegin;
    int m_hover = kNone;
    std::array<std::int32_t, kOptionCount> m_fills{};
    // The outline colours as the window loaded them.
    std::array<std::int32_t, kOptionCount> m_borders{};
};

} // namespace tarvelo
