#include "game/typing_game.h"

#include "game/game_scoring.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/random_source.h"
#include "platform/sound.h"
#include "profile/app_folder.h"
#include "profile/data_file.h"
#include "profile/key_codes.h"
#include "state/current_user.h"

#include <cmath>
#include <limits>

namespace tarvelo {
namespace {

constexpr int kDollar = 36;
constexpr std::int32_t kDollarPoints = 3000;
constexpr int kLiveIntelligenceStep = 2;

bool IsLowerLetter(int code)
{
    return (code >= 'a' && code <= 'z') || (code >= 224 && code <= 254);
}

std::int32_t AddPoints(std::int32_t score, std::int64_t points)
{
    const std::int64_t sum = score + points;
    if (sum > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    if (sum < std::numeric_limits<std::int32_t>::min())
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(sum);
}

} // namespace

TypingGame::TypingGame(GameContext context)
    : m_context(std::move(context)), m_storage(m_context.profile, m_context.user.UserSection),
      m_music(m_context.sound, DataFilePath(m_context.appFolder, kTuneFile)),
      m_levelSoundPath(DataFilePath(m_context.appFolder, kLevelSoundFile))
{}

bool TypingGame::Load()
{
    m_running = false;
    m_timer1 = {false, kBaseIntervalMs, 0};
    const GameSettings settings = m_storage.Load();
    m_chosenLevel = settings.chosenLevel;
    m_level = 1;
    m_score = 0;
    m_soundOn = settings.soundOn;
    m_paused = false;
    const bool rulesFirst = !settings.playedGame;
    if (rulesFirst)
        m_storage.MarkPlayedGame();
    m_historyFilled = settings.gamesPlayed != 0;
    m_letterCase = LetterCaseFromStored(settings.letterCase);

    m_pool.Build(m_context.layout);
    m_pool.SelectStream(settings.letterStream);
    SaveKeyPool();
    return rulesFirst;
}

// Game loop ---------------------------------------------------------------

void TypingGame::StartGame()
{
    SaveKeyPool();
    if (m_pool.PlayableCount() == 0)
        return;
    m_aborted = false;
    m_board.ResetBoard();
    m_storage.WriteGameLevel(m_chosenLevel);
    m_startLevel = m_chosenLevel;
    m_level = 1;
    PlayLevelSound();
    SetDropInterval(kBaseIntervalMs);
    for (int level = 2; level <= m_startLevel; ++level)
        LevelUp();
    m_running = false;
    if (m_soundOn)
        StartMusic();
    m_running = true;

    m_score = 0;
    m_levelHits = 0;
    m_spawnCount = 0;
    m_keystrokes = 0;
    m_correctKeys = 0;
    m_raiseTicks = 0;
    m_scoreAddTicks = 0;
    m_shownLevel = m_level;
    m_liveIntelligence = 0;

    m_board.DrawPile();
    m_board.ResetActiveLetters();
    SetDropTimer(true);
}

void TypingGame::GameTick()
{
    if (!m_timer1.enabled)
        return;
    for (int column = 0; column < FallingBoard::kColumns; ++column) {
        const Landing landing = m_board.AdvanceColumn(column);
        if (landing == Landing::Overflow && m_running) {
            EndGame();
            // The game is over: the rest of the tick moves, draws and
            // places nothing.
            return;
        }
        if (landing == Landing::Piled && m_running)
            m_liveIntelligence += kLiveIntelligenceStep;
    }
    m_board.DrawFalling();

    if (m_raiseTicks == kInterludeTicks) {
        m_raiseTicks = 0;
        LevelUp();
        return;
    }
    if (m_raiseTicks > 0) {
        ++m_raiseTicks;
        return;
    }
    if (std::floor(m_context.random.Next() * 2) == 1) {
        ++m_spawnCount;
        m_board.SpawnLetter(m_context.random, m_pool.Playable(), m_pool.PlayableCount());
    }
    if (m_spawnCount == kSpawnsPerLevel) {
        m_spawnCount = 0;
        m_raiseTicks = 1;
        m_shownLevel = static_cast<std::int16_t>(m_level + 1);
    }
}

void TypingGame::LevelUp()
{
    if (m_levelHits > 0) {
        // AwardLevelBonus: the bonus flies in and is added when it lands.
        if (!m_scoreAddTimer.enabled)
            ++m_scoreAddTimer.restarts;
        m_scoreAddTimer.enabled = true;
        m_levelBonus = scoring::LevelBonus(m_level, m_levelHits);
        m_levelHits = 0;
    }
    SetDropInterval(scoring::NextLevelInterval(m_timer1.intervalMs, m_level));
    if (m_level < std::numeric_limits<std::int16_t>::max())
        ++m_level;
    m_shownLevel = m_level;
    PlayLevelSound();
}

void TypingGame::TogglePause()
{
    if (!m_timer1.enabled && !m_paused)
        return;
    if (!m_paused) {
        m_paused = true;
        SetDropTimer(false);
        m_board.ClearFalling(); // hidden, not removed
    } else {
        m_paused = false;
        SetDropTimer(true);
        m_board.DrawPile();
    }
}

void TypingGame::AbortGame()
{
    if (!m_running)
        return;
    m_aborted = true;
    EndGame();
}

void TypingGame::EndGame()
{
    if (m_soundOn)
        StopMusic();
    m_running = false;
    m_paused = false;
    SetDropTimer(false);
    SetDropInterval(kBaseIntervalMs);
    m_levelHits = 0;
    std::optional<GameRecord> counted = FinishGameScores();
    m_level = 1;
    if (m_endedHook)
        m_endedHook(std::move(counted));
    if (!m_unloading)
        m_scoresRequested = true;
}

void TypingGame::ProcessTypedChar(int code)
{
    if (code == keycode::kEnter || !m_running)
        return;
    if (code == keycode::kSpace) {
        TogglePause();
        return;
    }
    if (!m_timer1.enabled || code == keycode::kBackspace || code < 1)
        return;
    if (code == keycode::kOutsideCodePage) {
        ScoreKeystroke(false, code); // it can hit no falling character
        return;
    }
    if (code > 255)
        return;
    if (m_letterCase == LetterCase::Uppercase && IsLowerLetter(code))
        code -= 32;
    const bool hit = m_board.HitLetter(static_cast<unsigned char>(code));
    ScoreKeystroke(hit, code);
}

void TypingGame::SetDropTimer(bool enabled)
{
    if (enabled && !m_timer1.enabled)
        ++m_timer1.restarts;
    m_timer1.enabled = enabled;
}

void TypingGame::SetDropInterval(int intervalMs)
{
    // A new interval starts the running timer afresh.
    if (m_timer1.enabled && intervalMs != m_timer1.intervalMs)
        ++m_timer1.restarts;
    m_timer1.intervalMs = intervalMs;
}

// Scoring -----------------------------------------------------------------

void TypingGame::ScoreKeystroke(bool hit, int code)
{
    ++m_keystrokes;
    if (hit) {
        m_score = AddPoints(m_score, m_level);
        ++m_levelHits;
        ++m_correctKeys;
    } else {
        m_score = AddPoints(m_score, -m_level);
    }
    if (code == kDollar) {
        SetDropInterval(scoring::DollarInterval(m_timer1.intervalMs));
        m_score = AddPoints(m_score, kDollarPoints);
    }
    m_currentAccuracy = static_cast<float>(m_correctKeys * 100.0 / m_keystrokes);
}

void TypingGame::ScoreAddTick()
{
    if (!m_scoreAddTimer.enabled)
        return;
    ++m_scoreAddTicks;
    if (m_scoreAddTicks == kBonusSteps) {
        m_scoreAddTicks = 0;
        m_scoreAddTimer.enabled = false;
        m_score = AddPoints(m_score, m_levelBonus);
    }
}

std::optional<GameRecord> TypingGame::FinishGameScores()
{
    m_currentAccuracy =
        m_keystrokes > 0 ? static_cast<float>(m_correctKeys * 100.0 / m_keystrokes) : 100.0f;
    m_finalIntelligence = scoring::FinalIntelligence(m_board.PileTotal());
    m_liveIntelligence = m_finalIntelligence;

    std::optional<GameRecord> counted;
    if (!m_aborted) {
        m_context.averages = m_storage.AddGameToAverages(m_finalIntelligence, m_currentAccuracy);
        m_historyFilled = true;
        counted = GameRecord{.userSection = m_context.user.UserSection,
                             .userName = m_context.user.UserName,
                             .score = m_score,
                             .startLevel = m_startLevel,
                             .levelReached = m_level,
                             .accuracy = m_currentAccuracy,
                             .intelligence = m_finalIntelligence};
    }

    const GameResult result{m_score,
                            m_chosenLevel,
                            m_level,
                            m_finalIntelligence,
                            m_currentAccuracy * 100.0f,
                            static_cast<std::int16_t>(m_pool.PlayableCount())};
    m_context.lastResult =
        m_storage.InsertHighScore(result, m_context.user.UserName, m_context.clock.Today());
    return counted;
}

// Sound -------------------------------------------------------------------

void TypingGame::PlayLevelSound()
{
    if (m_soundOn)
        m_context.sound.PlayWave(m_levelSoundPath);
}

void TypingGame::StartMusic()
{
    m_music.PlayMidi(m_running);
    // A missing tune is told once; a missing audio device is never told.
    if (!m_tuneMissingTold && !FileExists(DataFilePath(m_context.appFolder, kTuneFile))) {
        m_tuneMissingTold = true;
        m_context.dialogs.ShowMessage(kTuneMissingMessage, kMessageTitle, MessageIcon::None);
    }
}

void TypingGame::StopMusic()
{
    m_music.StopMidi();
}

void TypingGame::MusicTick()
{
    if (m_music.Watchdog().enabled)
        m_music.CheckMusic(m_running);
}

void TypingGame::ToggleSound()
{
    m_soundOn = !m_soundOn;
    m_storage.WriteGameSound(m_soundOn);
    if (!m_running)
        return;
    if (!m_soundOn) {
        StopMusic();
    } else {
        // No tune is open: start it without a stop and close.
        m_running = false;
        StartMusic();
        m_running = true;
    }
}

// Options -----------------------------------------------------------------

void TypingGame::RaiseChosenLevel()
{
    if (m_running)
        return;
    m_chosenLevel = static_cast<std::int16_t>(m_chosenLevel + 1);
    if (m_chosenLevel == kMaxLevel + 1)
        m_chosenLevel = 1;
}

void TypingGame::LowerChosenLevel()
{
    if (m_running)
        return;
    m_chosenLevel = static_cast<std::int16_t>(m_chosenLevel - 1);
    if (m_chosenLevel == 0)
        m_chosenLevel = kMaxLevel;
}

bool TypingGame::LeaveGame()
{
    SaveKeyPool();
    if (m_running) {
        AbortGame();
        return false;
    }
    return true;
}

void TypingGame::ShowScores()
{
    if (m_running)
        AbortGame();
    else
        m_scoresRequested = true;
}

void TypingGame::Close()
{
    m_unloading = true;
    AbortGame();
}

bool TypingGame::TakeScoresRequest()
{
    const bool requested = m_scoresRequested;
    m_scoresRequested = false;
    return requested;
}

std::array<HighScoreRow, kHighScoreRows> TypingGame::ScoreRows() const
{
    return HighScoreRows(m_storage.ReadHighScoreTexts(), m_context.lastResult);
}

// Key pool ----------------------------------------------------------------

void TypingGame::SaveKeyPool()
{
    m_storage.WriteLetterStream(m_pool.Save(m_letterCase));
    if (m_pool.PlayableCount() != 0) {
        m_panelOpen = false;
        return;
    }
    m_context.dialogs.ShowMessage(KeyPool::kEmptyPoolMessage, kMessageTitle, MessageIcon::None);
    if (m_running)
        EndGame(); // not the player's choice: the game counts
    m_panelOpen = true;
}

void TypingGame::CycleLetterCase()
{
    m_letterCase = NextLetterCase(m_letterCase);
    m_storage.WriteLetterCase(static_cast<int>(m_letterCase));
}

} // namespace tarvelo
