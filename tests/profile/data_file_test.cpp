#include "profile/data_file.h"
#include "support/temp_folder.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
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

TEST(DataFileTest, AtomicWriteKeepsPermissionsNewFilesTakeTheUmask)
{
    test::TempFolder folder;
    const std::string path = folder.File("file.txt");
    const mode_t old = ::umask(027);
    const bool written = WriteFileAtomically(path, "first");
    ::umask(old);
    ASSERT_TRUE(written);
    EXPECT_EQ((StatOf(path).st_mode & 0777), 0640u);
    ASSERT_EQ(::chmod(path.c_str(), 0604), 0);
    ASSERT_TRUE(WriteFileAtomically(path, "second"));
    EXPECT_EQ(folder.Read("file.txt"), "second");
    EXPECT_EQ((StatOf(path).st_mode & 0777), 0604u);
}

TEST(DataFileTest, FailedWriteLeavesTheOldFileAndNoTemporary)
{
    test::TempFolder folder;
    ASSERT_TRUE(WriteFileAtomically(folder.File("file.txt"), "old"));
    {
        test::FileSizeLimit limit(3);
        EXPECT_FALSE(WriteFileAtomically(folder.File("file.txt"), "much longer"));
    }
    EXPECT_EQ(folder.Read("file.txt"), "old");
    EXPECT_EQ(Entries(folder), std::vector<std::string>{"file.txt"});
}

TEST(DataFileTest, ReadReportsMissingAndOversizedFiles)
{
    test::TempFolder folder;
    EXPECT_EQ(ReadDataFile(folder.File("none")).status, ReadStatus::Missing);
    folder.Write("big", std::string(100, 'x'));
    EXPECT_EQ(ReadDataFile(folder.File("big"), 99).status, ReadStatus::TooLarge);
    EXPECT_EQ(ReadDataFile(folder.File("big"), 100).bytes.size(), 100u);
    EXPECT_EQ(ReadDataFile(folder.Path()).status, ReadStatus::Unreadable) << "a folder";
}

TEST(DataFileTest, ReadOnlyFileIsNeitherReplacedNorCalledReplaceable)
{
    test::TempFolder folder;
    const std::string path = folder.File("Tarvelo.INI");
    folder.Write("Tarvelo.INI", "old");
    ASSERT_EQ(::chmod(folder.Path().c_str(), 0777), 0); // the folder itself takes new files
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    const ino_t before = StatOf(path).st_ino;
    EXPECT_TRUE(test::RunAsUnprivileged(
        [&] { return !CanReplaceFile(path) && ReplaceFile(path, "new") == EACCES; }));
    EXPECT_EQ(folder.Read("Tarvelo.INI"), "old");
    EXPECT_EQ(StatOf(path).st_ino, before);
}

TEST(DataFileTest, SymbolicLinkIsWrittenThroughAndStaysALink)
{
    test::TempFolder folder;
    std::filesystem::create_directory(folder.File("real"));
    folder.Write("real/data.ini", "old");
    std::filesystem::create_symlink("real/data.ini", folder.File("link.ini"));
    ASSERT_TRUE(WriteFileAtomically(folder.File("link.ini"), "new"));
    EXPECT_TRUE(std::filesystem::is_symlink(folder.File("link.ini")));
    EXPECT_EQ(folder.Read("real/data.ini"), "new");
    EXPECT_EQ(Entries(folder), (std::vector<std::string>{"link.ini", "real"}));
}

TEST(DataFileTest, ReplacedFileKeepsItsOwnerAndGroup)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root may give a file to another user";
    test::TempFolder folder;
    const std::string path = folder.File("Tarvelo.INI");
    folder.Write("Tarvelo.INI", "old");
    ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
    ASSERT_TRUE(WriteFileAtomically(path, "new"));
    EXPECT_EQ(StatOf(path).st_uid + StatOf(path).st_gid, 2 * 65534u);
}

TEST(DataFileTest, FifoInPlaceOfADataFileNeverBlocks)
{
    test::TempFolder folder;
    const std::string path = folder.File("Tarvelo.INI");
    ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0);
    ::alarm(10); // a blocking open would otherwise hang the whole test run
    EXPECT_EQ(ReadDataFile(path).status, ReadStatus::Unreadable);
    EXPECT_FALSE(CanReplaceFile(path));
    EXPECT_NE(ReplaceFile(path, "x"), 0);
    ::alarm(0);
}

TEST(DataFileTest, LockHeldElsewhereRunsOutAfterItsLimit)
{
    test::TempFolder folder;
    const std::string path = folder.File("Tarvelo.INI");
    const FileLock first(path);
    ASSERT_TRUE(first.Held());
    const FileLock second(path, std::chrono::milliseconds(20));
    EXPECT_FALSE(second.Held());
    EXPECT_EQ(second.Error(), EWOULDBLOCK);
}

TEST(DataFileTest, OnlyOwnLeftoverTemporariesGoAndOnlyWhenUnlocked)
{
    test::TempFolder folder;
    const std::string path = folder.File("Tarvelo.INI");
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
}

} // namespace
} // namespace tarvelo
