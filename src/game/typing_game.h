#pragma once

#include "game/falling_board.h"
#include "game/game_music.h"
#include "game/game_storage.h"
#include "game/high_scores.h"
#include "game/key_pool.h"
#include "history/run_history.h"
#include "state/game_averages.h"
#include "state/timer_state.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace tarvelo {

class Clock;
class Dialogs;
class KeyboardLayout;
class ProfileStore;
class RandomSource;
class Sound;
struct CurrentUser;

// Everything outside the game that it works with.
struct GameContext
{
    ProfileStore& profile;
    const CurrentUser& user;
    const KeyboardLayout& layout;
    Dialogs& dialogs;
    Sound& sound;
    RandomSource& random;
    const Clock& clock;
    // The user's averages, loaded by the main menu and kept up to date here.
    GameAverages& averages;
    // The last game result of the program run, shown by every high-score
    // window; empty until a game ends.
    std::optional<ScoreTexts>& lastResult;
    std::string appFolder;
};

// The typing game behind the game window: falling characters, levels,
// scoring, the key pool, sound and the high-score table. The window paints
// the drawn areas and the figures, forwards typed characters, option actions
// and timer ticks, and runs the three timers as their states say.
class TypingGame
{
public:
    // Told of every end of a game, whatever ended it, after its scores are
    // taken and before the high-score window is asked for. A game that ended
    // by itself (not by the player) comes with the user and the figures filled
    // in; the time is the receiver's.
    void SetGameEndedHook(std::function<void(std::optional<GameRecord> counted)> hook)
    {
        m_endedHook = std::move(hook);
    }

    static constexpr int kBaseIntervalMs = 500;
    static constexpr int kScoreAddIntervalMs = 15;
    static constexpr int kSpawnsPerLevel = 30;
    static constexpr int kInterludeTicks = 20;
    static constexpr int kBonusSteps = 19;
    static constexpr int kMaxLevel = 10; // of the Level option
    static constexpr std::string_view kLevelSoundFile = "Dalmor_NextLevel.wav";
    static constexpr std::string_view kTuneFile = "dw1_kng.mid";
    static constexpr std::string_view kMessageTitle = "Tarvelo";
    static constexpr std::string_view kTuneMissingMessage =
        "The music file \"dw1_kng.mid\" is missing from the program's folder. The game goes "
        "on without music.";

    explicit TypingGame(GameContext context);

    // The window's load: reads the user's game settings and the key pool.
    // Returns true when the rules are to be shown first (the user's first
    // visit; marked as played now).
    bool Load();

    // Game.
    void StartGame();
    void GameTick();
    void TogglePause();
    // Ends a running game as the player's choice (End Game, Scores, leaving).
    void AbortGame();
    // A character code 1..255 from the input box.
    void ProcessTypedChar(int code);
    void ScoreAddTick();
    void MusicTick();

    // Options.
    void ToggleSound();
    void RaiseChosenLevel(); // 10 wraps to 1; not during a game
    void LowerChosenLevel(); // 1 wraps to 10
    // "Main Menu"/"End Game": true when the window is to be left.
    bool LeaveGame();
    // "Scores": ends a running game, then asks for the high-score window.
    void ShowScores();
    // The window's close box: ends a running game without the high-score
    // window.
    void Close();

    // Key panel.
    void OpenKeyPanel() { m_panelOpen = true; }
    void SaveKeyPool();
    void ToggleKey(int key) { m_pool.ToggleKey(key); }
    void UseDefaultKeys() { m_pool.UseDefault(); }
    void SelectAllKeys() { m_pool.SelectAll(); }
    void CycleLetterCase();
    bool KeyPanelOpen() const { return m_panelOpen; }
    const KeyPool& Pool() const { return m_pool; }
    LetterCase Case() const { return m_letterCase; }

    // The high-score window is due (after a game end, or "Scores"); taking
    // the request clears it.
    bool TakeScoresRequest();
    // The rows of the high-score window as it opens now.
    std::array<HighScoreRow, kHighScoreRows> ScoreRows() const;

    // Timers.
    TimerState DropTimer() const { return m_timer1; }
    TimerState ScoreAddTimer() const { return m_scoreAddTimer; }
    TimerState MusicTimer() const { return m_music.Watchdog(); }

    // State.
    bool Running() const { return m_running; }
    bool Paused() const { return m_paused; }
    bool SoundOn() const { return m_soundOn; }
    std::int16_t ChosenLevel() const { return m_chosenLevel; }
    std::int16_t Level() const { return m_level; }
    std::int32_t Score() const { return m_score; }
    std::int16_t SpawnCount() const { return m_spawnCount; }
    std::int16_t RaiseTicks() const { return m_raiseTicks; }
    // "Raising Level" shows during the interlude.
    bool RaisingLevel() const { return m_running && m_raiseTicks > 0; }
    std::int32_t Keystrokes() const { return m_keystrokes; }
    std::int32_t CorrectKeys() const { return m_correctKeys; }
    float CurrentAccuracy() const { return m_currentAccuracy; }
    std::int32_t FinalIntelligenceValue() const { return m_finalIntelligence; }
    const FallingBoard& Board() const { return m_board; }
    // Window tests and benchmarks set up scenes through it.
    FallingBoard& SceneBoard() { return m_board; }

    // Displays: the level shown (the next one during the interlude, the one
    // reached after a game), the live intelligence, the flying bonus.
    std::int16_t ShownLevel() const { return m_shownLevel; }
    std::int64_t LiveIntelligence() const { return m_liveIntelligence; }
    bool BonusFlying() const { return m_scoreAddTimer.enabled; }
    std::int32_t LevelBonusValue() const { return m_levelBonus; }
    std::int16_t BonusStep() const { return m_scoreAddTicks; }
    // The history group: hidden during a game; its figures once a game has
    // been counted (from an earlier run or this one).
    bool HistoryShown() const { return !m_running; }
    bool HistoryFilled() const { return m_historyFilled; }
    const GameAverages& Averages() const { return m_context.averages; }

private:
    void EndGame();
    void LevelUp();
    void StartMusic();
    void StopMusic();
    void PlayLevelSound();
    void ScoreKeystroke(bool hit, int code);
    std::optional<GameRecord> FinishGameScores();
    void SetDropTimer(bool enabled);
    void SetDropInterval(int intervalMs);

    GameContext m_context;
    GameStorage m_storage;
    FallingBoard m_board;
    KeyPool m_pool;
    GameMusic m_music;
    std::string m_levelSoundPath;

    // Game loop.
    bool m_running = false;
    bool m_paused = false;
    bool m_aborted = false;
    bool m_unloading = false;
    bool m_soundOn = true;
    std::int16_t m_chosenLevel = 1;
    std::int16_t m_startLevel = 1;
    std::function<void(std::optional<GameRecord>)> m_endedHook;
    std::int16_t m_level = 1;
    std::int16_t m_shownLevel = 1;
    std::int16_t m_spawnCount = 0;
    std::int16_t m_raiseTicks = 0;
    TimerState m_timer1{false, kBaseIntervalMs, 0};

    // Scoring.
    std::int32_t m_score = 0;
    std::int32_t m_levelBonus = 0;
    std::int16_t m_levelHits = 0;
    std::int16_t m_scoreAddTicks = 0;
    std::int32_t m_keystrokes = 0;
    std::int32_t m_correctKeys = 0;
    float m_currentAccuracy = 100;
    std::int32_t m_finalIntelligence = 0;
    std::int64_t m_liveIntelligence = 100;
    TimerState m_scoreAddTimer{false, kScoreAddIntervalMs, 0};
    bool m_historyFilled = false;

    // Key pool.
    LetterCase m_letterCase = LetterCase::Uppercase;
    bool m_panelOpen = false;

    bool m_scoresRequested = false;
    bool m_tuneMissingTold = false;
};

} // namespace tarvelo
