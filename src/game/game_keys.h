#pragma once

#include "profile/settings_keys.h"

#include <string>

// The game's keys that the shared catalogue does not hold: section "scores",
// the high-score table. The per-user game keys ("gamelevel", "gamesound",
// "playedgame", "gamesplayed", "intelligence", "accuracy", "letterstream",
// "lettercase") are the catalogue's own.
namespace tarvelo::settings {

inline constexpr TextKey kNumScores{"numscores", "0"};

// The table holds at most this many entries, numbered from 1.
inline constexpr int kMaxScores = 10;

// The fields of entry N: "score" + N + suffix. The score itself has no
// suffix.
enum class ScoreField
{
    Score,
    User,
    Date,
    StartLevel,
    Level,
    Intelligence,
    Accuracy,
    Letters,
};

// Key name and read default of a field of entry `entry` (1..10).
struct ScoreKey
{
    std::string name;
    std::string_view fallback;

    TextKey AsKey() const { return {name, fallback}; }
};

inline ScoreKey ScoreEntryKey(int entry, ScoreField field)
{
    const std::string base = "score" + std::to_string(entry);
    switch (field) {
    case ScoreField::Score:
        return {base, ""};
    case ScoreField::User:
        return {base + "u", ""};
    case ScoreField::Date:
        return {base + "d", ""};
    case ScoreField::StartLevel:
        return {base + "s", "0"};
    case ScoreField::Level:
        return {base + "l", "0"};
    case ScoreField::Intelligence:
        return {base + "i", ""};
    case ScoreField::Accuracy:
        return {base + "a", ""};
    case ScoreField::Letters:
        return {base + "n", "0"};
    }
    return {base, ""};
}

} // namespace tarvelo::settings
