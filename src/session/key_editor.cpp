#include "session/key_editor.h"

#include "platform/dialogs.h"
#include "profile/key_codes.h"
#include "profile/keyboard_layout.h"

namespace tarvelo {

KeyEditor::KeyEditor(KeyboardLayout& layout, ProfileStore& profile)
    : m_layout(layout), m_profile(profile)
{}

bool KeyEditor::Open(int key)
{
    if (!KeyboardLayout::IsEditableKey(key))
        return false;
    m_key = key;
    return true;
}

void KeyEditor::Close()
{
    m_key.reset();
}

void KeyEditor::KeyDown(Modifiers modifiers)
{
    if (modifiers.shift && !modifiers.ctrl && !modifiers.alt)
        m_shiftHeld = true;
}

void KeyEditor::KeyUp(Modifiers modifiers)
{
    if (!modifiers.shift && !modifiers.ctrl && !modifiers.alt)
        m_shiftHeld = false;
}

bool KeyEditor::Type(int code)
{
    if (!m_key || code < 1 || code > KeyboardLayout::kMaxCode)
        return false;
    if (code == keycode::kBackspace)
        return Clear();
    if (code == keycode::kEscape || code == keycode::kSpace) {
        Close();
        return false;
    }
    m_layout.AssignCharacter(*m_key, code, m_shiftHeld, m_profile);
    Close();
    return true;
}

bool KeyEditor::Clear()
{
    if (!m_key)
        return false;
    m_layout.ClearKey(*m_key, m_profile);
    Close();
    return true;
}

bool KeyEditor::Reset(Dialogs& dialogs)
{
    if (!dialogs.AskYesNo(kResetQuestion, kResetTitle, MessageIcon::Exclamation, DefaultAnswer::No))
        return false;
    m_layout.ResetToDefault(m_profile);
    return true;
}

} // namespace tarvelo
