#pragma once

#include <cstdint>
#include <string_view>

namespace tarvelo {

class ProfileStore;

// The user's game figures that the game window starts from.
struct GameAverages
{
    std::int16_t GamesPlayed = 0;
    std::int32_t GameIntelligence = 0;
    float GameAccuracy = 0;

    static GameAverages Load(const ProfileStore& profile, std::string_view userSection);
};

} // namespace tarvelo
