#pragma once

#include "drill/key_speed.h"
#include "drill/seeded_random.h"
#include "drill/text_language.h"
#include "session/line_source.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tarvelo {

// One open letter as the drill panel shows it.
struct DrillLetter
{
    char letter = 0;
    // Target time over the current average; 0 without samples.
    double confidence = 0;
    bool focus = false;
};

// The lines of drill mode: each one made from the figures as they are after
// the line before, on the letters and words of the practice text.
class DrillLines : public LineSource
{
public:
    static constexpr std::string_view kTargetPrompt =
        "Your target speed in words per minute (10 to 150):";
    static constexpr std::string_view kTargetRefused =
        "The target speed must be a whole number of words per minute from 10 to 150.";

    explicit DrillLines(std::uint64_t seed) : m_random(seed) {}

    // `practiceFile`: the practice text as stored; `logs`: the user's packed
    // keystrokes on the current layout, oldest first (damaged ones count as
    // far as they are whole).
    void Load(std::string_view practiceFile, std::span<const std::string> logs, TargetSpeed target);
    // A line typed now, as the run recorder tells it.
    void FoldLine(std::span<const Keystroke> line);

    std::string NextLine(bool lesson) override;
    void Rewind(bool lesson) override;

    // The open letters in opening order, for the letters' bars.
    std::vector<DrillLetter> Letters() const;
    const TargetSpeed& Target() const { return m_target; }
    // The next line is made for this target.
    void SetTarget(TargetSpeed target) { m_target = target; }
    const KeySpeeds& Speeds() const { return m_speeds; }
    // After a line: how the focus letter of that line changed, e.g.
    // "s: 12 ms faster"; empty before the first line or without samples.
    const std::string& FocusChange() const { return m_focusChange; }

private:
    SeededRandom m_random;
    TextLanguage m_language;
    KeySpeeds m_speeds;
    TargetSpeed m_target;
    std::string m_line;
    bool m_repeat = false;
    // The focus of the line on show and its average when it was made.
    std::optional<char> m_lineFocus;
    double m_focusMsBefore = 0;
    std::string m_focusChange;
};

// The target speed a user typed: a whole number from TargetSpeed::kMinWpm
// to kMaxWpm, blanks around it allowed; nothing for anything else.
std::optional<int> ParseTargetWpm(std::string_view text);

} // namespace tarvelo
