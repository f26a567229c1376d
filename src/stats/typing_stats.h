#pragma once

#include <cstdint>
#include <string>

namespace tarvelo {

struct CompleteTotals;
class LetterTallies;
struct CurrentUser;

// What the session window's statistics panel shows.
struct StatsPanel
{
    // The Last row: the line just finished or skipped.
    std::string lastLineErrors = "0";
    std::string lastLinePercentage = "100";
    std::string lastLineWpm = "0";
    // The Total row: the session so far.
    std::string totalErrors = "0";
    std::string totalPercentage = "100";
    std::string totalWpm = "0";
    std::string minutesSpent = "0";
    // Grows each time the Last row is filled (a line finished or skipped).
    unsigned lastRowUpdates = 0;
};

// The statistics of one session window: the current sentence and the whole
// typing session, counted in 250 ms ticks. Positions and times start at 1 so
// no formula divides by zero. The user's complete totals change only in
// practice.
class TypingStats
{
public:
    static constexpr int kTickMs = 250;
    static constexpr int kTicksPerMinute = 240;
    static constexpr int kCharsPerWord = 5;

    TypingStats(CompleteTotals& totals, LetterTallies& tallies, const CurrentUser& user);

    static std::int32_t WordsPerMinute(double position, double errors, double ticks);
    static std::int32_t Accuracy(double position, double errors);
    // Ticks as minutes in the pattern "####0.0", halves away from zero.
    static std::string FormatMinutes(double ticks);

    // The session window loads (`windowLoad`) or typing stops.
    void ResetSessionStats(bool windowLoad);
    void StartTiming() { m_timerRunning = true; }
    void StopTiming() { m_timerRunning = false; }
    bool TimerRunning() const { return m_timerRunning; }
    // One 250 ms tick of the statistics timer.
    void Tick(int sentencePosition);

    void CountWrongKeystroke();
    void CountPosition();
    void UpdateAccuracies(int sentencePosition);
    // After the cursor moved back onto a position, an error or not.
    void UncountPosition(bool wasError, int sentencePosition);
    void FinishSentence();
    void SkipSentence();
    // A new sentence or lesson line is set up.
    void StartSentence();

    void TallyLetterTyped(int code);
    void TallyLetterError(int code);

    const StatsPanel& Panel() const { return m_panel; }
    CompleteTotals& Totals() { return m_totals; }

    std::int32_t SentenceErrors = 0;
    std::int32_t SentenceAccuracy = 100;
    std::int32_t SentenceWpm = 0;
    float SentenceTime = 1;
    std::int32_t SessionPosition = 1;
    std::int32_t SessionErrors = 0;
    std::int32_t SessionAccuracy = 100;
    std::int32_t SessionWpm = 0;
    float SessionTime = 1;

private:
    void ShowLastRow();

    CompleteTotals& m_totals;
    LetterTallies& m_tallies;
    const CurrentUser& m_user;
    StatsPanel m_panel;
    bool m_timerRunning = false;
};

} // namespace tarvelo
