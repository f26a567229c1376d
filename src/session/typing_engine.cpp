#include "session/typing_engine.h"

#include "platform/beeper.h"
#include "profile/key_codes.h"
#include "profile/keyboard_layout.h"
#include "session/line_source.h"
#include "state/complete_totals.h"
#include "state/current_user.h"

#include <algorithm>

namespace tarvelo {
namespace {

using keycode::kBackspace;
using keycode::kEnter;
using keycode::kSpace;
using keycode::kTab;
constexpr int kBar = '|';
constexpr int kUnderscore = '_';

} // namespace

TypingEngine::TypingEngine(SessionContext context, CompleteTotals& totals, LetterTallies& tallies)
    : m_context(context), m_stats(totals, tallies, context.user)
{
    m_stats.ResetSessionStats(true);
}

bool TypingEngine::Practising() const
{
    return m_context.user.Practising();
}

void TypingEngine::TypeKey(int code)
{
    if (!m_running || m_line.LineLength == 0)
        return;
    const bool onLastPosition = m_line.SentencePosition == m_line.LineLength;
    if (code == kEnter && !onLastPosition)
        return; // the window treats Enter mid-line as an option key
    if (!m_stats.TimerRunning())
        m_stats.StartTiming();
    if (m_line.KeyCount == TypingLine::kMaxKeys) {
        BeginOrNext();
        return;
    }
    // Enter on the last position finishes the line as its closing space would.
    if (code == kEnter)
        code = kSpace;
    if (m_observer && code != kBackspace)
        m_observer->Typed(static_cast<char>(m_line.ExpectedAt(m_line.SentencePosition)),
                          code == keycode::kOutsideCodePage ? '?' : static_cast<char>(code));
    ++m_line.KeyCount;
    m_line.SetKeystroke(m_line.KeyCount, code);

    if (!m_options.detection) {
        PlainKey(code);
        return;
    }
    if (code == kBackspace) {
        m_line.SetKeystroke(m_line.KeyCount, TypingLine::kEmpty);
        --m_line.KeyCount;
        Refuse(Refusal::UnderDetection);
        return;
    }
    DetectKey();
    ShowNextKey();
    if (m_line.KeyCount - m_line.ConfirmedPosition == 1 && m_options.beepOnError)
        m_context.beeper.Beep();
}

void TypingEngine::PlainKey(int code)
{
    TypingLine& line = m_line;
    const int pos = line.SentencePosition;
    line.SetMark(pos, Mark::Correct);
    const int expected = line.ExpectedAt(pos);

    if (code != expected) {
        if (code == kBackspace) {
            if (pos > 1 && m_options.backspace)
                UndoKey();
            else if (pos > 1)
                Refuse(Refusal::BackspaceOff);
            ShowNextKey();
            return;
        }
        if (code == kSpace || code == kTab)
            code = kBar;
        if (m_options.beepOnError)
            m_context.beeper.Beep();
        m_stats.CountWrongKeystroke();
        line.SetMark(pos, Mark::Wrong);
        // Only the first error of a run is charged to a letter.
        if (pos > 1 && line.MarkAt(pos - 1) == Mark::Correct)
            m_stats.TallyLetterError(expected);
    }
    m_stats.TallyLetterTyped(expected);
    m_stats.UpdateAccuracies(pos);
    if (pos == line.LineLength) {
        EndOfLine();
        return;
    }
    m_stats.CountPosition();
    line.SetShown(pos, code);
    ++line.SentencePosition;
    RestartCaret();
    ShowNextKey();
}

void TypingEngine::UndoKey()
{
    --m_line.SentencePosition;
    --m_line.KeyCount;
    m_stats.UncountPosition(m_line.MarkAt(m_line.SentencePosition) == Mark::Wrong,
                            m_line.SentencePosition);
}

void TypingEngine::EndOfLine()
{
    if (m_observer)
        m_observer->LineEnding(*this);
    m_stats.FinishSentence();
    if (Practising())
        CompletePracticeSentence();
    else
        FinishLessonLine();
    // Detection has counted every position of the line as it settled them.
    if (!m_options.detection)
        m_stats.CountPosition();
    ShowNextKey();
    if (m_observer)
        m_observer->LineSetUp(*this);
}

void TypingEngine::LoadLine(bool lesson)
{
    const std::string text = m_context.lines.NextLine(lesson);
    const auto length = std::min<std::size_t>(text.size(), TypingLine::kMaxLineLength);
    m_line.LineLength = static_cast<std::int16_t>(length);
    for (std::size_t i = 0; i < length; ++i)
        m_line.SetExpected(static_cast<int>(i) + 1, static_cast<unsigned char>(text[i]));
}

void TypingEngine::SetUpNextLine(bool lesson)
{
    m_running = true;
    if (!lesson) {
        m_totalsDue = true;
        m_totalsAtLineEnd = m_stats.Totals();
        if (!m_holdSaves)
            SaveHeld();
        if (m_nextPressed)
            m_nextPressed = false;
        else
            ++m_sentenceCounter;
    }
    m_line.SentencePosition = 1;
    m_line.KeyCount = 0;
    m_line.ConfirmedPosition = 0;
    LoadLine(lesson);
    if (!lesson)
        m_shownSentence = m_sentenceCounter;
    m_stats.StartSentence();
}

void TypingEngine::SaveHeld()
{
    if (!m_totalsDue)
        return;
    m_totalsDue = false;
    CompleteTotals& totals = m_stats.Totals();
    const CompleteTotals now = totals;
    const CompleteTotals& then = m_totalsAtLineEnd;
    totals.CompletePosition = then.CompletePosition;
    totals.CompleteQSeconds = then.CompleteQSeconds;
    totals.CompleteErrors = then.CompleteErrors;
    (void)totals.Save(m_context.profile, m_context.user.UserSection);
    totals.CompletePosition = SaturatingAdd(
        totals.CompletePosition, SaturatingSubtract(now.CompletePosition, then.CompletePosition));
    totals.CompleteQSeconds += now.CompleteQSeconds - then.CompleteQSeconds;
    totals.CompleteErrors = SaturatingAdd(
        totals.CompleteErrors, SaturatingSubtract(now.CompleteErrors, then.CompleteErrors));
}

void TypingEngine::CompletePracticeSentence()
{
    SetUpNextLine(false);
}

void TypingEngine::FinishLessonLine()
{
    SetUpNextLine(true);
}

void TypingEngine::BeginOrNext()
{
    m_focusShown = true;
    if (m_observer && m_running)
        m_observer->LineEnding(*this);
    m_stats.SkipSentence();
    m_nextPressed = true;
    if (Practising())
        CompletePracticeSentence();
    else
        FinishLessonLine();
    ShowNextKey();
    if (m_observer)
        m_observer->LineSetUp(*this);
}

void TypingEngine::StopTyping()
{
    SaveHeld();
    if (m_observer)
        m_observer->Stopping(*this);
    m_focusShown = false;
    m_context.lines.Rewind(!Practising());
    m_running = false;
    m_line.KeyCount = 0;
    m_line.SentencePosition = 1;
    m_line.ConfirmedPosition = 0;
    m_caretOn = false;
    m_line.ClearSlots();
    m_nextKeys.clear();
    m_stats.ResetSessionStats(false);
}

void TypingEngine::StatsTick()
{
    if (m_stats.TimerRunning())
        m_stats.Tick(m_line.SentencePosition);
}

void TypingEngine::CaretTick()
{
    m_caretOn = !m_caretOn;
}

TimerState TypingEngine::StatsTimer() const
{
    return {m_stats.TimerRunning(), kStatsIntervalMs, 0};
}

TimerState TypingEngine::CaretTimer() const
{
    return {true, kCaretIntervalMs, m_caretRestarts};
}

void TypingEngine::RestartCaret()
{
    ++m_caretRestarts;
    m_caretOn = true;
}

void TypingEngine::Refuse(Refusal refusal)
{
    m_lastRefusal = refusal;
    ++m_refusals;
}

void TypingEngine::ShowNextKey()
{
    m_nextKeys = m_context.layout.KeysFor(m_line.ExpectedAt(m_line.SentencePosition));
}

std::string TypingEngine::ExpectedText() const
{
    std::string text;
    for (int i = 1; i <= m_line.LineLength; ++i) {
        const int c = m_line.ExpectedAt(i);
        text.push_back(c == TypingLine::kEmpty ? ' ' : static_cast<char>(c));
    }
    return text;
}

std::optional<int> TypingEngine::CaretCell() const
{
    if (!m_caretOn)
        return std::nullopt;
    return m_line.SentencePosition - 1;
}

std::vector<TypedCell> TypingEngine::TypedCells() const
{
    std::vector<TypedCell> cells;
    if (m_line.KeyCount == 0)
        return cells;
    for (int i = 1; i < m_line.SentencePosition; ++i) {
        const int shown = m_line.ShownAt(i);
        const int expected = m_line.ExpectedAt(i);
        int glyph = shown;
        // A wrongly typed blank shows as an underscore, so it can be seen.
        if ((shown == kBar && expected != kBar) || (shown == kSpace && expected != kSpace))
            glyph = kUnderscore;
        if (glyph == TypingLine::kEmpty)
            continue;
        if (glyph == keycode::kOutsideCodePage)
            glyph = '?';
        cells.push_back({i - 1, static_cast<char>(glyph), m_line.MarkAt(i)});
    }
    return cells;
}

} // namespace tarvelo
