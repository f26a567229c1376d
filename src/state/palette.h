#pragma once

#include <cstdint>

// The colours the windows share, as 0x00BBGGRR numbers (the form the logic
// keeps colours in; ui::FromBgr is the one conversion to the toolkit's).
namespace tarvelo::palette {

inline constexpr std::int32_t kOptionFill = 0xFCECD6;
inline constexpr std::int32_t kSelectedFill = 0xFFFFFF;
inline constexpr std::int32_t kBorder = 0x000000;
inline constexpr std::int32_t kHoverBorder = 0x0080FF;
inline constexpr std::int32_t kCaption = 0x000000;
inline constexpr std::int32_t kKeyFill = 0xE0E0E0;
// The keys that type the next character.
inline constexpr std::int32_t kNextKeyFill = 0x80FF80;
// The Begin option of the session and the game, paler while selected.
inline constexpr std::int32_t kBeginFill = kNextKeyFill;
inline constexpr std::int32_t kSelectedBeginFill = 0xC0FFC0;
// The caption of an option that cannot be chosen now.
inline constexpr std::int32_t kGreyCaption = 0xC0C0C0;

// The colours of the typed characters by their mark.
struct MarkColours
{
    std::int32_t correct;
    std::int32_t wrong;
    std::int32_t swappedFirst;
    std::int32_t swappedSecond;
};
inline constexpr MarkColours kMarks{0x000000, 0x0000FF, 0x00FF00, 0xFF00FF};

// The charts of the statistics window (the letters' percentages, the
// progress by day) and the drills' letter speed bars.
struct ChartColours
{
    std::int32_t text;
    std::int32_t grid;
    std::int32_t practice;
    std::int32_t lessons;
    // The letter chart: its percentage scale, the stem up to each letter's
    // mark and the letters under the chart.
    std::int32_t scaleLine;
    std::int32_t scaleText;
    std::int32_t stem;
    std::int32_t letter;
    // A letter typed at the target speed with confidence, one not yet; the
    // target line; the focus letter.
    std::int32_t confident;
    std::int32_t notYet;
    std::int32_t targetLine;
    std::int32_t focusLetter;
};
inline constexpr ChartColours kChart{
    .text = 0x303030,
    .grid = 0xDCDCDC,
    .practice = 0xB06020, // blue
    .lessons = 0x1080E0,  // orange
    .scaleLine = 0xC8C8C8,
    .scaleText = 0x808080,
    .stem = 0xE0E0E0,
    .letter = 0x000000,
    .confident = 0x449E2E,
    .notYet = 0x1E8AE0,
    .targetLine = 0x404040,
    .focusLetter = 0x0000FF,
};

// The high-contrast look: no picture, black text on a white ground, the
// selection in yellow, and every text at a contrast ratio of at least
// kHighContrastRatio against what it stands on.
namespace high_contrast {

inline constexpr double kMinimumRatio = 7.0;
inline constexpr std::int32_t kGround = 0xFFFFFF;
inline constexpr std::int32_t kText = 0x000000;
inline constexpr std::int32_t kOptionFill = 0xFFFFFF;
inline constexpr std::int32_t kSelectedFill = 0x00FFFF;
inline constexpr std::int32_t kHoverBorder = 0xC00000;
// Dark enough for the white ground; the windows also underline a wrong
// character and overline a swapped pair, so no mark rests on colour alone.
inline constexpr MarkColours kMarks{0x000000, 0x0000B0, 0x006000, 0x800080};

// What a fill of the standard look becomes: itself when black text reads
// on it, else lightened until it does. Every fill is light, so all text is
// dark.
std::int32_t Fill(std::int32_t standardFill);
// The fill of an option, a user box or a menu row: the option and selection
// fills become their high-contrast pair, the others as Fill.
std::int32_t OptionFill(std::int32_t standardFill);
// A border: the hover mark becomes kHoverBorder, the others stay.
std::int32_t Border(std::int32_t standardBorder);
// What text of the standard look is drawn in on a high-contrast `fill`: the
// colour itself when it reads well enough, else darkened until it does, so
// greyed text stays grey and red stays red.
std::int32_t Text(std::int32_t standardText, std::int32_t fill);

} // namespace high_contrast

// Relative luminance (0 black .. 1 white) and the contrast ratio (1 .. 21)
// of two colours, as the Web Content Accessibility Guidelines define them.
double RelativeLuminance(std::int32_t bgr);
double ContrastRatio(std::int32_t first, std::int32_t second);

} // namespace tarvelo::palette
