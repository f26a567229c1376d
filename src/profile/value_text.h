#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Conversions between settings text and typed values. Numbers are read
// leniently (blanks around them, "." or "," as decimal separator, fractions
// rounded half to even, out-of-range values clamped) and written in one fixed,
// locale-independent form.
namespace tarvelo::valuetext {

std::optional<double> ParseNumber(std::string_view text);
std::optional<std::int16_t> ParseInteger(std::string_view text);
std::optional<std::int32_t> ParseLong(std::string_view text);
// Whole numbers exactly to the last digit; others as ParseNumber, clamped.
std::optional<std::int64_t> ParseLong64(std::string_view text);
std::optional<float> ParseSingle(std::string_view text);
// "True"/"False" in any case, or a number (non-zero is true).
std::optional<bool> ParseBoolean(std::string_view text);

std::string FormatInteger(std::int64_t value);
// Shortest text that reads back as the same float, with "." as separator.
std::string FormatSingle(float value);
// Shortest round-trip text of a double; whole numbers below 2^53 as digits.
std::string FormatDouble(double value);
std::string FormatBoolean(bool value);

// Rounds to the nearest integer, halves to even.
double RoundHalfEven(double value);

} // namespace tarvelo::valuetext
