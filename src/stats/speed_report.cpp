#include "stats/speed_report.h"

#include "profile/keyboard_layout.h"

#include <algorithm>
#include <cmath>

namespace tarvelo {

std::optional<double> KeyAverageMs(const SpeedReport& report, const KeyboardLayout& layout, int key)
{
    std::optional<double> slowest;
    for (int code = 1; code <= KeyboardLayout::kMaxCode; ++code) {
        const double ms = report.averageMs[static_cast<std::size_t>(code)];
        if (ms > 0 && layout.KeyOfChar(code) == key)
            slowest = std::max(slowest.value_or(0.0), ms);
    }
    return slowest;
}

std::int32_t SpeedColour(double averageMs, double targetMs)
{
    // 0 at target or faster, 1 at twice it or slower.
    const double behind = targetMs > 0 ? std::clamp(averageMs / targetMs - 1.0, 0.0, 1.0) : 1.0;
    struct Rgb
    {
        double r, g, b;
    };
    constexpr Rgb kGreen{0x30, 0xB0, 0x40}, kYellow{0xF0, 0xD0, 0x20}, kRed{0xE0, 0x30, 0x20};
    const Rgb& from = behind < 0.5 ? kGreen : kYellow;
    const Rgb& to = behind < 0.5 ? kYellow : kRed;
    const double t = behind < 0.5 ? behind * 2 : (behind - 0.5) * 2;
    const auto mix = [t](double a, double b) {
        return static_cast<std::int32_t>(std::lround(a + (b - a) * t));
    };
    return mix(from.r, to.r) | mix(from.g, to.g) << 8 | mix(from.b, to.b) << 16;
}

} // namespace tarvelo
