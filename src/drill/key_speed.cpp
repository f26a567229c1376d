#include "drill/key_speed.h"

#include "drill/letters.h"

#include <algorithm>

namespace tarvelo {
namespace {

std::size_t Slot(char letter)
{
    return static_cast<unsigned char>(FoldLetter(letter));
}

} // namespace

TargetSpeed::TargetSpeed(int wpm) : m_wpm(std::clamp(wpm, kMinWpm, kMaxWpm)) {}

double TargetSpeed::Confidence(const KeySpeed& speed) const
{
    return speed.averageMs > 0 ? LetterMs() / speed.averageMs : 0.0;
}

double TargetSpeed::BestConfidence(const KeySpeed& speed) const
{
    return speed.bestMs > 0 ? LetterMs() / speed.bestMs : 0.0;
}

void KeySpeeds::FoldLine(std::span<const Keystroke> line)
{
    std::array<double, 256> totalMs{};
    std::array<int, 256> samples{};
    for (std::size_t i = 0; i < line.size(); ++i) {
        const Keystroke& stroke = line[i];
        if (!IsLetter(stroke.expected))
            continue;
        const std::size_t slot = Slot(stroke.expected);
        if (stroke.error) {
            ++m_keys[slot].misses;
            continue;
        }
        ++m_keys[slot].hits;
        const double ms = stroke.KeyMs();
        if (i > 0 && ms >= kShortestMs && ms <= kLongestMs) {
            totalMs[slot] += ms;
            ++samples[slot];
        }
    }
    for (std::size_t slot = 0; slot < m_keys.size(); ++slot) {
        if (samples[slot] == 0)
            continue;
        KeySpeed& key = m_keys[slot];
        const double mean = totalMs[slot] / samples[slot];
        key.averageMs =
            key.HasSamples() ? key.averageMs + kSmoothing * (mean - key.averageMs) : mean;
        key.bestMs = key.bestMs > 0 ? std::min(key.bestMs, key.averageMs) : key.averageMs;
    }
}

const KeySpeed& KeySpeeds::Of(char letter) const
{
    return m_keys[Slot(letter)];
}

void KeySpeeds::Set(char letter, const KeySpeed& speed)
{
    m_keys[Slot(letter)] = speed;
}

} // namespace tarvelo
