#include "state/palette.h"

#include <algorithm>
#include <cmath>

namespace tarvelo::palette {
namespace {

double Linear(int channel)
{
    const double c = channel / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

int Channel(std::int32_t bgr, int shift)
{
    return (bgr >> shift) & 0xFF;
}

// `bgr` moved `share` (0..1) of the way to `end`.
std::int32_t Towards(std::int32_t bgr, std::int32_t end, double share)
{
    std::int32_t result = 0;
    for (const int shift : {0, 8, 16}) {
        const int c = Channel(bgr, shift);
        result |= static_cast<int>(std::lround(c + (Channel(end, shift) - c) * share)) << shift;
    }
    return result;
}

// The first of `bgr` moved in tenths towards `end` that reads against
// `other` at the high-contrast ratio (`end` itself at the latest).
std::int32_t TowardsContrast(std::int32_t bgr, std::int32_t end, std::int32_t other)
{
    std::int32_t moved = bgr;
    for (int step = 1; ContrastRatio(moved, other) < high_contrast::kMinimumRatio && step <= 10;
         ++step)
        moved = Towards(bgr, end, step / 10.0);
    return moved;
}

constexpr std::int32_t kWhite = 0xFFFFFF;

} // namespace

double RelativeLuminance(std::int32_t bgr)
{
    return 0.2126 * Linear(Channel(bgr, 0)) + 0.7152 * Linear(Channel(bgr, 8)) +
           0.0722 * Linear(Channel(bgr, 16));
}

double ContrastRatio(std::int32_t first, std::int32_t second)
{
    const double a = RelativeLuminance(first);
    const double b = RelativeLuminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

namespace high_contrast {

std::int32_t Fill(std::int32_t standardFill)
{
    return TowardsContrast(standardFill, kWhite, kText);
}

std::int32_t OptionFill(std::int32_t standardFill)
{
    if (standardFill == palette::kOptionFill)
        return kOptionFill;
    if (standardFill == palette::kSelectedFill)
        return kSelectedFill;
    return Fill(standardFill);
}

std::int32_t Border(std::int32_t standardBorder)
{
    return standardBorder == palette::kHoverBorder ? kHoverBorder : standardBorder;
}

std::int32_t Text(std::int32_t standardText, std::int32_t fill)
{
    return TowardsContrast(standardText, kText, fill);
}

} // namespace high_contrast
} // namespace tarvelo::palette
