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
T ReadTyped(const ProfileStore& store, std::string_view section, const settings::Key& key,
            Parse parse)
{
    if (const auto value = parse(store.ReadProfile(section, key.name, key.fallback)))
        return *value;
    return parse(key.fallback).value_or(T{});
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

std::string ProfileStore::ReadProfile(std::string_view section, std::string_view key,
                                      std::string_view fallback) const
{
    const std::optional<std::string> stored = StoredValue(section, key);
    if (!stored || !valuecodec::IsWellFormed(*stored))
        return std::string(fallback);
    return valuecodec::Decode(std::string_view(*stored).substr(0, kReadLimit));
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

std::int16_t ProfileStore::ReadInteger(std::string_view section, const settings::Key& key) const
{
    return ReadTyped<std::int16_t>(*this, section, key, valuetext::ParseInteger);
}

std::int32_t ProfileStore::ReadLong(std::string_view section, const settings::Key& key) const
{
    return ReadTyped<std::int32_t>(*this, section, key, valuetext::ParseLong);
}

float ProfileStore::ReadSingle(std::string_view section, const settings::Key& key) const
{
    return ReadTyped<float>(*this, section, key, valuetext::ParseSingle);
}

double ProfileStore::ReadDouble(std::string_view section, const settings::Key& key) const
{
    return ReadTyped<double>(*this, section, key, valuetext::ParseNumber);
}

bool ProfileStore::ReadBoolean(std::string_view section, const settings::Key& key) const
{
    return ReadTyped<bool>(*this, section, key, valuetext::ParseBoolean);
}

std::string ProfileStore::ReadText(std::string_view section, const settings::Key& key) const
{
    return ReadProfile(section, key.name, key.fallback);
}

bool ProfileStore::WriteNumber(std::string_view section, const settings::Key& key,
                               std::int64_t value)
{
    return WriteProfile(section, key.name, valuetext::FormatInteger(value));
}

bool ProfileStore::WriteSingle(std::string_view section, const settings::Key& key, float value)
{
    return WriteProfile(section, key.name, valuetext::FormatSingle(value));
}

bool ProfileStore::WriteDouble(std::string_view section, const settings::Key& key, double value)
{
    return WriteProfile(section, key.name, valuetext::FormatDouble(value));
}

bool ProfileStore::WriteBoolean(std::string_view section, const settings::Key& key, bool value)
{
    return WriteProfile(section, key.name, valuetext::FormatBoolean(value));
}

bool ProfileStore::WriteText(std::string_view section, const settings::Key& key,
                             std::string_view value)
{
    return WriteProfile(section, key.name, value);
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
    Commit();
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
