#pragma once

#include "session/typing_line.h"
#include "state/complete_totals.h"
#include "state/timer_state.h"
#include "stats/typing_stats.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tarvelo {

class Beeper;
class KeyboardLayout;
class LineSource;
class ProfileStore;
struct CurrentUser;

// Everything outside the session that the engine works with.
struct SessionContext
{
    ProfileStore& profile;
    const CurrentUser& user;
    LineSource& lines;
    const KeyboardLayout& layout;
    Beeper& beeper;
};

// One typed position as shown: `cell` counts character cells from 0.
struct TypedCell
{
    int cell = 0;
    char character = 0;
    Mark mark = Mark::Correct;
};

// The user's choices for the run.
struct TypingOptions
{
    bool backspace = true;
    bool detection = false;
    bool beepOnError = true;
};

class TypingEngine;

// Told when a run's figures are complete: after each line is set up (the
// previous line counted in full), and just before typing stops and the
// session figures are reset.
class RunObserver
{
public:
    virtual ~RunObserver() = default;
    virtual void LineSetUp(const TypingEngine& engine) = 0;
    virtual void Stopping(const TypingEngine& engine) = 0;
    // A character is typed at the current position, before the engine takes
    // it (Enter on the last position as its space; Backspace is none).
    virtual void Typed(char /*expected*/, char /*typed*/) {}
    // The line being typed ends, finished or passed with Next, before the
    // next one is asked for.
    virtual void LineEnding(const TypingEngine& /*engine*/) {}
};

// Why a Backspace was not taken.
enum class Refusal
{
    BackspaceOff,
    UnderDetection, // detection re-aligns instead; Backspace would undo nothing
};

// The typing session behind the session window, for lessons and practice:
// takes one keystroke at a time, compares it with the expected line (plainly
// or with intelligent detection), marks and counts errors and moves from line
// to line. The window shows its state and forwards keys, options and ticks.
class TypingEngine
{
public:
    static constexpr int kStatsIntervalMs = 250;
    static constexpr int kCaretIntervalMs = 450;

    TypingEngine(SessionContext context, CompleteTotals& totals, LetterTallies& tallies);

    const TypingOptions& Options() const { return m_options; }
    void SetOptions(const TypingOptions& options) { m_options = options; }
    // May be null; not owned.
    void SetRunObserver(RunObserver* observer) { m_observer = observer; }

    // The totals a line end stores are held until SaveHeld(), so that the
    // window can show the keystroke that ended the line before waiting for
    // the disk; they are stored as they were at the line end.
    void HoldLineEndSaves(bool hold) { m_holdSaves = hold; }
    bool HasHeldSave() const { return m_totalsDue; }
    void SaveHeld();

    // One keystroke: a code-page character code, 8 Backspace, 9 Tab, 13 Enter.
    void TypeKey(int code);
    // "Begin" while stopped, "Next" while running.
    void BeginOrNext();
    void StopTyping();

    // Timer ticks.
    void StatsTick();
    void CaretTick();
    TimerState StatsTimer() const;
    TimerState CaretTimer() const;

    // Marks the key of the next expected character again (after a layout edit).
    void ShowNextKey();

    // State shown by the window.
    bool Running() const { return m_running; }
    bool CaretOn() const { return m_caretOn; }
    bool FocusShown() const { return m_focusShown; }
    // A line was asked for but the material has nothing to type.
    bool NothingToType() const { return m_running && m_line.LineLength == 0; }
    std::int16_t SentenceCounter() const { return m_sentenceCounter; }
    // The practice sentence number the panel shows; 0 before the first.
    int ShownSentenceNumber() const { return m_shownSentence; }
    std::string ExpectedText() const;
    // The typed positions before the cursor that show a character.
    std::vector<TypedCell> TypedCells() const;
    // The cell the blinking caret stands before, while it is on.
    std::optional<int> CaretCell() const;
    // The on-screen keys that type the next expected character (with Shift).
    const std::vector<int>& NextKeys() const { return m_nextKeys; }
    // Refused Backspaces so far, and why the last one was.
    unsigned RefusalCount() const { return m_refusals; }
    Refusal LastRefusal() const { return m_lastRefusal; }
    const TypingLine& Line() const { return m_line; }
    const TypingStats& Stats() const { return m_stats; }
    TypingStats& Stats() { return m_stats; }

private:
    bool Practising() const;
    void LoadLine(bool lesson);
    void UndoKey();
    void CompletePracticeSentence();
    void FinishLessonLine();
    void SetUpNextLine(bool lesson);
    void EndOfLine();
    void Refuse(Refusal refusal);
    void RestartCaret();
    void PlainKey(int code);

    // Intelligent detection.
    void DetectKey();
    // Confirms every step of three matching keystrokes within reach of the
    // cursor; returns the last position the search reached.
    int ConfirmStepsInReach();
    void PlaceCursor();
    // Settles the line up to `stepEnd`, the last of three keystrokes that
    // match the text, and charges what led there.
    void Confirm(int stepEnd);
    void ConfirmNextPosition();
    void ArrangeBeforeStep(int stepEnd, int lastKey);
    void ChargeUpToStep(int stepEnd);
    void ChargeReentry(int stepEnd, int lastKey);
    void SettleUpTo(int position);
    // Places keystrokes fromKey..toKey onto positions fromPos..toPos.
    void ArrangeKeystrokes(int fromPos, int toPos, int fromKey, int toKey);
    void ArrangeOnePosition(int position, int fromKey, int toKey);
    void ArrangeOneKeystroke(int fromPos, int toPos, int key);
    bool ArrangePairInStep(int fromPos, int toPos, int fromKey, int toKey);
    bool ArrangeSwappedPair(int fromPos, int toPos, int fromKey, int toKey);
    // After a pair placed at `placedPos` from `placedKey`, the keystrokes left.
    void ArrangeRest(int placedPos, int placedKey, int toKey);
    void ArrangeSingleLetters(int fromPos, int toPos, int fromKey, int toKey);
    void SkipPositions(int from, int to);
    void FinishUnderDetection();

    SessionContext m_context;
    TypingOptions m_options;
    RunObserver* m_observer = nullptr;
    bool m_holdSaves = false;
    bool m_totalsDue = false;
    // The totals as the line ended; what is counted after belongs to the
    // next save.
    CompleteTotals m_totalsAtLineEnd;
    TypingStats m_stats;
    TypingLine m_line;

    bool m_running = false;
    bool m_caretOn = false;
    bool m_focusShown = false;
    bool m_nextPressed = false;
    std::int16_t m_sentenceCounter = 1;
    int m_shownSentence = 0;
    std::vector<int> m_nextKeys;
    unsigned m_refusals = 0;
    Refusal m_lastRefusal = Refusal::BackspaceOff;
    unsigned m_caretRestarts = 0;
};

} // namespace tarvelo
