#include "drill/layout_identity.h"
#include "profile/keyboard_layout.h"
#include "profile/profile_store.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace tarvelo {
namespace {

// Speeds are kept per identity: a letter moved starts afresh, a symbol
// relabelled does not.
TEST(LayoutIdentityTest, FollowsTheLettersOnly)
{
    test::TempFolder folder;
    ProfileStore profile{folder.Path()};
    KeyboardLayout layout;
    layout.Load(profile);
    const std::string start = LayoutIdentity(layout);
    EXPECT_EQ(start.size(), 8u);

    const int semicolonKey = layout.KeyOfChar(';');
    layout.AssignCharacter(semicolonKey, '#', false, profile);
    EXPECT_EQ(LayoutIdentity(layout), start) << "a symbol moved";

    layout.AssignCharacter(layout.KeyOfChar('z'), 'y', false, profile);
    const std::string moved = LayoutIdentity(layout);
    EXPECT_NE(moved, start) << "a letter moved";
    layout.ResetToDefault(profile);
    EXPECT_EQ(LayoutIdentity(layout), start);
}

} // namespace
} // namespace tarvelo
