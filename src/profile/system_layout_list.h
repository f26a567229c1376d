#pragma once

#include "platform/system_keyboards.h"

#include <string_view>
#include <vector>

namespace tarvelo {

// The layouts and variants of an xkeyboard-config list ("evdev.lst": the
// "! layout" and "! variant" sections; a variant line reads
// "  nodeadkeys      de: German (no dead keys)"), in the list's order, each
// variant after its layout. Descriptions are UTF-8 turned into code-page
// bytes.
std::vector<SystemLayoutEntry> ParseLayoutList(std::string_view text);

} // namespace tarvelo
