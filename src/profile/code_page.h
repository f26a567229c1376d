#pragma once

#include <string>
#include <string_view>

// Windows-1252, the single-byte code page in which the logic holds all text.
// Text in the logic is a std::string of these bytes; Unicode appears only at
// the window edge and in the developer probe.
namespace tarvelo::codepage {

// The Unicode character of a code-page byte. The five codes the code page
// leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the control
// characters of the same number, so every byte round-trips.
char32_t ToUnicode(unsigned char code);

// The code-page byte of a Unicode character, or 0 when it has none
// (U+0000 itself also gives 0).
unsigned char FromUnicode(char32_t character);

bool Fits(char32_t character);
bool Fits(std::u32string_view text);

std::u32string ToUnicode(std::string_view bytes);

// Characters with no code-page byte become `replacement`.
std::string FromUnicode(std::u32string_view text, char replacement = '?');

// Decodes UTF-8 (file-system paths, the probe's input) into code-page bytes;
// malformed sequences and characters without a byte become `replacement`.
std::string FromUtf8(std::string_view utf8, char replacement = '?');

} // namespace tarvelo::codepage
