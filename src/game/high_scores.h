#pragma once

#include "platform/clock.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tarvelo {

// One row of the high-score table, shared by all users.
struct HighScoreEntry
{
    std::int32_t score = 0;
    std::string user;
    std::string date;
    std::int16_t startLevel = 0;
    std::int16_t level = 0;
    std::int32_t intelligence = 0;
    float accuracy = 0; // percent, whole for every entry the game writes
    std::int16_t letters = 0;
};

// A finished game as the game hands it to the table.
struct GameResult
{
    std::int32_t score = 0;
    std::int16_t startLevel = 0;
    std::int16_t level = 0;
    std::int32_t intelligence = 0;
    float accuracyHundredths = 0; // accuracy in hundredths of a percent
    std::int16_t letters = 0;
};

// An entry as texts, the way the high-score window shows it: a stored entry
// read back without conversion, or the last game result of the run.
struct ScoreTexts
{
    std::string score;
    std::string user;
    std::string date;
    std::string startLevel;
    std::string level;
    std::string intelligence;
    std::string accuracy;
    std::string letters;
};

// One row of the high-score window; row 0 is "Your Score:".
struct HighScoreRow
{
    std::string scores; // rank, user, score and letters
    std::string date;
    std::string details; // levels, intelligence, accuracy
};

inline constexpr int kHighScoreRows = 11;

// "mmm d, yyyy" with English month abbreviations: "Jan 5, 2026".
std::string FormatScoreDate(CalendarDate date);

// Hundredths of a percent to whole percent, halves up.
std::int32_t AccuracyPercent(float hundredths);

// The entry of a game result played by `user` on `date`.
HighScoreEntry MakeEntry(const GameResult& result, const std::string& user, CalendarDate date);
ScoreTexts ToTexts(const HighScoreEntry& entry);

// Appends the entry and sorts by score, highest first; equal scores keep
// their order. Cuts the table to `limit` entries.
void InsertSorted(std::vector<HighScoreEntry>& table, HighScoreEntry entry, std::size_t limit);

// The window's rows: row 0 from the last game result, rows 1..n from the
// stored entries, the rest empty.
std::array<HighScoreRow, kHighScoreRows> HighScoreRows(const std::vector<ScoreTexts>& stored,
                                                       const std::optional<ScoreTexts>& last);

} // namespace tarvelo
