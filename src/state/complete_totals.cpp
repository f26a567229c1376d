#include "state/complete_totals.h"

#include "profile/profile_store.h"
#include "profile/settings_keys.h"

#include <limits>

namespace tarvelo {

std::int64_t SaturatingAdd(std::int64_t total, std::int64_t delta)
{
    std::int64_t sum = 0;
    if (!__builtin_add_overflow(total, delta, &sum))
        return sum;
    return delta > 0 ? std::numeric_limits<std::int64_t>::max()
                     : std::numeric_limits<std::int64_t>::min();
}
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
