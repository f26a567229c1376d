#include "session/session_options.h"

#include "profile/profile_store.h"
#include "profile/settings_keys.h"
#include "session/typing_engine.h"
#include "state/current_user.h"

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

SessionOptions::SessionOptions(ProfileStore& profile, const CurrentUser& user, TypingEngine& engine)
    : m_profile(profile), m_user(user), m_engine(engine)
{
    m_captions = {"Begin", "Stop", "Main Menu", "AI Off", "Backspace On", "Sound On"};
    m_fills.fill(kFill);
    m_borders.fill(kBorder);
    m_captionColours.fill(kCaptionColour);
}

bool SessionOptions::DetectionOn() const
{
    return m_engine.Options().detection;
}

const settings::BooleanKey& SessionOptions::BackspaceSetting() const
{
    return m_user.Practising() ? settings::kBackspacePractice : settings::kBackspaceLessons;
}

void SessionOptions::Load()
{
    const std::string& section = m_user.UserSection;
    TypingOptions options;
    options.backspace = m_profile.Read(section, BackspaceSetting());
    m_captions[Index(Option::Backspace)] = BackspaceCaption(options.backspace);
    options.beepOnError = m_profile.Read(section, settings::kBeepOnError);
    m_captions[Index(Option::Sound)] = SoundCaption(options.beepOnError);
    options.detection = m_profile.Read(section, settings::kIntelligent);
    m_captions[Index(Option::Detection)] = AiCaption(options.detection);
    m_captionColours[Index(Option::Backspace)] = options.detection ? kGreyCaption : kCaptionColour;
    // Detection takes no Backspace; the caption keeps the stored setting.
    if (options.detection)
        options.backspace = false;
    m_engine.SetOptions(options);
    m_selected = Option::Begin;
    m_fills[Index(Option::Begin)] = kBeginFill;
    ShowKeyboardHint();
    m_hover.reset();
    m_hoverKey.reset();
    m_savedBorders = m_borders;
    m_refusalsSeen = m_engine.RefusalCount();
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
        int to = static_cast<int>(m_selected) - 1;
        if (to == static_cast<int>(Option::Backspace) && DetectionOn())
            to = static_cast<int>(Option::Detection);
        if (to == -1)
            to = static_cast<int>(Option::Sound);
        MoveSelection(static_cast<Option>(to));
        break;
    }
    case OptionKey::Down: {
        int to = static_cast<int>(m_selected) + 1;
        if (to == static_cast<int>(Option::Backspace) && DetectionOn())
            to = static_cast<int>(Option::Sound);
        if (to == kOptionCount)
            to = static_cast<int>(Option::Begin);
        MoveSelection(static_cast<Option>(to));
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
        if (m_selected == Option::MainMenu)
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

OptionOutcome SessionOptions::Press(SessionOption option)
{
    if (option == Option::Backspace && DetectionOn())
        return OptionOutcome::None;
    MoveSelection(option);
    return KeyDown(OptionKey::Right);
}

OptionOutcome SessionOptions::PressTypingLine()
{
    if (m_engine.Running())
        return OptionOutcome::None;
    return Press(Option::Begin);
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
    m_borders[Index(option)] = kHoverBorder;
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

void SessionOptions::StopForExit()
{
    m_engine.StopTyping();
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

std::string_view SessionOptions::ModeLabel() const
{
    return m_user.Practising() ? kPracticeMode : kLessonMode;
}

std::string SessionOptions::SaveNotice() const
{
    const std::optional<WriteError>& failing = m_profile.FailingWrite();
    if (!failing)
        return {};
    return "Your progress is not being saved: " + WriteErrorCause(*failing) +
           ". Tarvelo tries again at the end of every line.";
}

std::string_view SessionOptions::NothingToTypeMessage() const
{
    return m_user.Practising() ? kNoSentences : kNoLessonLines;
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
    m_fills[Index(m_selected)] = m_selected == Option::Begin ? kBeginFill : kFill;
    m_fills[Index(to)] = to == Option::Begin ? kSelectedBeginFill : kSelectedFill;
    m_selected = to;
}

OptionOutcome SessionOptions::Activate()
{
    switch (m_selected) {
    case Option::Begin:
        m_engine.BeginOrNext();
        return AfterEngine();
    case Option::Stop:
        m_engine.StopTyping();
        break;
    case Option::MainMenu:
        return OptionOutcome::ExitToMenu;
    case Option::Detection:
        ToggleAi();
        break;
    case Option::Backspace:
        ToggleBackspace();
        break;
    case Option::Sound:
        ToggleSound();
        break;
    }
    return OptionOutcome::None;
}

void SessionOptions::ToggleAi()
{
    const std::string& section = m_user.UserSection;
    TypingOptions options = m_engine.Options();
    if (options.detection) {
        options.detection = false;
        m_captionColours[Index(Option::Backspace)] = kCaptionColour;
        options.backspace = m_profile.Read(section, BackspaceSetting());
    } else {
        options.detection = true;
        m_captionColours[Index(Option::Backspace)] = kGreyCaption;
    }
    m_engine.SetOptions(options);
    m_captions[Index(Option::Detection)] = AiCaption(options.detection);
    m_profile.Write(section, settings::kIntelligent, options.detection);
    // The next Begin starts a run under the new setting.
    if (m_engine.Running())
        m_engine.StopTyping();
}

void SessionOptions::ToggleBackspace()
{
    TypingOptions options = m_engine.Options();
    options.backspace = !options.backspace;
    m_engine.SetOptions(options);
    m_captions[Index(Option::Backspace)] = BackspaceCaption(options.backspace);
    m_profile.Write(m_user.UserSection, BackspaceSetting(), options.backspace);
}

void SessionOptions::ToggleSound()
{
    TypingOptions options = m_engine.Options();
    options.beepOnError = !options.beepOnError;
    m_engine.SetOptions(options);
    m_captions[Index(Option::Sound)] = SoundCaption(options.beepOnError);
    m_profile.Write(m_user.UserSection, settings::kBeepOnError, options.beepOnError);
}

void SessionOptions::ShowKeyboardHint()
{
    m_hint = KeyboardHint(m_selected);
}

OptionOutcome SessionOptions::AfterEngine()
{
    // A refused Backspace flashes its option red, and under detection the
    // detection option too.
    if (m_engine.RefusalCount() != m_refusalsSeen) {
        m_refusalsSeen = m_engine.RefusalCount();
        m_fills[Index(Option::Backspace)] = kFlashFill;
        if (m_engine.LastRefusal() == Refusal::UnderDetection)
            m_fills[Index(Option::Detection)] = kFlashFill;
        m_flashing = true;
        ++m_flashRestarts;
    }
    if (m_engine.NothingToType()) {
        m_engine.StopTyping();
        return OptionOutcome::NothingToType;
    }
    return OptionOutcome::None;
}

std::string SessionWindowTitle(const CurrentUser& user)
{
    return std::string(SessionOptions::kTitlePrefix) + TitleName(user.UserName);
}

bool IsDedicationAnswer(std::string_view answer)
{
    return answer == SessionOptions::kDedicationAnswer;
}

} // namespace tarvelo
