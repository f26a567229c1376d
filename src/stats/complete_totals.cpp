#include "stats/complete_totals.h"

#include "profile/profile_store.h"
#include "profile/settings_keys.h"
#include "profile/value_text.h"

#include <limits>

namespace tarvelo {
namespace {

// A stored count beyond the 64-bit range reads as the largest value.
std::int64_t ReadCount(const ProfileStore& profile, std::string_view section,
                       const settings::Key& key)
{
    const std::string text = profile.ReadProfile(section, key.name, key.fallback);
    if (const auto value = valuetext::ParseLong64(text))
        return *value;
    return valuetext::ParseLong64(key.fallback).value_or(0);
}

} // namespace

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
    totals.CompletePosition = ReadCount(profile, userSection, settings::kCompletePosition);
    totals.CompleteQSeconds = profile.ReadDouble(userSection, settings::kCompleteQSeconds);
    totals.CompleteErrors = ReadCount(profile, userSection, settings::kCompleteErrors);
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
