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
    // A run of spaces before the web address wrapped into it.
    EXPECT_NE(dialogs.shown[0].text.find("download at:\n\nhttps://"), std::string::npos);
}

TEST(StartupTest, DamagedSettingsFileIsNamedAndLeftUntouched)
{
    test::TempFolder folder;
    const std::string damaged("\x89PNG\r\n\x1a\n\0\0\0\rIHDR garbage [users] lastuser", 41);
    folder.Write("Tarvelo.INI", damaged);
    test::ScriptedDialogs dialogs;
    EXPECT_FALSE(RunStartupChecks(ProfileStore(folder.Path()), dialogs));
    const std::string& text = dialogs.shown.at(0).text;
    EXPECT_NE(text.find("\"" + folder.File("Tarvelo.INI") + "\" is damaged"), std::string::npos);
    EXPECT_EQ(text.find("reinstall"), std::string::npos) << text;
    EXPECT_EQ(folder.Read("Tarvelo.INI"), damaged);
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
