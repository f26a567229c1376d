#include "profile/keyboard_layout.h"

#include "profile/code_page.h"
#include "profile/key_codes.h"
#include "profile/profile_store.h"
#include "profile/settings_keys.h"
#include "profile/value_text.h"

namespace tarvelo {
namespace {

constexpr int kCaseOffset = 32; // upper-case letter + 32 = its lower-case twin

// The default layout, used by the loader and the reset. A letter's upper-case
// form is its key's label and typed with Shift; its twin has neither flag.
constexpr std::array<int, 26> kLetterKeys = {
    11, 26, 24, 13, 3, 14, 15, 16, 8,  17, 18, 19, 28, // A..M
    27, 9,  10, 1,  4, 12, 5,  7,  25, 2,  23, 6,  22, // N..Z
};

struct DefaultCharacter
{
    int code;
    int key;
    bool label;
    bool shift;
};

// The other characters, in the order the loader reads them.
constexpr std::array<DefaultCharacter, 13> kDefaultCharacters = {{
    {';', 20, true, false},
    {':', 20, false, true},
    {'\'', 21, true, false},
    {'"', 21, false, true},
    {',', 29, true, false},
    {'.', 30, true, false},
    {'?', 31, true, true},
    {'/', 31, false, false},
    {'!', 35, true, true},
    {'-', 36, true, false},
    {' ', 34, false, false},
    {'(', 44, true, true},
    {')', 45, true, true},
}};

// Positions of the keys 1..49 on a PC keyboard, by XKB name.
constexpr std::array<std::string_view, KeyboardLayout::kKeyCount + 1> kPositions = {
    "",     "AD01", "AD02", "AD03", "AD04", "AD05", "AD06", "AD07", "AD08", "AD09",
    "AD10", "AC01", "AC02", "AC03", "AC04", "AC05", "AC06", "AC07", "AC08", "AC09",
    "AC10", "AC11", "AB01", "AB02", "AB03", "AB04", "AB05", "AB06", "AB07", "AB08",
    "AB09", "AB10", "LFSH", "RTSH", "SPCE", "AE01", "AE11", "AE02", "AE03", "AE04",
    "AE05", "AE06", "AE07", "AE08", "AE09", "AE10", "AE12", "AD11", "AD12", "TLDE",
};

// The letters of the code page a dead key composes: `accent` followed by
// the n-th of `bases` gives the n-th of `composed`.
struct DeadKeyLetters
{
    unsigned char accent;
    std::string_view bases;
    std::string_view composed;
};

constexpr std::array<DeadKeyLetters, 7> kDeadKeyLetters = {{
    {'`', "AEIOUaeiou", "\xC0\xC8\xCC\xD2\xD9\xE0\xE8\xEC\xF2\xF9"},
    {0xB4, "AEIOUYaeiouy", "\xC1\xC9\xCD\xD3\xDA\xDD\xE1\xE9\xED\xF3\xFA\xFD"},
    {'^', "AEIOUaeiou", "\xC2\xCA\xCE\xD4\xDB\xE2\xEA\xEE\xF4\xFB"},
    {'~', "ANOano", "\xC3\xD1\xD5\xE3\xF1\xF5"},
    {0xA8, "AEIOUYaeiouy", "\xC4\xCB\xCF\xD6\xDC\x9F\xE4\xEB\xEF\xF6\xFC\xFF"},
    {0xB8, "Cc", "\xC7\xE7"},
    {0xB0, "Aa", "\xC5\xE5"}, // the ring above, shown as the degree sign
}};

bool IsInDefaultLayout(int code)
{
    if ((code >= 'A' && code <= 'Z') || (code >= 'a' && code <= 'z'))
        return true;
    for (const DefaultCharacter& c : kDefaultCharacters)
        if (c.code == code)
            return true;
    return false;
}

bool IsUpperLetter(int code)
{
    return (code >= 'A' && code <= 'Z') || (code >= 192 && code <= 222);
}

bool IsLowerLetter(int code)
{
    return (code >= 'a' && code <= 'z') || (code >= 224 && code <= 254);
}

// A letter's upper-case form, as the edit box folds it.
int Folded(int code)
{
    return IsLowerLetter(code) ? code - kCaseOffset : code;
}

bool IsKey(int key)
{
    return key >= 1 && key <= KeyboardLayout::kKeyCount;
}

bool IsFixedKey(int key)
{
    return key >= KeyboardLayout::kLeftShift && key <= KeyboardLayout::kSpaceBar;
}

// Section "language": the key index of code c under "c", its label flag
// under "cp" and its shift flag under "cc".
std::string KeyName(int code)
{
    return std::to_string(code);
}

std::string LabelName(int code)
{
    return std::to_string(code) + "p";
}

std::string ShiftName(int code)
{
    return std::to_string(code) + "c";
}

// Whether code c lies on a dead key, under "cd"; written only for
// characters a system layout put on a dead key.
std::string DeadName(int code)
{
    return std::to_string(code) + "d";
}

int ReadKey(const ProfileStore& profile, int code, int fallback)
{
    const std::string name = KeyName(code);
    const int key = profile.Read(settings::kLanguage,
                                 settings::IntegerKey{name, static_cast<std::int16_t>(fallback)});
    return IsKey(key) ? key : KeyboardLayout::kNoKey;
}

bool ReadFlag(const ProfileStore& profile, const std::string& name, bool fallback)
{
    return profile.Read(settings::kLanguage, settings::BooleanKey{name, fallback});
}

void WriteKey(ProfileStore& profile, int code, int key)
{
    profile.WriteProfile(settings::kLanguage, KeyName(code), valuetext::FormatInteger(key));
}

void WriteLabel(ProfileStore& profile, int code, bool label)
{
    profile.WriteProfile(settings::kLanguage, LabelName(code), valuetext::FormatBoolean(label));
}

void WriteShift(ProfileStore& profile, int code, bool shift)
{
    profile.WriteProfile(settings::kLanguage, ShiftName(code), valuetext::FormatBoolean(shift));
}

bool IsCode(int code)
{
    return code >= 1 && code <= KeyboardLayout::kMaxCode;
}

} // namespace

KeyboardLayout::KeyboardLayout()
{
    m_keyOfChar.fill(kNoKey);
    m_captions[kLeftShift] = "SHIFT";
    m_captions[kRightShift] = "SHIFT";
    m_captions[kSpaceBar] = "SPACEBAR";
}

int KeyboardLayout::KeyOfChar(int code) const
{
    return IsCode(code) ? m_keyOfChar[code] : kNoKey;
}

bool KeyboardLayout::KeyLabel(int code) const
{
    return IsCode(code) && m_label[code];
}

bool KeyboardLayout::KeyShift(int code) const
{
    return IsCode(code) && m_shift[code];
}

bool KeyboardLayout::KeyDead(int code) const
{
    return IsCode(code) && m_dead[code] && m_keyOfChar[code] != kNoKey;
}

std::string_view KeyboardLayout::Position(int key)
{
    return IsKey(key) ? kPositions[key] : std::string_view{};
}

std::vector<int> KeyboardLayout::KeysFor(int code) const
{
    std::vector<int> keys;
    bool shift = false;
    const auto add = [&](int character) {
        shift = shift || KeyShift(character);
        keys.push_back(KeyOfChar(character));
    };
    if (KeyOfChar(code) != kNoKey) {
        add(code);
        if (KeyDead(code))
            keys.push_back(kSpaceBar);
    } else if (IsCode(code)) {
        for (const DeadKeyLetters& dead : kDeadKeyLetters) {
            const auto at = dead.composed.find(static_cast<char>(code));
            if (at == std::string_view::npos || !KeyDead(dead.accent) ||
                KeyOfChar(static_cast<unsigned char>(dead.bases[at])) == kNoKey)
                continue;
            add(dead.accent);
            add(static_cast<unsigned char>(dead.bases[at]));
            break;
        }
    }
    if (shift)
        keys.insert(keys.begin(), {kLeftShift, kRightShift});
    return keys;
}

void KeyboardLayout::Load(const ProfileStore& profile)
{
    m_keyOfChar.fill(kNoKey);
    m_label.fill(false);
    m_shift.fill(false);
    m_dead.fill(false);

    for (int i = 0; i < 26; ++i)
        m_keyOfChar['A' + i] = ReadKey(profile, 'A' + i, kLetterKeys[i]);
    for (int i = 0; i < 26; ++i)
        m_keyOfChar['a' + i] = ReadKey(profile, 'a' + i, kLetterKeys[i]);
    for (const DefaultCharacter& c : kDefaultCharacters)
        m_keyOfChar[c.code] = ReadKey(profile, c.code, c.key);

    // A letter's "c" key is written but never read.
    for (int upper = 'A'; upper <= 'Z'; ++upper) {
        const int lower = upper + kCaseOffset;
        m_label[upper] = ReadFlag(profile, LabelName(upper), true);
        m_shift[upper] = ReadFlag(profile, LabelName(upper), true);
        m_label[lower] = ReadFlag(profile, LabelName(lower), false);
        m_shift[lower] = ReadFlag(profile, LabelName(lower), false);
    }
    for (const DefaultCharacter& c : kDefaultCharacters)
        m_label[c.code] = ReadFlag(profile, LabelName(c.code), c.label);
    for (const DefaultCharacter& c : kDefaultCharacters)
        m_shift[c.code] = ReadFlag(profile, ShiftName(c.code), c.shift);

    // Symbols the user put on keys for another language, so that the tables
    // come back as the program left them.
    for (int code = 1; code <= kMaxCode; ++code) {
        if (IsInDefaultLayout(code))
            continue;
        const int key = ReadKey(profile, code, kNoKey);
        if (key == kNoKey)
            continue;
        m_keyOfChar[code] = key;
        m_label[code] = ReadFlag(profile, LabelName(code), false);
        m_shift[code] = ReadFlag(profile, ShiftName(code), false);
        m_dead[code] = ReadFlag(profile, DeadName(code), false);
    }

    SetKeyCaptions();
}

const std::string& KeyboardLayout::Caption(int key) const
{
    static const std::string none;
    return IsKey(key) ? m_captions[key] : none;
}

void KeyboardLayout::SetCaption(int key, std::string_view caption)
{
    if (IsKey(key) && !IsFixedKey(key))
        m_captions[key] = caption;
}

void KeyboardLayout::ShowCode(int key, int code)
{
    SetCaption(key, std::string(1, static_cast<char>(code)));
}

void KeyboardLayout::SetKeyCaptions()
{
    for (int key = 1; key <= kKeyCount; ++key)
        SetCaption(key, {});
    for (int c = 1; c <= kMaxCode; ++c) {
        const bool shown = (c <= 96 && c != keycode::kSpace) || (c >= 123 && c <= 223) || c == 255;
        if (shown && m_keyOfChar[c] != kNoKey && m_label[c])
            ShowCode(m_keyOfChar[c], c);
    }
}

bool KeyboardLayout::IsEditableKey(int key)
{
    return IsKey(key) && !IsFixedKey(key);
}

void KeyboardLayout::Unmap(int code, ProfileStore& profile)
{
    Map(code, kNoKey, false, false);
    WriteKey(profile, code, kNoKey);
    WriteLabel(profile, code, false);
    WriteShift(profile, code, false);
    SetDead(code, false, profile);
}

void KeyboardLayout::SetDead(int code, bool dead, ProfileStore& profile)
{
    if (m_dead[code] == dead)
        return;
    m_dead[code] = dead;
    profile.WriteProfile(settings::kLanguage, DeadName(code), valuetext::FormatBoolean(dead));
}

void KeyboardLayout::Map(int code, int key, bool label, bool shift)
{
    m_keyOfChar[code] = key;
    m_label[code] = label;
    m_shift[code] = shift;
}

void KeyboardLayout::AssignCharacter(int edited, int code, bool shiftHeld, ProfileStore& profile)
{
    if (!IsEditableKey(edited) || !IsCode(code))
        return;
    ProfileBatch batch(profile);

    int k = code;
    if (k >= 'a' && k <= 'z')
        k -= kCaseOffset;
    if (k >= 224 && k <= 254)
        k -= kCaseOffset;

    // A label moving off its key leaves that key's second symbols as its
    // labels; a lower-case letter left behind goes off the keyboard.
    const int old = m_keyOfChar[k];
    if (old != kNoKey && m_label[k]) {
        SetCaption(old, {});
        for (int i = 1; i <= kMaxCode; ++i) {
            if (m_keyOfChar[i] != old || m_label[i])
                continue;
            m_label[i] = true;
            WriteLabel(profile, i, true);
            ShowCode(old, i);
            if (IsLowerLetter(i)) {
                SetCaption(old, {});
                Unmap(i, profile);
            }
        }
    }

    // The edited key keeps its label as second symbol, unless that label is a
    // letter; everything else on it goes.
    for (int i = 1; i <= kMaxCode; ++i) {
        if (m_keyOfChar[i] == edited && !m_label[i]) {
            SetCaption(edited, {});
            Unmap(i, profile);
        }
    }
    for (int i = 1; i <= kMaxCode; ++i) {
        if (m_keyOfChar[i] != edited || !m_label[i])
            continue;
        if (IsUpperLetter(i)) {
            Unmap(i, profile);
        } else {
            m_label[i] = false;
            WriteLabel(profile, i, false);
        }
    }

    m_keyOfChar[k] = edited;
    m_label[k] = true;
    SetDead(k, false, profile);
    WriteKey(profile, k, edited);
    WriteLabel(profile, k, true);
    m_shift[k] = shiftHeld;
    WriteShift(profile, k, shiftHeld);

    if (IsUpperLetter(k)) {
        const int twin = k + kCaseOffset;
        Map(twin, edited, false, false);
        m_shift[k] = true;
        WriteKey(profile, twin, edited);
        WriteLabel(profile, twin, false);
        WriteShift(profile, twin, false);
        WriteShift(profile, k, true);
    }

    ShowCode(edited, k);
    // A failed write is reported by the store; the keys stay as edited.
    (void)batch.Commit();
}

void KeyboardLayout::ClearKey(int edited, ProfileStore& profile)
{
    if (!IsEditableKey(edited))
        return;
    ProfileBatch batch(profile);
    SetCaption(edited, {});
    for (int i = 1; i <= kMaxCode; ++i) {
        if (m_keyOfChar[i] == edited)
            Unmap(i, profile);
    }
    (void)batch.Commit();
}

void KeyboardLayout::ResetToDefault(ProfileStore& profile)
{
    {
        ProfileBatch batch(profile);
        for (int i = 0; i < 26; ++i) {
            m_keyOfChar['A' + i] = kLetterKeys[i];
            m_keyOfChar['a' + i] = kLetterKeys[i];
        }
        for (int i = 0; i < 26; ++i) {
            const int upper = 'A' + i;
            const int lower = upper + kCaseOffset;
            WriteKey(profile, upper, kLetterKeys[i]);
            WriteKey(profile, lower, kLetterKeys[i]);
            m_label[upper] = m_shift[upper] = true;
            m_label[lower] = m_shift[lower] = false;
            WriteLabel(profile, upper, true);
            WriteLabel(profile, lower, false);
            WriteShift(profile, upper, true);
            WriteShift(profile, lower, false);
        }
        for (const DefaultCharacter& c : kDefaultCharacters) {
            m_keyOfChar[c.code] = c.key;
            WriteKey(profile, c.code, c.key);
        }
        for (const DefaultCharacter& c : kDefaultCharacters)
            WriteLabel(profile, c.code, c.label);
        for (const DefaultCharacter& c : kDefaultCharacters)
            WriteShift(profile, c.code, c.shift);
        for (const DefaultCharacter& c : kDefaultCharacters) {
            m_label[c.code] = c.label;
            m_shift[c.code] = c.shift;
        }
        // The default layout has no dead keys.
        for (int code = 1; code <= kMaxCode; ++code)
            SetDead(code, false, profile);
        (void)batch.Commit();
    }

    // Unlike SetKeyCaptions, every character with a key counts, label or not;
    // the highest code in 1..96 and 123..255 wins.
    for (int key = 1; key <= kKeyCount; ++key)
        SetCaption(key, {});
    for (int c = 1; c <= kMaxCode; ++c) {
        if ((c <= 96 || c >= 123) && m_keyOfChar[c] != kNoKey)
            ShowCode(m_keyOfChar[c], c);
    }
}

void KeyboardLayout::MatchSystemKeys(const SystemKeys& keys, ProfileStore& profile)
{
    ProfileBatch batch(profile);
    for (int key = 1; key <= kKeyCount; ++key)
        ClearKey(key, profile);
    const auto code = [](char32_t character) {
        return character != 0 && codepage::Fits(character) ? codepage::FromUnicode(character) : 0;
    };
    for (int key = 1; key <= kKeyCount; ++key) {
        if (!IsEditableKey(key))
            continue;
        const SystemKey& system = keys[static_cast<std::size_t>(key)];
        const int plain = code(system.plain);
        const int shifted = code(system.shifted);
        const bool plainLetter = IsUpperLetter(Folded(plain));
        if (plainLetter && Folded(shifted) == Folded(plain)) {
            AssignCharacter(key, plain, false, profile);
        } else if (plainLetter) {
            if (shifted != 0)
                AssignCharacter(key, shifted, true, profile);
            AssignCharacter(key, plain, false, profile);
        } else {
            if (plain != 0)
                AssignCharacter(key, plain, false, profile);
            if (shifted != 0)
                AssignCharacter(key, shifted, true, profile);
        }
        if (plain != 0 && system.plainDead)
            SetDead(plain, true, profile);
        if (shifted != 0 && system.shiftedDead)
            SetDead(shifted, true, profile);
    }
    (void)batch.Commit();
}

} // namespace tarvelo
