#include "stats/statistics.h"

#include "profile/keyboard_layout.h"
#include "state/complete_totals.h"
#include "state/letter_tallies.h"
#include "state/option_cycle.h"
#include "stats/typing_stats.h"

#include <algorithm>
#include <cmath>

namespace tarvelo {
namespace {

std::string FloorText(double value)
{
    return std::to_string(static_cast<long long>(std::floor(value)));
}

bool Listable(int code)
{
    return (code >= 1 && code <= 96 && code != ' ') || (code >= 123 && code <= 223) || code == 255;
}

} // namespace

CompleteFigures LoadCompleteStats(const CompleteTotals& totals)
{
    const double position = totals.CompletePosition;
    const double errors = totals.CompleteErrors;
    const double ticks = totals.CompleteQSeconds;
    CompleteFigures figures;
    figures.lctime = TypingStats::FormatMinutes(ticks);
    figures.lcpercent =
        totals.CompletePosition == 0 ? "100" : FloorText((1 - errors / position) * 100);
    // A damaged file could hold a time of 0: show 0 rather than divide by it.
    figures.lcwpm = totals.CompletePosition <= 2 || ticks <= 0
                        ? "0"
                        : FloorText(((position - errors) / TypingStats::kCharsPerWord) *
                                    TypingStats::kTicksPerMinute / ticks);
    return figures;
}

std::vector<ListedLetter> LoadLetterErrors(const KeyboardLayout& layout,
                                           const LetterTallies& tallies, int slot)
{
    std::vector<ListedLetter> letters;
    for (int code = 1; code <= KeyboardLayout::kMaxCode; ++code) {
        if (!Listable(code) || layout.KeyOfChar(code) == KeyboardLayout::kNoKey)
            continue;
        if (letters.size() == Statistics::kMaxLetters)
            break;
        letters.push_back({code, std::string(1, static_cast<char>(code)),
                           tallies.LetterPercentage(slot, code), layout.KeyOfChar(code)});
    }
    return letters;
}

Statistics::Statistics(const CompleteTotals& totals, const KeyboardLayout& layout,
                       const LetterTallies& tallies, int slot, std::string userName)
    : m_figures(LoadCompleteStats(totals)), m_letters(LoadLetterErrors(layout, tallies, slot)),
      m_userName(std::move(userName))
{}

std::optional<float> Statistics::KeyPercentage(int key) const
{
    std::optional<float> lowest;
    for (const ListedLetter& letter : m_letters)
        if (letter.key == key && (!lowest || letter.percentage < *lowest))
            lowest = letter.percentage;
    return lowest;
}

std::int32_t Statistics::HeatColour(float percentage)
{
    const double share = std::clamp(static_cast<double>(percentage), 0.0, 100.0) / 100;
    // Red through yellow to green, bright enough to read a black caption on.
    const int red = static_cast<int>(std::lround(std::min(1.0, 2 * (1 - share)) * 230));
    const int green = static_cast<int>(std::lround(std::min(1.0, 2 * share) * 200));
    const int blue = 60;
    return (blue << 16) | (green << 8) | red;
}

std::string Statistics::KeyTip(int key) const
{
    std::string tip;
    for (const ListedLetter& letter : m_letters) {
        if (letter.key != key)
            continue;
        if (!tip.empty())
            tip += '\n';
        tip += letter.letter + "  " +
               std::to_string(static_cast<int>(std::floor(letter.percentage))) + " %";
    }
    return tip;
}

StatsAction Statistics::KeyDown(NavigationKey key)
{
    switch (key) {
    case NavigationKey::Escape:
        return StatsAction::Close;
    case NavigationKey::Up:
        m_selected = Cycled(m_selected, -1, kOptionCount);
        return StatsAction::None;
    case NavigationKey::Down:
        m_selected = Cycled(m_selected, 1, kOptionCount);
        return StatsAction::None;
    case NavigationKey::Enter:
    case NavigationKey::Right:
        return m_selected == StatsOption::Print ? StatsAction::Print : StatsAction::Close;
    case NavigationKey::Left:
        return m_selected == StatsOption::Close ? StatsAction::Close : StatsAction::None;
    default:
        return StatsAction::None;
    }
}

StatsAction Statistics::PressOption(StatsOption option)
{
    m_selected = option;
    return KeyDown(NavigationKey::Enter);
}

std::string_view Statistics::OptionCaption(StatsOption option)
{
    return option == StatsOption::Print ? "Print" : "Close";
}

std::int32_t Statistics::OptionFill(StatsOption option) const
{
    return option == m_selected ? kSelectedFill : kOptionFill;
}

std::int32_t Statistics::OptionBorder(StatsOption option) const
{
    return option == m_hovered ? kHoverBorder : kBorder;
}

} // namespace tarvelo
