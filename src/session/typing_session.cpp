#include "session/typing_session.h"

#include "drill/drill_sources.h"
#include "history/shared_history.h"
#include "profile/app_folder.h"
#include "profile/key_codes.h"
#include "profile/profile_store.h"
#include "profile/settings_keys.h"
#include "state/program_state.h"

namespace tarvelo {

TypingSession::TypingSession(ProgramState& state, SessionPlatform platform)
    : m_state(state), m_dialogs(platform.dialogs), m_keyboards(platform.keyboards),
      m_lessons(state.profile, state.appFolder),
      m_lines(state.profile, state.user, m_practice, m_lessons, m_guide),
      m_drills(platform.drillSeed),
      m_engine(SessionContext{state.profile, state.user,
                              state.user.Drilling() ? static_cast<LineSource&>(m_drills) : m_lines,
                              state.layout, platform.beeper},
               state.totals, state.tallies),
      m_recorder(&state.history.Get(), state.user, platform.clock,
                 [this] { return int{m_lessons.LessonNumber()}; }),
      m_options(state.profile, state.user, m_engine), m_keyEditor(state.layout, state.profile),
      m_material(state.appFolder, state.user.Practising())
{
    m_recorder.SetLayout(&state.layout);
    // A line end's rows wait until the window has shown its keystroke.
    m_recorder.HoldLineWrites(true);
    m_engine.HoldLineEndSaves(true);
    m_engine.SetRunObserver(&m_recorder);
}

TypingSession::~TypingSession()
{
    m_engine.SaveHeld();
    m_recorder.WriteHeld();
}

std::vector<SessionMessage> TypingSession::Start()
{
    m_engine.SetOptions(m_options.Load());
    m_practice.LoadPracticeText(DataFilePath(m_state.appFolder, PracticeText::kFileName));
    m_material.PracticeTextRead(m_practice.LastRead());
    m_lessons.LoadLessons(m_state.user.UserSection);
    std::vector<SessionMessage> messages;
    if (m_state.user.SessionNumber == 0)
        messages.push_back({std::string(kFirstUseText), kFirstUseTitle, MessageIcon::None});
    if (auto missing = m_material.MissingAtStart())
        messages.push_back({std::move(*missing), kMessageTitle, MessageIcon::Exclamation});
    if (const auto& unreadable = m_material.Unreadable())
        messages.push_back({*unreadable, kMessageTitle, MessageIcon::Exclamation});
    // The drills learn the practice text's letters and words, and the
    // user's speeds from every run on this keyboard layout.
    if (Drilling()) {
        const DrillSources sources = ReadDrillSources(m_state);
        m_drills.Load(sources.practiceFile, sources.logs, sources.target);
        m_recorder.SetLineTyped(
            [this](std::span<const Keystroke> line) { m_drills.FoldLine(line); });
    }
    m_state.layout.SetKeyCaptions();
    AddHistoryNotice(messages);
    return messages;
}

void TypingSession::KeyPressed(std::uint64_t eventMs, bool typesNothing)
{
    m_recorder.KeyPressed(eventMs, typesNothing);
}

SessionReply TypingSession::KeyDown(NavigationKey key)
{
    if (m_left)
        return Ignored();
    Outcome outcome = Outcome::None;
    switch (key) {
    case NavigationKey::Escape:
        if (m_engine.Running())
            m_engine.StopTyping();
        else
            outcome = Outcome::Leave;
        break;
    case NavigationKey::Up:
        m_options.Step(-1);
        break;
    case NavigationKey::Down:
        m_options.Step(1);
        break;
    case NavigationKey::Right:
        outcome = Activate();
        break;
    case NavigationKey::Enter: {
        // At the last position Enter is left to the key press, which finishes
        // the line.
        const TypingLine& line = m_engine.Line();
        if (!m_engine.Running() || line.SentencePosition < line.LineLength)
            outcome = Activate();
        break;
    }
    case NavigationKey::Left:
        if (m_options.SelectedOption() == SessionOption::MainMenu)
            outcome = Outcome::Leave;
        break;
    case NavigationKey::Delete:
    case NavigationKey::Other:
        break;
    }
    m_options.ShowKeyboardHint();
    return Reply(outcome);
}

SessionReply TypingSession::TypeKey(int code)
{
    if (m_left || code == keycode::kEscape)
        return Ignored();
    m_engine.TypeKey(code);
    return Reply(AfterEngine());
}

SessionReply TypingSession::Press(SessionOption option)
{
    if (!m_options.Select(option))
        return Reply();
    return KeyDown(NavigationKey::Right);
}

SessionReply TypingSession::PressTypingLine()
{
    if (m_engine.Running())
        return Reply();
    return Press(SessionOption::Begin);
}

SessionReply TypingSession::WriteHeld()
{
    m_engine.SaveHeld();
    m_recorder.WriteHeld();
    SessionReply reply;
    AddHistoryNotice(reply.messages);
    return reply;
}

SessionReply TypingSession::ChooseTargetSpeed()
{
    if (m_left)
        return Ignored();
    SessionReply reply;
    const auto answer = m_dialogs.AskText(DrillLines::kTargetPrompt, kMessageTitle,
                                          std::to_string(m_drills.Target().Wpm()));
    if (!answer)
        return reply;
    if (const std::optional<int> wpm = ParseTargetWpm(*answer)) {
        m_state.profile.Write(m_state.user.UserSection, settings::kTargetWpm,
                              static_cast<std::int16_t>(*wpm));
        m_drills.SetTarget(TargetSpeed(*wpm));
    } else {
        reply.messages.push_back(
            {std::string(DrillLines::kTargetRefused), kMessageTitle, MessageIcon::Exclamation});
    }
    return reply;
}

SessionReply TypingSession::AskDedication()
{
    SessionReply reply;
    const auto answer = m_dialogs.AskText(kDedicationPrompt, kMessageTitle, "");
    if (answer && *answer == kDedicationAnswer)
        reply.messages.push_back(
            {std::string(kDedicationText), kDedicationTitle, MessageIcon::None});
    return reply;
}

bool TypingSession::CloseKeyEdit()
{
    if (!m_keyEditor.IsOpen())
        return false;
    m_keyEditor.Close();
    return true;
}

SessionReply TypingSession::TypeIntoKeyEdit(int code)
{
    if (!m_keyEditor.IsOpen())
        return Ignored();
    SessionReply reply;
    if (code == keycode::kOutsideCodePage) {
        m_keyEditor.Close();
        reply.messages.push_back({std::string(KeyEditor::kOutsideCodePage),
                                  KeyEditor::kOutsideCodePageTitle, MessageIcon::Exclamation});
    } else if (code == keycode::kEscape || code >= keycode::kFirstPrintable) {
        if (m_keyEditor.Type(code))
            KeysChanged();
    } else {
        reply.taken = false;
    }
    return reply;
}

void TypingSession::ClearKeyEdit()
{
    if (m_keyEditor.Clear())
        KeysChanged();
}

bool TypingSession::ResetKeys()
{
    const bool changed = m_keyEditor.Reset(m_dialogs);
    if (changed)
        KeysChanged();
    return changed;
}

bool TypingSession::MatchKeyboard()
{
    const bool changed = m_keyEditor.Match(m_dialogs, m_keyboards);
    if (changed)
        KeysChanged();
    return changed;
}

bool TypingSession::KeyChoiceOpen() const
{
    return !m_left && !m_keyEditor.IsOpen();
}

std::optional<int> TypingSession::FirstKeyToChoose() const
{
    const std::vector<int>& next = m_engine.NextKeys();
    if (next.empty())
        return std::nullopt;
    return next.back();
}

bool TypingSession::LeaveForMenu()
{
    if (m_left)
        return false;
    m_left = true;
    m_engine.StopTyping();
    return true;
}

bool TypingSession::CloseProgram()
{
    if (m_left)
        return false;
    m_left = true;
    m_engine.SaveHeld();
    m_recorder.Stopping(m_engine); // the run so far is kept as the program ends
    return true;
}

bool TypingSession::Drilling() const
{
    return m_state.user.Drilling();
}

std::string_view TypingSession::ModeLabel() const
{
    if (Drilling())
        return kDrillMode;
    return m_state.user.Practising() ? kPracticeMode : kLessonMode;
}

std::string TypingSession::WindowTitle() const
{
    return std::string(kTitlePrefix) + TitleName(m_state.user.UserName);
}

std::string TypingSession::SaveNotice() const
{
    const std::optional<WriteError>& failing = m_state.profile.FailingWrite();
    if (!failing)
        return {};
    return "Your progress is not being saved: " + WriteErrorCause(*failing) +
           ". Tarvelo tries again at the end of every line.";
}

TypingSession::Outcome TypingSession::Activate()
{
    switch (m_options.SelectedOption()) {
    case SessionOption::Begin:
        m_engine.BeginOrNext();
        return AfterEngine();
    case SessionOption::Stop:
        m_engine.StopTyping();
        break;
    case SessionOption::MainMenu:
        return Outcome::Leave;
    case SessionOption::Detection:
        m_engine.SetOptions(m_options.Toggle());
        // The next Begin starts a run under the new setting.
        if (m_engine.Running())
            m_engine.StopTyping();
        break;
    case SessionOption::Backspace:
    case SessionOption::Sound:
        m_engine.SetOptions(m_options.Toggle());
        break;
    }
    return Outcome::None;
}

TypingSession::Outcome TypingSession::AfterEngine()
{
    m_options.FollowRefusals();
    if (m_engine.NothingToType()) {
        m_engine.StopTyping();
        return Outcome::NothingToType;
    }
    return Outcome::None;
}

void TypingSession::KeysChanged()
{
    if (m_engine.Running())
        m_engine.ShowNextKey();
}

SessionReply TypingSession::Ignored()
{
    SessionReply reply;
    reply.taken = false;
    return reply;
}

SessionReply TypingSession::Reply(Outcome outcome)
{
    SessionReply reply;
    reply.writeHeld = m_recorder.HasHeld() || m_engine.HasHeldSave();
    AddHistoryNotice(reply.messages);
    if (outcome == Outcome::NothingToType) {
        reply.messages.push_back({m_material.NothingToType(NothingToTypeMessage()), kMessageTitle,
                                  MessageIcon::Information});
    }
    reply.leave = outcome == Outcome::Leave;
    return reply;
}

void TypingSession::AddHistoryNotice(std::vector<SessionMessage>& messages)
{
    if (std::string notice = m_state.history.TakeNotice(); !notice.empty())
        messages.push_back({std::move(notice), kMessageTitle, MessageIcon::Exclamation});
}

std::string_view TypingSession::NothingToTypeMessage() const
{
    if (Drilling())
        return kNoDrillLetters;
    return m_state.user.Practising() ? kNoSentences : kNoLessonLines;
}

} // namespace tarvelo
