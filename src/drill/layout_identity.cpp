#include "drill/layout_identity.h"

#include "drill/letters.h"
#include "profile/keyboard_layout.h"

#include <cstdint>
#include <cstdio>

namespace tarvelo {

std::string LayoutIdentity(const KeyboardLayout& layout)
{
    // FNV-1a over (letter, key, Shift and dead flags) of every letter that
    // has a key.
    std::uint32_t hash = 2166136261u;
    const auto mix = [&hash](unsigned value) {
        hash ^= value & 0xFFu;
        hash *= 16777619u;
    };
    for (int code = 1; code <= KeyboardLayout::kMaxCode; ++code) {
        if (!IsLetter(static_cast<char>(code)) || layout.KeyOfChar(code) == KeyboardLayout::kNoKey)
            continue;
        mix(static_cast<unsigned>(code));
        mix(static_cast<unsigned>(layout.KeyOfChar(code)));
        mix((layout.KeyShift(code) ? 1u : 0u) | (layout.KeyDead(code) ? 2u : 0u));
    }
    char text[9];
    std::snprintf(text, sizeof text, "%08x", static_cast<unsigned>(hash));
    return text;
}

} // namespace tarvelo
