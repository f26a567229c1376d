#pragma once

#include "drill/key_speed.h"
#include "drill/keystroke_log.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tarvelo {

// Times each typed character of a run from its key event's own timestamp,
// not the clock when it is handled, and keeps the run's lines packed for
// the history. Nothing here writes: the packed log goes out with the run at
// the end of a line.
class KeystrokeRecorder
{
public:
    // A modifier or dead key went down on the way to the next character.
    void ExtraKey() { ++m_extraKeys; }
    // A character was typed; `eventMs` is its key event's timestamp.
    void Typed(char expected, char typed, bool error, std::uint64_t eventMs);
    // Ends the line: its keystrokes join the packed log and are returned for
    // folding into the per-key figures.
    std::vector<Keystroke> EndLine();

    const std::string& PackedLog() const { return m_log.Bytes(); }

private:
    std::vector<Keystroke> m_line;
    KeystrokeLog m_log;
    std::uint64_t m_lastEventMs = 0;
    bool m_anyTyped = false;
    unsigned m_extraKeys = 0;
};

} // namespace tarvelo
