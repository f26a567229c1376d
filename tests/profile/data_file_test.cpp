#include "profile/data_file.h"
#include "support/temp_folder.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>
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

} // namespace
} // namespace tarvelo
