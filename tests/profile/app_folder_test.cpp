#include "profile/app_folder.h"
#include "profile/profile_store.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace tarvelo {
namespace {

TEST(AppFolderTest, FolderEndsWithOneSeparator)
{
    EXPECT_EQ(NormaliseFolder("/opt/tarvelo"), "/opt/tarvelo/");
    EXPECT_EQ(NormaliseFolder("/opt/tarvelo/"), "/opt/tarvelo/");
    EXPECT_EQ(NormaliseFolder("/"), "/");
    EXPECT_EQ(NormaliseFolder("/opt//tarvelo//"), "/opt/tarvelo/");
    EXPECT_EQ(DataFilePath("/opt/tarvelo/", "\\Tarvelo.INI"), "/opt/tarvelo/Tarvelo.INI");
    EXPECT_EQ(DataFilePath("/opt/tarvelo", "Tarvelo Text1.txt"), "/opt/tarvelo/Tarvelo Text1.txt");
}

TEST(AppFolderTest, FolderWithoutSeparatorStillOpensTheSettings)
{
    test::TempFolder folder;
    folder.Write("Tarvelo.INI", "[users]\r\nlastuser=352\r\n");
    std::string bare = folder.Path();
    bare.pop_back();
    EXPECT_TRUE(DataFilesPresent(ProfileStore(bare)));
    EXPECT_TRUE(DataFilesPresent(ProfileStore(folder.Path() + "/")));
}

TEST(AppFolderTest, CheckLooksOnlyAtLastUser)
{
    test::TempFolder folder;
    ProfileStore store(folder.Path());
    EXPECT_FALSE(DataFilesPresent(store)) << "no settings file";
    folder.Write("Tarvelo.INI", "[users]\r\nuser0=301\r\n");
    EXPECT_FALSE(DataFilesPresent(store));
    folder.Write("Tarvelo.INI", "[users]\r\nlastuser=352\r\n");
    EXPECT_TRUE(DataFilesPresent(store));
}

} // namespace
} // namespace tarvelo
