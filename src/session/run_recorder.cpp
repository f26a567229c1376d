#include "session/run_recorder.h"

#include "state/current_user.h"
#include "stats/history_clock.h"

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
    Save(engine);
}

void RunRecorder::Stopping(const TypingEngine& engine)
{
    if (m_start)
        End(engine);
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
}

void RunRecorder::Save(const TypingEngine& engine)
{
    // What the history cannot take now it keeps and tells about itself.
    if (const auto run = CurrentRun(engine); run && m_history)
        (void)m_history->Save(m_start->key, *run);
}

void RunRecorder::End(const TypingEngine& engine)
{
    Save(engine);
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
    run.mode = m_user.Practising() ? RunMode::Practice : RunMode::Lesson;
    run.lessonNumber = m_start->lesson;
    run.characters = characters;
    run.errors = stats.SessionErrors - m_start->errors;
    run.ticks = static_cast<double>(stats.SessionTime) - m_start->ticks;
    // The panel's figures for a session that began with this run: position
    // and time start at 1, and the accuracy's position counts what was typed.
    run.wpm = TypingStats::WordsPerMinute(characters + 1.0, run.errors, run.ticks + 1.0);
    run.accuracy = TypingStats::Accuracy(characters, run.errors);
    run.detection = m_start->detection;
    return run;
}

} // namespace tarvelo
