#include "session/session_options.h"

#include "profile/profile_store.h"
#include "profile/settings_keys.h"
#include "session/typing_engine.h"
#include "state/current_user.h"
#include "state/option_cycle.h"

namespace tarvelo {
namespace {

using Option = SessionOption;

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

SessionOptions::SessionOptions(ProfileStore& profile, const CurrentUser& user,
                               const TypingEngine& engine)
    : m_profile(profile), m_user(user), m_engine(engine)
{
    m_captions = {"Begin", "Stop", "Main Menu", "AI Off", "Backspace On", "Sound On"};
    m_fills.fill(palette::kOptionFill);
    m_borders.fill(palette::kBorder);
    m_captionColours.fill(palette::kCaption);
}

// Detection on: the Backspace option is skipped and cannot be chosen.
bool SessionOptions::DetectionOn() const
{
    return m_engine.Options().detection;
}

const settings::BooleanKey& SessionOptions::BackspaceSetting() const
{
    return m_user.Practising() ? settings::kBackspacePractice : settings::kBackspaceLessons;
}

TypingOptions SessionOptions::Load()
{
    const std::string& section = m_user.UserSection;
    TypingOptions options;
    options.backspace = m_profile.Read(section, BackspaceSetting());
    m_captions[Index(Option::Backspace)] = BackspaceCaption(options.backspace);
    options.beepOnError = m_profile.Read(section, settings::kBeepOnError);
    m_captions[Index(Option::Sound)] = SoundCaption(options.beepOnError);
    options.detection = m_profile.Read(section, settings::kIntelligent);
    m_captions[Index(Option::Detection)] = AiCaption(options.detection);
    m_captionColours[Index(Option::Backspace)] =
        options.detection ? palette::kGreyCaption : palette::kCaption;
    // Detection takes no Backspace; the caption keeps the stored setting.
    if (options.detection)
        options.backspace = false;
    m_selected = Option::Begin;
    m_fills[Index(Option::Begin)] = palette::kBeginFill;
    ShowKeyboardHint();
    m_hover.reset();
    m_hoverKey.reset();
    m_savedBorders = m_borders;
    m_refusalsSeen = m_engine.RefusalCount();
    return options;
}

void SessionOptions::Step(int step)
{
    Option to = Cycled(m_selected, step, kOptionCount);
    if (to == Option::Backspace && DetectionOn())
        to = Cycled(to, step, kOptionCount);
    MoveSelection(to);
}

bool SessionOptions::Select(SessionOption option)
{
    if (option == Option::Backspace && DetectionOn())
        return false;
    MoveSelection(option);
    return true;
}

TypingOptions SessionOptions::Toggle()
{
    switch (m_selected) {
    case Option::Detection:
        return ToggleAi();
    case Option::Backspace:
        return ToggleBackspace();
    case Option::Sound:
        return ToggleSound();
    case Option::Begin:
    case Option::Stop:
    case Option::MainMenu:
        break;
    }
    return m_engine.Options();
}

void SessionOptions::FollowRefusals()
{
    if (m_engine.RefusalCount() == m_refusalsSeen)
        return;
    m_refusalsSeen = m_engine.RefusalCount();
    m_fills[Index(Option::Backspace)] = kFlashFill;
    if (m_engine.LastRefusal() == Refusal::UnderDetection)
        m_fills[Index(Option::Detection)] = kFlashFill;
    m_flashing = true;
    ++m_flashRestarts;
}

void SessionOptions::FlashTick()
{
    m_flashing = false;
    m_fills[Index(Option::Detection)] = kAfterFlashFill;
    m_fills[Index(Option::Backspace)] = kAfterFlashFill;
}

TimerState SessionOptions::FlashTimer() const
{
    return {m_flashing, kFlashIntervalMs, m_flashRestarts};
}

void SessionOptions::HoverOption(SessionOption option)
{
    m_hint = MouseHint(option);
    if (m_hover == option)
        return;
    if (m_hover)
        m_borders[Index(*m_hover)] = m_savedBorders[Index(*m_hover)];
    m_borders[Index(option)] = palette::kHoverBorder;
    m_hover = option;
}

void SessionOptions::HoverBackground()
{
    ShowKeyboardHint();
    if (m_hover)
        m_borders[Index(*m_hover)] = m_savedBorders[Index(*m_hover)];
    m_hover.reset();
    m_hoverKey.reset();
}

void SessionOptions::HoverKey(int key)
{
    if (key < 1) {
        HoverBackground();
        return;
    }
    m_hoverKey = key;
}

std::string SessionOptions::Caption(SessionOption option) const
{
    if (option == Option::Begin)
        return m_engine.Running() ? "Next" : "Begin";
    return m_captions[Index(option)];
}

std::int32_t SessionOptions::Fill(SessionOption option) const
{
    return m_fills[Index(option)];
}

std::int32_t SessionOptions::Border(SessionOption option) const
{
    return m_borders[Index(option)];
}

std::int32_t SessionOptions::CaptionColour(SessionOption option) const
{
    return m_captionColours[Index(option)];
}

std::string_view SessionOptions::KeyboardHint(SessionOption option)
{
    return kKeyboardHints[Index(option)];
}

std::string_view SessionOptions::MouseHint(SessionOption option)
{
    return kMouseHints[Index(option)];
}

void SessionOptions::MoveSelection(SessionOption to)
{
    m_fills[Index(m_selected)] =
        m_selected == Option::Begin ? palette::kBeginFill : palette::kOptionFill;
    m_fills[Index(to)] = to == Option::Begin ? palette::kSelectedBeginFill : palette::kSelectedFill;
    m_selected = to;
}

TypingOptions SessionOptions::ToggleAi()
{
    const std::string& section = m_user.UserSection;
    TypingOptions options = m_engine.Options();
    if (options.detection) {
        options.detection = false;
        m_captionColours[Index(Option::Backspace)] = palette::kCaption;
        options.backspace = m_profile.Read(section, BackspaceSetting());
    } else {
        options.detection = true;
        m_captionColours[Index(Option::Backspace)] = palette::kGreyCaption;
    }
    m_captions[Index(Option::Detection)] = AiCaption(options.detection);
    m_profile.Write(section, settings::kIntelligent, options.detection);
    return options;
}

TypingOptions SessionOptions::ToggleBackspace()
{
    TypingOptions options = m_engine.Options();
    options.backspace = !options.backspace;
    m_captions[Index(Option::Backspace)] = BackspaceCaption(options.backspace);
    m_profile.Write(m_user.UserSection, BackspaceSetting(), options.backspace);
    return options;
}

TypingOptions SessionOptions::ToggleSound()
{
    TypingOptions options = m_engine.Options();
    options.beepOnError = !options.beepOnError;
    m_captions[Index(Option::Sound)] = SoundCaption(options.beepOnError);
    m_profile.Write(m_user.UserSection, settings::kBeepOnError, options.beepOnError);
    return options;
}

void SessionOptions::ShowKeyboardHint()
{
    m_hint = KeyboardHint(m_selected);
}

} // namespace tarvelo
