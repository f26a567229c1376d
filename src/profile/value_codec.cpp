#include "profile/value_codec.h"

namespace tarvelo::valuecodec {
namespace {

int GroupValue(std::string_view group)
{
    int value = 0;
    for (char c : group) {
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

} // namespace

std::string Encode(std::string_view plain)
{
    std::string stored;
    stored.reserve(plain.size() * 3);
    for (char ch : plain) {
        const int g = 400 - static_cast<unsigned char>(ch);
        stored.push_back(static_cast<char>('0' + g / 100));
        stored.push_back(static_cast<char>('0' + g / 10 % 10));
        stored.push_back(static_cast<char>('0' + g % 10));
    }
    return stored;
}

std::string Decode(std::string_view stored)
{
    const std::size_t groups = (stored.size() + 1) / 3;
    std::string plain;
    plain.reserve(groups);
    for (std::size_t i = 0; i < groups; ++i) {
        const int g = GroupValue(stored.substr(i * 3, 3));
        plain.push_back(static_cast<char>(static_cast<unsigned char>((400 - g) & 0xFF)));
    }
    return plain;
}

bool IsWellFormed(std::string_view stored)
{
    if (stored.size() % 3 != 0)
        return false;
    for (std::size_t i = 0; i < stored.size(); i += 3) {
        const int g = GroupValue(stored.substr(i, 3));
        if (g < 145 || g > 400)
            return false;
    }
    return true;
}

} // namespace tarvelo::valuecodec
