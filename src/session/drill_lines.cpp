#include "session/drill_lines.h"

#include "drill/drill_line.h"
#include "drill/drill_plan.h"
#include "drill/keystroke_log.h"

#include <charconv>
#include <cmath>

namespace tarvelo {

void DrillLines::Load(std::string_view practiceFile, std::span<const std::string> logs,
                      TargetSpeed target)
{
    m_language = TextLanguage::Learn(practiceFile);
    m_speeds = KeySpeeds{};
    for (const std::string& log : logs)
        (void)FoldLog(log, m_speeds);
    m_target = target;
}

void DrillLines::FoldLine(std::span<const Keystroke> line)
{
    m_speeds.FoldLine(line);
}

std::string DrillLines::NextLine(bool)
{
    if (m_repeat) {
        m_repeat = false;
        return m_line;
    }
    // How the last line's focus letter went.
    m_focusChange.clear();
    if (m_lineFocus && m_focusMsBefore > 0) {
        const long change = std::lround(m_speeds.Of(*m_lineFocus).averageMs - m_focusMsBefore);
        m_focusChange = std::string(1, *m_lineFocus) + ": ";
        m_focusChange += change == 0  ? "unchanged"
                         : change < 0 ? std::to_string(-change) + " ms faster"
                                      : std::to_string(change) + " ms slower";
    }
    const std::string open = OpenLetters(m_language.Letters(), m_speeds, m_target);
    m_lineFocus = FocusLetter(open, m_speeds, m_target);
    m_focusMsBefore = m_lineFocus ? m_speeds.Of(*m_lineFocus).averageMs : 0;
    m_line = m_lineFocus ? MakeDrillLine(m_language, open, *m_lineFocus, m_random) : std::string();
    return m_line;
}

void DrillLines::Rewind(bool)
{
    m_repeat = !m_line.empty();
}

std::vector<DrillLetter> DrillLines::Letters() const
{
    const std::string open = OpenLetters(m_language.Letters(), m_speeds, m_target);
    const std::optional<char> focus = FocusLetter(open, m_speeds, m_target);
    std::vector<DrillLetter> letters;
    for (char letter : open)
        letters.push_back({letter, m_target.Confidence(m_speeds.Of(letter)), letter == focus});
    return letters;
}

std::optional<int> ParseTargetWpm(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return std::nullopt;
    text = text.substr(first, text.find_last_not_of(" \t") - first + 1);
    int wpm = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), wpm);
    if (error != std::errc() || end != text.data() + text.size() || wpm < TargetSpeed::kMinWpm ||
        wpm > TargetSpeed::kMaxWpm)
        return std::nullopt;
    return wpm;
}

} // namespace tarvelo
