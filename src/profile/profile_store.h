#pragma once

#include "profile/data_file.h"
#include "profile/ini_document.h"
#include "profile/settings_keys.h"

#include <cstdint>
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <type_traits>
#include <vector>

namespace tarvelo {

// A write of the settings file that did not reach the disk.
struct WriteError
{
    enum class Reason
    {
        DiskFull,
        Permission,
        LockBusy,   // another running copy held the file past the time limit
        Unreadable, // the current file could not be read, so it was kept
        Other,
    };
    Reason reason = Reason::Other;
    std::string path; // UTF-8, as the system gives it
    int error = 0;    // errno of the failing step
    // Set when the settings file's lock file could not be used.
    std::string lockPath;
};

// The one message that tells the user about `error` (Windows-1252).
std::string WriteErrorMessage(const WriteError& error);
// Why the write failed, as the message says it ("the disk is full").
std::string WriteErrorCause(const WriteError& error);

// The warning of start-up for a settings file that cannot be saved.
std::string CannotSaveMessage(const WriteError& error);

// Why a file could not be written, from the errno of the failing step, in
// words for the user (Windows-1252): "the disk is full", ...
std::string WriteFailureReason(int error);

// The only access to the settings file "Tarvelo.INI". Values are stored
// encoded (see valuecodec). Reads use the parsed file kept in memory while the
// file on disk is the same one (identity, size and modification time); every
// write re-reads the file under its lock (FileLock), so two running copies
// never lose each other's writes, and replaces it atomically.
//
// While another copy holds the lock past the time limit, writes are kept in
// memory (and seen by reads) and written with the next write or
// SaveDeferred() once the lock is free; until then writes report failure.
// Once that wait has been told, later writes wait only kShortWait, so the
// interface never stalls at each of them.
class ProfileStore
{
public:
    static constexpr std::string_view kFileName = "Tarvelo.INI";
    // ReadProfile sees at most this many stored characters of a value.
    static constexpr std::size_t kReadLimit = 511;

    // Read up to this size; what the file holds is the users' progress.
    static constexpr std::size_t kMaxFileBytes = kMaxSettingsFileBytes;
    static constexpr std::chrono::milliseconds kShortWait{100};

    explicit ProfileStore(std::string appFolder);
    // Tries once more to write what the lock kept back.
    ~ProfileStore();
    ProfileStore(const ProfileStore&) = delete;
    ProfileStore& operator=(const ProfileStore&) = delete;

    const std::string& FilePath() const { return m_path; }

    // The decoded value, or `fallback` unchanged when the key is absent or its
    // stored text is not in the form the program writes.
    std::string ReadProfile(std::string_view section, std::string_view key,
                            std::string_view fallback) const;
    bool WriteProfile(std::string_view section, std::string_view key, std::string_view value);
    // The decoded value; nullopt when absent or not in the form the program
    // writes.
    std::optional<std::string> StoredText(std::string_view section, std::string_view key) const;

    // Typed access through the catalogue. A stored text that is not a value
    // of the key's type reads as the key's default; numbers out of range are
    // clamped. Singles and numbers are written with "." and read with "." or ",".
    std::int16_t Read(std::string_view section, const settings::IntegerKey& key) const;
    std::int32_t Read(std::string_view section, const settings::LongKey& key) const;
    std::int64_t Read(std::string_view section, const settings::CountKey& key) const;
    double Read(std::string_view section, const settings::NumberKey& key) const;
    float Read(std::string_view section, const settings::SingleKey& key) const;
    bool Read(std::string_view section, const settings::BooleanKey& key) const;
    std::string Read(std::string_view section, const settings::TextKey& key) const;

    template <typename T>
    bool Write(std::string_view section, const settings::Key<T>& key, std::type_identity_t<T> value)
    {
        return WriteProfile(section, key.name, Format(value));
    }
    // Puts the key's default back.
    template <typename T> bool Reset(std::string_view section, const settings::Key<T>& key)
    {
        return Write(section, key, key.fallback);
    }

    // True when the settings file can be replaced (checked once at start-up):
    // false for a file the user may not write, whatever its folder allows.
    bool CanSave() const { return !SaveProblem(); }
    // Why the settings file cannot be replaced: the file, its folder or its
    // lock file (mended first when it can be); nullopt when it can.
    std::optional<WriteError> SaveProblem() const;

    // How the file read: Missing, TooLarge and Unreadable (with its errno)
    // tell why no value is found.
    ReadStatus FileStatus() const { return Current().status; }
    int FileError() const { return Current().error; }

    // Writes what waited for the lock; true when nothing waits any more.
    bool SaveDeferred();
    bool HasDeferred() const { return !m_deferred.empty(); }

    // The user has been told of `reason` already (by the start-up check):
    // the first write failing for it says nothing more.
    void NoteTold(WriteError::Reason reason) { m_reported = reason; }

    // Called with the first failed write, and again only once a write has
    // succeeded in between or the reason has changed: one message per problem.
    using WriteErrorListener = std::function<void(const WriteError&)>;
    void SetWriteErrorListener(WriteErrorListener listener)
    {
        m_onWriteError = std::move(listener);
    }
    // The last write's failure, while no write has worked since.
    const std::optional<WriteError>& FailingWrite() const { return m_failing; }

private:
    friend class ProfileBatch;

    static std::string Format(std::int16_t value);
    static std::string Format(std::int32_t value);
    static std::string Format(std::int64_t value);
    // Whole numbers as plain digits, which every reader of the key accepts.
    static std::string Format(double value);
    static std::string Format(float value);
    static std::string Format(bool value);
    static std::string Format(std::string_view value);

    struct Edit
    {
        std::string section;
        std::string key;
        std::string encoded;
    };
    // What tells that the file on disk is still the one parsed.
    struct FileStamp
    {
        bool exists = false;
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = 0;
        timespec modified{};
        timespec changed{};
        bool operator==(const FileStamp& other) const;
    };
    struct CachedFile
    {
        CachedFile() {} // provided: clang 14 rejects optional::emplace() otherwise
        FileStamp stamp;
        ReadStatus status = ReadStatus::Missing;
        int error = 0;
        bool readable = true;
        std::string bytes;
        IniDocument document;
        // False when the file was modified within the file system's clock
        // step of the read: a same-size rewrite into a reused inode could
        // then carry the same stamp.
        bool trusted = false;
    };

    const CachedFile& Current() const;
    std::optional<std::string> StoredValue(std::string_view section, std::string_view key) const;
    // Applies `edits` to the current file under the lock and replaces it.
    std::optional<WriteError> Replace(const std::vector<Edit>& edits);
    bool Report(const std::optional<WriteError>& failure);
    bool Flush();
    // Takes the lock for a batch that reads under it and re-reads the file.
    void LockForBatch();
    std::chrono::milliseconds LockWait() const;
    void Defer(std::vector<Edit> edits);

    std::string m_path;
    mutable std::optional<CachedFile> m_cache;
    WriteErrorListener m_onWriteError;
    std::optional<WriteError::Reason> m_reported; // since the last successful write
    std::optional<WriteError> m_failing;
    // While a batch is open, writes collect here (and in m_pending, which
    // reads of the batch see) and reach the file once.
    std::optional<IniDocument> m_pending;
    std::vector<Edit> m_edits;
    bool m_pendingOk = true;
    int m_batchDepth = 0;
    // Held by a batch that reads under the lock, until it ends.
    std::optional<FileLock> m_lock;
    // Writes kept while another copy held the lock, and what they set.
    std::vector<Edit> m_deferred;
    IniDocument m_deferredView;
};

// Groups many writes into one replacement of the file; the file afterwards is
// the same as after the single writes. Batches nest; the outermost one writes,
// and only on Commit(): a batch dropped uncommitted writes nothing.
// A batch that reads what it writes back (a table, a running average) is
// opened with ReadUnderLock: from then until the outermost batch ends the
// file's lock is held and reads see the file as it is on disk, so a value
// another copy wrote in between is not overwritten with an older one.
class ProfileBatch
{
public:
    enum Mode
    {
        WriteOnly,
        ReadUnderLock,
    };
    explicit ProfileBatch(ProfileStore& store, Mode mode = WriteOnly);
    ~ProfileBatch();
    ProfileBatch(const ProfileBatch&) = delete;
    ProfileBatch& operator=(const ProfileBatch&) = delete;

    // Ends the batch; returns whether the file was written.
    [[nodiscard]] bool Commit();

private:
    ProfileStore* m_store;
    bool m_done = false;
};

} // namespace tarvelo
