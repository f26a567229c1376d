#pragma once

#include <string>
#include <string_view>

// The stored form of settings values: each character code c becomes the
// three digits of 400 - c.
namespace tarvelo::valuecodec {

std::string Encode(std::string_view plain);

// Cuts the stored text into groups of three from the left; the group count is
// the length divided by 3, rounded to nearest (3k+1 gives k groups, 3k+2 gives
// k+1, the last two characters long).
std::string Decode(std::string_view stored);

// True for a run of whole three-digit groups, each 145..400: the only form
// the program writes. Anything else comes from a hand edit.
bool IsWellFormed(std::string_view stored);

} // namespace tarvelo::valuecodec
