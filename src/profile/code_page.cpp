#include "profile/code_page.h"

#include <array>

namespace tarvelo::codepage {
namespace {

// 0x80..0x9F are the only codes that differ from Latin-1.
constexpr std::array<char32_t, 32> kHighControlRange = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98..9F
};

} // namespace

char32_t ToUnicode(unsigned char code)
{
    if (code >= 0x80 && code <= 0x9F)
        return kHighControlRange[code - 0x80];
    return code;
}

unsigned char FromUnicode(char32_t character)
{
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF))
        return static_cast<unsigned char>(character);
    for (std::size_t i = 0; i < kHighControlRange.size(); ++i) {
        if (kHighControlRange[i] == character)
            return static_cast<unsigned char>(0x80 + i);
    }
    return 0;
}

bool Fits(char32_t character)
{
    return character == 0 || FromUnicode(character) != 0;
}

bool Fits(std::u32string_view text)
{
    for (char32_t c : text) {
        if (!Fits(c))
            return false;
    }
    return true;
}

std::u32string ToUnicode(std::string_view bytes)
{
    std::u32string text;
    text.reserve(bytes.size());
    for (char b : bytes)
        text.push_back(ToUnicode(static_cast<unsigned char>(b)));
    return text;
}

std::string FromUnicode(std::u32string_view text, char replacement)
{
    std::string bytes;
    bytes.reserve(text.size());
    for (char32_t c : text)
        bytes.push_back(Fits(c) ? static_cast<char>(FromUnicode(c)) : replacement);
    return bytes;
}

std::string FromUtf8(std::string_view utf8, char replacement)
{
    std::u32string text;
    text.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = lead < 0x80           ? 1
                                   : (lead >> 5) == 0x6  ? 2
                                   : (lead >> 4) == 0xE  ? 3
                                   : (lead >> 3) == 0x1E ? 4
                                                         : 0;
        if (length == 0 || i + length > utf8.size()) {
            text.push_back(0xFFFD);
            ++i;
            continue;
        }
        char32_t c = length == 1 ? lead : (lead & (0x7F >> length));
        bool valid = true;
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(utf8[i + k]);
            valid = valid && (next & 0xC0) == 0x80;
            c = (c << 6) | (next & 0x3F);
        }
        text.push_back(valid ? c : 0xFFFD);
        i += valid ? length : 1;
    }
    return FromUnicode(text, replacement);
}

} // namespace tarvelo::codepage
