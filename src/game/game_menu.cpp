#include "game/game_menu.h"

#include "profile/key_codes.h"
#include "profile/value_text.h"

namespace tarvelo {
namespace {

constexpr std::string_view kCaptions[GameMenu::kOptionCount] = {
    "Begin",  "Pause",       "Main Menu", "Scores",      "Help",          "Sound is On",
    "Level ", "Modify Keys", "Uppercase", "Use Default", "De/Select All",
};

std::string_view CaseCaption(LetterCase letterCase)
{
    switch (letterCase) {
    case LetterCase::Uppercase:
        return "Uppercase";
    case LetterCase::Lowercase:
        return "Lowercase";
    case LetterCase::Mixed:
        break;
    }
    return "Mixed Case";
}

} // namespace

GameMenu::GameMenu(GameContext context) : m_game(std::move(context))
{
    m_fills.fill(kFill);
    m_fills[kBegin] = kBeginSelectedFill; // Begin is highlighted as the window opens
    m_borders.fill(kBorder);
    // However a game ends, "Begin" is highlighted for the next one.
    m_game.SetGameEndedHook([this] { Highlight(kBegin); });
}

// --- Keys -------------------------------------------------------------------

GameAction GameMenu::KeyDown(NavigationKey key)
{
    const bool running = m_game.Running();
    switch (key) {
    case NavigationKey::Escape:
        if (!m_game.KeyPanelOpen())
            return m_game.LeaveGame() ? GameAction::LeaveToMenu : GameAction::None;
        // As the "Done" option closes the panel.
        Highlight(kKeys);
        m_game.SaveKeyPool();
        return GameAction::None;
    case NavigationKey::Up: {
        int n = m_selected - 1;
        if (!running && n == kPause)
            n = kBegin;
        if (running && n == kBegin)
            n = kKeys;
        if (running && n == kLevel)
            n = kSound;
        if (n == -1)
            n = kKeys;
        Highlight(n);
        return GameAction::None;
    }
    case NavigationKey::Down: {
        int n = m_selected + 1;
        if (!running && n == kPause)
            n = kLeave;
        if (running && n == kLevel)
            n = kKeys;
        // The panel options are entered only by opening the panel.
        if (n == kCase || n == kOptionCount)
            n = running ? kPause : kBegin;
        Highlight(n);
        return GameAction::None;
    }
    case NavigationKey::Right:
    case NavigationKey::Enter:
        return Activate();
    case NavigationKey::Left:
        if (m_selected == kLeave)
            return m_game.LeaveGame() ? GameAction::LeaveToMenu : GameAction::None;
        if (m_selected == kLevel)
            m_game.LowerChosenLevel();
        else if (m_selected == kKeys)
            m_game.SaveKeyPool();
        return GameAction::None;
    case NavigationKey::Delete:
    case NavigationKey::Other:
        break;
    }
    return GameAction::None;
}

void GameMenu::TypeChar(int code)
{
    if (code == keycode::kEnter || code == keycode::kEscape)
        return;
    m_game.ProcessTypedChar(code);
}

GameAction GameMenu::Activate()
{
    switch (m_selected) {
    case kBegin:
        m_game.StartGame();
        // Also when the start was refused.
        Highlight(kPause);
        return GameAction::None;
    case kPause:
        m_game.TogglePause();
        return GameAction::None;
    case kLeave:
        return m_game.LeaveGame() ? GameAction::LeaveToMenu : GameAction::None;
    case kScores:
        m_game.ShowScores();
        return GameAction::None;
    case kHelp:
        // Paused while the rules show; a paused game runs meanwhile.
        m_game.TogglePause();
        return GameAction::ShowRules;
    case kSound:
        m_game.ToggleSound();
        return GameAction::None;
    case kLevel:
        m_game.RaiseChosenLevel();
        return GameAction::None;
    case kKeys:
        if (m_game.KeyPanelOpen()) {
            m_game.SaveKeyPool();
        } else {
            m_game.OpenKeyPanel();
            Highlight(kCase);
        }
        return GameAction::None;
    case kCase:
        m_game.CycleLetterCase();
        return GameAction::None;
    case kDefaultKeys:
        m_game.UseDefaultKeys();
        return GameAction::None;
    case kSelectAll:
        m_game.SelectAllKeys();
        return GameAction::None;
    default:
        return GameAction::None;
    }
}

// --- Mouse ------------------------------------------------------------------

GameAction GameMenu::PressOption(int option)
{
    const bool running = m_game.Running();
    if (!IsOption(option) || option == kLevel || (option == kPause && !running) ||
        (option == kBegin && running)) {
        return GameAction::None;
    }
    Highlight(option);
    return Activate();
}

void GameMenu::ClickLevel()
{
    if (m_game.Running())
        return;
    Highlight(kLevel);
    Activate();
}

void GameMenu::PressBackground()
{
    m_game.SaveKeyPool();
    // A highlight inside the closed panel would be invisible.
    if (!m_game.KeyPanelOpen() && m_selected >= kCase)
        Highlight(kKeys);
}

void GameMenu::HoverOption(int option)
{
    if (!IsOption(option) || option == m_hover)
        return;
    HoverBackground();
    m_hover = option;
}

void GameMenu::HoverBackground()
{
    m_hover = kNone;
}

// --- Highlight --------------------------------------------------------------

void GameMenu::MoveHighlight(int& o, int& n)
{
    if (n == kOptionCount)
        n = kBegin;
    if (IsOption(o))
        m_fills[o] = o == kBegin ? kBeginFill : kFill;
    if (IsOption(n))
        m_fills[n] = n == kBegin ? kBeginSelectedFill : kSelectedFill;
}

void GameMenu::Highlight(int option)
{
    int n = option;
    MoveHighlight(m_selected, n);
    m_selected = n;
}

// --- What the window shows --------------------------------------------------

std::string GameMenu::Caption(int option) const
{
    switch (option) {
    case kPause:
        return m_game.Paused() ? "UnPause" : "Pause";
    case kLeave:
        return m_game.Running() ? "End Game" : "Main Menu";
    case kSound:
        return m_game.SoundOn() ? "Sound is On" : "Sound is Off";
    case kLevel:
        return std::string(kCaptions[kLevel]) + std::to_string(m_game.ChosenLevel());
    case kKeys:
        return m_game.KeyPanelOpen() ? "Done" : "Modify Keys";
    case kCase:
        return std::string(CaseCaption(m_game.Case()));
    default:
        return IsOption(option) ? std::string(kCaptions[option]) : std::string();
    }
}

bool GameMenu::Shown(int option) const
{
    if (option == kLevel)
        return !m_game.Running();
    if (option >= kCase)
        return IsOption(option) && m_game.KeyPanelOpen();
    return IsOption(option);
}

std::int32_t GameMenu::Fill(int option) const
{
    return IsOption(option) ? m_fills[option] : kFill;
}

std::int32_t GameMenu::Border(int option) const
{
    if (!IsOption(option))
        return kBorder;
    return option == m_hover ? kHoverBorder : m_borders[option];
}

std::int32_t GameMenu::CaptionColour(int option) const
{
    const bool running = m_game.Running();
    if ((option == kBegin && running) || (option == kPause && !running))
        return kUnavailableCaption;
    return kCaptionColour;
}

GameFigures GameMenu::Figures() const
{
    const TypingGame& game = m_game;
    const auto percent = [](float value) {
        return std::to_string(static_cast<long long>(valuetext::RoundHalfEven(value))) + "%";
    };
    GameFigures figures{std::to_string(game.Score()),
                        std::to_string(game.ShownLevel()),
                        percent(game.CurrentAccuracy()),
                        std::to_string(game.LiveIntelligence()),
                        {},
                        {},
                        {}};
    if (game.HistoryFilled()) {
        figures.historyAccuracy = percent(game.Averages().GameAccuracy);
        figures.historyIntelligence = std::to_string(game.Averages().GameIntelligence) + "/100";
    }
    if (game.BonusFlying())
        figures.bonus = std::to_string(game.LevelBonusValue());
    return figures;
}

std::int32_t GameMenu::KeyBorder(int key) const
{
    return m_game.Pool().Selected(key) ? kKeySelectedBorder : kBorder;
}

} // namespace tarvelo
