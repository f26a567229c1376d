#pragma once

#include "platform/navigation_key.h"
#include "state/palette.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tarvelo {

class KeyboardLayout;
class LetterTallies;
struct CompleteTotals;

// The complete figures as the statistics window shows them.
struct CompleteFigures
{
    std::string lctime;    // minutes, "####0.0"
    std::string lcwpm;     // floor, "0" for a position of 2 or less
    std::string lcpercent; // floor, "100" for a position of 0
};

// One entry of the letter chart.
struct ListedLetter
{
    int code = 0;
    std::string letter; // the character, one code-page byte
    float percentage = 100;
    int key = 0; // its on-screen key, 1..49
};

// The window's two options, top to bottom.
enum class StatsOption
{
    Print,
    Close,
};

// What an option press or key asks of the window.
enum class StatsAction
{
    None,
    Print,
    Close,
};

CompleteFigures LoadCompleteStats(const CompleteTotals& totals);

// Codes 1..96 without the space, 123..223 and 255 that have a key in
// `layout`, in that order, at most Statistics::kMaxLetters.
std::vector<ListedLetter> LoadLetterErrors(const KeyboardLayout& layout,
                                           const LetterTallies& tallies, int slot);

// The statistics window: its figures, its letter chart in the chart's own
// units, the keyboard heat-map, and the two options worked by keys and mouse.
class Statistics
{
public:
    static constexpr std::size_t kMaxLetters = 70;
    static constexpr int kOptionCount = 2;
    // Chart coordinates: y grows downwards; 100 % is drawn at y = 2.
    static constexpr double kLabelRow = 106.5;
    static constexpr double kZeroRow = 102;

    static constexpr std::int32_t kOptionFill = palette::kOptionFill;
    static constexpr std::int32_t kSelectedFill = palette::kSelectedFill;
    static constexpr std::int32_t kBorder = palette::kBorder;
    static constexpr std::int32_t kHoverBorder = palette::kHoverBorder;

    static constexpr std::string_view kTitle = "Statistics";

    Statistics(const CompleteTotals& totals, const KeyboardLayout& layout,
               const LetterTallies& tallies, int slot, std::string userName);

    const CompleteFigures& Figures() const { return m_figures; }
    const std::vector<ListedLetter>& Letters() const { return m_letters; }
    const std::string& UserName() const { return m_userName; }

    // Chart: width in units (N + 2); letter i (0-based) stands at x = i + 1.
    double ScaleWidth() const { return static_cast<double>(m_letters.size()) + 2; }
    static double MarkerRow(float percentage) { return kZeroRow - percentage; }

    // Heat-map: the lowest percentage among the listed letters on `key`,
    // nullopt when none is listed there; its colour runs from red at 0 % to
    // green at 100 %.
    std::optional<float> KeyPercentage(int key) const;
    static std::int32_t HeatColour(float percentage);
    // "A 90 %" for each listed letter on `key`, one per line.
    std::string KeyTip(int key) const;

    StatsAction KeyDown(NavigationKey key);
    StatsAction PressOption(StatsOption option);
    // Nothing: the pointer is over no option. True when the hover changed:
    // the window redraws only then.
    bool HoverOption(std::optional<StatsOption> option)
    {
        return std::exchange(m_hovered, option) != option;
    }
    void HoverBackground() { m_hovered.reset(); }

    static std::string_view OptionCaption(StatsOption option);
    StatsOption Selected() const { return m_selected; }
    std::optional<StatsOption> Hovered() const { return m_hovered; }
    std::int32_t OptionFill(StatsOption option) const;
    std::int32_t OptionBorder(StatsOption option) const;

private:
    CompleteFigures m_figures;
    std::vector<ListedLetter> m_letters;
    std::string m_userName;
    StatsOption m_selected = StatsOption::Close;
    std::optional<StatsOption> m_hovered;
};

} // namespace tarvelo
