#include "profile/profile_store.h"

#include "profile/app_folder.h"
#include "profile/data_file.h"
#include "profile/value_codec.h"
#include "profile/value_text.h"

namespace tarvelo {
namespace {

IniDocument LoadDocument(const std::string& path, bool& ok)
{
    const FileContents file = ReadDataFile(path);
    ok = file.status == ReadStatus::Ok || file.status == ReadStatus::Missing;
    return IniDocument::Parse(file.bytes);
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

ProfileStore::ProfileStore(std::string appFolder) : m_path(DataFilePath(appFolder, kFileName)) {}

std::optional<std::string> ProfileStore::StoredValue(std::string_view section,
                                                     std::string_view key) const
{
    if (m_pending)
        return m_pending->Value(section, key);
    const FileContents file = ReadDataFile(m_path);
    if (file.status != ReadStatus::Ok)
        return std::nullopt;
    return IniDocument::FindValue(file.bytes, section, key);
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
    const std::string encoded = valuecodec::Encode(value);
    if (m_pending) {
        m_pending->SetValue(section, key, encoded);
        return m_pendingOk;
    }
    bool ok = false;
    IniDocument doc = LoadDocument(m_path, ok);
    if (!ok)
        return false; // never replace a file we could not read
    doc.SetValue(section, key, encoded);
    return WriteFileAtomically(m_path, doc.Serialise());
}

std::int16_t ProfileStore::Read(std::string_view section, const settings::IntegerKey& key) const
{
    return ReadTyped(*this, section, key, valuetext::ParseInteger);
}

std::int32_t ProfileStore::Read(std::string_view section, const settings::LongKey& key) const
{
    return ReadTyped(*this, section, key, valuetext::ParseLong);
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

bool ProfileStore::CanSave() const
{
    return CanReplaceFile(m_path);
}

bool ProfileStore::Flush()
{
    const bool ok = m_pendingOk && WriteFileAtomically(m_path, m_pending->Serialise());
    m_pending.reset();
    return ok;
}

ProfileBatch::ProfileBatch(ProfileStore& store) : m_store(&store)
{
    if (m_store->m_batchDepth++ == 0)
        m_store->m_pending = LoadDocument(m_store->m_path, m_store->m_pendingOk);
}

ProfileBatch::~ProfileBatch()
{
    if (m_done)
        return;
    // Dropped uncommitted: the outermost batch forgets every write of it.
    if (--m_store->m_batchDepth == 0)
        m_store->m_pending.reset();
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
