#include "stats/typing_stats.h"

#include "profile/value_text.h"
#include "state/complete_totals.h"
#include "state/current_user.h"
#include "state/letter_tallies.h"

#include <cmath>
#include <cstdio>

namespace tarvelo {

TypingStats::TypingStats(CompleteTotals& totals, LetterTallies& tallies, const CurrentUser& user)
    : m_totals(totals), m_tallies(tallies), m_user(user)
{}

std::int32_t TypingStats::WordsPerMinute(double position, double errors, double ticks)
{
    if (position == errors + 1)
        return 0;
    const double wpm = (position - errors) / kCharsPerWord * kTicksPerMinute / ticks;
    return static_cast<std::int32_t>(valuetext::RoundHalfEven(wpm));
}

std::int32_t TypingStats::Accuracy(double position, double errors)
{
    return static_cast<std::int32_t>(valuetext::RoundHalfEven((1 - errors / position) * 100));
}

std::string TypingStats::FormatMinutes(double ticks)
{
    // Ticks are whole numbers, so tenths of a minute round exactly in integers.
    const auto wholeTicks = static_cast<long long>(std::llround(std::fabs(ticks)));
    const long long tenths = (wholeTicks * 10 + kTicksPerMinute / 2) / kTicksPerMinute;
    char text[32];
    std::snprintf(text, sizeof text, "%s%lld.%lld", ticks < 0 && tenths ? "-" : "", tenths / 10,
                  tenths % 10);
    return text;
}

void TypingStats::ResetSessionStats(bool windowLoad)
{
    SessionErrors = 0;
    SessionAccuracy = 100;
    SessionWpm = 0;
    SessionTime = 1;
    SessionPosition = 1;
    m_timerRunning = false;
    if (windowLoad) {
        SentenceErrors = 0;
        SentenceAccuracy = 100;
    }
}

void TypingStats::Tick(int sentencePosition)
{
    SentenceWpm = WordsPerMinute(sentencePosition, SentenceErrors, SentenceTime);
    SessionWpm = WordsPerMinute(SessionPosition, SessionErrors, SessionTime);
    SentenceTime += 1;
    SessionTime += 1;
    if (m_user.Practising())
        m_totals.CompleteQSeconds += 1;
    m_panel.minutesSpent = FormatMinutes(SessionTime);
}

void TypingStats::CountWrongKeystroke()
{
    ++SentenceErrors;
    ++SessionErrors;
    if (m_user.Practising())
        m_totals.CompleteErrors = SaturatingAdd(m_totals.CompleteErrors, 1);
}

void TypingStats::CountPosition()
{
    ++SessionPosition;
    if (m_user.Practising())
        m_totals.CompletePosition = SaturatingAdd(m_totals.CompletePosition, 1);
}

void TypingStats::UpdateAccuracies(int sentencePosition)
{
    SentenceAccuracy = Accuracy(sentencePosition, SentenceErrors);
    SessionAccuracy = Accuracy(SessionPosition, SessionErrors);
}

void TypingStats::UncountPosition(bool wasError, int sentencePosition)
{
    --SessionPosition;
    if (m_user.Practising())
        m_totals.CompletePosition = SaturatingAdd(m_totals.CompletePosition, -1);
    if (wasError) {
        --SentenceErrors;
        --SessionErrors;
        if (m_user.Practising())
            m_totals.CompleteErrors = SaturatingAdd(m_totals.CompleteErrors, -1);
    }
    UpdateAccuracies(sentencePosition);
}

void TypingStats::ShowLastRow()
{
    m_panel.lastLineErrors = std::to_string(SentenceErrors);
    m_panel.lastLinePercentage = std::to_string(SentenceAccuracy);
    m_panel.lastLineWpm = std::to_string(SentenceWpm);
    ++m_panel.lastRowUpdates;
    SentenceErrors = 0;
    SentenceAccuracy = 100;
    SentenceWpm = 0;
}

void TypingStats::FinishSentence()
{
    ShowLastRow();
    m_panel.totalWpm = std::to_string(SessionWpm);
    m_panel.totalErrors = std::to_string(SessionErrors);
    m_panel.totalPercentage = std::to_string(SessionAccuracy);
}

void TypingStats::SkipSentence()
{
    ShowLastRow();
}

void TypingStats::StartSentence()
{
    m_timerRunning = false;
    SentenceTime = 1;
}

void TypingStats::TallyLetterTyped(int code)
{
    m_tallies.TallyLetterTyped(m_user.UserSlot, code);
}

void TypingStats::TallyLetterError(int code)
{
    m_tallies.TallyLetterError(m_user.UserSlot, code);
}

} // namespace tarvelo
