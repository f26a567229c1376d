#pragma once

#include "game/high_scores.h"
#include "state/game_averages.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tarvelo {

class ProfileStore;

// The user's game settings as the game window loads them.
struct GameSettings
{
    std::int16_t chosenLevel = 1;
    bool soundOn = true;
    bool playedGame = false;
    std::int16_t gamesPlayed = 0;
    int letterCase = 0;
    std::string letterStream;
};

// Every settings access of the game: the user's game keys and the shared
// high-score table in section "scores".
class GameStorage
{
public:
    GameStorage(ProfileStore& profile, std::string userSection);

    GameSettings Load() const;

    void WriteGameLevel(std::int16_t level);
    void WriteGameSound(bool on);
    void MarkPlayedGame();
    void WriteLetterCase(int letterCase);
    void WriteLetterStream(const std::string& stream);
    // Counts a finished game into the stored "gamesplayed", "intelligence"
    // and "accuracy" (read under the file's lock, so a game another copy
    // counted meanwhile stays counted) and returns the new averages.
    GameAverages AddGameToAverages(std::int32_t intelligence, float accuracy);

    // The table as the insertion reads it. A "numscores" above 10 reads as
    // 10, below 0 or not a number as 0; a numeric field that is not a number
    // or does not fit its type reads as 0.
    std::vector<HighScoreEntry> ReadHighScores() const;
    // The stored entries as texts, for the high-score window.
    std::vector<ScoreTexts> ReadHighScoreTexts() const;

    // Adds a game to the table: gives an old table its zero fields, sorts,
    // cuts to ten and writes it back, all in one file replacement. Returns
    // the last game result.
    ScoreTexts InsertHighScore(const GameResult& result, const std::string& userName,
                               CalendarDate today);

private:
    int ReadScoreCount() const;

    ProfileStore& m_profile;
    std::string m_section;
};

} // namespace tarvelo
