#include "session/session_options.h"

#include "profile/profile_store.h"
#include "profile/settings_keys.h"
#include "session/typing_engine.h"
#include "state/current_user.h"
#include "state/program_state.h"

namespace tarvelo {
namespace {

constexpr std::string_view kKeyboardHints[SessionOptions::kOptionCount] = {
    "Press <Enter> to begin typing. Time starts when you type the first letter. All sentences "
    "end with a space.",
    "Stop typing.",
    "Exit to main menu.",
    "This toggles whether or not you would like Artificial Intelligence to monitor your typing "
    "and adjust it when you type a letter or two off.",
    "This toggles whether or not the <Backspace> key is enabled.",
    "This toggles whether the program beeps when you make a mistake.",
};

constexpr std::string_view kMouseHints[SessionOptions::kOptionCount] = {
    "Click here to begin typing. Time starts counting when you type the first letter. All "
    "sentences end with a space.",
    "Click here to stop typing.",
    "Exit to main menu.",
    "This toggles whether or not you would like Artificial Intelligence to monitor and adjust "
    "when you type a letter or two off.",
    "This toggles whether or not the <Backspace> key is enabled.",
    "This toggles whether the program beeps when you make a mistake.",
};

std::string AiCaption(bool on)
{
    return on ? "AI On" : "AI Off";
}

std::string BackspaceCaption(bool on)
{
    return on ? "Backspace On" : "Backspace Off";
}

std::string SoundCaption(bool on)
{
    return on ? "Sound On" : "Sound Off";
}

} // namespace

SessionOptions::SessionOptions(ProfileStore& profile, const CurrentUser& user, TypingEngine& engine)
    : m_profile(profile), m_user(user), m_engine(engine)
{
    m_captions = {"Begin", "Stop", "Main Menu", "AI Off", "Backspace On", "Sound On"};
    m_fills.fill(kFill);
    m_borders.fill(kBorder);
    m_captionColours.fill(kCaptionColour);
}

const settings::BooleanKey& SessionOptions::BackspaceSetting() const
{
    return m_user.Practising() ? settings::kBackspacePractice : settings::kBackspaceLessons;
}

void SessionOptions::Load()
{
    const std::string& section = m_user.UserSection;
    m_engine.BackspaceOn = m_profile.Read(section, BackspaceSetting());
    m_captions[kBackspace] = BackspaceCaption(m_engine.BackspaceOn);

    m_engine.SoundOn = m_profile.Read(section, settings::kBeepOnError);
    m_captions[kSound] = SoundCaption(m_engine.SoundOn);

    m_engine.AiOn = m_profile.Read(section, settings::kIntelligent);
    m_captions[kAi] = AiCaption(m_engine.AiOn);
    m_captionColours[kBackspace] = m_engine.AiOn ? kGreyCaption : kCaptionColour;
    // Detection takes no Backspace; the caption keeps the stored setting.
    if (m_engine.AiOn)
        m_engine.BackspaceOn = false;

    m_selected = 0;
    m_fills[kBegin] = kBeginFill;
    ShowKeyboardHint();
    m_hover = kNoHover;
    m_hoverKey = kNoHover;
    m_savedBorders = m_borders;
    m_flashesSeen = m_engine.FlashTimer().restarts;
}

OptionOutcome SessionOptions::KeyDown(OptionKey key)
{
    OptionOutcome outcome = OptionOutcome::None;
    switch (key) {
    case OptionKey::Escape:
        if (m_engine.Running()) {
            m_engine.StopTyping();
        } else {
            outcome = OptionOutcome::ExitToMenu;
        }
        break;
    case OptionKey::Up: {
        int to = m_selected - 1;
        if (to == kBackspace && m_engine.AiOn)
            to = kAi;
        if (to == -1)
            to = kSound;
        MoveSelection(to);
        break;
    }
    case OptionKey::Down: {
        int to = m_selected + 1;
        if (to == kBackspace && m_engine.AiOn)
            to = kSound;
        if (to == kOptionCount)
            to = kBegin;
        MoveSelection(to);
        break;
    }
    case OptionKey::Right:
        outcome = Activate();
        break;
    case OptionKey::Enter: {
        // At the last position Enter is left to the key press, which finishes
        // the line.
        const TypingLine& line = m_engine.Line();
        if (!m_engine.Running() || line.SentencePosition < line.LineLength)
            outcome = Activate();
        break;
    }
    case OptionKey::Left:
        if (m_selected == kMainMenu)
            outcome = OptionOutcome::ExitToMenu;
        break;
    case OptionKey::Delete:
    case OptionKey::Other:
        break;
    }
    ShowKeyboardHint();
    return outcome;
}

OptionOutcome SessionOptions::TypeKey(int code)
{
    m_engine.TypeKey(code);
    return AfterEngine();
}

OptionOutcome SessionOptions::Press(int option)
{
    if (!Valid(option) || (option == kBackspace && m_engine.AiOn))
        return OptionOutcome::None;
    MoveSelection(option);
    return KeyDown(OptionKey::Right);
}

OptionOutcome SessionOptions::PressTypingLine()
{
    if (m_engine.Running())
        return OptionOutcome::None;
    return Press(kBegin);
}

void SessionOptions::FlashTick()
{
    m_engine.FlashTick();
    m_fills[kAi] = kAfterFlashFill;
    m_fills[kBackspace] = kAfterFlashFill;
}

void SessionOptions::HoverOption(int option)
{
    if (!Valid(option))
        return;
    m_hint = MouseHint(option);
    if (m_hover == option)
        return;
    if (Valid(m_hover))
        m_borders[m_hover] = m_savedBorders[m_hover];
    m_borders[option] = kHoverBorder;
    m_hover = option;
}

void SessionOptions::HoverBackground()
{
    ShowKeyboardHint();
    if (Valid(m_hover))
        m_borders[m_hover] = m_savedBorders[m_hover];
    m_hover = kNoHover;
    m_hoverKey = kNoHover;
}

void SessionOptions::HoverKey(int key)
{
    if (key < 1) {
        HoverBackground();
        return;
    }
    m_hoverKey = key;
}

void SessionOptions::StopForExit()
{
    m_engine.StopTyping();
}

std::string SessionOptions::Caption(int option) const
{
    if (option == kBegin)
        return m_engine.BeginCaption();
    return Valid(option) ? m_captions[option] : std::string();
}

std::int32_t SessionOptions::Fill(int option) const
{
    return Valid(option) ? m_fills[option] : kFill;
}

std::int32_t SessionOptions::Border(int option) const
{
    return Valid(option) ? m_borders[option] : kBorder;
}

std::int32_t SessionOptions::CaptionColour(int option) const
{
    return Valid(option) ? m_captionColours[option] : kCaptionColour;
}

std::string_view SessionOptions::ModeLabel() const
{
    return m_user.Practising() ? kPracticeMode : kLessonMode;
}

std::string_view SessionOptions::NothingToTypeMessage() const
{
    return m_user.Practising() ? kNoSentences : kNoLessonLines;
}

std::string_view SessionOptions::KeyboardHint(int option)
{
    return Valid(option) ? kKeyboardHints[option] : std::string_view();
}

std::string_view SessionOptions::MouseHint(int option)
{
    return Valid(option) ? kMouseHints[option] : std::string_view();
}

void SessionOptions::MoveSelection(int to)
{
    m_fills[m_selected] = m_selected == kBegin ? kBeginFill : kFill;
    m_fills[to] = to == kBegin ? kSelectedBeginFill : kSelectedFill;
    m_selected = to;
}

OptionOutcome SessionOptions::Activate()
{
    switch (m_selected) {
    case kBegin:
        m_engine.BeginOrNext();
        return AfterEngine();
    case kStop:
        m_engine.StopTyping();
        break;
    case kMainMenu:
        return OptionOutcome::ExitToMenu;
    case kAi:
        ToggleAi();
        break;
    case kBackspace:
        ToggleBackspace();
        break;
    case kSound:
        ToggleSound();
        break;
    default:
        break;
    }
    return OptionOutcome::None;
}

void SessionOptions::ToggleAi()
{
    const std::string& section = m_user.UserSection;
    if (m_engine.AiOn) {
        m_engine.AiOn = false;
        m_captionColours[kBackspace] = kCaptionColour;
        m_engine.BackspaceOn = m_profile.Read(section, BackspaceSetting());
    } else {
        m_engine.AiOn = true;
        m_captionColours[kBackspace] = kGreyCaption;
    }
    m_captions[kAi] = AiCaption(m_engine.AiOn);
    m_profile.Write(section, settings::kIntelligent, m_engine.AiOn);
    // The next Begin starts a run under the new setting.
    if (m_engine.Running())
        m_engine.StopTyping();
}

void SessionOptions::ToggleBackspace()
{
    m_engine.BackspaceOn = !m_engine.BackspaceOn;
    m_captions[kBackspace] = BackspaceCaption(m_engine.BackspaceOn);
    m_profile.Write(m_user.UserSection, BackspaceSetting(), m_engine.BackspaceOn);
}

void SessionOptions::ToggleSound()
{
    m_engine.SoundOn = !m_engine.SoundOn;
    m_captions[kSound] = SoundCaption(m_engine.SoundOn);
    m_profile.Write(m_user.UserSection, settings::kBeepOnError, m_engine.SoundOn);
}

void SessionOptions::ShowKeyboardHint()
{
    m_hint = KeyboardHint(m_selected);
}

OptionOutcome SessionOptions::AfterEngine()
{
    const unsigned flashes = m_engine.FlashTimer().restarts;
    if (flashes != m_flashesSeen) {
        m_flashesSeen = flashes;
        for (int indicator : m_engine.FlashedIndicators()) {
            if (Valid(indicator))
                m_fills[indicator] = kFlashFill;
        }
    }
    if (m_engine.NothingToType()) {
        m_engine.StopTyping();
        return OptionOutcome::NothingToType;
    }
    return OptionOutcome::None;
}

std::string SessionWindowTitle(const CurrentUser& user)
{
    return std::string(SessionOptions::kTitlePrefix) + user.UserName;
}

bool IsDedicationAnswer(std::string_view answer)
{
    return answer == SessionOptions::kDedicationAnswer;
}

bool OpensMaximized(const ProfileStore& profile)
{
    return profile.Read(settings::kUsers, settings::kMainMaximized);
}

void StoreExitPlacement(ProgramState& state, const WindowPlacement& placement)
{
    ProfileStore& profile = state.profile;
    ProfileBatch batch(profile);
    if (placement.maximized) {
        profile.Write(settings::kUsers, settings::kMainMaximized, true);
    } else {
        state.WindowTop = placement.topTwips;
        state.WindowLeft = placement.leftTwips;
        profile.Write(settings::kUsers, settings::kTop, state.WindowTop);
        profile.Write(settings::kUsers, settings::kLeft, state.WindowLeft);
        profile.Write(settings::kUsers, settings::kMainMaximized, false);
    }
    (void)batch.Commit();
}

void StoreClosePlacement(ProgramState& state, const WindowPlacement& placement)
{
    if (placement.minimized && !placement.maximized)
        return;
    StoreExitPlacement(state, placement);
}

} // namespace tarvelo
