#include "session/run_recorder.h"

#include "drill/layout_identity.h"
#include "history/history_clock.h"
#include "state/current_user.h"

#include <utility>

namespace tarvelo {

RunRecorder::RunRecorder(RunHistory* history, const CurrentUser& user, const UtcClock& clock,
                         std::function<int()> lessonNumber)
    : m_history(history), m_user(user), m_clock(clock), m_lessonNumber(std::move(lessonNumber))
{}

void RunRecorder::LineSetUp(const TypingEngine& engine)
{
    if (engine.NothingToType())
        return; // the window stops the run at once
    if (!m_start) {
        Begin(engine);
        return;
    }
    if (!m_user.Practising() && m_lessonNumber && m_lessonNumber() != m_start->lesson) {
        End(engine);
        Begin(engine);
        return;
    }
    Save(engine, false);
}

void RunRecorder::Stopping(const TypingEngine& engine)
{
    if (!m_start)
        return;
    LineEnding(engine); // the line broken off counts as far as it was typed
    End(engine);
}

void RunRecorder::KeyPressed(std::uint64_t eventMs, bool typesNothing)
{
    m_eventMs = eventMs;
    if (typesNothing && m_start)
        m_keystrokes.ExtraKey();
}

void RunRecorder::Typed(char expected, char typed)
{
    if (m_start)
        m_keystrokes.Typed(expected, typed, typed != expected, m_eventMs);
}

void RunRecorder::LineEnding(const TypingEngine&)
{
    if (!m_start)
        return;
    const std::vector<Keystroke> line = m_keystrokes.EndLine();
    if (!line.empty() && m_lineTyped)
        m_lineTyped(line);
}

void RunRecorder::Begin(const TypingEngine& engine)
{
    const TypingStats& stats = engine.Stats();
    Start start;
    start.position = stats.SessionPosition;
    start.errors = stats.SessionErrors;
    start.ticks = stats.SessionTime;
    start.utc = m_clock.NowUtc();
    start.lesson = m_user.Practising() || !m_lessonNumber ? 0 : m_lessonNumber();
    start.detection = engine.Options().detection;
    start.key = m_history ? m_history->NewRun() : 0;
    m_start = start;
    m_keystrokes = KeystrokeRecorder{};
    m_layoutIdentity = m_layout ? LayoutIdentity(*m_layout) : std::string();
}

void RunRecorder::Save(const TypingEngine& engine, bool now)
{
    const auto run = CurrentRun(engine);
    if (!run || !m_history)
        return;
    if (m_held && m_held->key != m_start->key)
        WriteHeld();
    if (m_holdLineWrites && !now) {
        m_held = HeldRow{m_start->key, *run};
        return;
    }
    // This row of the run supersedes what was held of it. What the history
    // cannot take now it keeps and tells about itself.
    m_held.reset();
    (void)m_history->Save(m_start->key, *run);
}

void RunRecorder::WriteHeld()
{
    if (m_held && m_history)
        (void)m_history->Save(m_held->key, m_held->run);
    m_held.reset();
}

void RunRecorder::End(const TypingEngine& engine)
{
    WriteHeld();
    Save(engine, true);
    m_start.reset();
}

std::optional<RunRecord> RunRecorder::CurrentRun(const TypingEngine& engine) const
{
    if (!m_start)
        return std::nullopt;
    const TypingStats& stats = engine.Stats();
    const std::int32_t characters = stats.SessionPosition - m_start->position;
    if (characters <= 0)
        return std::nullopt;

    RunRecord run;
    run.userSection = m_user.UserSection;
    run.userName = m_user.UserName;
    run.startUtc = m_start->utc;
    run.endUtc = m_clock.NowUtc();
    run.mode = m_user.Drilling()     ? RunMode::Drill
               : m_user.Practising() ? RunMode::Practice
                                     : RunMode::Lesson;
    run.lessonNumber = m_start->lesson;
    run.characters = characters;
    run.errors = stats.SessionErrors - m_start->errors;
    run.ticks = static_cast<double>(stats.SessionTime) - m_start->ticks;
    // The panel's figures for a session that began with this run: position
    // and time start at 1, and the accuracy's position counts what was typed.
    run.wpm = TypingStats::WordsPerMinute(characters + 1.0, run.errors, run.ticks + 1.0);
    run.accuracy = TypingStats::Accuracy(characters, run.errors);
    run.detection = m_start->detection;
    run.layout = m_layoutIdentity;
    run.keystrokes = m_keystrokes.PackedLog();
    return run;
}

} // namespace tarvelo
