#pragma once

#include <type_traits>

namespace tarvelo {

// Steps through the `count` options of a menu numbered 0 to count - 1 (an
// enum class or an int), wrapping at both ends: what Up and Down do in every
// menu that wraps.
template <typename Id>
constexpr Id Cycled(Id id, int step, int count)
{
    int index = 0;
    if constexpr (std::is_enum_v<Id>)
        index = static_cast<int>(static_cast<std::underlying_type_t<Id>>(id));
    else
        index = id;
    const int moved = ((index + step) % count + count) % count;
    return static_cast<Id>(moved);
}

} // namespace tarvelo
