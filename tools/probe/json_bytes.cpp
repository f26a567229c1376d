#include "json_bytes.h"

#include <stdexcept>

namespace tarvelo::probe {

nlohmann::json BytesToJson(std::string_view bytes)
{
    std::string utf8;
    utf8.reserve(bytes.size() * 2);
    for (char b : bytes) {
        const auto code = static_cast<unsigned char>(b);
        if (code < 0x80) {
            utf8.push_back(b);
        } else {
            utf8.push_back(static_cast<char>(0xC0 | (code >> 6)));
            utf8.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        }
    }
    return utf8;
}

std::string JsonToBytes(const nlohmann::json& value)
{
    const std::string& utf8 = value.get_ref<const std::string&>();
    std::string bytes;
    bytes.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        if (lead < 0x80) {
            bytes.push_back(static_cast<char>(lead));
        } else if ((lead == 0xC2 || lead == 0xC3) && i + 1 < utf8.size()) {
            const auto next = static_cast<unsigned char>(utf8[++i]);
            bytes.push_back(static_cast<char>(((lead & 0x03) << 6) | (next & 0x3F)));
        } else {
            throw std::invalid_argument("character above U+00FF");
        }
    }
    return bytes;
}

} // namespace tarvelo::probe
