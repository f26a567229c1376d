#pragma once

#include <optional>
#include <string_view>

namespace tarvelo {

class Dialogs;
class KeyboardLayout;
class ProfileStore;
class SystemKeyboards;

// The one edit box of the session window's on-screen keyboard, with which the
// user puts another symbol on a key, and the "Reset Keys" question. The
// layout keeps the tables and their storage; this keeps what the box is doing.
class KeyEditor
{
public:
    static constexpr std::string_view kResetQuestion =
        "Are you sure you would like to undo all changes to the onscreen keyboard layout?";
    static constexpr std::string_view kResetTitle = "Confirmation";
    // A typed character the code page lacks is refused with this; the keys
    // stay as they were.
    static constexpr std::string_view kOutsideCodePage =
        "This character cannot be put on a key: the keys hold only letters of Western European "
        "languages, digits and the usual punctuation. The key is unchanged.";
    static constexpr std::string_view kOutsideCodePageTitle = "Tarvelo";
    static constexpr std::string_view kMatchTitle = "Match My Keyboard";
    static constexpr std::string_view kMatchPrompt =
        "Label the onscreen keyboard as this keyboard layout types:";
    static constexpr std::string_view kNoLayouts =
        "The list of keyboard layouts could not be read. The keys are unchanged.";
    static constexpr std::string_view kMatchFailed =
        "This keyboard layout could not be read. The keys are unchanged.";

    // Modifier keys held in a key event of the edit box.
    struct Modifiers
    {
        bool shift = false;
        bool ctrl = false;
        bool alt = false;
    };

    KeyEditor(KeyboardLayout& layout, ProfileStore& profile);

    // Opening on the Shift keys, the space bar or outside 1..49 is refused
    // (false); opening on another key while open moves the box there.
    bool Open(int key);
    void Close();
    bool IsOpen() const { return m_key.has_value(); }
    // The key being edited, while the box is open.
    std::optional<int> EditingKey() const { return m_key; }

    // Shift held while the box has the focus: a key-down with Shift alone sets
    // it, a key-up with no modifier clears it.
    void KeyDown(Modifiers modifiers);
    void KeyUp(Modifiers modifiers);
    bool ShiftHeld() const { return m_shiftHeld; }

    // A character typed into the open box: Escape or Space closes it
    // unchanged, Backspace clears the key, any other code 1..255 goes on the
    // key. The box then closes. Returns true when the layout changed, so that
    // a running line marks its next key again.
    bool Type(int code);
    // Backspace or Delete: removes every character from the key and closes.
    bool Clear();

    // "Reset Keys": after a Yes, the default layout. Returns true on Yes.
    bool Reset(Dialogs& dialogs);
    // "Match My Keyboard": the user picks a system layout, the system's
    // current one chosen at first, and every key is labelled as it types.
    // Returns true when the keys changed.
    bool Match(Dialogs& dialogs, SystemKeyboards& keyboards);

private:
    KeyboardLayout& m_layout;
    ProfileStore& m_profile;
    std::optional<int> m_key;
    bool m_shiftHeld = false;
};

} // namespace tarvelo
