#pragma once

#include "platform/system_keyboards.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace tarvelo {

class ProfileStore;

// The on-screen keyboard: for every character code 1..255 the key that types
// it, whether it is the symbol printed on that key and whether it needs Shift,
// kept in section "language" of the profile. Also the captions of the keys and
// the writes that put other symbols on them.
//
// Key indices run 1..49 (rows: 49 35 37..45 36 46 / 1..10 47 48 / 11..21 /
// 32 22..31 33 / 34). Keys 32 and 33 are the Shift keys, 34 the space bar;
// their captions are fixed and they cannot be edited.
class KeyboardLayout
{
public:
    static constexpr int kNoKey = 999;
    static constexpr int kKeyCount = kScreenKeyCount;
    static constexpr int kLeftShift = 32, kRightShift = 33, kSpaceBar = 34;
    static constexpr int kMaxCode = 255;

    // Every code without a key; keys 32..34 captioned, the others empty.
    KeyboardLayout();

    // Lookups over character codes 1..255; any other code has no key and no
    // flags.
    int KeyOfChar(int code) const;
    bool KeyLabel(int code) const;
    bool KeyShift(int code) const;
    // Whether `code` lies on a dead key: pressing it types nothing until the
    // next key, with which it composes a letter.
    bool KeyDead(int code) const;

    // The keys the next-key hint lights for `code`: its key with both Shift
    // keys when it needs Shift (and the space bar after a dead key, which
    // types the accent alone); for a letter without a key that a dead key
    // composes, the dead key and the base letter's key, with Shift as either
    // needs. Empty when no key types it.
    std::vector<int> KeysFor(int code) const;

    // The XKB name of the position of key 1..49 on a PC keyboard ("AE01",
    // "AD01", ...; "LFSH", "RTSH", "SPCE" for the fixed keys); empty for any
    // other index.
    static std::string_view Position(int key);

    // Fills the tables from section "language": the 65 characters of the
    // default layout, each absent key giving its default, then every other
    // code stored with a key (its flags default to clear). A letter's shift
    // flag is read from its "p" key, like its label flag. A stored key index
    // outside 1..49 counts as no key. Then sets the captions as SetKeyCaptions
    // does.
    void Load(const ProfileStore& profile);

    // Caption of key 1..49 as the window shows it: code-page bytes, "SHIFT" or
    // "SPACEBAR" for keys 32..34, empty for none and for any other index.
    const std::string& Caption(int key) const;

    // The captions when the session window opens: all cleared, then each key
    // shows the highest code among its labels in 1..96 (except the space),
    // 123..223 and 255.
    void SetKeyCaptions();

    // Whether the user may put symbols on key 1..49 (not the Shift keys or
    // the space bar).
    static bool IsEditableKey(int key);

    // Puts character `code` on editable `key` as its printed symbol, letters as
    // upper case with their lower-case twin; `shiftHeld` says whether it is
    // typed with Shift. Everything else on the key goes, except its old label
    // as second symbol. One replacement of the settings file.
    void AssignCharacter(int key, int code, bool shiftHeld, ProfileStore& profile);
    // Removes every character from editable `key` (one replacement).
    void ClearKey(int key, ProfileStore& profile);
    // Puts the default layout back in memory and in the profile (one
    // replacement) and recaptions every key. Characters outside the default
    // layout keep their keys.
    void ResetToDefault(ProfileStore& profile);
    // Relabels every editable key from a system layout, as if its characters
    // had been typed into the key's edit box: the plain one, then the shifted
    // one, a letter always last so that a symbol stays as second symbol.
    // Characters outside the code page are left out; dead keys are marked
    // (stored under "<code>d"). One replacement of the settings file.
    void MatchSystemKeys(const SystemKeys& keys, ProfileStore& profile);

private:
    void SetCaption(int key, std::string_view caption);
    void ShowCode(int key, int code);
    void Unmap(int code, ProfileStore& profile);
    void Map(int code, int key, bool label, bool shift);
    void SetDead(int code, bool dead, ProfileStore& profile);

    std::array<int, kMaxCode + 1> m_keyOfChar{};
    std::array<bool, kMaxCode + 1> m_label{};
    std::array<bool, kMaxCode + 1> m_shift{};
    std::array<bool, kMaxCode + 1> m_dead{};
    std::array<std::string, kKeyCount + 1> m_captions;
};

} // namespace tarvelo
