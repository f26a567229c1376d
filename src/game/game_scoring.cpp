#include "game/game_scoring.h"

#include "profile/value_text.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tarvelo::scoring {
namespace {

template <typename Int> Int Saturate(double value)
{
    if (!(value > static_cast<double>(std::numeric_limits<Int>::min())))
        return std::numeric_limits<Int>::min();
    if (value >= static_cast<double>(std::numeric_limits<Int>::max()))
        return std::numeric_limits<Int>::max();
    return static_cast<Int>(value);
}

int RoundedInterval(double ms)
{
    // An interval never drops below 1 ms nor outgrows the timer's int.
    return std::max(1, Saturate<int>(valuetext::RoundHalfEven(ms)));
}

} // namespace

std::int32_t LevelBonus(int level, int levelHits)
{
    const double x = level;
    return Saturate<std::int32_t>(valuetext::RoundHalfEven(x * x / (32.0 - levelHits) + x));
}

int NextLevelInterval(int intervalMs, int level)
{
    return RoundedInterval(intervalMs * (level >= 18 ? 0.96 : 0.9));
}

int DollarInterval(int intervalMs)
{
    return RoundedInterval(intervalMs * 1.1);
}

std::int32_t FinalIntelligence(int landedCharacters)
{
    return std::min(landedCharacters, 50) * 2;
}

GameAverages WithGame(const GameAverages& averages, std::int32_t intelligence, float accuracy)
{
    GameAverages next = averages;
    const std::int64_t g = averages.GamesPlayed < std::numeric_limits<std::int16_t>::max()
                               ? averages.GamesPlayed + 1
                               : averages.GamesPlayed;
    next.GamesPlayed = static_cast<std::int16_t>(g);
    const std::int64_t sum = (g - 1) * std::int64_t{averages.GameIntelligence} + intelligence;
    next.GameIntelligence = Saturate<std::int32_t>(std::floor(static_cast<double>(sum) / g + 0.5));
    next.GameAccuracy =
        static_cast<float>(((g - 1) * static_cast<double>(averages.GameAccuracy) + accuracy) / g);
    return next;
}

} // namespace tarvelo::scoring
