#pragma once

#include <cstdint>
#include <string_view>

namespace tarvelo {

class ProfileStore;

// `total` + `delta`, held at the ends of the 64-bit range instead of wrapping.
std::int64_t SaturatingAdd(std::int64_t total, std::int64_t delta);
std::int64_t SaturatingSubtract(std::int64_t total, std::int64_t amount);

// A user's practice totals over all sessions, kept in the user's section.
// The counts are 64-bit in memory and in the stored decimal text: a long-lived
// user passes 2^31 characters, and a count never wraps to a negative total.
struct CompleteTotals
{
    std::int64_t CompletePosition = 1; // 1 + characters ever typed in practice
    // Ticks ever spent in practice. Held wider than the stored single so that
    // it keeps counting past 2^24 ticks; stored as plain decimal digits.
    double CompleteQSeconds = 1;
    std::int64_t CompleteErrors = 0;

    // The stored totals when these were loaded or last saved.
    std::int64_t SavedPosition = 1;
    double SavedQSeconds = 1;
    std::int64_t SavedErrors = 0;

    static CompleteTotals Load(const ProfileStore& profile, std::string_view userSection);
    // Adds what was counted since the last load or save to the totals stored
    // now (read under the file's lock, so another copy practising as the same
    // user keeps its counts); these totals then are the stored ones.
    [[nodiscard]] bool Save(ProfileStore& profile, std::string_view userSection);
};

} // namespace tarvelo
