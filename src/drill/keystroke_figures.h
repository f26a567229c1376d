#pragma once

#include "drill/key_speed.h"

#include <array>
#include <cstdint>
#include <deque>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tarvelo {

struct SpeedReport;

// Two letters typed one after the other, timed by the second.
struct LetterPair
{
    char first = 0;
    char second = 0;
    double meanMs = 0;
    int samples = 0;
};

// A character typed for another.
struct Confusion
{
    char expected = 0;
    char typed = 0;
    int count = 0;
};

// What the keystroke log says beyond each letter's speed: the slow letter
// pairs, the keys hit for others, and how each letter's average went line
// by line.
class KeystrokeFigures
{
public:
    // A pair needs this many timed samples to be ranked.
    static constexpr int kPairSamples = 3;
    // The averages kept per letter for its trend.
    static constexpr std::size_t kTrendLength = 30;

    // Folds one line into the per-key speeds and the figures above. Pairs
    // are letters (case folded), both typed right, timed as the speeds are.
    void FoldLine(std::span<const Keystroke> line);

    const KeySpeeds& Speeds() const { return m_speeds; }
    // Slowest first; ties in first-letter order.
    std::vector<LetterPair> SlowestPairs(std::size_t count) const;
    // Most frequent first; ties in the order of the expected character.
    std::vector<Confusion> Confusions(std::size_t count) const;
    // The letter's average after each of the last kTrendLength lines that
    // timed it, oldest first.
    const std::deque<double>& Trend(char letter) const;

private:
    struct Sum
    {
        double ms = 0;
        int samples = 0;
    };
    KeySpeeds m_speeds;
    std::vector<Sum> m_pairs = std::vector<Sum>(256 * 256);
    std::vector<int> m_confusions = std::vector<int>(256 * 256);
    std::array<std::deque<double>, 256> m_trends;
};

// About how many more lines `averages` (one per line, oldest first) need to
// reach `targetMs`, from a straight line fitted to the last
// KeystrokeFigures::kTrendLength of them; nothing unless the fit is good
// (R² of 0.5 or more), falling, and the last average is above the target.
std::optional<int> LinesToTarget(const std::deque<double>& averages, double targetMs);

// The statistics window's report from the user's logs on a layout, the
// practice text (its letters give the focus letter) and the target.
SpeedReport MakeSpeedReport(std::span<const std::string> logs, std::string_view practiceFile,
                            const TargetSpeed& target);

} // namespace tarvelo
