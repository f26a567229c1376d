#include "profile/app_folder.h"
#include "profile/data_file.h"
#include "profile/profile_store.h"
#include "support/temp_folder.h"

#include <array>
#include <cerrno>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <tuple>

namespace tarvelo {
namespace {

TEST(AppFolderTest, FolderEndsWithOneSeparatorAndTheCheckLooksOnlyAtLastUser)
{
    EXPECT_EQ(NormaliseFolder("/opt/tarvelo"), "/opt/tarvelo/");
    EXPECT_EQ(NormaliseFolder("/"), "/");
    EXPECT_EQ(NormaliseFolder("/opt//tarvelo//"), "/opt/tarvelo/");
    EXPECT_EQ(DataFilePath("/opt/tarvelo", "\\Tarvelo.INI"), "/opt/tarvelo/Tarvelo.INI");

    // The start-up check looks only at lastuser, with or without the separator.
    test::TempFolder folder;
    std::string bare = folder.Path();
    bare.pop_back();
    EXPECT_FALSE(DataFilesPresent(ProfileStore(bare))) << "no settings file";
    folder.Write("Tarvelo.INI", "[users]\r\nuser0=301\r\n");
    EXPECT_FALSE(DataFilesPresent(ProfileStore(bare)));
    folder.Write("Tarvelo.INI", "[users]\r\nlastuser=352\r\n");
    EXPECT_TRUE(DataFilesPresent(ProfileStore(bare)));
    EXPECT_TRUE(DataFilesPresent(ProfileStore(folder.Path() + "/")));
}

// Folder choice at start-up: the program's folder when the settings file lies
// beside it, otherwise the user's own data folder, unless --folder says.
TEST(AppFolderTest, ChoosesTheFolderFromTheEnvironmentAndTheArgument)
{
    test::TempFolder portable; // holds the settings file
    portable.Write("Tarvelo.INI", "[users]\r\nlastuser=352\r\n");
    test::TempFolder bare; // an installed program's folder

    // clang-format off
    const std::tuple<const char*, FolderEnvironment, FolderMode, std::string> rows[] = {
        {"settings beside the program", {portable.Path(), "", {}, "/x", "/home/ada"},
         FolderMode::Portable, portable.Path()},
        {"installed, XDG_DATA_HOME set", {bare.Path(), "", {}, "/data/ada/", "/home/ada"},
         FolderMode::Installed, "/data/ada/tarvelo"},
        {"installed, XDG_DATA_HOME unset", {bare.Path(), "", {}, "", "/home/ada"},
         FolderMode::Installed, "/home/ada/.local/share/tarvelo"},
        {"relative XDG_DATA_HOME is ignored", {bare.Path(), "", {}, "rel/data", "/home/ada/"},
         FolderMode::Installed, "/home/ada/.local/share/tarvelo"},
        {"--folder wins over a portable copy", {portable.Path(), "", "/media/stick", "", ""},
         FolderMode::Chosen, "/media/stick/"},
        {"nowhere to go", {bare.Path(), "", {}, "", ""}, FolderMode::Installed, ""},
    };
    // clang-format on
    for (const auto& [name, environment, mode, folder] : rows) {
        const FolderChoice choice = ChooseAppFolder(environment);
        EXPECT_EQ(choice.mode, mode) << name;
        EXPECT_EQ(choice.folder, folder.empty() ? "" : NormaliseFolder(folder)) << name;
    }
    using Args = std::vector<std::string>;
    // clang-format off
    const std::pair<Args, std::optional<std::string>> argumentRows[] = {
        {{}, std::nullopt}, {{"--folder", "/a", "--folder=/b"}, "/b"},
        {{"--folder", "--help"}, "--help"}, {{"--", "--folder", "/a"}, std::nullopt},
        {{"--folders=/a"}, std::nullopt}, {{"--folder", "/tmp/caf\xe9 b"}, "/tmp/caf\xe9 b"}};
    // clang-format on
    for (const auto& [arguments, folder] : argumentRows)
        EXPECT_EQ(FolderArgument(arguments), folder) << arguments.size() << " arguments";
}

class SeedTest : public ::testing::Test
{
protected:
    static constexpr std::array<std::string_view, 2> kUserFiles = {"Tarvelo.INI",
                                                                   "Tarvelo Text1.txt"};

    void SetUp() override
    {
        installed.Write("Tarvelo.INI", "[users]\r\nlastuser=352\r\n");
        installed.Write("Tarvelo Text1.txt", "Shipped text. ");
        installed.Write("Tarvelo Lessons.txt", "lessons v2");
        installed.Write("Masada.jpg", std::string("\xff\xd8\0picture", 10));
    }

    std::optional<SeedFailure> Seed(const std::string& appFolder)
    {
        return SeedAppFolder(installed.Path(), appFolder, kUserFiles);
    }

    test::TempFolder installed;
    test::TempFolder home;
};

// Regression: a folder name that is not UTF-8 made the start-up check fail.
TEST_F(SeedTest, FreshFolderGetsEveryFileUserFilesAreKeptLater)
{
    const std::string folder = home.Path() + "caf\xe9 \xff\xfe/share/tarvelo/";
    ASSERT_EQ(Seed(folder), std::nullopt);
    for (const char* name : {"Tarvelo.INI", "Tarvelo Text1.txt", "Masada.jpg"})
        EXPECT_EQ(ReadDataFile(folder + name).bytes, installed.Read(name)) << name;
    struct stat info
    {};
    ASSERT_EQ(::stat(folder.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u) << "a new user folder is private";
    home.Write("Tarvelo.INI", "[users]\r\nlastuser=3\r\nuser0=Ada\r\n");
    home.Write("Tarvelo Text1.txt", "My own text. ");
    home.Write("Tarvelo Lessons.txt", "lessons v1");
    home.Write("Notes.txt", "not ours");
    ASSERT_EQ(Seed(home.Path()), std::nullopt);
    EXPECT_EQ(home.Read("Tarvelo.INI"), "[users]\r\nlastuser=3\r\nuser0=Ada\r\n");
    EXPECT_EQ(home.Read("Tarvelo Text1.txt"), "My own text. ");
    EXPECT_EQ(home.Read("Notes.txt"), "not ours");
    EXPECT_EQ(home.Read("Tarvelo Lessons.txt"), "lessons v2") << "an upgrade brings new lessons";

    // A user file that was deleted comes back from the installation.
    std::filesystem::remove(home.File("Tarvelo Text1.txt"));
    ASSERT_EQ(Seed(home.Path()), std::nullopt);
    EXPECT_EQ(home.Read("Tarvelo Text1.txt"), "Shipped text. ");
}

TEST_F(SeedTest, FailuresNameTheFolderAndTheFile)
{
    home.Write("blocker", "a file where a folder should be");
    const auto notAFolder = Seed(home.File("blocker") + "/tarvelo");
    ASSERT_TRUE(notAFolder);
    EXPECT_EQ(notAFolder->error, ENOTDIR);

    std::optional<SeedFailure> diskFull;
    {
        test::FileSizeLimit limit(0); // every write fails, also for root
        diskFull = Seed(home.Path());
    }
    ASSERT_TRUE(diskFull);
    EXPECT_EQ(diskFull->error, EFBIG);
    const std::string message = SeedFailureMessage(*diskFull);
    EXPECT_FALSE(message.starts_with("Program cannot find")) << "a reinstall would not help";
    EXPECT_NE(message.find("\"" + diskFull->file + "\" into the folder \"" + home.Path() + "\""),
              std::string::npos)
        << message;
    EXPECT_FALSE(FileExists(home.File("Tarvelo.INI"))) << "nothing half-written";
}

// A portable copy that lost its settings file, or --folder on a folder
// without one and nothing to bring it from: start-up stops, names the file
// and the folder, and creates nothing.
TEST_F(SeedTest, SettingsFileNowhereStopsAndCreatesNothing)
{
    test::TempFolder portable; // the program's folder, its Tarvelo.INI deleted
    const std::string chosen = home.File("stick/");
    const std::pair<FolderEnvironment, std::string> rows[] = {
        {{portable.Path(), portable.Path() + "../share/tarvelo/", {}, "", home.Path()},
         portable.Path()},
        {{portable.Path(), portable.Path() + "absent/", chosen, "", home.Path()}, chosen},
    };
    for (const auto& [environment, folder] : rows) {
        const PreparedFolder prepared = PrepareAppFolder(environment, kUserFiles);
        ASSERT_TRUE(prepared.errorText) << folder;
        EXPECT_NE(prepared.errorText->find("\"Tarvelo.INI\" is missing from the folder \"" +
                                           folder + "\""),
                  std::string::npos)
            << *prepared.errorText;
        EXPECT_EQ(prepared.errorText->starts_with("Program cannot find"),
                  !environment.chosenFolder);
        EXPECT_TRUE(std::filesystem::is_empty(home.Path())) << "nothing created";
    }
}

} // namespace
} // namespace tarvelo
