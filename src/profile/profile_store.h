#pragma once

#include "profile/ini_document.h"
#include "profile/settings_keys.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

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
    // The decoded value; nullopt when absent or not in the form the program
    // writes.
    std::optional<std::string> StoredText(std::string_view section, std::string_view key) const;

    // Typed access through the catalogue. A stored text that is not a value
    // of the key's type reads as the key's default; numbers out of range are
    // clamped. Singles and numbers are written with "." and read with "." or ",".
    std::int16_t Read(std::string_view section, const settings::IntegerKey& key) const;
    std::int32_t Read(std::string_view section, const settings::LongKey& key) const;
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

    // True when the settings file can be replaced (checked once at start-up).
    bool CanSave() const;

private:
    friend class ProfileBatch;

    static std::string Format(std::int16_t value);
    static std::string Format(std::int32_t value);
    // Whole numbers as plain digits, which every reader of the key accepts.
    static std::string Format(double value);
    static std::string Format(float value);
    static std::string Format(bool value);
    static std::string Format(std::string_view value);

    std::optional<std::string> StoredValue(std::string_view section, std::string_view key) const;
    bool Flush();

    std::string m_path;
    // While a batch is open, writes collect here and reach the file once.
    std::optional<IniDocument> m_pending;
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
