#pragma once

#include "profile/settings_keys.h"

#include <array>
#include <cstdint>

namespace tarvelo {

// Per-user counts of how often each character was expected and how often a
// wrong keystroke was charged to it, kept for the run of the program only.
// Lower-case letters count as their capitals.
class LetterTallies
{
public:
    static constexpr int kSlots = settings::kUserCount;

    static int Fold(int code);

    void TallyLetterTyped(int slot, int code);
    void TallyLetterError(int slot, int code);

    // Counts under `code` itself, not folded.
    std::int32_t TypedCount(int slot, int code) const;
    std::int32_t ErrorCount(int slot, int code) const;

    // 100 when the character was never expected; else the largest integer
    // not above 100 - errors * 100 / typed.
    float LetterPercentage(int slot, int code) const;

private:
    using Table = std::array<std::array<std::int32_t, 256>, kSlots>;
    static bool InRange(int slot, int code);

    Table m_typed{};
    Table m_errors{};
};

} // namespace tarvelo
