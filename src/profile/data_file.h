#pragma once

#include <cstddef>
#include <optional>
#include <string>

// Whole-file access for the settings file and the text data files.
namespace tarvelo {

// Data files are small; anything larger is treated as damaged.
inline constexpr std::size_t kMaxDataFileBytes = 16u * 1024u * 1024u;

enum class ReadStatus
{
    Ok,
    Missing,
    TooLarge,
    Unreadable,
};

struct FileContents
{
    ReadStatus status = ReadStatus::Missing;
    std::string bytes;
};

FileContents ReadDataFile(const std::string& path, std::size_t maxBytes = kMaxDataFileBytes);

// Replaces `path` with `bytes` atomically: a temporary file in the same folder
// is written, flushed to disk and renamed over the target, so a failure at any
// point leaves the previous file whole. Returns false on any failure.
bool WriteFileAtomically(const std::string& path, const std::string& bytes);

// True when `path` can be replaced by WriteFileAtomically: its folder takes a
// new file and, when the file exists, it can be opened for writing.
bool CanReplaceFile(const std::string& path);

bool FileExists(const std::string& path);

} // namespace tarvelo
