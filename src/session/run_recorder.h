#pragma once

#include "session/typing_engine.h"
#include "stats/run_history.h"

#include <cstdint>
#include <functional>
#include <optional>

namespace tarvelo {

class UtcClock;
struct CurrentUser;

// Keeps the history of a session window's runs. A run starts with the first
// line Begin sets up and ends at Stop, at leaving the window, or when a line
// of another lesson is set up (the last line of a lesson finished or passed
// with Next); it is recorded only when at least one character was typed.
// Its one row is written at every line end and again at its end, so a program
// that is ended or crashes loses at most the line being typed. Its figures
// are the session figures gained since it started, put through the session
// panel's formulas.
class RunRecorder : public RunObserver
{
public:
    // `history` may be null (no history this time): runs are then dropped.
    // `lessonNumber` gives the lesson of the line just set up.
    RunRecorder(RunHistory* history, const CurrentUser& user, const UtcClock& clock,
                std::function<int()> lessonNumber);

    void LineSetUp(const TypingEngine& engine) override;
    void Stopping(const TypingEngine& engine) override;

    // The run the engine's figures make now, or nothing when no run is on or
    // nothing was typed.
    std::optional<RunRecord> CurrentRun(const TypingEngine& engine) const;

private:
    struct Start
    {
        std::int32_t position = 1;
        std::int32_t errors = 0;
        double ticks = 1;
        std::int64_t utc = 0;
        int lesson = 0;
        // Switching detection stops the run, after the switch: the value
        // the run was typed under is the one at its start.
        bool detection = false;
        RunHistory::RunKey key = 0;
    };

    void Begin(const TypingEngine& engine);
    void Save(const TypingEngine& engine);
    void End(const TypingEngine& engine);

    RunHistory* m_history;
    const CurrentUser& m_user;
    const UtcClock& m_clock;
    std::function<int()> m_lessonNumber;
    std::optional<Start> m_start;
};

} // namespace tarvelo
