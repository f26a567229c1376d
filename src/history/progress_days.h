#pragma once

#include "history/run_history.h"
#include "platform/clock.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tarvelo {

// A run shorter than this is too short to time: it gives no figure.
inline constexpr double kShortestTimedTicks = 8; // 2 seconds of 250 ms ticks
inline constexpr std::int32_t kShortestTimedCharacters = 10;
// The times the figures trust, years 1970 to 9999 (UTC); a hand-edited date
// outside them is left out.
inline constexpr std::int64_t kEarliestFigureUtc = 0;
inline constexpr std::int64_t kLatestFigureUtc = 253'402'300'799;

// Whether a run counts in the progress figures.
bool CountsInFigures(const RunRecord& run);

// Runs of one kind summed over a quarter of an hour, what the history sums
// for the chart. Every time zone is a whole number of quarter hours from UTC,
// so the runs of a slot fall on one local day.
struct RunSlot
{
    static constexpr std::int64_t kSeconds = 900;

    std::int64_t slot = 0; // start time / kSeconds
    RunMode mode = RunMode::Practice;
    std::int64_t characters = 0;
    int runs = 0;
    double wpmWeight = 0;      // the runs' speeds times their characters
    double accuracyWeight = 0; // the same for accuracy
};

// One local calendar day's typing of one kind, the runs weighted by their
// characters.
struct DayFigures
{
    CalendarDate date;
    std::int64_t dayNumber = 0; // days since 1970-01-01 of the local date
    std::int64_t characters = 0;
    int runs = 0;
    double wpm = 0;
    double accuracy = 0;
};

// Practice or lessons, never mixed with the other (games are apart).
struct KindProgress
{
    std::vector<DayFigures> days; // oldest first
    // The day of the highest speed (the earlier of equals).
    std::optional<DayFigures> bestDay;
    // Today and the six days before it, as one.
    std::optional<DayFigures> recent;
};

// What the progress chart draws for one user: the last days that have runs,
// oldest first.
struct Progress
{
    static constexpr int kMaxDays = 90;
    static constexpr int kRecentDays = 7;

    KindProgress practice;
    KindProgress lessons;
    // The first and the last day shown, of either kind.
    DayFigures first;
    DayFigures last;

    bool Empty() const { return practice.days.empty() && lessons.days.empty(); }
};

// The runs that count, one slot each.
std::vector<RunSlot> SlotsOf(std::span<const RunRecord> runs);

// Groups slots by the local day they start on (the time zone of the process)
// and keeps the last kMaxDays days that have runs.
Progress SummariseSlots(std::span<const RunSlot> slots, std::int64_t nowUtc);
Progress SummariseProgress(std::span<const RunRecord> runs, std::int64_t nowUtc);

// The words under the chart: a row for each kind that has days.
struct ProgressRow
{
    std::string kind;    // "Practice"
    std::string bestDay; // "20 March 2026: 70 wpm, 99%"
    std::string recent;  // "45 wpm, 92%", or "no runs"
};
inline constexpr const char* kBestDayHeading = "Best day";
inline constexpr const char* kRecentHeading = "Last seven days";
std::vector<ProgressRow> ProgressRows(const Progress& progress);

// "12 March 2026".
std::string DateText(const CalendarDate& date);

} // namespace tarvelo
