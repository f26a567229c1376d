#include "state/complete_totals.h"

#include "profile/profile_store.h"
#include "profile/settings_keys.h"

namespace tarvelo {

CompleteTotals CompleteTotals::Load(const ProfileStore& profile, std::string_view userSection)
{
    CompleteTotals totals;
    totals.CompletePosition = profile.Read(userSection, settings::kCompletePosition);
    totals.CompleteQSeconds = profile.Read(userSection, settings::kCompleteQSeconds);
    totals.CompleteErrors = profile.Read(userSection, settings::kCompleteErrors);
    return totals;
}

bool CompleteTotals::Save(ProfileStore& profile, std::string_view userSection) const
{
    ProfileBatch batch(profile);
    profile.Write(userSection, settings::kCompletePosition, CompletePosition);
    profile.Write(userSection, settings::kCompleteQSeconds, CompleteQSeconds);
    profile.Write(userSection, settings::kCompleteErrors, CompleteErrors);
    return batch.Commit();
}

} // namespace tarvelo
