#include "menu/startup.h"
#include "profile/profile_store.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace tarvelo {
namespace {

TEST(StartupTest, MissingOrDamagedSettingsStopWithAMessage)
{
    const std::string damaged("\x89PNG\r\n\x1a\n\0\0\0\rIHDR garbage [users] lastuser", 41);
    test::TempFolder missing, broken;
    broken.Write("Tarvelo.INI", damaged);
    // The folder, then what the message says.
    const std::pair<const test::TempFolder*, std::string> rows[] = {
        // A run of spaces before the web address wrapped into it.
        {&missing, "download at:\n\nhttps://"},
        {&broken, '"' + broken.File("Tarvelo.INI") + "\" is damaged"}};
    for (const auto& [folder, told] : rows) {
        test::ScriptedDialogs dialogs;
        EXPECT_FALSE(RunStartupChecks(ProfileStore(folder->Path()), dialogs).proceed);
        ASSERT_EQ(dialogs.shown.size(), 1u) << told;
        EXPECT_NE(dialogs.shown[0].text.find(told), std::string::npos) << dialogs.shown[0].text;
    }
    EXPECT_EQ(broken.Read("Tarvelo.INI"), damaged);
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
