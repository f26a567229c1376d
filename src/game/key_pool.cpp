#include "game/key_pool.h"

#include "profile/keyboard_layout.h"
#include "state/option_cycle.h"

namespace tarvelo {
namespace {

bool IsUpperLetter(int code)
{
    return (code >= 'A' && code <= 'Z') || (code >= 192 && code <= 222);
}

bool IsDefaultKey(int key)
{
    return (key >= 1 && key <= 19) || (key >= 22 && key <= 28);
}

int Digit(char c)
{
    return c >= '0' && c <= '9' ? c - '0' : -1;
}

} // namespace

LetterCase LetterCaseFromStored(int stored)
{
    switch (stored) {
    case 0:
        return LetterCase::Uppercase;
    case 1:
        return LetterCase::Lowercase;
    default:
        return LetterCase::Mixed;
    }
}

LetterCase NextLetterCase(LetterCase letterCase)
{
    return Cycled(letterCase, 1, 3); // the three cases in turn
}

bool KeyPool::Selectable(int key)
{
    return IsKey(key) && (key < KeyboardLayout::kLeftShift || key > KeyboardLayout::kSpaceBar);
}

void KeyPool::Build(const KeyboardLayout& layout)
{
    m_primary.fill(std::nullopt);
    m_secondary.fill(std::nullopt);
    m_selected.fill(false);
    // Ascending codes: the highest code of a key wins.
    for (int code = 1; code <= kMaxCode; ++code) {
        const int key = layout.KeyOfChar(code);
        if (!IsKey(key))
            continue;
        if (layout.KeyLabel(code))
            m_primary[key] = code;
        else
            m_secondary[key] = code;
    }
}

bool KeyPool::HasCaption(int key) const
{
    if (!IsKey(key))
        return false;
    return !Selectable(key) || m_primary[key].has_value();
}

std::string KeyPool::Caption(int key) const
{
    if (key == KeyboardLayout::kLeftShift || key == KeyboardLayout::kRightShift)
        return "SHIFT";
    if (key == KeyboardLayout::kSpaceBar)
        return "SPACEBAR";
    if (!IsKey(key) || !m_primary[key])
        return {};
    return std::string(1, static_cast<char>(*m_primary[key]));
}

void KeyPool::SelectStream(std::string_view stream)
{
    for (std::size_t i = 0; i + 1 < stream.size(); i += 2) {
        const int tens = Digit(stream[i]);
        const int units = Digit(stream[i + 1]);
        if (tens < 0 || units < 0)
            continue;
        const int key = tens * 10 + units;
        if (Selectable(key) && HasCaption(key))
            m_selected[key] = true;
    }
}

std::string KeyPool::Save(LetterCase letterCase)
{
    m_playable.fill(false);
    std::string stream;
    int count = 0;
    const auto mark = [&](const std::optional<int>& code) {
        if (code) {
            m_playable[*code] = true;
            ++count;
        }
    };
    for (int key = 1; key <= kKeyCount; ++key) {
        if (!m_selected[key])
            continue;
        const std::optional<int>& p = m_primary[key];
        const std::optional<int>& q = m_secondary[key];
        if (!p || !IsUpperLetter(*p)) {
            mark(p);
            mark(q);
        } else if (letterCase == LetterCase::Uppercase) {
            mark(p);
        } else if (letterCase == LetterCase::Lowercase) {
            mark(q);
        } else {
            mark(p);
            mark(q);
        }
        stream += static_cast<char>('0' + key / 10);
        stream += static_cast<char>('0' + key % 10);
    }
    m_playableCount = count;
    m_selectAllNext = true;
    return stream;
}

void KeyPool::ToggleKey(int key)
{
    if (!Selectable(key) || !HasCaption(key))
        return;
    m_selected[key] = !m_selected[key];
}

void KeyPool::UseDefault()
{
    for (int key = 1; key <= kKeyCount; ++key)
        m_selected[key] = IsDefaultKey(key) && HasCaption(key);
}

void KeyPool::SelectAll()
{
    for (int key = 1; key <= kKeyCount; ++key) {
        if (Selectable(key) && HasCaption(key))
            m_selected[key] = m_selectAllNext;
    }
    m_selectAllNext = !m_selectAllNext;
}

} // namespace tarvelo
