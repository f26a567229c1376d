#include "profile/profile_store.h"
#include "state/program_state.h"
#include "state/window_placement.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>
#include <ostream>

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

} // namespace
} // namespace tarvelo
