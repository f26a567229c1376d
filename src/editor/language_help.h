#pragma once

#include <string_view>

namespace tarvelo {

// The language help window: how to adapt the program to another language
// written in the Latin alphabet. Code-page bytes, CR LF line ends.
std::string_view LanguageHelpText();

inline constexpr std::string_view kLanguageHelpTitle = "Language Help";

} // namespace tarvelo
