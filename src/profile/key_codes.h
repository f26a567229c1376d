#pragma once

// Character codes of the keys that type no printable character, as the
// windows pass them to the logic.
namespace tarvelo::keycode {

inline constexpr int kBackspace = 8;
inline constexpr int kTab = 9;
inline constexpr int kEnter = 13;
inline constexpr int kEscape = 27;
inline constexpr int kSpace = 32;
// The first printable code; lower codes are control characters.
inline constexpr int kFirstPrintable = 32;
// A typed character the code page lacks: above every code-page byte, so it
// matches no expected character and counts as a wrong key.
inline constexpr int kOutsideCodePage = 256;

} // namespace tarvelo::keycode
