#pragma once

#include <cstdint>
#include <string_view>

namespace tarvelo {

class ProfileStore;

// A user's practice totals over all sessions, kept in the user's section.
struct CompleteTotals
{
    std::int32_t CompletePosition = 1; // 1 + characters ever typed in practice
    // Ticks ever spent in practice. Held wider than the stored single so that
    // it keeps counting past 2^24 ticks; stored as plain decimal digits.
    double CompleteQSeconds = 1;
    std::int32_t CompleteErrors = 0;

    static CompleteTotals Load(const ProfileStore& profile, std::string_view userSection);
    [[nodiscard]] bool Save(ProfileStore& profile, std::string_view userSection) const;
};

} // namespace tarvelo
