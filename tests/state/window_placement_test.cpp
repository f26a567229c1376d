#include "profile/profile_store.h"
#include "state/program_state.h"
#include "state/window_placement.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace tarvelo {
namespace {

// "top", "left" and the window's own maximized flag after each way of leaving.
TEST(PlacementStoreTest, LeavingAndClosingStoreWhatTheNextOpeningNeeds)
{
    test::TempFolder folder;
    ProgramState state(folder.Path());
    PlacementStore placement(state, settings::kGameMaximized);
    const auto stored = [&] {
        return state.profile.ReadProfile("users", "left", "-") + "," +
               state.profile.ReadProfile("users", "top", "-") + "," +
               state.profile.ReadProfile("users", "gamemaximized", "-") + "," +
               state.profile.ReadProfile("users", "mainmaximized", "-");
    };

    placement.StoreOnClose({.minimized = true, .leftTwips = 15, .topTwips = 30});
    EXPECT_EQ(stored(), "-,-,-,-") << "a minimized window's close box stores nothing";

    placement.StoreOnExit({.maximized = true, .leftTwips = 15, .topTwips = 30});
    EXPECT_EQ(stored(), "-,-,True,-") << "maximized: only the window's own flag";
    EXPECT_EQ(state.WindowTop, 1035) << "the shared position stays";
    EXPECT_TRUE(placement.OpensMaximized());

    placement.StoreOnClose({.leftTwips = 1500, .topTwips = 900});
    EXPECT_EQ(stored(), "1500,900,False,-");
    EXPECT_EQ(state.WindowLeft, 1500);
    EXPECT_EQ(state.WindowTop, 900);
    EXPECT_FALSE(placement.OpensMaximized());
}

} // namespace
} // namespace tarvelo
