#pragma once

#include "platform/clock.h"
#include "stats/run_history.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tarvelo {

// One local calendar day's typing, the runs weighted by their characters.
struct DayFigures
{
    CalendarDate date;
    std::int64_t dayNumber = 0; // days since 1970-01-01 of the local date
    std::int64_t characters = 0;
    int runs = 0;
    double wpm = 0;
    double accuracy = 0;
};

// What the progress chart draws for one user: the last days that have runs,
// oldest first, for practice, lessons and both together.
struct Progress
{
    static constexpr int kMaxDays = 90;
    static constexpr int kRecentDays = 7;

    std::vector<DayFigures> practice;
    std::vector<DayFigures> lessons;
    std::vector<DayFigures> all;
    // The day of the highest weighted speed (the earlier of equals).
    std::optional<DayFigures> bestDay;
    // Today and the six days before it, weighted by characters.
    std::optional<double> recentWpm;
    std::optional<double> recentAccuracy;

    bool Empty() const { return all.empty(); }
};

// Groups runs by the local day their start falls on (the time zone of the
// process) and keeps the last kMaxDays days that have runs. Runs with no
// characters carry no weight and are left out.
Progress SummariseProgress(std::span<const RunRecord> runs, std::int64_t nowUtc);

// The best day and the last seven days in words, for under the chart.
std::string BestDayText(const Progress& progress);
std::string RecentDaysText(const Progress& progress);

// "12 March 2026".
std::string DateText(const CalendarDate& date);

} // namespace tarvelo
