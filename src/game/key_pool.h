#pragma once

#include "platform/screen_keys.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace tarvelo {

class KeyboardLayout;

// How letters fall. Any stored value other than 0 and 1 plays as Mixed.
enum class LetterCase
{
    Uppercase = 0,
    Lowercase = 1,
    Mixed = 2,
};

LetterCase LetterCaseFromStored(int stored);
LetterCase NextLetterCase(LetterCase letterCase);

// The keys the game may drop, chosen on a copy of the on-screen keyboard,
// and the playable characters they give under the letter case.
class KeyPool
{
public:
    static constexpr int kKeyCount = kScreenKeyCount;
    static constexpr int kMaxCode = 255;
    static constexpr std::string_view kEmptyPoolMessage =
        "You have no playable letters! I suggest you choose at least 12 keys, or there won't "
        "really be enough for the game to put out on the screen.";

    using PlayableSet = std::array<bool, kMaxCode + 1>;

    // Each key's printed symbol and its other character from the layout;
    // clears the selection.
    void Build(const KeyboardLayout& layout);

    // Selects the keys a stored letter stream names. Only whole two-digit
    // pairs naming a selectable key with a caption count; anything else in a
    // damaged stream is passed over.
    void SelectStream(std::string_view stream);

    // Computes the playable set and returns the canonical stream of the
    // selection; afterwards "De/Select All" selects again.
    std::string Save(LetterCase letterCase);

    // Panel actions.
    void ToggleKey(int key);
    void UseDefault();
    void SelectAll();

    bool Selected(int key) const { return IsKey(key) && m_selected[key]; }
    // The caption of a key in the panel: its printed symbol, "SHIFT",
    // "SPACEBAR" or empty.
    std::string Caption(int key) const;
    bool HasCaption(int key) const;

    const PlayableSet& Playable() const { return m_playable; }
    int PlayableCount() const { return m_playableCount; }
    bool SelectAllNext() const { return m_selectAllNext; }

private:
    static bool IsKey(int key) { return key >= 1 && key <= kKeyCount; }
    static bool Selectable(int key);

    std::array<std::optional<int>, kKeyCount + 1> m_primary{};
    std::array<std::optional<int>, kKeyCount + 1> m_secondary{};
    std::array<bool, kKeyCount + 1> m_selected{};
    PlayableSet m_playable{};
    int m_playableCount = 0;
    bool m_selectAllNext = true;
};

} // namespace tarvelo
