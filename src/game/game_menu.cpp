#include "game/game_menu.h"

#include "history/shared_history.h"
#include "profile/key_codes.h"
#include "profile/value_text.h"
#include "state/option_cycle.h"

namespace tarvelo {
namespace {

constexpr std::string_view kCaptions[GameMenu::kOptionCount] = {
    "Begin",  "Pause",       "Main Menu", "Scores",      "Help",          "Sound is On",
    "Level ", "Modify Keys", "Uppercase", "Use Default", "De/Select All",
};

// By LetterCase, whose values are the stored numbers 0 to 2.
constexpr std::string_view kCaseCaptions[] = {"Uppercase", "Lowercase", "Mixed Case"};

bool InPanel(GameOption option)
{
    return option >= GameOption::Case;
}

} // namespace

GameMenu::GameMenu(GameContext context, SharedHistory& history) : m_game(std::move(context))
{
    m_fills.fill(palette::kOptionFill);
    // Begin is highlighted as the window opens.
    m_fills[Index(GameOption::Begin)] = palette::kSelectedBeginFill;
    // However a game ends, "Begin" is highlighted for the next one.
    m_game.SetGameEndedHook([this, &history](std::optional<GameRecord> counted) {
        Highlight(GameOption::Begin);
        if (counted)
            history.RecordGame(std::move(*counted));
    });
}

GameAction GameMenu::Done(GameAction::Step step)
{
    return {m_game.TakeScoresRequest(), step};
}

GameAction GameMenu::LeaveGame()
{
    return Done(m_game.LeaveGame() ? GameAction::Step::LeaveToMenu : GameAction::Step::None);
}

// --- Keys -------------------------------------------------------------------

GameAction GameMenu::KeyDown(NavigationKey key)
{
    switch (key) {
    case NavigationKey::Escape:
        if (!m_game.KeyPanelOpen())
            return LeaveGame();
        // As the "Done" option closes the panel.
        Highlight(GameOption::Keys);
        m_game.SaveKeyPool();
        return Done();
    case NavigationKey::Up:
        Highlight(Stepped(-1));
        return Done();
    case NavigationKey::Down:
        Highlight(Stepped(1));
        return Done();
    case NavigationKey::Right:
    case NavigationKey::Enter:
        return Activate();
    case NavigationKey::Left:
        if (m_selected == GameOption::Leave)
            return LeaveGame();
        if (m_selected == GameOption::Level)
            m_game.LowerChosenLevel();
        else if (m_selected == GameOption::Keys)
            m_game.SaveKeyPool();
        return Done();
    case NavigationKey::Delete:
    case NavigationKey::Other:
        break;
    }
    return Done();
}

GameAction GameMenu::TypeChar(int code)
{
    if (code != keycode::kEnter && code != keycode::kEscape)
        m_game.ProcessTypedChar(code);
    return Done();
}

GameAction GameMenu::Activate()
{
    switch (m_selected) {
    case GameOption::Begin:
        m_game.StartGame();
        // Also when the start was refused.
        Highlight(GameOption::Pause);
        break;
    case GameOption::Pause:
        m_game.TogglePause();
        break;
    case GameOption::Leave:
        return LeaveGame();
    case GameOption::Scores:
        m_game.ShowScores();
        break;
    case GameOption::Help:
        // Paused while the rules show; a paused game runs meanwhile.
        m_game.TogglePause();
        return Done(GameAction::Step::ShowRules);
    case GameOption::Sound:
        m_game.ToggleSound();
        break;
    case GameOption::Level:
        m_game.RaiseChosenLevel();
        break;
    case GameOption::Keys:
        if (m_game.KeyPanelOpen()) {
            m_game.SaveKeyPool();
        } else {
            m_game.OpenKeyPanel();
            Highlight(GameOption::Case);
        }
        break;
    case GameOption::Case:
        m_game.CycleLetterCase();
        break;
    case GameOption::DefaultKeys:
        m_game.UseDefaultKeys();
        break;
    case GameOption::SelectAll:
        m_game.SelectAllKeys();
        break;
    }
    return Done();
}

// --- Mouse ------------------------------------------------------------------

GameAction GameMenu::PressOption(GameOption option)
{
    // The Level option works on clicks, not presses.
    if (option == GameOption::Level || !Usable(option))
        return Done();
    Highlight(option);
    return Activate();
}

GameAction GameMenu::ClickLevel()
{
    if (m_game.Running())
        return Done();
    Highlight(GameOption::Level);
    return Activate();
}

GameAction GameMenu::PressKey(int key)
{
    m_game.ToggleKey(key);
    return Done();
}

GameAction GameMenu::PressBackground()
{
    m_game.SaveKeyPool();
    // A highlight inside the closed panel would be invisible.
    if (!m_game.KeyPanelOpen() && InPanel(m_selected))
        Highlight(GameOption::Keys);
    return Done();
}

void GameMenu::HoverOption(GameOption option)
{
    m_hover = option;
}

// --- Ticks ------------------------------------------------------------------

GameAction GameMenu::DropTick()
{
    m_game.GameTick();
    return Done();
}

GameAction GameMenu::ScoreAddTick()
{
    m_game.ScoreAddTick();
    return Done();
}

GameAction GameMenu::MusicTick()
{
    m_game.MusicTick();
    return Done();
}

// --- Highlight --------------------------------------------------------------

bool GameMenu::Usable(GameOption option) const
{
    const bool running = m_game.Running();
    switch (option) {
    case GameOption::Begin:
    case GameOption::Level:
        return !running;
    case GameOption::Pause:
        return running;
    default:
        return true;
    }
}

// The arrows wrap within the options down the left side; inside the key
// panel they run along the panel's options and on from its last to the
// first down the side.
GameOption GameMenu::Stepped(int step) const
{
    const int count = InPanel(m_selected) ? kOptionCount : kColumnCount;
    GameOption next = m_selected;
    do {
        next = Cycled(next, step, count);
    } while (!Usable(next));
    return next;
}

void GameMenu::Highlight(GameOption option)
{
    const auto fill = [](GameOption o, bool selected) {
        if (o == GameOption::Begin)
            return selected ? palette::kSelectedBeginFill : palette::kBeginFill;
        return selected ? palette::kSelectedFill : palette::kOptionFill;
    };
    m_fills[Index(m_selected)] = fill(m_selected, false);
    m_fills[Index(option)] = fill(option, true);
    m_selected = option;
}

// --- What the window shows --------------------------------------------------

std::string GameMenu::Caption(GameOption option) const
{
    switch (option) {
    case GameOption::Pause:
        return m_game.Paused() ? "UnPause" : "Pause";
    case GameOption::Leave:
        return m_game.Running() ? "End Game" : "Main Menu";
    case GameOption::Sound:
        return m_game.SoundOn() ? "Sound is On" : "Sound is Off";
    case GameOption::Level:
        return std::string(kCaptions[Index(option)]) + std::to_string(m_game.ChosenLevel());
    case GameOption::Keys:
        return m_game.KeyPanelOpen() ? "Done" : "Modify Keys";
    case GameOption::Case:
        return std::string(kCaseCaptions[static_cast<int>(m_game.Case())]);
    default:
        return std::string(kCaptions[Index(option)]);
    }
}

bool GameMenu::Shown(GameOption option) const
{
    if (option == GameOption::Level)
        return !m_game.Running();
    return !InPanel(option) || m_game.KeyPanelOpen();
}

std::int32_t GameMenu::Fill(GameOption option) const
{
    return m_fills[Index(option)];
}

std::int32_t GameMenu::Border(GameOption option) const
{
    return option == m_hover ? palette::kHoverBorder : palette::kBorder;
}

std::int32_t GameMenu::CaptionColour(GameOption option) const
{
    const bool greyed = option == GameOption::Begin || option == GameOption::Pause;
    return greyed && !Usable(option) ? palette::kGreyCaption : palette::kCaption;
}

std::string_view GameMenu::PlayState() const
{
    if (!m_game.Running())
        return "Not running";
    return m_game.Paused() ? "Paused" : "Running";
}

GameFigures GameMenu::Figures() const
{
    const TypingGame& game = m_game;
    const auto percent = [](float value) {
        return std::to_string(static_cast<long long>(valuetext::RoundHalfEven(value))) + "%";
    };
    GameFigures figures;
    figures.score = std::to_string(game.Score());
    figures.level = std::to_string(game.ShownLevel());
    figures.accuracy = percent(game.CurrentAccuracy());
    figures.intelligence = std::to_string(game.LiveIntelligence());
    figures.bonusStep = game.BonusStep();
    figures.historyShown = game.HistoryShown();
    figures.raisingLevel = game.RaisingLevel();
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
    return m_game.Pool().Selected(key) ? kKeySelectedBorder : palette::kBorder;
}

} // namespace tarvelo
