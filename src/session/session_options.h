#pragma once

#include "state/palette.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarvelo {

class ProfileStore;
class TypingEngine;
struct TimerState;
struct TypingOptions;
struct CurrentUser;
namespace settings {
template <typename T> struct Key;
using BooleanKey = Key<bool>;
} // namespace settings

// The options of the session window, top to bottom.
enum class SessionOption
{
    Begin, // "Begin" while stopped, "Next" while a run is on
    Stop,
    MainMenu,
    Detection,
    Backspace,
    Sound,
};

// The six options of the session window (Begin/Next, Stop, Main Menu and the
// toggles of intelligent detection, Backspace and the error beep) as they are
// shown: the selection, the hover mark, the captions, fills and hints, the
// per-user settings of the toggles, the red flash of a refused Backspace and
// the hover mark of the on-screen keys. What choosing an option does to the
// run is the session's (TypingSession); this reads the engine only.
class SessionOptions
{
public:
    static constexpr int kOptionCount = 6;
    static constexpr int kFlashIntervalMs = 260;

    // Colours, 0xBBGGRR.
    static constexpr std::int32_t kFlashFill = 0x0000FF;
    static constexpr std::int32_t kAfterFlashFill = 0xFFECDE;

    SessionOptions(ProfileStore& profile, const CurrentUser& user, const TypingEngine& engine);

    // The window opens: reads the three toggles of the user's section,
    // captions the options, fills indicator 0 light green, shows the keyboard
    // hint of option 0 and clears the hover marks. Returns the typing options
    // the toggles make.
    TypingOptions Load();

    // The selection moves up (-1) or down (1), wrapping, past Backspace
    // while detection is on.
    void Step(int step);
    // The mouse chooses an option; false for Backspace while detection is on,
    // which cannot be chosen.
    bool Select(SessionOption option);
    // Switches the selected toggle (detection, Backspace or sound) and stores
    // it; returns the typing options it makes.
    TypingOptions Toggle();
    void ShowKeyboardHint();

    // Picks up a refused Backspace the engine counted since: it flashes its
    // option red, and under detection the detection option too.
    void FollowRefusals();
    // The red flash ends.
    void FlashTick();
    TimerState FlashTimer() const;

    // The pointer moves over an option, over the window's background, or
    // over on-screen key 1..49 (0: between keys, as the background).
    void HoverOption(SessionOption option);
    void HoverBackground();
    void HoverKey(int key);

    SessionOption SelectedOption() const { return m_selected; }
    std::optional<int> HoveredKey() const { return m_hoverKey; }
    std::string Caption(SessionOption option) const;
    std::int32_t Fill(SessionOption option) const;
    std::int32_t Border(SessionOption option) const;
    std::int32_t CaptionColour(SessionOption option) const;
    const std::string& Hint() const { return m_hint; }

    static std::string_view KeyboardHint(SessionOption option);
    static std::string_view MouseHint(SessionOption option);

private:
    static std::size_t Index(SessionOption option) { return static_cast<std::size_t>(option); }
    // "backspacef" in practice, "backspacel" in lessons.
    const settings::BooleanKey& BackspaceSetting() const;
    void MoveSelection(SessionOption to);
    bool DetectionOn() const;
    TypingOptions ToggleAi();
    TypingOptions ToggleBackspace();
    TypingOptions ToggleSound();

    ProfileStore& m_profile;
    const CurrentUser& m_user;
    const TypingEngine& m_engine;

    SessionOption m_selected = SessionOption::Begin;
    std::optional<SessionOption> m_hover;
    std::optional<int> m_hoverKey;
    std::string m_hint;
    std::array<std::string, kOptionCount> m_captions;
    std::array<std::int32_t, kOptionCount> m_fills{};
    std::array<std::int32_t, kOptionCount> m_borders{};
    // The borders as loaded, to restore after a hover.
    std::array<std::int32_t, kOptionCount> m_savedBorders{};
    std::array<std::int32_t, kOptionCount> m_captionColours{};
    unsigned m_refusalsSeen = 0;
    bool m_flashing = false;
    unsigned m_flashRestarts = 0;
};

} // namespace tarvelo
