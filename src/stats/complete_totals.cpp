#include "stats/complete_totals.h"

#include "profile/profile_store.h"
#include "profile/settings_keys.h"

namespace tarvelo {

CompleteTotals CompleteTotals::Load(const ProfileStore& profile, std::string_view userSection)
{
    CompleteTotals totals;
    totals.CompletePosition = profile.ReadLong(userSection, settings::kCompletePosition);
    totals.CompleteQSeconds = profile.ReadDouble(userSection, settings::kCompleteQSeconds);
    totals.CompleteErrors = profile.ReadLong(userSection, settings::kCompleteErrors);
    return totals;
}

void CompleteTotals::Save(ProfileStore& profile, std::string_view userSection) const
{
    ProfileBatch batch(profile);
    profile.WriteNumber(userSection, settings::kCompletePosition, CompletePosition);
    profile.WriteDouble(userSection, settings::kCompleteQSeconds, CompleteQSeconds);
    profile.WriteNumber(userSection, settings::kCompleteErrors, CompleteErrors);
}

} // namespace tarvelo
