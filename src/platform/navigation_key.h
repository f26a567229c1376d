#pragma once

namespace tarvelo {

// The keys that work the windows' options from the keyboard.
enum class NavigationKey
{
    Up,
    Down,
    Left,
    Right,
    Enter,
    Escape,
    Delete,
    Other,
};

} // namespace tarvelo
