#include "game/game_menu.h"
#include "material/lesson_guidance.h"
#include "menu/main_menu.h"
#include "profile/profile_store.h"
#include "session/session_options.h"
#include "state/palette.h"
#include "state/program_state.h"
#include "state/window_placement.h"
#include "stats/statistics.h"
#include "support/temp_folder.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <vector>

namespace tarvelo {

void PrintTo(const ScreenPoint& point, std::ostream* out)
{
    *out << point.x << "," << point.y;
}

namespace {

// "top", "left" and the window's own maximized flag after each way of leaving.
TEST(WindowPlacementTest, StoredAsTheNextOpeningNeedsOpenedWithinTheAreaMovedByTheUser)
{
    test::TempFolder folder;
    ProgramState state(folder.Path());
    PlacementStore placement(state, settings::kGameMaximized);
    const auto stored = [&](const char* key) {
        return state.profile.ReadProfile("users", key, "-");
    };

    placement.StoreOnClose({.minimized = true, .leftTwips = 15, .topTwips = 30});
    for (const char* key : {"left", "top", "gamemaximized", "mainmaximized"})
        EXPECT_EQ(stored(key), "-") << "a minimized window's close box stores nothing: " << key;

    const int topBefore = state.WindowTop;
    placement.StoreOnExit({.maximized = true, .leftTwips = 15, .topTwips = 30});
    EXPECT_EQ(state.WindowTop, topBefore) << "the shared position stays";
    EXPECT_EQ(stored("gamemaximized"), "True");
    for (const char* key : {"left", "top", "mainmaximized"})
        EXPECT_EQ(stored(key), "-") << "maximized: only the window's own flag: " << key;
    EXPECT_TRUE(placement.OpensMaximized());

    placement.StoreOnClose({.leftTwips = 1500, .topTwips = 900});
    EXPECT_EQ(stored("left"), "1500");
    EXPECT_EQ(stored("top"), "900");
    EXPECT_EQ(stored("gamemaximized"), "False");
    EXPECT_EQ(state.WindowLeft, 1500);
    EXPECT_EQ(state.WindowTop, 900);
    EXPECT_FALSE(placement.OpensMaximized());
    // Regression: a stored corner low on the screen let an 800-pixel window open
    // partly below the available area.
    const ScreenArea panelAtTop{0, 32, 1366, 736};
    const struct
    {
        const char* name;
        ScreenArea area;
        ScreenPoint wanted;
        int width, height;
        ScreenPoint opens;
    } rows[] = {
        {"inside", panelAtTop, {100, 100}, 800, 600, {100, 100}},
        {"low on the screen", panelAtTop, {100, 600}, 860, 720, {100, 48}},
        {"off the right", panelAtTop, {1300, 100}, 800, 600, {566, 100}},
        {"under the panel", panelAtTop, {-50, 0}, 800, 600, {0, 32}},
        {"taller than the area", panelAtTop, {100, 400}, 800, 900, {100, 32}},
        {"screen left of the primary", {-1280, 0, 1280, 1024}, {-1500, 10}, 800, 600, {-1280, 10}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(KeepWithin(row.wanted, row.width, row.height, row.area), row.opens) << row.name;
    // Regression: the window manager pushed a tall window up, and leaving it
    // stored the pushed corner, so every window afterwards opened higher.
    MoveWatch watch({100, 48});
    watch.Shown();
    watch.Moved({100, 48}, false); // the move Qt owes the shown window
    watch.Moved({100, 0}, true);   // the window manager fits the frame
    watch.Activated();
    watch.Moved({100, 0}, true); // told again
    EXPECT_FALSE(watch.MovedByUser());
    watch.Moved({300, 200}, true); // dragged
    EXPECT_TRUE(watch.MovedByUser());
    watch.Moved({100, 0}, true);
    EXPECT_TRUE(watch.MovedByUser()) << "even when dragged back";
}

using namespace palette;

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
} // namespace tarvelo
