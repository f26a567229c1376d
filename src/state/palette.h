#pragma once

#include <cstdint>

// The colours the windows share, as 0x00BBGGRR numbers (the form the logic
// keeps colours in; ui::FromBgr is the one conversion to the toolkit's).
namespace tarvelo::palette {

inline constexpr std::int32_t kOptionFill = 0xFCECD6;
inline constexpr std::int32_t kSelectedFill = 0xFFFFFF;
inline constexpr std::int32_t kBorder = 0x000000;
inline constexpr std::int32_t kHoverBorder = 0x0080FF;
inline constexpr std::int32_t kCaption = 0x000000;
inline constexpr std::int32_t kKeyFill = 0xE0E0E0;
// The keys that type the next character.
inline constexpr std::int32_t kNextKeyFill = 0x80FF80;

} // namespace tarvelo::palette
