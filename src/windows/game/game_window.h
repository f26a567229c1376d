#pragma once

#include "game/game_menu.h"
#include "ui/activity_window.h"

#include <array>
#include <functional>
#include <memory>
#include <optional>

class QLabel;

namespace tarvelo {

class Clock;
class Dialogs;
class RandomSource;
class Sound;
struct ProgramState;

namespace ui {
class FocusBox;
class KeyboardView;
class LogicTimer;
class OptionFrame;
class PlayfieldView;
class QtDialogs;
} // namespace ui

// The typing game ("game"): the menu down the left, the playfield, the score
// panel and the key panel, for the current user. Keys, clicks, the pointer
// and the three timers go to GameMenu; refresh() shows what it says.
class GameWindow : public ui::ActivityWindow
{
    Q_OBJECT

public:
    using ScoreRows = std::array<HighScoreRow, kHighScoreRows>;

    // What the window uses from the platform; a null or empty member keeps
    // the window's own (Qt dialogs, the program's audio layer, the system's random
    // numbers and calendar, ending the application, the modal rules and
    // high-score windows).
    struct Services
    {
        Dialogs* dialogs = nullptr;
        Sound* sound = nullptr;
        RandomSource* random = nullptr;
        Clock* clock = nullptr;
        std::function<void()> endProgram;
        std::function<void()> showRules;
        std::function<void(const ScoreRows&)> showScores;
    };

    // `lastResult` is the last game of the run, kept by the main menu.
    GameWindow(ProgramState& state, std::optional<ScoreTexts>& lastResult,
               QWidget* parent = nullptr);
    GameWindow(ProgramState& state, std::optional<ScoreTexts>& lastResult, Services services,
               QWidget* parent = nullptr);
    ~GameWindow() override;

    // Shows the window; on the user's first visit the rules come first.
    void open() override;

    GameMenu& menu() { return *m_menu; }

protected:
    void stopping(bool closed) override;
    void closed() override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    QWidget* buildMenu();
    QWidget* buildTitle();
    QWidget* buildScorePanel();
    QWidget* buildKeyPanel();
    ui::OptionFrame* buildOption(GameOption option);
    void buildTimers();

    void handle(GameAction action);
    void hoverBackground();
    void refresh();
    void refreshOptions();
    void refreshFigures();
    void refreshKeyPanel();
    void showRules();
    void showScores();

    ProgramState& m_state;
    Services m_services;
    std::unique_ptr<ui::QtDialogs> m_ownDialogs;
    std::unique_ptr<RandomSource> m_ownRandom;
    std::unique_ptr<Clock> m_ownClock;
    std::unique_ptr<GameMenu> m_menu;
    bool m_rulesFirst = false;

    ui::FocusBox* m_focusBox = nullptr;
    std::array<ui::OptionFrame*, GameMenu::kOptionCount> m_options{};
    ui::PlayfieldView* m_playfield = nullptr;
    QWidget* m_keyPanel = nullptr;
    ui::KeyboardView* m_keys = nullptr;
    QLabel* m_title = nullptr;
    QLabel* m_title2 = nullptr;
    QLabel* m_score = nullptr;
    QLabel* m_level = nullptr;
    QLabel* m_accuracy = nullptr;
    QLabel* m_intelligence = nullptr;
    QLabel* m_raise = nullptr;
    QLabel* m_scoreAdd = nullptr;
    QWidget* m_history = nullptr;
    QLabel* m_historyAccuracy = nullptr;
    QLabel* m_historyIntelligence = nullptr;
    // A double-click on the Level option ends with a release that is no
    // click of its own.
    bool m_levelDoubleClicked = false;

    ui::LogicTimer* m_dropTimer = nullptr;
    ui::LogicTimer* m_scoreAddTimer = nullptr;
    ui::LogicTimer* m_musicTimer = nullptr;
};

} // namespace tarvelo
