#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tarvelo {

class KeyboardLayout;

// What the statistics window shows of the user's keystroke timings, made by
// the drills' figures (drill/keystroke_figures) from the history.
struct SpeedReport
{
    double targetMs = 0;
    // Each letter's average time by code-page byte; 0 without samples.
    std::array<double, 256> averageMs{};
    // "th: 312 ms", slowest first.
    std::vector<std::string> slowestPairs;
    // "typed \"r\" for \"e\": 12 times", most frequent first.
    std::vector<std::string> confusions;
    // "e: about 14 more lines to target", or empty.
    std::string focusOutlook;
};

// The average time of the letters on key 1..49 (the slowest of them when it
// has several); nothing when none has samples.
std::optional<double> KeyAverageMs(const SpeedReport& report, const KeyboardLayout& layout,
                                   int key);

// A key's colour for `averageMs` against `targetMs`, 0x00BBGGRR: green at
// target or faster, through yellow at one and a half times it to red at
// twice it and slower.
std::int32_t SpeedColour(double averageMs, double targetMs);

} // namespace tarvelo
