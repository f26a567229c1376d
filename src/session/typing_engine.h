#pragma once

#include "session/typing_line.h"
#include "stats/typing_stats.h"

#include <cstdint>
#include <functional>
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

// A timer the window runs for the engine. `restarts` grows whenever the
// engine wants the timer started afresh.
struct TimerState
{
    bool enabled = false;
    int intervalMs = 0;
    unsigned restarts = 0;
};

// One glyph of the typed line: `cell` counts character cells from 0 (the
// caret sits between cells).
struct TypedGlyph
{
    double cell = 0;
    char character = 0;
    std::int32_t colour = 0;
};

// The typing session behind the session window, for lessons and practice:
// takes one keystroke at a time, compares it with the expected line (plainly
// or with intelligent detection), marks and counts errors and moves from line
// to line. The window shows its state and forwards keys, options and ticks.
class TypingEngine
{
public:
    static constexpr int kIndicatorAi = 3;
    static constexpr int kIndicatorBackspace = 4;
    static constexpr std::int32_t kHighlightColour = 0x80FF80;
    static constexpr int kStatsIntervalMs = 250;
    static constexpr int kCaretIntervalMs = 450;
    static constexpr int kFlashIntervalMs = 260;

    TypingEngine(SessionContext context, CompleteTotals& totals, LetterTallies& tallies);

    // Options (saved and toggled by the window).
    bool BackspaceOn = true;
    bool AiOn = false;
    bool SoundOn = true;

    // One keystroke: a code-page character code, 8 Backspace, 9 Tab, 13 Enter.
    void TypeKey(int code);
    // "Begin" while stopped, "Next" while running.
    void BeginOrNext();
    void StopTyping();

    // Timer ticks.
    void StatsTick();
    void CaretTick();
    void FlashTick();
    TimerState StatsTimer() const;
    TimerState CaretTimer() const;
    TimerState FlashTimer() const;

    // Marks the key of the next expected character again (after a layout edit).
    void ShowNextKey();

    // State shown by the window.
    bool Running() const { return m_running; }
    bool CaretOn() const { return m_caretOn; }
    bool FocusShown() const { return m_focusShown; }
    // A line was asked for but the material has nothing to type.
    bool NothingToType() const { return m_running && m_line.LineLength == 0; }
    const std::string& BeginCaption() const { return m_beginCaption; }
    std::int16_t SentenceCounter() const { return m_sentenceCounter; }
    const std::string& SentenceNumberLabel() const { return m_sentenceLabel; }
    std::string ExpectedText() const;
    std::vector<TypedGlyph> TypedLineGlyphs() const;
    // Keys filled with the highlight colour.
    const std::vector<int>& HighlightedKeys() const { return m_highlightedKeys; }
    // Option indicators flashing red.
    const std::vector<int>& FlashedIndicators() const { return m_flashed; }
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
    void ClearKeyHighlights();
    void FlashIndicators(std::vector<int> indicators);
    void RestartCaret();
    void PlainKey(int code);

    // Intelligent detection.
    void DetectKey();
    void Confirm(int p);
    void ArrangeSent(int a, int b, int c, int d);
    void ArrangeSinglePosition(int a, int c, int d);
    void ArrangeSingleKey(int a, int b, int c);
    bool ArrangePairInStep(int a, int b, int c, int d);
    bool ArrangeSwappedPair(int a, int b, int c, int d);
    void ArrangeSingleLetters(int a, int b, int c, int d);
    void SkipPositions(int from, int to);
    void FinishUnderDetection();

    SessionContext m_context;
    TypingStats m_stats;
    TypingLine m_line;

    bool m_running = false;
    bool m_caretOn = false;
    bool m_focusShown = false;
    bool m_nextPressed = false;
    std::int16_t m_sentenceCounter = 1;
    std::string m_sentenceLabel = "0";
    std::string m_beginCaption = "Begin";
    std::vector<int> m_highlightedKeys;
    std::vector<int> m_flashed;
    unsigned m_caretRestarts = 0;
    unsigned m_flashRestarts = 0;
};

} // namespace tarvelo
