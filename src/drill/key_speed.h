#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace tarvelo {

// One typed character of a line.
struct Keystroke
{
    char expected = 0;
    char typed = 0;
    // Since the previous typed character, from the key events' own times.
    double intervalMs = 0;
    bool error = false;
    // Modifier and dead keys pressed for it: the interval is shared among
    // them and the character's own key.
    std::uint8_t extraKeys = 0;

    double KeyMs() const { return intervalMs / (1 + extraKeys); }
};

// How fast a typist hits one letter.
struct KeySpeed
{
    // Moving average of the letter's mean time per line, and the lowest it
    // has been; both 0 until the first sample.
    double averageMs = 0;
    double bestMs = 0;
    std::int64_t hits = 0;
    std::int64_t misses = 0;

    bool HasSamples() const { return averageMs > 0; }
};

// The speed a user aims at, in words of five characters per minute.
class TargetSpeed
{
public:
    static constexpr int kDefaultWpm = 35;
    static constexpr int kMinWpm = 10;
    static constexpr int kMaxWpm = 150;

    TargetSpeed() = default;
    // A stored figure outside kMinWpm..kMaxWpm is brought within.
    explicit TargetSpeed(int wpm);

    int Wpm() const { return m_wpm; }
    // The time of one letter at this speed.
    double LetterMs() const { return 60000.0 / (5.0 * m_wpm); }

    // Target time over the letter's average (0 without samples): 1 or more is
    // at target.
    double Confidence(const KeySpeed& speed) const;
    // The same from the best average ever reached.
    double BestConfidence(const KeySpeed& speed) const;

private:
    int m_wpm = kDefaultWpm;
};

// The speed of every letter, folded in one finished line at a time.
class KeySpeeds
{
public:
    // Weight of a new line's mean in the moving average.
    static constexpr double kSmoothing = 0.1;
    // Times outside this range are a stumble or a pause, not a speed.
    static constexpr double kShortestMs = 40;
    static constexpr double kLongestMs = 12000;

    // Counts each keystroke as a hit or miss of its expected letter (case
    // folded) and folds each letter's mean correct time into its average.
    // The line's first keystroke has no previous one to be timed from.
    void FoldLine(std::span<const Keystroke> line);

    const KeySpeed& Of(char letter) const;
    // Sets a letter's figures as they were stored.
    void Set(char letter, const KeySpeed& speed);

private:
    std::array<KeySpeed, 256> m_keys{};
};

} // namespace tarvelo
