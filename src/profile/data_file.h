#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>

// Whole-file access for the settings file and the text data files.
namespace tarvelo {

// Data files are small; anything larger is treated as damaged.
inline constexpr std::size_t kMaxDataFileBytes = 16u * 1024u * 1024u;
// The settings file grows with every user and may be read up to this size.
inline constexpr std::size_t kMaxSettingsFileBytes = 64u * 1024u * 1024u;

enum class ReadStatus
{
    Ok,
    Missing,
    TooLarge,
    // Also anything that is not a regular file (a folder, a FIFO, a device):
    // such a file is never opened in a way that could block.
    Unreadable,
};

struct FileContents
{
    ReadStatus status = ReadStatus::Missing;
    std::string bytes;
    int error = 0; // errno of an Unreadable file
};

FileContents ReadDataFile(const std::string& path, std::size_t maxBytes = kMaxDataFileBytes);

// Replaces `path` with `bytes` atomically: a temporary file in the target's
// folder is written, flushed to disk and renamed over the target, so a
// failure at any point leaves the previous file whole. A symbolic link is
// written through: its final target is replaced and the link stays. An
// existing file keeps its mode, and its owner and group where the process may
// set them; a new file gets the mode the umask gives. A file the process may
// not write, or that is not a regular file, is never replaced.
// Returns 0, or the errno of the step that failed.
int ReplaceFile(const std::string& path, const std::string& bytes);

// ReplaceFile for callers that only need to know whether it worked.
bool WriteFileAtomically(const std::string& path, const std::string& bytes);

// 0 when `path` can be replaced by ReplaceFile: its folder takes a new file
// with data in it and, when the file exists, it is a regular file the process
// may write. Otherwise the errno of the step that failed.
int ReplaceProblem(const std::string& path);
bool CanReplaceFile(const std::string& path);

bool FileExists(const std::string& path);

// The part of `path` after its last slash: the file's own name.
std::string FileNameOf(const std::string& path);

// The file a path names after following symbolic links (which need not
// exist); `path` itself when it is no link.
std::string ResolveLinks(const std::string& path);

// An advisory lock (flock) on a lock file beside a data file, held by every
// read-modify-replace of that file so that two running copies of the program
// never lose each other's writes. Never waits longer than its time limit.
// Waiters queue fairly: one that is waiting holds a second lock (a byte-range
// lock on the same file) that a holder must take before it locks again, so a
// copy writing back to back cannot starve another.
// The lock file gets the data file's mode and group, so everyone who may
// write the data file may take its lock. A lock file that cannot serve (a
// folder, a symbolic link, another user's file this user may not open) is
// replaced when the folder allows it.
class FileLock
{
public:
    static constexpr std::chrono::milliseconds kTimeLimit{1000};

    // Takes the lock of the data file `path` (its links followed).
    explicit FileLock(const std::string& path, std::chrono::milliseconds limit = kTimeLimit);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool Held() const { return m_fd >= 0; }
    // Why the lock is not held: EWOULDBLOCK when another holder kept it past
    // the time limit, otherwise the errno of opening or creating the lock file.
    int Error() const { return m_error; }

    // 0 when the lock file of `path` can be opened (made or mended if need
    // be), else the errno; does not lock.
    static int CheckUsable(const std::string& path);

    // The lock file of the data file `path`.
    static std::string PathFor(const std::string& path);

private:
    int m_fd = -1;
    int m_error = 0;
};

// Removes the temporary files that interrupted replacements of `path` left
// beside it, only when no running copy is replacing it (its lock is free).
// Returns how many were removed.
int RemoveLeftoverTemporaries(const std::string& path);

} // namespace tarvelo
