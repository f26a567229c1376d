#include "menu/startup.h"
#include "profile/profile_store.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace tarvelo {
namespace {

TEST(StartupTest, MissingDataFilesStopWithTheErrorMessage)
{
    test::TempFolder folder;
    test::ScriptedDialogs dialogs;
    EXPECT_FALSE(RunStartupChecks(ProfileStore(folder.Path()), dialogs));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].icon, MessageIcon::Critical);
}

TEST(StartupTest, ShippedSettingsStartSilently)
{
    test::TempFolder folder;
    folder.CopyShipped("Tarvelo.INI");
    test::ScriptedDialogs dialogs;
    EXPECT_TRUE(RunStartupChecks(ProfileStore(folder.Path()), dialogs));
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST(StartupTest, UnwritableSettingsAreReportedOnceAndStartGoesOn)
{
    test::TempFolder folder;
    folder.CopyShipped("Tarvelo.INI");
    test::ScriptedDialogs dialogs;
    {
        test::FileSizeLimit limit(0);
        EXPECT_TRUE(RunStartupChecks(ProfileStore(folder.Path()), dialogs));
    }
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].icon, MessageIcon::Exclamation);
}

} // namespace
} // namespace tarvelo
