#pragma once

#include "state/game_averages.h"

#include <cstdint>

// The game's figures that do not depend on its state.
namespace tarvelo::scoring {

// Points for a finished level x with z hits: x^2 / (32 - z) + x, nearest,
// halves to even.
std::int32_t LevelBonus(int level, int levelHits);

// Timer1's interval after a level change from `level`: 0.96 of it from
// level 18 on, 0.9 below, nearest with halves to even.
int NextLevelInterval(int intervalMs, int level);

// Timer1's interval after a "$": a tenth slower.
int DollarInterval(int intervalMs);

// Two points per character that reached the bottom, at most 100.
std::int32_t FinalIntelligence(int landedCharacters);

// The averages with one more counted game.
GameAverages WithGame(const GameAverages& averages, std::int32_t intelligence, float accuracy);

} // namespace tarvelo::scoring
