#pragma once

#include "platform/navigation_key.h"
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
struct CurrentUser;
namespace settings {
template <typename T> struct Key;
using BooleanKey = Key<bool>;
} // namespace settings

// The keys the option handling tells apart; every other key is Other.
using OptionKey = NavigationKey;

// What the window has to do after the options handled an input.
enum class OptionOutcome
{
    None,
    // Leave for the main menu (the window stores its placement).
    ExitToMenu,
    // Begin found no line to type; the run was stopped. Tell the user
    // NothingToTypeMessage().
    NothingToType,
};

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
// toggles of intelligent detection, Backspace and the error beep), worked by
// keyboard and mouse: the selection, the hover mark, the captions, fills and
// hints, the per-user settings of the toggles, and the hover mark of the
// on-screen keys. Engine operations the window starts go through here so the
// options follow the run.
class SessionOptions
{
public:
    static constexpr int kOptionCount = 6;
    static constexpr int kFlashIntervalMs = 260;

    // Colours, 0xBBGGRR.
    static constexpr std::int32_t kSelectedFill = palette::kSelectedFill;
    static constexpr std::int32_t kSelectedBeginFill = 0xC0FFC0;
    static constexpr std::int32_t kFill = palette::kOptionFill;
    static constexpr std::int32_t kBeginFill = palette::kNextKeyFill;
    static constexpr std::int32_t kFlashFill = 0x0000FF;
    static constexpr std::int32_t kAfterFlashFill = 0xFFECDE;
    static constexpr std::int32_t kBorder = palette::kBorder;
    static constexpr std::int32_t kHoverBorder = palette::kHoverBorder;
    static constexpr std::int32_t kCaptionColour = palette::kCaption;
    static constexpr std::int32_t kGreyCaption = 0xC0C0C0;
    static constexpr std::int32_t kKeyBorder = palette::kBorder;
    static constexpr std::int32_t kHoverKeyBorder = palette::kHoverBorder;

    static constexpr std::string_view kLessonMode = "Lesson Mode";
    static constexpr std::string_view kPracticeMode = "Practice Mode";
    static constexpr std::string_view kTitlePrefix = "Tarvelo - Welcome ";

    static constexpr std::string_view kFirstUseTitle = "Tarvelo - Relatively Important Message";
    static constexpr std::string_view kFirstUseText =
        "As this is your first time here, I would like to make a strong recommendation. \r\r"
        "Firstly, never use the Intelligent Detection. It is NOT standard, and therefore "
        "probably evil. Secondly, I recommend allowing backspacing while you take the lessons, "
        "but in Practice (Where you type full sentences) I think that backspace is better "
        "disabled. ";

    static constexpr std::string_view kMessageTitle = "Tarvelo";
    static constexpr std::string_view kNoSentences =
        "The practice text has no sentences to type. Open 'Edit Typing Text' from the main "
        "menu to add some.";
    static constexpr std::string_view kNoLessonLines =
        "The lessons file has no drill lines to type.";

    static constexpr std::string_view kDedicationPrompt = "Password?";
    static constexpr std::string_view kDedicationAnswer = "quartzfeatherlumens";
    static constexpr std::string_view kDedicationTitle = "My Dear Amarel";
    static constexpr std::string_view kDedicationText =
        "   Thank you for everything, Amarel. Thank you for letting me care for you, and thank "
        "you for caring for me.";

    SessionOptions(ProfileStore& profile, const CurrentUser& user, TypingEngine& engine);

    // The window opens: reads the three toggles of the user's section into the
    // engine, captions the options, fills indicator 0 light green, shows the
    // keyboard hint of option 0 and clears the hover marks.
    void Load();

    // A key-down of the focus box, before its character reaches TypeKey.
    OptionOutcome KeyDown(OptionKey key);
    // A typed character for the engine.
    OptionOutcome TypeKey(int code);
    // The mouse button goes down on an option.
    OptionOutcome Press(SessionOption option);
    // A click on the expected or the typed line: Begin, when stopped.
    OptionOutcome PressTypingLine();
    // The red flash of a refused Backspace ends.
    void FlashTick();
    TimerState FlashTimer() const;

    // The pointer moves over an option, over the window's background, or
    // over on-screen key 1..49 (0: between keys, as the background).
    void HoverOption(SessionOption option);
    void HoverBackground();
    void HoverKey(int key);

    // Leaving for the main menu: ends the run.
    void StopForExit();

    SessionOption SelectedOption() const { return m_selected; }
    std::optional<SessionOption> HoveredOption() const { return m_hover; }
    std::optional<int> HoveredKey() const { return m_hoverKey; }
    std::string Caption(SessionOption option) const;
    std::int32_t Fill(SessionOption option) const;
    std::int32_t Border(SessionOption option) const;
    std::int32_t CaptionColour(SessionOption option) const;
    const std::string& Hint() const { return m_hint; }
    // What stays on show while the settings file cannot be written; empty
    // once a write has worked again.
    std::string SaveNotice() const;
    std::string_view ModeLabel() const;
    std::string_view NothingToTypeMessage() const;

    static std::string_view KeyboardHint(SessionOption option);
    static std::string_view MouseHint(SessionOption option);

private:
    static std::size_t Index(SessionOption option) { return static_cast<std::size_t>(option); }
    // "backspacef" in practice, "backspacel" in lessons.
    const settings::BooleanKey& BackspaceSetting() const;
    void MoveSelection(SessionOption to);
    // Detection on: the Backspace option is skipped and cannot be pressed.
    bool DetectionOn() const;
    OptionOutcome Activate();
    void ToggleAi();
    void ToggleBackspace();
    void ToggleSound();
    void ShowKeyboardHint();
    // Picks up what an engine operation changed: new red flashes, a run
    // without material.
    OptionOutcome AfterEngine();

    ProfileStore& m_profile;
    const CurrentUser& m_user;
    TypingEngine& m_engine;

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

// The window title for the current user.
std::string SessionWindowTitle(const CurrentUser& user);

// Whether the pass phrase typed at the dedication label is the right one.
bool IsDedicationAnswer(std::string_view answer);

} // namespace tarvelo
