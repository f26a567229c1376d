#pragma once

#include <string>
#include <string_view>

// Values are stored as digits only, three per character (400 - code), so no
// value can break the line-and-"=" structure of the file whatever it holds.
namespace tarvelo::valuecodec {

std::string Encode(std::string_view plain);

// Reads groups of three from the left. A trailing pair still decodes (as the
// older writers' readers did), a trailing single digit is dropped.
std::string Decode(std::string_view stored);

// True for a run of whole three-digit groups, each 145..400: the only form
// the program writes. Anything else comes from a hand edit.
bool IsWellFormed(std::string_view stored);

} // namespace tarvelo::valuecodec
