#pragma once

#include <string>
#include <string_view>

namespace tarvelo {

// How a screen reader names an on-screen key from its caption (code-page
// bytes): "SHIFT" is "Shift", "SPACEBAR" is "Space", a key without a caption
// is "Blank key"; any other caption is itself.
std::string KeyName(std::string_view caption);

// How a screen reader names a typed character code: "space", "Tab", "Enter",
// "Backspace", otherwise the character.
std::string CharacterName(int code);

} // namespace tarvelo
