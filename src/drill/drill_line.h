#pragma once

#include <string>
#include <string_view>

namespace tarvelo {

class RandomSource;
class TextLanguage;

// The bounds of a drill line, its final space included.
inline constexpr std::size_t kShortestDrillLine = 30;
inline constexpr std::size_t kLongestDrillLine = 75;

// A line of words of `open` letters, each holding `focus`, separated by
// single spaces and ending in one, no word twice in a row: the text's own
// words that fit, in random order, then made-up words of the text's
// language. Empty when `open` holds no letter of the text.
std::string MakeDrillLine(const TextLanguage& language, std::string_view open, char focus,
                          RandomSource& random);

} // namespace tarvelo
