#include "profile/app_folder.h"
#include "profile/data_file.h"
#include "profile/profile_store.h"
#include "support/temp_folder.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>
#include <tuple>
#include <unistd.h>
#include <vector>

namespace tarvelo {
namespace {

struct stat StatOf(const std::string& path)
{
    struct stat info
    {};
    ::stat(path.c_str(), &info);
    return info;
}

std::vector<std::string> Entries(const test::TempFolder& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class DataFileTest : public ::testing::Test
{
protected:
    test::TempFolder folder;
    const std::string path = folder.File("Tarvelo.INI");
};

// A replaced file keeps its mode and owner; a failed write leaves the old
// file and no temporary.
TEST_F(DataFileTest, AtomicWriteKeepsModeAndOwnerNewFilesTakeTheUmask)
{
    const mode_t old = ::umask(027);
    const bool written = WriteFileAtomically(path, "first");
    ::umask(old);
    ASSERT_TRUE(written);
    EXPECT_EQ((StatOf(path).st_mode & 0777), 0640u);
    ASSERT_EQ(::chmod(path.c_str(), 0604), 0);
    const bool root = ::geteuid() == 0; // only root may give a file to another user
    ASSERT_TRUE(!root || ::chown(path.c_str(), 65534, 65534) == 0);
    ASSERT_TRUE(WriteFileAtomically(path, "second"));
    EXPECT_EQ(folder.Read("Tarvelo.INI"), "second");
    EXPECT_EQ((StatOf(path).st_mode & 0777), 0604u);
    EXPECT_EQ(StatOf(path).st_uid, root ? 65534u : ::geteuid());
    EXPECT_EQ(StatOf(path).st_gid, root ? 65534u : ::getegid());
    {
        test::FileSizeLimit limit(3);
        EXPECT_FALSE(WriteFileAtomically(path, "much longer"));
    }
    EXPECT_EQ(folder.Read("Tarvelo.INI"), "second");
    EXPECT_EQ(Entries(folder), std::vector<std::string>{"Tarvelo.INI"});
}

TEST_F(DataFileTest, ReadReportsMissingOversizedAndUnreadableFilesAndNeverBlocks)
{
    EXPECT_EQ(ReadDataFile(folder.File("none")).status, ReadStatus::Missing);
    folder.Write("big", std::string(100, 'x'));
    EXPECT_EQ(ReadDataFile(folder.File("big"), 99).status, ReadStatus::TooLarge);
    EXPECT_EQ(ReadDataFile(folder.File("big"), 100).bytes.size(), 100u);
    EXPECT_EQ(ReadDataFile(folder.Path()).status, ReadStatus::Unreadable) << "a folder";
    ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0);
    ::alarm(10); // a blocking open would otherwise hang the whole test run
    EXPECT_EQ(ReadDataFile(path).status, ReadStatus::Unreadable);
    EXPECT_FALSE(CanReplaceFile(path));
    EXPECT_NE(ReplaceFile(path, "x"), 0);
    ::alarm(0);
}

TEST_F(DataFileTest, ReadOnlyFileIsKeptASymbolicLinkWrittenThrough)
{
    folder.Write("Tarvelo.INI", "old");
    ASSERT_EQ(::chmod(folder.Path().c_str(), 0777), 0); // the folder itself takes new files
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    const ino_t before = StatOf(path).st_ino;
    EXPECT_TRUE(test::RunAsUnprivileged(
        [&] { return !CanReplaceFile(path) && ReplaceFile(path, "new") == EACCES; }));
    EXPECT_EQ(folder.Read("Tarvelo.INI"), "old");
    EXPECT_EQ(StatOf(path).st_ino, before);
    std::filesystem::create_directory(folder.File("real"));
    folder.Write("real/data.ini", "old");
    std::filesystem::create_symlink("real/data.ini", folder.File("link.ini"));
    ASSERT_TRUE(WriteFileAtomically(folder.File("link.ini"), "new"));
    EXPECT_TRUE(std::filesystem::is_symlink(folder.File("link.ini")));
    EXPECT_EQ(folder.Read("real/data.ini"), "new");
    EXPECT_EQ(Entries(folder), (std::vector<std::string>{"Tarvelo.INI", "link.ini", "real"}));
}

TEST_F(DataFileTest, LeftoverTemporariesAndBadLockFiles)
{
    folder.Write("Tarvelo.INI", "x");
    for (const char* name : {".Tarvelo.INI.tmp-a1B2c3", ".tarvelo-Zz9Yy8", ".Tarvelo.INI.tmp-short",
                             ".Text.txt.tmp-a1B2c3", "notes.tmp-a1B2c3"})
        folder.Write(name, "left");
    {
        const FileLock writing(path);
        EXPECT_EQ(RemoveLeftoverTemporaries(path), 0) << "a running copy may own them";
    }
    EXPECT_EQ(RemoveLeftoverTemporaries(path), 2);
    EXPECT_EQ(Entries(folder), (std::vector<std::string>{
                                   ".Tarvelo.INI.lock", ".Tarvelo.INI.tmp-short",
                                   ".Text.txt.tmp-a1B2c3", "Tarvelo.INI", "notes.tmp-a1B2c3"}));
    // A folder, a symbolic link or another user's private file where the lock
    // file belongs stopped every write; a lock made under umask 077 shut out the
    // other users who share the settings file.
    const std::string lockPath = FileLock::PathFor(path);
    std::filesystem::remove(lockPath);
    ASSERT_EQ(::chmod(path.c_str(), 0664), 0);
    const mode_t oldMask = ::umask(077);
    EXPECT_TRUE(FileLock(path).Held());
    ::umask(oldMask);
    EXPECT_EQ(StatOf(lockPath).st_mode & 0777, 0664u) << "the data file's mode, not the umask";

    // A folder, then a symbolic link, where the lock file belongs.
    std::filesystem::remove(lockPath);
    ASSERT_EQ(::mkdir(lockPath.c_str(), 0755), 0);
    for (const char* what : {"a folder", "a symbolic link"}) {
        const FileLock lock(path);
        struct stat info
        {};
        EXPECT_TRUE(lock.Held()) << what;
        EXPECT_TRUE(::lstat(lockPath.c_str(), &info) == 0 && S_ISREG(info.st_mode)) << what;
        std::filesystem::remove(lockPath);
        ASSERT_EQ(::symlink(folder.File("elsewhere").c_str(), lockPath.c_str()), 0);
    }
    EXPECT_FALSE(std::filesystem::exists(folder.File("elsewhere"))) << "the link's target";

    // Another user's 0600 lock in a folder both may write.
    std::filesystem::remove(lockPath);
    ASSERT_EQ(::close(::open(lockPath.c_str(), O_CREAT | O_WRONLY, 0600)), 0);
    ASSERT_EQ(::chmod(lockPath.c_str(), 0600), 0);
    ASSERT_EQ(::chmod(folder.Path().c_str(), 0777), 0);
    if (::geteuid() == 0) {
        ASSERT_EQ(::chmod(path.c_str(), 0666), 0);
        EXPECT_TRUE(test::RunAsUnprivileged([&] { return FileLock(path).Held(); }));
    }

    // What the folder does not let go of is reported, not hidden.
    std::filesystem::remove(lockPath);
    std::filesystem::create_directories(lockPath + "/kept");
    const FileLock blocked(path);
    EXPECT_FALSE(blocked.Held());
    EXPECT_EQ(FileLock::CheckUsable(path), blocked.Error());
    EXPECT_NE(blocked.Error(), 0);
}

// A copy writing back to back never starves one that waits: the waiter is
// served before the holder gets the lock again.
TEST_F(DataFileTest, AWaitingCopyIsServedBeforeTheHolderLocksAgain)
{
    folder.Write("Tarvelo.INI", "x");
    std::atomic<bool> waiterHeld = false;
    std::atomic<bool> release = false;
    std::thread waiter;
    {
        const FileLock holder(path);
        ASSERT_TRUE(holder.Held());
        waiter = std::thread([&] {
            const FileLock lock(path, std::chrono::seconds(30));
            waiterHeld = lock.Held();
            while (!release)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
        });
        // Until the waiter has queued: its turnstile (the lock file's first
        // byte) is taken.
        const int probe = ::open(FileLock::PathFor(path).c_str(), O_RDWR);
        for (int i = 0; i < 3000; ++i) {
            struct flock range
            {};
            range.l_type = F_WRLCK;
            range.l_len = 1;
            ASSERT_EQ(::fcntl(probe, F_OFD_GETLK, &range), 0);
            if (range.l_type != F_UNLCK)
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        ::close(probe);
    }
    EXPECT_FALSE(FileLock(path, std::chrono::milliseconds(0)).Held()) << "the waiter's turn";
    release = true;
    waiter.join();
    EXPECT_TRUE(waiterHeld);
}

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
