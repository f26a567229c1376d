#include "profile/data_file.h"
#include "support/temp_folder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace tarvelo {
namespace {

TEST(DataFileTest, AtomicWriteReplacesWholeAndKeepsPermissions)
{
    test::TempFolder folder;
    const std::string path = folder.File("file.txt");
    ASSERT_TRUE(WriteFileAtomically(path, "first"));
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    ASSERT_TRUE(WriteFileAtomically(path, "second"));
    EXPECT_EQ(folder.Read("file.txt"), "second");
    struct stat info
    {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST(DataFileTest, FailedWriteLeavesNoTemporaryBehind)
{
    test::TempFolder folder;
    const std::string path = folder.File("file.txt");
    ASSERT_TRUE(WriteFileAtomically(path, "old"));
    {
        test::FileSizeLimit limit(3);
        EXPECT_FALSE(WriteFileAtomically(path, "much longer"));
    }
    EXPECT_EQ(folder.Read("file.txt"), "old");
    int entries = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
        (void)entry;
        ++entries;
    }
    EXPECT_EQ(entries, 1);
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

} // namespace
} // namespace tarvelo
