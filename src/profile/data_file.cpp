#include "profile/data_file.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace tarvelo {
namespace {

// Replacements of "name" write ".name.tmp-XXXXXX" beside it; earlier
// versions wrote ".tarvelo-XXXXXX".
constexpr std::string_view kTempInfix = ".tmp-";
constexpr std::string_view kOldTempPrefix = ".tarvelo-";
constexpr std::size_t kTempSuffixLength = 6; // what mkstemp fills in

std::string FolderOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return "./";
    return path.substr(0, slash + 1);
}

std::string TempTemplate(const std::string& target)
{
    return FolderOf(target) + "." + FileNameOf(target) + std::string(kTempInfix) +
           std::string(kTempSuffixLength, 'X');
}

bool IsTempName(std::string_view entry, std::string_view prefix)
{
    if (entry.size() != prefix.size() + kTempSuffixLength ||
        entry.substr(0, prefix.size()) != prefix)
        return false;
    for (char c : entry.substr(prefix.size())) {
        if (!std::isalnum(static_cast<unsigned char>(c)))
            return false;
    }
    return true;
}

bool WriteAll(int fd, const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0) {
            errno = ENOSPC;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

mode_t CurrentUmask()
{
    // The only portable way to read it is to set it; the program is single-threaded
    // when it writes files.
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return mask;
}

// 0 when `target` may be replaced as far as the file itself is concerned.
int CheckReplaceable(const std::string& target, bool& exists, struct stat& info)
{
    exists = ::stat(target.c_str(), &info) == 0;
    if (!exists)
        return errno == ENOENT ? 0 : errno;
    if (!S_ISREG(info.st_mode))
        return S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
    // The rename would ignore the file's own mode; the user's right to write
    // the file is what decides.
    if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0)
        return errno;
    return 0;
}

constexpr int kLockOpenFlags = O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY;

// Gives a lock file this user owns the data file's group and at least its
// read and write bits (a new one exactly those), so that every user who may
// write the data file may also take its lock, whatever the umask.
void MatchDataFile(int fd, const std::string& dataPath, bool created)
{
    struct stat data
    {};
    struct stat lock
    {};
    if (::fstat(fd, &lock) != 0 || lock.st_uid != ::geteuid())
        return;
    mode_t mode = 0666 & ~CurrentUmask();
    if (::stat(dataPath.c_str(), &data) == 0) {
        mode = data.st_mode & 0666;
        if (created && data.st_gid != lock.st_gid)
            (void)::fchown(fd, static_cast<uid_t>(-1), data.st_gid);
    }
    mode |= 0600;
    if (!created)
        mode |= lock.st_mode & 0666;
    if ((lock.st_mode & 07777) != mode)
        (void)::fchmod(fd, mode);
}

// Removes what stands at `lockPath` so a lock file can be made there; false
// when the folder does not allow it (a folder with files in it, a folder the
// user may not write).
bool RemoveUnusableLockFile(const std::string& lockPath)
{
    struct stat info
    {};
    if (::lstat(lockPath.c_str(), &info) != 0)
        return errno == ENOENT;
    if (S_ISDIR(info.st_mode))
        return ::rmdir(lockPath.c_str()) == 0;
    return ::unlink(lockPath.c_str()) == 0;
}

// Opens the lock file, making it when missing; replaces one that cannot
// serve. Returns the descriptor, or -1 with `error` set to why the existing
// lock file could not be used.
int OpenLockFile(const std::string& lockPath, const std::string& dataPath, int& error)
{
    for (int attempt = 0; attempt < 3; ++attempt) {
        int fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_EXCL | kLockOpenFlags, 0600);
        if (fd >= 0) {
            MatchDataFile(fd, dataPath, true);
            return fd;
        }
        if (errno != EEXIST) {
            error = errno;
            return -1;
        }
        fd = ::open(lockPath.c_str(), O_RDWR | kLockOpenFlags);
        if (fd < 0 && errno == EACCES) // another user's lock file: reading is enough to lock
            fd = ::open(lockPath.c_str(), O_RDONLY | kLockOpenFlags);
        if (fd < 0)
            error = errno;
        if (fd >= 0) {
            struct stat info
            {};
            if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
                MatchDataFile(fd, dataPath, false);
                return fd;
            }
            ::close(fd);
            error = EINVAL; // a FIFO or a device
        }
        if (error != ENOENT && !RemoveUnusableLockFile(lockPath))
            return -1;
    }
    return -1;
}

// The queue's turnstile: a write lock on the lock file's first byte, owned by
// the open file (independent of flock).
bool SetTurnstile(int fd, short type, int& error)
{
    struct flock range
    {};
    range.l_type = type;
    range.l_whence = SEEK_SET;
    range.l_start = 0;
    range.l_len = 1;
    if (::fcntl(fd, F_OFD_SETLK, &range) == 0)
        return true;
    error = errno;
    return false;
}

// Takes the flock of `fd` by `deadline`, first queueing at the turnstile so
// that a waiter is served before a holder that comes back. Returns 0 or the
// errno; EWOULDBLOCK when the time ran out.
int LockInTurn(int fd, std::chrono::steady_clock::time_point deadline)
{
    // A lock file opened for reading only cannot take the write lock of the
    // queue; it then waits unqueued.
    bool queueing = (::fcntl(fd, F_GETFL) & O_ACCMODE) == O_RDWR;
    bool queued = false;
    for (;;) {
        if (queueing && !queued) {
            int error = 0;
            queued = SetTurnstile(fd, F_WRLCK, error);
            if (!queued && error != EAGAIN && error != EACCES && error != EINTR)
                queueing = false; // the file system has no such locks
        }
        if (queued || !queueing) {
            if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
                int error = 0;
                if (queued)
                    SetTurnstile(fd, F_UNLCK, error);
                return 0;
            }
            if (errno != EWOULDBLOCK && errno != EINTR)
                return errno;
        }
        if (std::chrono::steady_clock::now() >= deadline)
            return EWOULDBLOCK;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

// True when `path` still names the file open as `fd`.
bool NameLeadsTo(const std::string& path, int fd)
{
    struct stat named
    {};
    struct stat open
    {};
    return ::lstat(path.c_str(), &named) == 0 && ::fstat(fd, &open) == 0 &&
           named.st_dev == open.st_dev && named.st_ino == open.st_ino;
}

} // namespace

FileContents ReadDataFile(const std::string& path, std::size_t maxBytes)
{
    FileContents result;
    // O_NONBLOCK: opening a FIFO must not wait for a writer; the type check
    // below then turns it away.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        result.status = errno == ENOENT ? ReadStatus::Missing : ReadStatus::Unreadable;
        result.error = errno;
        return result;
    }
    struct stat info
    {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        result.error = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
        ::close(fd);
        result.status = ReadStatus::Unreadable;
        return result;
    }
    if (static_cast<std::size_t>(info.st_size) > maxBytes) {
        ::close(fd);
        result.status = ReadStatus::TooLarge;
        return result;
    }
    result.bytes.resize(static_cast<std::size_t>(info.st_size));
    std::size_t done = 0;
    while (done < result.bytes.size()) {
        const ssize_t n = ::read(fd, result.bytes.data() + done, result.bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            result.error = errno;
            ::close(fd);
            result.bytes.clear();
            result.status = ReadStatus::Unreadable;
            return result;
        }
        if (n == 0)
            break; // the file shrank while being read
        done += static_cast<std::size_t>(n);
    }
    result.bytes.resize(done);
    ::close(fd);
    result.status = ReadStatus::Ok;
    return result;
}

std::string ResolveLinks(const std::string& path)
{
    std::string current = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat info
        {};
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return current;
        std::string target(4096, '\0');
        const ssize_t n = ::readlink(current.c_str(), target.data(), target.size());
        if (n <= 0 || static_cast<std::size_t>(n) >= target.size())
            return current;
        target.resize(static_cast<std::size_t>(n));
        current = target.front() == '/' ? target : FolderOf(current) + target;
    }
    return current; // a loop: the replacement fails on it with ELOOP
}

namespace {

// The file a replacement of a path writes (its links followed), what it was,
// and a new temporary file beside it.
struct Replacement
{
    std::string target;
    bool exists = false;
    struct stat old
    {};
    std::string tempPath;
    int fd = -1;
};

// 0 once the target may be replaced and the temporary file is open.
int StartReplacement(const std::string& path, Replacement& replacement)
{
    replacement.target = ResolveLinks(path);
    if (const int error = CheckReplaceable(replacement.target, replacement.exists, replacement.old))
        return error;
    replacement.tempPath = TempTemplate(replacement.target);
    replacement.fd = ::mkstemp(replacement.tempPath.data());
    return replacement.fd < 0 ? errno : 0;
}

} // namespace

int ReplaceFile(const std::string& path, const std::string& bytes)
{
    Replacement replacement;
    if (const int error = StartReplacement(path, replacement))
        return error;
    const auto& [target, exists, old, tempPath, fd] = replacement;

    if (exists) {
        // Owner and group first: changing them may clear set-id bits.
        if (::fchown(fd, old.st_uid, old.st_gid) != 0)
            (void)::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
    }
    const mode_t mode = exists ? (old.st_mode & 07777) : (0666 & ~CurrentUmask());

    int error = 0;
    if (::fchmod(fd, mode) != 0 || !WriteAll(fd, bytes) || ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && std::rename(tempPath.c_str(), target.c_str()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(tempPath.c_str());
        return error;
    }
    // Make the rename itself durable.
    const int dir = ::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return 0;
}

bool WriteFileAtomically(const std::string& path, const std::string& bytes)
{
    return ReplaceFile(path, bytes) == 0;
}

int ReplaceProblem(const std::string& path)
{
    Replacement replacement;
    if (const int error = StartReplacement(path, replacement))
        return error;
    // One byte proves the disk takes data, not only a directory entry.
    const int error = WriteAll(replacement.fd, std::string(1, '\n')) ? 0 : errno;
    ::close(replacement.fd);
    ::unlink(replacement.tempPath.c_str());
    return error;
}

std::string FileNameOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool CanReplaceFile(const std::string& path)
{
    return ReplaceProblem(path) == 0;
}

bool FileExists(const std::string& path)
{
    struct stat info
    {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::string FileLock::PathFor(const std::string& path)
{
    const std::string target = ResolveLinks(path);
    return FolderOf(target) + "." + FileNameOf(target) + ".lock";
}

FileLock::FileLock(const std::string& path, std::chrono::milliseconds limit)
{
    const std::string lockPath = PathFor(path);
    const std::string dataPath = ResolveLinks(path);
    const auto deadline = std::chrono::steady_clock::now() + limit;
    // Another copy may replace the lock file while this one waits on the old
    // one: the lock counts only when the name still leads to the file locked.
    for (int attempt = 0; attempt < 8; ++attempt) {
        const int fd = OpenLockFile(lockPath, dataPath, m_error);
        if (fd < 0)
            return;
        if (const int error = LockInTurn(fd, deadline)) {
            ::close(fd);
            m_error = error;
            return;
        }
        if (NameLeadsTo(lockPath, fd)) {
            m_fd = fd;
            m_error = 0;
            return;
        }
        ::close(fd);
    }
    m_error = EWOULDBLOCK;
}

int FileLock::CheckUsable(const std::string& path)
{
    int error = 0;
    const int fd = OpenLockFile(PathFor(path), ResolveLinks(path), error);
    if (fd < 0)
        return error;
    ::close(fd);
    return 0;
}

FileLock::~FileLock()
{
    if (m_fd >= 0)
        ::close(m_fd); // closing the last descriptor releases the lock
}

int RemoveLeftoverTemporaries(const std::string& path)
{
    const FileLock lock(path, std::chrono::milliseconds(0));
    if (!lock.Held())
        return 0; // a running copy is writing; its temporary file is not a leftover
    const std::string target = ResolveLinks(path);
    const std::string folder = FolderOf(target);
    const std::string prefix = "." + FileNameOf(target) + std::string(kTempInfix);
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr)
        return 0;
    int removed = 0;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (!IsTempName(name, prefix) && !IsTempName(name, kOldTempPrefix))
            continue;
        const std::string file = folder + std::string(name);
        struct stat info
        {};
        if (::lstat(file.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
            ::unlink(file.c_str()) == 0)
            ++removed;
    }
    ::closedir(dir);
    return removed;
}

} // namespace tarvelo
