#pragma once

#include "drill/keystroke_recorder.h"
#include "history/run_history.h"
#include "session/typing_engine.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>

namespace tarvelo {

class KeyboardLayout;
class UtcClock;
struct CurrentUser;

// Keeps the history of a session window's runs. A run starts with the first
// line Begin sets up and ends at Stop, at leaving the window, or when a line
// of another lesson is set up (the last line of a lesson finished or passed
// with Next); it is recorded only when at least one character was typed.
// Its one row is written at every line end and again at its end, so a program
// that is ended or crashes loses at most the line being typed. Its figures
// are the session figures gained since it started, put through the session
// panel's formulas. Its keystrokes are timed from their key events and go
// out packed with that row, under the identity of the keyboard layout.
class RunRecorder : public RunObserver
{
public:
    // `history` may be null (no history this time): runs are then dropped.
    // `lessonNumber` gives the lesson of the line just set up.
    RunRecorder(RunHistory* history, const CurrentUser& user, const UtcClock& clock,
                std::function<int()> lessonNumber);

    // The layout whose identity goes with each run; none: an empty one.
    void SetLayout(const KeyboardLayout* layout) { m_layout = layout; }
    // Told the keystrokes of each line as it ends (the drills fold them).
    void SetLineTyped(std::function<void(std::span<const Keystroke>)> lineTyped)
    {
        m_lineTyped = std::move(lineTyped);
    }

    // A key event of the window, with its own timestamp: every typed
    // character after it is timed from it (an input-method commit has no
    // event of its own). `typesNothing`: a modifier, dead key or Backspace
    // on the way to the next character.
    void KeyPressed(std::uint64_t eventMs, bool typesNothing);

    void LineSetUp(const TypingEngine& engine) override;
    void Stopping(const TypingEngine& engine) override;
    void Typed(char expected, char typed) override;
    void LineEnding(const TypingEngine& engine) override;

    // Rows written at a line end are held until WriteHeld(), so that the
    // window can show the keystroke that ended the line before waiting for
    // the disk; a run's end is written at once, with anything held.
    void HoldLineWrites(bool hold) { m_holdLineWrites = hold; }
    bool HasHeld() const { return m_held.has_value(); }
    void WriteHeld();

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
    struct HeldRow
    {
        RunHistory::RunKey key = 0;
        RunRecord run;
    };

    void Save(const TypingEngine& engine, bool now);
    void End(const TypingEngine& engine);

    RunHistory* m_history;
    const CurrentUser& m_user;
    const UtcClock& m_clock;
    std::function<int()> m_lessonNumber;
    const KeyboardLayout* m_layout = nullptr;
    std::function<void(std::span<const Keystroke>)> m_lineTyped;
    std::optional<Start> m_start;
    KeystrokeRecorder m_keystrokes;
    std::string m_layoutIdentity;
    std::uint64_t m_eventMs = 0;
    bool m_holdLineWrites = false;
    std::optional<HeldRow> m_held;
};

} // namespace tarvelo
