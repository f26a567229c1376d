#include "profile/profile_store.h"

#include "profile/app_folder.h"
#include "profile/code_page.h"
#include "profile/data_file.h"
#include "profile/value_codec.h"
#include "profile/value_text.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace tarvelo {
namespace {

// Longer than the coarsest file-system clock step (a jiffy at HZ=100 is 10 ms).
constexpr long kClockStepNs = 100'000'000;

WriteError::Reason ReasonOf(int error)
{
    switch (error) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return WriteError::Reason::DiskFull;
    case EACCES:
    case EPERM:
    case EROFS:
        return WriteError::Reason::Permission;
    case EWOULDBLOCK:
        return WriteError::Reason::LockBusy;
    default:
        return WriteError::Reason::Other;
    }
}

long long Nanoseconds(const timespec& t)
{
    return static_cast<long long>(t.tv_sec) * 1'000'000'000LL + t.tv_nsec;
}

template <typename T, typename Parse>
T ReadTyped(const ProfileStore& store, std::string_view section, const settings::Key<T>& key,
            Parse parse)
{
    if (const auto stored = store.StoredText(section, key.name))
        return parse(*stored).value_or(key.fallback);
    return key.fallback;
}

} // namespace

std::string WriteFailureReason(int error)
{
    switch (ReasonOf(error)) {
    case WriteError::Reason::DiskFull:
        return "the disk is full";
    case WriteError::Reason::Permission:
        return "Tarvelo is not allowed to write the file or its folder";
    default:
        return codepage::FromUtf8(std::strerror(error));
    }
}

namespace {

// What went wrong with the lock file, for a user who never made one.
std::string LockFileProblem(const WriteError& error)
{
    std::string what;
    switch (error.error) {
    case EISDIR:
    case ENOTEMPTY:
        what = "a folder is in its place";
        break;
    case ELOOP:
        what = "a symbolic link is in its place";
        break;
    case EACCES:
    case EPERM:
        what = "it belongs to another user and Tarvelo may not open it";
        break;
    default:
        what = codepage::FromUtf8(std::strerror(error.error));
        break;
    }
    return "its lock file \"" + codepage::FromUtf8(error.lockPath) + "\" cannot be used (" + what +
           ") and the folder does not let Tarvelo replace it. Remove it";
}

} // namespace

std::string WriteErrorCause(const WriteError& error)
{
    if (!error.lockPath.empty())
        return LockFileProblem(error);
    switch (error.reason) {
    case WriteError::Reason::LockBusy:
        return "another running copy of Tarvelo keeps the file busy. What changes is kept and "
               "saved as soon as the file is free";
    case WriteError::Reason::Unreadable:
        return "the file could not be read, so it was left as it is";
    default:
        return WriteFailureReason(error.error);
    }
}

std::string WriteErrorMessage(const WriteError& error)
{
    const std::string_view risk =
        error.reason == WriteError::Reason::LockBusy ? "" : ", but what changes now may be lost";
    return "Your progress could not be saved in the settings file \"" +
           codepage::FromUtf8(error.path) + "\": " + WriteErrorCause(error) + ". Tarvelo goes on" +
           std::string(risk) +
           ". This message is not shown again until saving has worked once more.";
}

std::string CannotSaveMessage(const WriteError& error)
{
    const std::string why = error.reason == WriteError::Reason::Permission && error.lockPath.empty()
                                ? "it cannot be written. Check that the file and its folder may "
                                  "be written to"
                                : WriteErrorCause(error);
    return "Your progress cannot be saved in the settings file \"" +
           codepage::FromUtf8(error.path) + "\": " + why +
           ". Tarvelo goes on, but what changes now will be lost when it closes.";
}

ProfileStore::ProfileStore(std::string appFolder) : m_path(DataFilePath(appFolder, kFileName)) {}

ProfileStore::~ProfileStore()
{
    if (!m_deferred.empty() && m_batchDepth == 0) {
        m_reported.reset(); // the full wait: this is the last chance
        (void)Replace({});
    }
}

bool ProfileStore::FileStamp::operator==(const FileStamp& other) const
{
    return exists == other.exists && device == other.device && inode == other.inode &&
           size == other.size && Nanoseconds(modified) == Nanoseconds(other.modified) &&
           Nanoseconds(changed) == Nanoseconds(other.changed);
}

const ProfileStore::CachedFile& ProfileStore::Current() const
{
    FileStamp stamp;
    struct stat info
    {};
    if (::stat(m_path.c_str(), &info) == 0) {
        stamp = {true, info.st_dev, info.st_ino, info.st_size, info.st_mtim, info.st_ctim};
    }
    if (m_cache && m_cache->trusted && m_cache->stamp == stamp)
        return *m_cache;

    FileContents file = ReadDataFile(m_path, kMaxFileBytes);
    const bool readable = file.status == ReadStatus::Ok || file.status == ReadStatus::Missing;
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    const bool trusted =
        !stamp.exists || Nanoseconds(now) - Nanoseconds(stamp.modified) > kClockStepNs;
    // Just written: the bytes tell whether the parsed file still holds.
    if (!(m_cache && m_cache->readable == readable && m_cache->bytes == file.bytes)) {
        m_cache.emplace();
        m_cache->document = IniDocument::Parse(file.bytes);
        m_cache->bytes = std::move(file.bytes);
    }
    m_cache->stamp = stamp;
    m_cache->status = file.status;
    m_cache->error = file.error;
    m_cache->readable = readable;
    m_cache->trusted = trusted;
    return *m_cache;
}

std::optional<std::string> ProfileStore::StoredValue(std::string_view section,
                                                     std::string_view key) const
{
    if (m_pending)
        return m_pending->Value(section, key);
    if (!m_deferred.empty()) {
        if (auto kept = m_deferredView.Value(section, key))
            return kept;
    }
    return Current().document.Value(section, key);
}

std::chrono::milliseconds ProfileStore::LockWait() const
{
    return m_reported == WriteError::Reason::LockBusy ? kShortWait : FileLock::kTimeLimit;
}

void ProfileStore::Defer(std::vector<Edit> edits)
{
    for (Edit& edit : edits) {
        m_deferredView.SetValue(edit.section, edit.key, edit.encoded);
        m_deferred.push_back(std::move(edit));
    }
}

std::optional<WriteError> ProfileStore::Replace(const std::vector<Edit>& edits)
{
    // What waited for the lock goes first, so the newer values win.
    std::vector<Edit> all = std::move(m_deferred);
    m_deferred.clear();
    m_deferredView = {};
    all.insert(all.end(), edits.begin(), edits.end());
    // Under a batch's lock nobody else wrote since the batch read the file.
    std::optional<IniDocument> lockedRead;
    if (m_lock && m_cache && m_cache->readable)
        lockedRead = std::move(m_cache->document);
    m_cache.reset();
    std::optional<FileLock> ownLock;
    const FileLock& lock = m_lock ? *m_lock : ownLock.emplace(m_path, LockWait());
    if (!lock.Held()) {
        if (lock.Error() == EWOULDBLOCK) {
            Defer(std::move(all));
            return WriteError{WriteError::Reason::LockBusy, m_path, EWOULDBLOCK, {}};
        }
        return WriteError{ReasonOf(lock.Error()), m_path, lock.Error(), FileLock::PathFor(m_path)};
    }
    if (!lockedRead) {
        // Re-read under the lock: another copy may have written since our last read.
        const FileContents file = ReadDataFile(m_path, kMaxFileBytes);
        if (file.status != ReadStatus::Ok && file.status != ReadStatus::Missing)
            return WriteError{WriteError::Reason::Unreadable, m_path, EIO, {}}; // never replace it
        lockedRead = IniDocument::Parse(file.bytes);
    }
    IniDocument& doc = *lockedRead;
    for (const Edit& edit : all) {
        if (!doc.SetValue(edit.section, edit.key, edit.encoded))
            return WriteError{WriteError::Reason::Other, m_path, EINVAL, {}};
    }
    if (const int error = ReplaceFile(m_path, doc.Serialise()))
        return WriteError{ReasonOf(error), m_path, error, {}};
    return std::nullopt;
}

bool ProfileStore::SaveDeferred()
{
    if (m_deferred.empty() || m_batchDepth > 0)
        return m_deferred.empty();
    return Report(Replace({}));
}

void ProfileStore::LockForBatch()
{
    m_lock.emplace(m_path, LockWait());
    if (!m_lock->Held()) {
        // Busy: the batch reads what it has; its writes wait like any other.
        m_lock.reset();
        return;
    }
    // The file as it is now: re-read unless the cached copy is provably it.
    m_pendingOk = Current().readable;
    IniDocument fresh = Current().document;
    for (const std::vector<Edit>* list : {&m_deferred, &m_edits}) {
        for (const Edit& edit : *list)
            fresh.SetValue(edit.section, edit.key, edit.encoded);
    }
    m_pending = std::move(fresh);
}

bool ProfileStore::Report(const std::optional<WriteError>& failure)
{
    m_failing = failure;
    if (!failure) {
        m_reported.reset();
        return true;
    }
    if (m_reported != failure->reason) {
        m_reported = failure->reason;
        if (m_onWriteError)
            m_onWriteError(*failure);
    }
    return false;
}

std::optional<std::string> ProfileStore::StoredText(std::string_view section,
                                                    std::string_view key) const
{
    const std::optional<std::string> stored = StoredValue(section, key);
    if (!stored || !valuecodec::IsWellFormed(*stored))
        return std::nullopt;
    return valuecodec::Decode(std::string_view(*stored).substr(0, kReadLimit));
}

std::string ProfileStore::ReadProfile(std::string_view section, std::string_view key,
                                      std::string_view fallback) const
{
    return StoredText(section, key).value_or(std::string(fallback));
}

bool ProfileStore::WriteProfile(std::string_view section, std::string_view key,
                                std::string_view value)
{
    Edit edit{std::string(section), std::string(key), valuecodec::Encode(value)};
    // A name that would not read back is the program's own mistake, not the user's
    // problem: refused without a message.
    if (!IniDocument::IsStorableName(section, false) || !IniDocument::IsStorableName(key, true))
        return false;
    if (m_pending) {
        m_pending->SetValue(edit.section, edit.key, edit.encoded);
        m_edits.push_back(std::move(edit));
        return m_pendingOk;
    }
    return Report(Replace({std::move(edit)}));
}

std::int16_t ProfileStore::Read(std::string_view section, const settings::IntegerKey& key) const
{
    return ReadTyped(*this, section, key, valuetext::ParseInteger);
}

std::int32_t ProfileStore::Read(std::string_view section, const settings::LongKey& key) const
{
    return ReadTyped(*this, section, key, valuetext::ParseLong);
}

std::int64_t ProfileStore::Read(std::string_view section, const settings::CountKey& key) const
{
    return ReadTyped(*this, section, key, valuetext::ParseLong64);
}

double ProfileStore::Read(std::string_view section, const settings::NumberKey& key) const
{
    return ReadTyped(*this, section, key, valuetext::ParseNumber);
}

float ProfileStore::Read(std::string_view section, const settings::SingleKey& key) const
{
    return ReadTyped(*this, section, key, valuetext::ParseSingle);
}

bool ProfileStore::Read(std::string_view section, const settings::BooleanKey& key) const
{
    return ReadTyped(*this, section, key, valuetext::ParseBoolean);
}

std::string ProfileStore::Read(std::string_view section, const settings::TextKey& key) const
{
    return ReadProfile(section, key.name, key.fallback);
}

std::string ProfileStore::Format(std::int16_t value)
{
    return valuetext::FormatInteger(value);
}

std::string ProfileStore::Format(std::int32_t value)
{
    return valuetext::FormatInteger(value);
}

std::string ProfileStore::Format(std::int64_t value)
{
    return valuetext::FormatInteger(value);
}

std::string ProfileStore::Format(double value)
{
    return valuetext::FormatDouble(value);
}

std::string ProfileStore::Format(float value)
{
    return valuetext::FormatSingle(value);
}

std::string ProfileStore::Format(bool value)
{
    return valuetext::FormatBoolean(value);
}

std::string ProfileStore::Format(std::string_view value)
{
    return std::string(value);
}

std::optional<WriteError> ProfileStore::SaveProblem() const
{
    if (const int error = FileLock::CheckUsable(m_path))
        return WriteError{ReasonOf(error), m_path, error, FileLock::PathFor(m_path)};
    if (const int error = ReplaceProblem(m_path))
        return WriteError{ReasonOf(error), m_path, error, {}};
    return std::nullopt;
}

bool ProfileStore::Flush()
{
    std::vector<Edit> edits = std::move(m_edits);
    m_edits.clear();
    m_pending.reset();
    const bool ok = edits.empty() ? m_pendingOk : Report(Replace(edits));
    m_lock.reset();
    return ok;
}

ProfileBatch::ProfileBatch(ProfileStore& store, Mode mode) : m_store(&store)
{
    if (m_store->m_batchDepth++ == 0) {
        const ProfileStore::CachedFile& current = m_store->Current();
        m_store->m_pending = current.document;
        for (const ProfileStore::Edit& edit : m_store->m_deferred)
            m_store->m_pending->SetValue(edit.section, edit.key, edit.encoded);
        m_store->m_pendingOk = current.readable;
        m_store->m_edits.clear();
    }
    if (mode == ReadUnderLock && !m_store->m_lock)
        m_store->LockForBatch();
}

ProfileBatch::~ProfileBatch()
{
    if (m_done)
        return;
    // Dropped uncommitted: the outermost batch forgets every write of it.
    if (--m_store->m_batchDepth == 0) {
        m_store->m_pending.reset();
        m_store->m_edits.clear();
        m_store->m_lock.reset();
    }
}

bool ProfileBatch::Commit()
{
    if (m_done)
        return true;
    m_done = true;
    if (--m_store->m_batchDepth > 0)
        return m_store->m_pendingOk;
    return m_store->Flush();
}

} // namespace tarvelo
