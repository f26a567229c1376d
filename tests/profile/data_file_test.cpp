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

class DataFileTest : public ::testing::Test
{
protected:
    test::TempFolder folder;
    const std::string path = folder.File("Tarvelo.INI");
};

TEST_F(DataFileTest, AtomicWriteKeepsPermissionsNewFilesTakeTheUmask)
{
    const mode_t old = ::umask(027);
    const bool written = WriteFileAtomically(path, "first");
    ::umask(old);
    ASSERT_TRUE(written);
    EXPECT_EQ((StatOf(path).st_mode & 0777), 0640u);
    ASSERT_EQ(::chmod(path.c_str(), 0604), 0);
    ASSERT_TRUE(WriteFileAtomically(path, "second"));
    EXPECT_EQ(folder.Read("Tarvelo.INI"), "second");
    EXPECT_EQ((StatOf(path).st_mode & 0777), 0604u);
}

TEST_F(DataFileTest, FailedWriteLeavesTheOldFileAndNoTemporary)
{
    ASSERT_TRUE(WriteFileAtomically(path, "old"));
    {
        test::FileSizeLimit limit(3);
        EXPECT_FALSE(WriteFileAtomically(path, "much longer"));
    }
    EXPECT_EQ(folder.Read("Tarvelo.INI"), "old");
    EXPECT_EQ(Entries(folder), std::vector<std::string>{"Tarvelo.INI"});
}

TEST_F(DataFileTest, ReadReportsMissingAndOversizedFiles)
{
    EXPECT_EQ(ReadDataFile(folder.File("none")).status, ReadStatus::Missing);
    folder.Write("big", std::string(100, 'x'));
    EXPECT_EQ(ReadDataFile(folder.File("big"), 99).status, ReadStatus::TooLarge);
    EXPECT_EQ(ReadDataFile(folder.File("big"), 100).bytes.size(), 100u);
    EXPECT_EQ(ReadDataFile(folder.Path()).status, ReadStatus::Unreadable) << "a folder";
}

TEST_F(DataFileTest, ReadOnlyFileIsNeitherReplacedNorCalledReplaceable)
{
    folder.Write("Tarvelo.INI", "old");
    ASSERT_EQ(::chmod(folder.Path().c_str(), 0777), 0); // the folder itself takes new files
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    const ino_t before = StatOf(path).st_ino;
    EXPECT_TRUE(test::RunAsUnprivileged(
        [&] { return !CanReplaceFile(path) && ReplaceFile(path, "new") == EACCES; }));
    EXPECT_EQ(folder.Read("Tarvelo.INI"), "old");
    EXPECT_EQ(StatOf(path).st_ino, before);
}

TEST_F(DataFileTest, SymbolicLinkIsWrittenThroughAndStaysALink)
{
    std::filesystem::create_directory(folder.File("real"));
    folder.Write("real/data.ini", "old");
    std::filesystem::create_symlink("real/data.ini", folder.File("link.ini"));
    ASSERT_TRUE(WriteFileAtomically(folder.File("link.ini"), "new"));
    EXPECT_TRUE(std::filesystem::is_symlink(folder.File("link.ini")));
    EXPECT_EQ(folder.Read("real/data.ini"), "new");
    EXPECT_EQ(Entries(folder), (std::vector<std::string>{"link.ini", "real"}));
}

TEST_F(DataFileTest, ReplacedFileKeepsItsOwnerAndGroup)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root may give a file to another user";
    folder.Write("Tarvelo.INI", "old");
    ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
    ASSERT_TRUE(WriteFileAtomically(path, "new"));
    EXPECT_EQ(StatOf(path).st_uid + StatOf(path).st_gid, 2 * 65534u);
}

TEST_F(DataFileTest, FifoInPlaceOfADataFileNeverBlocks)
{
    ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0);
    ::alarm(10); // a blocking open would otherwise hang the whole test run
    EXPECT_EQ(ReadDataFile(path).status, ReadStatus::Unreadable);
    EXPECT_FALSE(CanReplaceFile(path));
    EXPECT_NE(ReplaceFile(path, "x"), 0);
    ::alarm(0);
}

TEST_F(DataFileTest, OnlyOwnLeftoverTemporariesGoAndOnlyWhenUnlocked)
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
}

} // namespace
} // namespace tarvelo
