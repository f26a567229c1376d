#include "drill/keystroke_log.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace tarvelo {
namespace {

constexpr char kFormat = 1;

// The flag byte.
constexpr unsigned kError = 1u << 0;
constexpr unsigned kTypedOther = 1u << 1;
constexpr unsigned kLineStart = 1u << 2;
constexpr unsigned kExtraShift = 3;
constexpr unsigned kExtraMask = 0x7u; // up to 7 extra keys are told apart
constexpr unsigned kKnownFlags = 0x3Fu;

void PutNumber(std::string& bytes, std::uint32_t value)
{
    while (value >= 0x80) {
        bytes.push_back(static_cast<char>(0x80 | (value & 0x7F)));
        value >>= 7;
    }
    bytes.push_back(static_cast<char>(value));
}

bool GetNumber(std::string_view bytes, std::size_t& at, std::uint32_t& value)
{
    value = 0;
    for (unsigned shift = 0; shift < 35 && at < bytes.size(); shift += 7) {
        const auto byte = static_cast<unsigned char>(bytes[at++]);
        value |= static_cast<std::uint32_t>(byte & 0x7F) << shift;
        if ((byte & 0x80) == 0)
            return true;
    }
    return false;
}

// Reads one keystroke at `at`, advancing it; false at damage.
bool ReadKeystroke(std::string_view bytes, std::size_t& at, Keystroke& stroke, bool& lineStart)
{
    if (at + 2 > bytes.size())
        return false;
    const auto flags = static_cast<unsigned char>(bytes[at++]);
    if ((flags & ~kKnownFlags) != 0)
        return false;
    stroke.expected = bytes[at++];
    stroke.typed = stroke.expected;
    if (flags & kTypedOther) {
        if (at >= bytes.size())
            return false;
        stroke.typed = bytes[at++];
    }
    std::uint32_t ms = 0;
    if (!GetNumber(bytes, at, ms))
        return false;
    stroke.intervalMs = ms;
    stroke.error = (flags & kError) != 0;
    stroke.extraKeys = static_cast<std::uint8_t>((flags >> kExtraShift) & kExtraMask);
    lineStart = (flags & kLineStart) != 0;
    return true;
}

} // namespace

void KeystrokeLog::AddLine(std::span<const Keystroke> line)
{
    if (line.empty())
        return;
    if (m_bytes.empty())
        m_bytes.push_back(kFormat);
    for (std::size_t i = 0; i < line.size(); ++i) {
        const Keystroke& stroke = line[i];
        const unsigned extra = std::min<unsigned>(stroke.extraKeys, kExtraMask);
        unsigned flags = extra << kExtraShift;
        if (stroke.error)
            flags |= kError;
        if (stroke.typed != stroke.expected)
            flags |= kTypedOther;
        if (i == 0)
            flags |= kLineStart;
        m_bytes.push_back(static_cast<char>(flags));
        m_bytes.push_back(stroke.expected);
        if (stroke.typed != stroke.expected)
            m_bytes.push_back(stroke.typed);
        const double ms = std::clamp(std::round(stroke.intervalMs), 0.0, 4294967295.0);
        PutNumber(m_bytes, static_cast<std::uint32_t>(ms));
    }
}

bool ForEachLoggedLine(std::string_view bytes,
                       const std::function<void(std::span<const Keystroke>)>& fold)
{
    if (bytes.empty())
        return true;
    if (bytes[0] != kFormat)
        return false;
    std::vector<Keystroke> line;
    for (std::size_t at = 1; at < bytes.size();) {
        Keystroke stroke;
        bool lineStart = false;
        if (!ReadKeystroke(bytes, at, stroke, lineStart) || (line.empty() && !lineStart))
            return false;
        if (lineStart && !line.empty()) {
            fold(line);
            line.clear();
        }
        line.push_back(stroke);
    }
    if (!line.empty())
        fold(line);
    return true;
}

bool FoldLog(std::string_view bytes, KeySpeeds& speeds)
{
    return ForEachLoggedLine(bytes,
                             [&](std::span<const Keystroke> line) { speeds.FoldLine(line); });
}

} // namespace tarvelo
