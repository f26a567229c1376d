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
std::int64_t SaturatingSubtract(std::int64_t total, std::int64_t amount)
{
    std::int64_t difference = 0;
    if (!__builtin_sub_overflow(total, amount, &difference))
        return difference;
    return amount < 0 ? std::numeric_limits<std::int64_t>::max()
                      : std::numeric_limits<std::int64_t>::min();
}

CompleteTotals CompleteTotals::Load(const ProfileStore& profile, std::string_view userSection)
{
    CompleteTotals totals;
    totals.CompletePosition = profile.Read(userSection, settings::kCompletePosition);
    totals.CompleteQSeconds = profile.Read(userSection, settings::kCompleteQSeconds);
    totals.CompleteErrors = profile.Read(userSection, settings::kCompleteErrors);
    totals.SavedPosition = totals.CompletePosition;
    totals.SavedQSeconds = totals.CompleteQSeconds;
    totals.SavedErrors = totals.CompleteErrors;
    return totals;
}

bool CompleteTotals::Save(ProfileStore& profile, std::string_view userSection)
{
    ProfileBatch batch(profile, ProfileBatch::ReadUnderLock);
    const CompleteTotals stored = Load(profile, userSection);
    CompletePosition =
        SaturatingAdd(stored.CompletePosition, SaturatingSubtract(CompletePosition, SavedPosition));
    CompleteQSeconds = stored.CompleteQSeconds + (CompleteQSeconds - SavedQSeconds);
    CompleteErrors =
        SaturatingAdd(stored.CompleteErrors, SaturatingSubtract(CompleteErrors, SavedErrors));
    profile.Write(userSection, settings::kCompletePosition, CompletePosition);
    profile.Write(userSection, settings::kCompleteQSeconds, CompleteQSeconds);
    profile.Write(userSection, settings::kCompleteErrors, CompleteErrors);
    const bool saved = batch.Commit();
    // Unsaved counts stay owed: the next save adds them to what is stored then.
    const CompleteTotals& base = saved ? *this : stored;
    SavedPosition = base.CompletePosition;
    SavedQSeconds = base.CompleteQSeconds;
    SavedErrors = base.CompleteErrors;
    return saved;
}

} // namespace tarvelo
