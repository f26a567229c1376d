#include "profile/value_text.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace tarvelo::valuetext {
namespace {

std::string_view TrimBlanks(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c + 32) : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

template <typename Int> std::optional<Int> ToClampedInteger(std::string_view text)
{
    const auto number = ParseNumber(text);
    if (!number)
        return std::nullopt;
    const double rounded = RoundHalfEven(*number);
    if (rounded <= static_cast<double>(std::numeric_limits<Int>::min()))
        return std::numeric_limits<Int>::min();
    if (rounded >= static_cast<double>(std::numeric_limits<Int>::max()))
        return std::numeric_limits<Int>::max();
    return static_cast<Int>(rounded);
}

} // namespace

double RoundHalfEven(double value)
{
    return std::nearbyint(value); // the default rounding mode is to nearest, ties to even
}

std::optional<double> ParseNumber(std::string_view text)
{
    std::string normalised(TrimBlanks(text));
    if (!normalised.empty() && normalised.front() == '+')
        normalised.erase(0, 1);
    for (char& c : normalised) {
        if (c == ',')
            c = '.';
    }
    if (normalised.empty())
        return std::nullopt;
    double value = 0;
    const char* end = normalised.data() + normalised.size();
    const auto [ptr, ec] = std::from_chars(normalised.data(), end, value);
    if (ptr != end || (ec != std::errc() && ec != std::errc::result_out_of_range))
        return std::nullopt;
    if (ec == std::errc::result_out_of_range)
        value = normalised.front() == '-' ? -std::numeric_limits<double>::max()
                                          : std::numeric_limits<double>::max();
    if (!std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<std::int16_t> ParseInteger(std::string_view text)
{
    return ToClampedInteger<std::int16_t>(text);
}

std::optional<std::int32_t> ParseLong(std::string_view text)
{
    return ToClampedInteger<std::int32_t>(text);
}

std::optional<std::int64_t> ParseLong64(std::string_view text)
{
    std::string_view digits = TrimBlanks(text);
    if (!digits.empty() && digits.front() == '+')
        digits.remove_prefix(1);
    std::int64_t value = 0;
    const char* end = digits.data() + digits.size();
    const auto [ptr, ec] = std::from_chars(digits.data(), end, value);
    if (ptr == end && ec == std::errc())
        return value;
    if (ptr == end && ec == std::errc::result_out_of_range)
        return digits.front() == '-' ? std::numeric_limits<std::int64_t>::min()
                                     : std::numeric_limits<std::int64_t>::max();
    return ToClampedInteger<std::int64_t>(text); // fractions and exponents
}

std::optional<float> ParseSingle(std::string_view text)
{
    const auto number = ParseNumber(text);
    if (!number)
        return std::nullopt;
    constexpr double kMax = std::numeric_limits<float>::max();
    if (*number > kMax)
        return std::numeric_limits<float>::max();
    if (*number < -kMax)
        return std::numeric_limits<float>::lowest();
    return static_cast<float>(*number);
}

std::optional<bool> ParseBoolean(std::string_view text)
{
    const std::string_view trimmed = TrimBlanks(text);
    if (EqualsIgnoringCase(trimmed, "True"))
        return true;
    if (EqualsIgnoringCase(trimmed, "False"))
        return false;
    if (const auto number = ParseNumber(trimmed))
        return *number != 0;
    return std::nullopt;
}

std::string FormatInteger(std::int64_t value)
{
    return std::to_string(value);
}

std::string FormatSingle(float value)
{
    char buffer[64];
    const auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return ec == std::errc() ? std::string(buffer, ptr) : std::string("0");
}

std::string FormatDouble(double value)
{
    if (std::abs(value) < 9007199254740992.0 && value == std::trunc(value))
        return std::to_string(static_cast<std::int64_t>(value));
    char buffer[64];
    const auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return ec == std::errc() ? std::string(buffer, ptr) : std::string("0");
}

std::string FormatBoolean(bool value)
{
    return value ? "True" : "False";
}

} // namespace tarvelo::valuetext
