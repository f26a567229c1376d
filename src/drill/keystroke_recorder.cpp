#include "drill/keystroke_recorder.h"

#include <algorithm>
#include <utility>

namespace tarvelo {

void KeystrokeRecorder::Typed(char expected, char typed, bool error, std::uint64_t eventMs)
{
    // The run's first character has no previous one; a timestamp running
    // backwards (a wrapped counter) gives no interval either.
    const double interval =
        m_anyTyped && eventMs >= m_lastEventMs ? static_cast<double>(eventMs - m_lastEventMs) : 0;
    m_line.push_back(
        {expected, typed, interval, error, static_cast<std::uint8_t>(std::min(m_extraKeys, 255u))});
    m_lastEventMs = eventMs;
    m_anyTyped = true;
    m_extraKeys = 0;
}

std::vector<Keystroke> KeystrokeRecorder::EndLine()
{
    m_log.AddLine(m_line);
    return std::exchange(m_line, {});
}

} // namespace tarvelo
