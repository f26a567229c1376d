#pragma once

namespace tarvelo {

// The on-screen keyboard's keys are numbered 1..kScreenKeyCount; the layout,
// the system's keyboards, the game's key pool and the keyboard widget all
// count them this way.
inline constexpr int kScreenKeyCount = 49;

} // namespace tarvelo
