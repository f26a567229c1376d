#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvelo {

class KeyboardLayout;

// What a screen reader is told after a keystroke of a run and at the start of
// each line (code-page bytes).
struct TypingMoment
{
    std::optional<int> wrongCode; // the keystroke just typed, when it was wrong
    std::string_view newLine;     // the line to type, when one has just begun
    std::vector<int> nextKeys;    // the on-screen keys of the next character
    int nextCode = 0;             // the next character, named when it has no key
};

// "Wrong: typed e. Type: A line. Next: Shift, M": each part only when it
// applies; Shift is named once, whichever Shift keys are lit.
std::string TypingAnnouncement(const TypingMoment& moment, const KeyboardLayout& layout);

} // namespace tarvelo
