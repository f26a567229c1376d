#include "game/game_menu.h"
#include "material/lesson_guidance.h"
#include "menu/main_menu.h"
#include "session/session_options.h"
#include "state/palette.h"
#include "stats/statistics.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tarvelo::palette {
namespace {

std::string Hex(std::int32_t bgr)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%06X", static_cast<unsigned>(bgr));
    return text;
}

TEST(ContrastRatio, FollowsTheRelativeLuminanceOfBothColours)
{
    EXPECT_NEAR(ContrastRatio(0x000000, 0xFFFFFF), 21.0, 1e-9);
    EXPECT_NEAR(ContrastRatio(0xFFFFFF, 0x000000), 21.0, 1e-9);
    // Pure red on white, and mid grey on white, the figures everyone quotes.
    EXPECT_NEAR(ContrastRatio(0x0000FF, 0xFFFFFF), 4.0, 0.01);
    EXPECT_NEAR(ContrastRatio(0x767676, 0xFFFFFF), 4.54, 0.01);
}

// Every fill an option, a box, a row or a key of any window can be given, and
// every caption colour the logic gives for it.
std::vector<std::int32_t> EveryFill()
{
    // clang-format off
    std::vector<std::int32_t> fills = {
        kOptionFill, kSelectedFill, kKeyFill, kNextKeyFill, MainMenu::kSelectedFill,
        kSelectedBeginFill, SessionOptions::kFlashFill, SessionOptions::kAfterFlashFill,
        LessonGuidance::kNumberKeyColour, LessonGuidance::kLessonKeyColour};
    // clang-format on
    for (int percentage = 0; percentage <= 100; ++percentage)
        fills.push_back(Statistics::HeatColour(static_cast<float>(percentage)));
    return fills;
}

TEST(HighContrast, EverythingReadsAtSevenToOneAndTheSelectionStaysApart)
{
    const std::vector<std::int32_t> captions = {palette::kCaption, kGreyCaption};
    for (const std::int32_t standard : EveryFill()) {
        // Keys keep black captions.
        EXPECT_GE(ContrastRatio(high_contrast::kText, high_contrast::Fill(standard)),
                  high_contrast::kMinimumRatio)
            << "key fill " << Hex(standard);
        const std::int32_t fill = high_contrast::OptionFill(standard);
        for (const std::int32_t caption : captions) {
            const std::int32_t shown = high_contrast::Text(caption, fill);
            EXPECT_GE(ContrastRatio(shown, fill), high_contrast::kMinimumRatio)
                << "caption " << Hex(caption) << " shown " << Hex(shown) << " on fill "
                << Hex(standard) << " shown " << Hex(fill);
        }
    }
    const MarkColours& marks = high_contrast::kMarks;
    for (const std::int32_t text : {high_contrast::kText, marks.correct, marks.wrong,
                                    marks.swappedFirst, marks.swappedSecond}) {
        EXPECT_GE(ContrastRatio(text, high_contrast::kGround), high_contrast::kMinimumRatio)
            << Hex(text);
    }
    EXPECT_NE(high_contrast::OptionFill(kSelectedFill), high_contrast::OptionFill(kOptionFill));
    EXPECT_EQ(high_contrast::Fill(kSelectedFill), kSelectedFill) << "a white key stays white";
    const std::int32_t greyed = high_contrast::Text(kGreyCaption, high_contrast::kOptionFill);
    EXPECT_GE(RelativeLuminance(greyed), 0.05) << "grey, not black: " << Hex(greyed);
    EXPECT_EQ(high_contrast::Text(kCaption, high_contrast::kOptionFill), kCaption);
}

} // namespace
} // namespace tarvelo::palette
