#include "session/key_editor.h"

#include "platform/dialogs.h"
#include "platform/system_keyboards.h"
#include "profile/key_codes.h"
#include "profile/keyboard_layout.h"

#include <algorithm>

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

bool KeyEditor::Match(Dialogs& dialogs, SystemKeyboards& keyboards)
{
    const std::vector<SystemLayoutEntry> layouts = keyboards.Available();
    if (layouts.empty()) {
        dialogs.ShowMessage(kNoLayouts, kMatchTitle, MessageIcon::Exclamation);
        return false;
    }
    // The current layout, else its layout without the variant, else the first.
    std::size_t current = 0;
    if (const auto name = keyboards.Current()) {
        const auto find = [&](const SystemLayoutName& wanted) {
            return std::find_if(layouts.begin(), layouts.end(),
                                [&](const SystemLayoutEntry& e) { return e.name == wanted; });
        };
        auto found = find(*name);
        if (found == layouts.end())
            found = find({name->layout, ""});
        if (found != layouts.end())
            current = static_cast<std::size_t>(found - layouts.begin());
    }
    std::vector<std::string> descriptions;
    descriptions.reserve(layouts.size());
    for (const SystemLayoutEntry& entry : layouts)
        descriptions.push_back(entry.description);
    const auto picked = dialogs.AskChoice(kMatchPrompt, kMatchTitle, descriptions, current);
    if (!picked || *picked >= layouts.size())
        return false;
    const auto keys = keyboards.KeysOf(layouts[*picked].name);
    if (!keys) {
        dialogs.ShowMessage(kMatchFailed, kMatchTitle, MessageIcon::Exclamation);
        return false;
    }
    m_layout.MatchSystemKeys(*keys, m_profile);
    return true;
}

} // namespace tarvelo
