#pragma once

#include "platform/screen_keys.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace tarvelo {

// A keyboard layout of the system by its XKB names, such as "de" with the
// variant "nodeadkeys" ("" for the layout's own).
struct SystemLayoutName
{
    std::string layout;
    std::string variant;
    bool operator==(const SystemLayoutName&) const = default;
};

// One entry of the system's list of layouts; the description is code-page
// bytes ("German (no dead keys)").
struct SystemLayoutEntry
{
    SystemLayoutName name;
    std::string description;
};

// What one key types on its first and second (Shift) level, as Unicode
// characters, 0 for none. A dead key gives its accent (U+00B4 for the acute).
struct SystemKey
{
    char32_t plain = 0;
    char32_t shifted = 0;
    bool plainDead = false;
    bool shiftedDead = false;
};

// The keys of a layout by on-screen key index 1..49 (0 unused), each read
// at the position KeyboardLayout::Position gives.
using SystemKeys = std::array<SystemKey, kScreenKeyCount + 1>;

// The keyboard layouts the system knows (XKB: the names the display server
// holds, the keyboard configuration, xkeyboard-config's list).
class SystemKeyboards
{
public:
    virtual ~SystemKeyboards() = default;

    // The layout the system types with now, when it can say.
    virtual std::optional<SystemLayoutName> Current() = 0;
    // Every layout and variant the system can compile.
    virtual std::vector<SystemLayoutEntry> Available() = 0;
    // What the keys type under `name`; nullopt when it cannot be compiled.
    virtual std::optional<SystemKeys> KeysOf(const SystemLayoutName& name) = 0;
};

} // namespace tarvelo
