#pragma once

#include "drill/key_speed.h"

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tarvelo {

// The keystrokes of a run, line after line, packed for the history: a flag
// byte, the expected character, the typed one only when it differs, and the
// interval in whole milliseconds as a variable-length number; 4 bytes for a
// usual keystroke.
class KeystrokeLog
{
public:
    // Appends one line; an empty line adds nothing.
    void AddLine(std::span<const Keystroke> line);
    const std::string& Bytes() const { return m_bytes; }

private:
    std::string m_bytes;
};

// Gives the lines of packed `bytes` one at a time to `fold`. Returns false
// when the bytes are damaged or of an unknown format; the lines before the
// damage were given.
bool ForEachLoggedLine(std::string_view bytes,
                       const std::function<void(std::span<const Keystroke>)>& fold);

// Folds every line of a packed log into `speeds`; false for damaged bytes.
bool FoldLog(std::string_view bytes, KeySpeeds& speeds);

} // namespace tarvelo
