#pragma once

#include <array>
#include <string>
#include <string_view>

namespace tarvelo {

class Dialogs;
class ProfileStore;

// The on-screen keyboard: for every character code 1..255 the key that types
// it, whether it is the symbol printed on that key and whether it needs Shift,
// kept in section "language" of the profile. Also the captions of the keys and
// the one edit box with which the user puts other symbols on them.
//
// Key indices run 1..49 (rows: 49 35 37..45 36 46 / 1..10 47 48 / 11..21 /
// 32 22..31 33 / 34). Keys 32 and 33 are the Shift keys, 34 the space bar;
// their captions are fixed and they cannot be edited.
class KeyboardLayout
{
public:
    static constexpr int kNoKey = 999;
    static constexpr int kKeyCount = 49;
    static constexpr int kLeftShift = 32, kRightShift = 33, kSpaceBar = 34;
    static constexpr int kMaxCode = 255;

    static constexpr std::string_view kResetQuestion =
        "Are you sure you would like to undo all changes to the onscreen keyboard layout?";
    static constexpr std::string_view kResetTitle = "Confirmation";

    // Modifier keys held in a key event of the edit box.
    struct Modifiers
    {
        bool shift = false;
        bool ctrl = false;
        bool alt = false;
    };

    // Every code without a key; keys 32..34 captioned, the others empty.
    KeyboardLayout();

    // Lookups over character codes 1..255; any other code has no key and no
    // flags.
    int KeyOfChar(int code) const;
    bool KeyLabel(int code) const;
    bool KeyShift(int code) const;

    // Fills the tables from section "language": the 65 characters of the
    // default layout, each absent key giving its default. A letter's shift flag
    // is read from its "p" key, like its label flag; no other character is
    // read. A stored key index outside 1..49 counts as no key. Then sets the
    // captions as SetKeyCaptions does.
    void Load(const ProfileStore& profile);

    // Caption of key 1..49 as the window shows it: code-page bytes, "SHIFT" or
    // "SPACEBAR" for keys 32..34, empty for none and for any other index.
    const std::string& Caption(int key) const;

    // The captions when the session window opens: all cleared, then each key
    // shows the highest code among its labels in 1..96 (except the space),
    // 123..223 and 255.
    void SetKeyCaptions();

    // Edit box. Opening on keys 32..34 or outside 1..49 is refused (returns
    // false); opening on another key while open moves the box there.
    bool OpenEditBox(int key);
    void CloseEditBox();
    bool EditBoxOpen() const { return m_editingKey != 0; }
    // The key being edited; 0 while the box is closed.
    int EditingKey() const { return m_editingKey; }

    // Shift held while the box has the focus: a key-down with Shift alone sets
    // it, a key-up with no modifier clears it.
    void EditKeyDown(Modifiers modifiers);
    void EditKeyUp(Modifiers modifiers);
    void SetShiftHeld(bool held) { m_shiftHeld = held; }
    bool ShiftHeld() const { return m_shiftHeld; }

    // A character typed into the open edit box. Escape or Space closes it
    // unchanged; Backspace is left to ClearKey. Any other code 1..255 is put on
    // the key being edited, letters as upper case with their lower-case twin,
    // and the box closes. Returns true when the layout was edited, so that a
    // running line marks its next key again.
    bool AssignCharacter(int code, ProfileStore& profile);

    // Backspace or Delete in the open edit box: removes every character from
    // the key being edited and closes the box. Returns true when it ran.
    bool ClearKey(ProfileStore& profile);

    // "Reset Keys": after a Yes, puts the default layout back in memory and in
    // the profile (one file replacement) and recaptions every key. Characters
    // outside the default layout keep their keys. Returns true on Yes.
    bool ResetLayout(ProfileStore& profile, Dialogs& dialogs);

private:
    void SetCaption(int key, std::string_view caption);
    void ShowCode(int key, int code);
    void Unmap(int code, ProfileStore& profile);
    void Map(int code, int key, bool label, bool shift);

    std::array<int, kMaxCode + 1> m_keyOfChar{};
    std::array<bool, kMaxCode + 1> m_label{};
    std::array<bool, kMaxCode + 1> m_shift{};
    std::array<std::string, kKeyCount + 1> m_captions;
    int m_editingKey = 0;
    bool m_shiftHeld = false;
};

} // namespace tarvelo
