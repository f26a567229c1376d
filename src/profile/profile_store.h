#pragma once

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
};

// The one message that tells the user about `error` (Windows-1252).
std::string WriteErrorMessage(const WriteError& error);
// Why the write failed, as the message says it ("the disk is full").
std::string WriteErrorCause(const WriteError& error);

// The only access to the settings file "Tarvelo.INI". Values are stored
// encoded (see valuecodec). Reads use the parsed file kept in memory while the
// file on disk is the same one (identity, size and modification time); every
// write re-reads the file under its lock (FileLock), so two running copies
// never lose each other's writes, and replaces it atomically.
class ProfileStore
{
public:
    static constexpr std::string_view kFileName = "Tarvelo.INI";
    // ReadProfile sees at most this many stored characters of a value.
    static constexpr std::size_t kReadLimit = 511;

    explicit ProfileStore(std::string appFolder);

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
    bool CanSave() const;

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
};

// Groups many writes into one replacement of the file; the file afterwards is
// the same as after the single writes. Batches nest; the outermost one writes,
// and only on Commit(): a batch dropped uncommitted writes nothing.
class ProfileBatch
{
public:
    explicit ProfileBatch(ProfileStore& store);
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
