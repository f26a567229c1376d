#include "state/game_averages.h"

#include "profile/profile_store.h"
#include "profile/settings_keys.h"

namespace tarvelo {

GameAverages GameAverages::Load(const ProfileStore& profile, std::string_view userSection)
{
    GameAverages averages;
    averages.GamesPlayed = profile.Read(userSection, settings::kGamesPlayed);
    averages.GameIntelligence = profile.Read(userSection, settings::kIntelligence);
    averages.GameAccuracy = profile.Read(userSection, settings::kAccuracy);
    return averages;
}

} // namespace tarvelo
