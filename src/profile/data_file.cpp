#include "profile/data_file.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarvelo {
namespace {

std::string FolderOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return "./";
    return path.substr(0, slash + 1);
}

bool WriteAll(int fd, const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Creates an empty temporary file beside `path`; returns its descriptor or -1.
int CreateSibling(const std::string& path, std::string& tempPath)
{
    tempPath = FolderOf(path) + ".tarvelo-XXXXXX";
    return ::mkstemp(tempPath.data());
}

} // namespace

FileContents ReadDataFile(const std::string& path, std::size_t maxBytes)
{
    FileContents result;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        result.status = errno == ENOENT ? ReadStatus::Missing : ReadStatus::Unreadable;
        return result;
    }
    struct stat info
    {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
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

bool WriteFileAtomically(const std::string& path, const std::string& bytes)
{
    std::string tempPath;
    const int fd = CreateSibling(path, tempPath);
    if (fd < 0)
        return false;

    // Keep the permissions of the file being replaced (mkstemp gives 0600).
    struct stat old
    {};
    const mode_t mode = ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;

    bool ok = ::fchmod(fd, mode) == 0 && WriteAll(fd, bytes) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && std::rename(tempPath.c_str(), path.c_str()) == 0;
    if (!ok) {
        ::unlink(tempPath.c_str());
        return false;
    }
    // Make the rename itself durable.
    const int dir = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

bool CanReplaceFile(const std::string& path)
{
    std::string tempPath;
    const int fd = CreateSibling(path, tempPath);
    if (fd < 0)
        return false;
    // One byte proves the disk takes data, not only a directory entry.
    bool ok = WriteAll(fd, std::string(1, '\n'));
    ::close(fd);
    ::unlink(tempPath.c_str());
    if (ok && FileExists(path)) {
        const int existing = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
        ok = existing >= 0;
        if (existing >= 0)
            ::close(existing);
    }
    return ok;
}

bool FileExists(const std::string& path)
{
    struct stat info
    {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

} // namespace tarvelo
