#include "menu/startup.h"
#include "profile/profile_store.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace tarvelo {
namespace {

TEST(StartupTest, MissingOrDamagedSettingsStopWithAMessageShippedStartSilently)
{
    const std::string damaged("\x89PNG\r\n\x1a\n\0\0\0\rIHDR garbage [users] lastuser", 41);
    for (const std::string settings : {"missing", "damaged", "shipped"}) {
        test::TempFolder folder;
        if (settings == "damaged")
            folder.Write("Tarvelo.INI", damaged);
        if (settings == "shipped")
            folder.CopyShipped("Tarvelo.INI");
        test::ScriptedDialogs dialogs;
        EXPECT_EQ(RunStartupChecks(ProfileStore(folder.Path()), dialogs).proceed,
                  settings == "shipped");
        ASSERT_EQ(dialogs.shown.size(), settings == "shipped" ? 0u : 1u) << settings;
        if (settings == "missing") { // a run of spaces before the web address wrapped into it
            EXPECT_NE(dialogs.shown[0].text.find("download at:\n\nhttps://"), std::string::npos);
        }
        if (settings == "damaged") {
            EXPECT_NE(
                dialogs.shown[0].text.find('"' + folder.File("Tarvelo.INI") + "\" is damaged"),
                std::string::npos);
            EXPECT_EQ(folder.Read("Tarvelo.INI"), damaged);
        }
    }
}

// Leftovers of interrupted saves of the settings file and the practice text
// go; a lock file that cannot be used is told at start, by its name.
TEST(StartupTest, LeftoversGoAndAnUnusableLockFileIsToldByName)
{
    test::TempFolder folder;
    folder.CopyShipped("Tarvelo.INI");
    folder.Write(".Tarvelo.INI.tmp-a1B2c3", "left");
    folder.Write(".Tarvelo Text1.txt.tmp-Zz9Yy8", "left");
    const std::string lock = folder.File(".Tarvelo.INI.lock");
    std::filesystem::create_directories(lock + "/kept"); // a folder that cannot be replaced
    test::ScriptedDialogs dialogs;
    const StartupResult result = RunStartupChecks(ProfileStore(folder.Path()), dialogs);
    EXPECT_TRUE(result.proceed);
    EXPECT_FALSE(std::filesystem::exists(folder.File(".Tarvelo Text1.txt.tmp-Zz9Yy8")));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_NE(dialogs.shown[0].text.find("lock file \"" + lock + "\""), std::string::npos)
        << dialogs.shown[0].text;

    // The same words for a write that fails on it later.
    ProfileStore store(folder.Path());
    std::string told;
    store.SetWriteErrorListener([&](const WriteError& e) { told = WriteErrorMessage(e); });
    EXPECT_FALSE(store.WriteProfile("users", "lastuser", "1"));
    EXPECT_NE(told.find("lock file \"" + lock + "\""), std::string::npos) << told;
}

} // namespace
} // namespace tarvelo
