#pragma once

#include "profile/settings_keys.h"

#include <iterator>
#include <string>
#include <string_view>
#include <utility>

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
    // By ScoreField: the suffix, and the read default (the levels and the
    // letter count read 0).
    constexpr std::pair<std::string_view, std::string_view> kFields[] = {
        {"", ""}, {"u", ""}, {"d", ""}, {"s", "0"}, {"l", "0"}, {"i", ""}, {"a", ""}, {"n", "0"},
    };
    static_assert(std::size(kFields) == static_cast<std::size_t>(ScoreField::Letters) + 1);
    const auto& [suffix, fallback] = kFields[static_cast<std::size_t>(field)];
    return {"score" + std::to_string(entry) + std::string(suffix), fallback};
}

} // namespace tarvelo::settings
