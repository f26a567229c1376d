#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarvelo {

class KeySpeeds;
class TargetSpeed;

// Which letters a drill may use, walking `letters` (most frequent first): the
// first kAlwaysOpen always; any letter already at target by its best
// average; and the next one once every letter opened so far has been at
// target, so new letters open one at a time.
std::string OpenLetters(std::string_view letters, const KeySpeeds& speeds,
                        const TargetSpeed& target);

// The open letter a drill works on: the one furthest below target by its
// current average, ties to the earlier opened; when all are at target, the
// slowest. nullopt without open letters.
std::optional<char> FocusLetter(std::string_view open, const KeySpeeds& speeds,
                                const TargetSpeed& target);

inline constexpr std::size_t kAlwaysOpen = 6;

} // namespace tarvelo
