#include "state/letter_tallies.h"

#include <cmath>

namespace tarvelo {

int LetterTallies::Fold(int code)
{
    if ((code >= 97 && code <= 122) || (code >= 224 && code <= 254))
        return code - 32;
    return code;
}

bool LetterTallies::InRange(int slot, int code)
{
    return slot >= 0 && slot < kSlots && code >= 0 && code <= 255;
}

void LetterTallies::TallyLetterTyped(int slot, int code)
{
    code = Fold(code);
    if (InRange(slot, code))
        ++m_typed[slot][code];
}

void LetterTallies::TallyLetterError(int slot, int code)
{
    code = Fold(code);
    if (InRange(slot, code))
        ++m_errors[slot][code];
}

std::int32_t LetterTallies::TypedCount(int slot, int code) const
{
    return InRange(slot, code) ? m_typed[slot][code] : 0;
}

std::int32_t LetterTallies::ErrorCount(int slot, int code) const
{
    return InRange(slot, code) ? m_errors[slot][code] : 0;
}

float LetterTallies::LetterPercentage(int slot, int code) const
{
    const std::int32_t typed = TypedCount(slot, code);
    if (typed == 0)
        return 100;
    const double errors = ErrorCount(slot, code);
    return static_cast<float>(std::floor(100.0 - errors * 100.0 / typed));
}

} // namespace tarvelo
