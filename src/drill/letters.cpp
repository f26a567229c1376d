#include "drill/letters.h"

namespace tarvelo {

bool IsLetter(char code)
{
    const auto c = static_cast<unsigned char>(code);
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))
        return true;
    switch (c) {
    case 0x8A: // Š
    case 0x8C: // Œ
    case 0x8E: // Ž
    case 0x9A: // š
    case 0x9C: // œ
    case 0x9E: // ž
    case 0x9F: // Ÿ
        return true;
    default:
        return c >= 0xC0 && c != 0xD7 && c != 0xF7; // À..ÿ without × and ÷
    }
}

char FoldLetter(char code)
{
    const auto c = static_cast<unsigned char>(code);
    if (c >= 'A' && c <= 'Z')
        return static_cast<char>(c + ('a' - 'A'));
    if (c == 0x8A || c == 0x8C || c == 0x8E)
        return static_cast<char>(c + 0x10);
    if (c == 0x9F)
        return static_cast<char>(0xFF);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return static_cast<char>(c + 0x20);
    return code;
}

} // namespace tarvelo
