#pragma once

#include "profile/ini_document.h"
#include "profile/settings_keys.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarvelo {

// The only access to the settings file "Tarvelo.INI". Values are stored
// encoded (see valuecodec); every operation goes to the file, with no cache,
// and every write replaces the file atomically.
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

    // Typed access. A stored text that is not a value of the type reads as the
    // key's default; numbers out of range are clamped.
    std::int16_t ReadInteger(std::string_view section, const settings::Key& key) const;
    std::int32_t ReadLong(std::string_view section, const settings::Key& key) const;
    float ReadSingle(std::string_view section, const settings::Key& key) const;
    // A single-precision key read at full precision (see WriteDouble).
    double ReadDouble(std::string_view section, const settings::Key& key) const;
    bool ReadBoolean(std::string_view section, const settings::Key& key) const;
    std::string ReadText(std::string_view section, const settings::Key& key) const;

    bool WriteNumber(std::string_view section, const settings::Key& key, std::int64_t value);
    bool WriteSingle(std::string_view section, const settings::Key& key, float value);
    // For sums that outgrow a single: whole numbers are written as plain
    // digits, which every reader of the key accepts.
    bool WriteDouble(std::string_view section, const settings::Key& key, double value);
    bool WriteBoolean(std::string_view section, const settings::Key& key, bool value);
    bool WriteText(std::string_view section, const settings::Key& key, std::string_view value);

    // True when the settings file can be replaced (checked once at start-up).
    bool CanSave() const;

private:
    friend class ProfileBatch;

    std::optional<std::string> StoredValue(std::string_view section, std::string_view key) const;
    bool Flush();

    std::string m_path;
    // While a batch is open, writes collect here and reach the file once.
    std::optional<IniDocument> m_pending;
    bool m_pendingOk = true;
    int m_batchDepth = 0;
};

// Groups many writes into one replacement of the file; the file afterwards is
// the same as after the single writes. Batches nest; the outermost one writes.
class ProfileBatch
{
public:
    explicit ProfileBatch(ProfileStore& store);
    ~ProfileBatch();
    ProfileBatch(const ProfileBatch&) = delete;
    ProfileBatch& operator=(const ProfileBatch&) = delete;

    // Ends the batch now; returns whether the file was written.
    bool Commit();

private:
    ProfileStore* m_store;
    bool m_done = false;
};

} // namespace tarvelo
