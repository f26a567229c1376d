#include "menu/startup.h"
#include "profile/profile_store.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"

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
        EXPECT_EQ(RunStartupChecks(ProfileStore(folder.Path()), dialogs), settings == "shipped");
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

} // namespace
} // namespace tarvelo
