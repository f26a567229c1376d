#include "history/progress_days.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <ctime>
#include <map>

namespace tarvelo {
namespace {

struct LocalDay
{
    CalendarDate date;
    std::int64_t number = 0;
};

// Days from 1970-01-01 to a civil date (proleptic Gregorian).
std::int64_t DaysFromCivil(int year, int month, int day)
{
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const auto yoe = static_cast<unsigned>(year - era * 400);
    const auto shifted = static_cast<unsigned>(month > 2 ? month - 3 : month + 9);
    const unsigned doy = (153 * shifted + 2) / 5 + static_cast<unsigned>(day) - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

LocalDay LocalDayOf(std::int64_t utc)
{
    const auto time = static_cast<std::time_t>(utc);
    std::tm local{};
    localtime_r(&time, &local);
    LocalDay day;
    day.date = {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
    day.number = DaysFromCivil(day.date.year, day.date.month, day.date.day);
    return day;
}

// Sums for one day; divided once at the end.
struct DaySums
{
    CalendarDate date;
    std::int64_t characters = 0;
    int runs = 0;
    double wpmWeight = 0;
    double accuracyWeight = 0;

    void Add(const RunSlot& slot)
    {
        characters += slot.characters;
        runs += slot.runs;
        wpmWeight += slot.wpmWeight;
        accuracyWeight += slot.accuracyWeight;
    }
    void Add(const DaySums& day)
    {
        characters += day.characters;
        runs += day.runs;
        wpmWeight += day.wpmWeight;
        accuracyWeight += day.accuracyWeight;
    }
    DayFigures Figures(std::int64_t dayNumber) const
    {
        const double weight = static_cast<double>(characters);
        return {date, dayNumber, characters, runs, wpmWeight / weight, accuracyWeight / weight};
    }
};

using DayMap = std::map<std::int64_t, DaySums>;

KindProgress KindFrom(const DayMap& days, std::int64_t firstDay, const LocalDay& today)
{
    KindProgress kind;
    for (auto it = days.lower_bound(firstDay); it != days.end(); ++it)
        kind.days.push_back(it->second.Figures(it->first));
    if (!kind.days.empty())
        kind.bestDay = *std::max_element(
            kind.days.begin(), kind.days.end(),
            [](const DayFigures& a, const DayFigures& b) { return a.wpm < b.wpm; });

    DaySums recent;
    recent.date = today.date;
    for (auto it = days.lower_bound(today.number - (Progress::kRecentDays - 1));
         it != days.end() && it->first <= today.number; ++it)
        recent.Add(it->second);
    if (recent.characters > 0)
        kind.recent = recent.Figures(today.number);
    return kind;
}

std::string Rounded(double value)
{
    return std::to_string(static_cast<long long>(std::lround(value)));
}

std::string SpeedAndAccuracy(const DayFigures& figures)
{
    return Rounded(figures.wpm) + " wpm, " + Rounded(figures.accuracy) + "%";
}

} // namespace

bool CountsInFigures(const RunRecord& run)
{
    const auto dated = [](std::int64_t utc) {
        return utc >= kEarliestFigureUtc && utc <= kLatestFigureUtc;
    };
    return run.characters >= kShortestTimedCharacters && run.ticks >= kShortestTimedTicks &&
           dated(run.startUtc) && dated(run.endUtc);
}

std::vector<RunSlot> SlotsOf(std::span<const RunRecord> runs)
{
    std::vector<RunSlot> slots;
    for (const RunRecord& run : runs)
        if (CountsInFigures(run))
            slots.push_back({run.startUtc / RunSlot::kSeconds, run.mode, run.characters, 1,
                             static_cast<double>(run.wpm) * run.characters,
                             static_cast<double>(run.accuracy) * run.characters});
    return slots;
}

Progress SummariseSlots(std::span<const RunSlot> slots, std::int64_t nowUtc)
{
    DayMap practice;
    DayMap lessons;
    std::map<std::int64_t, CalendarDate> days; // of either kind
    LocalDay day;
    std::int64_t daySlot = -1;
    for (const RunSlot& slot : slots) {
        if (slot.characters <= 0 || slot.slot < kEarliestFigureUtc / RunSlot::kSeconds ||
            slot.slot > kLatestFigureUtc / RunSlot::kSeconds)
            continue;
        if (slot.slot != daySlot) {
            day = LocalDayOf(slot.slot * RunSlot::kSeconds);
            daySlot = slot.slot;
        }
        DaySums& sums = (slot.mode == RunMode::Lesson ? lessons : practice)[day.number];
        sums.date = day.date;
        sums.Add(slot);
        days[day.number] = day.date;
    }

    Progress progress;
    if (days.empty())
        return progress;
    // The first of the last kMaxDays days that have runs.
    auto first = days.end();
    for (int kept = 0; kept < Progress::kMaxDays && first != days.begin(); ++kept)
        --first;
    const LocalDay today = LocalDayOf(nowUtc);
    progress.practice = KindFrom(practice, first->first, today);
    progress.lessons = KindFrom(lessons, first->first, today);
    progress.first.date = first->second;
    progress.first.dayNumber = first->first;
    progress.last.date = days.rbegin()->second;
    progress.last.dayNumber = days.rbegin()->first;
    return progress;
}

Progress SummariseProgress(std::span<const RunRecord> runs, std::int64_t nowUtc)
{
    return SummariseSlots(SlotsOf(runs), nowUtc);
}

std::vector<ProgressRow> ProgressRows(const Progress& progress)
{
    std::vector<ProgressRow> rows;
    for (const auto& [name, kind] :
         {std::pair{"Practice", &progress.practice}, std::pair{"Lessons", &progress.lessons}}) {
        if (!kind->bestDay)
            continue;
        rows.push_back({name,
                        DateText(kind->bestDay->date) + ": " + SpeedAndAccuracy(*kind->bestDay),
                        kind->recent ? SpeedAndAccuracy(*kind->recent) : "no runs"});
    }
    return rows;
}

std::string DateText(const CalendarDate& date)
{
    static constexpr std::array<const char*, 12> kMonths = {
        "January", "February", "March",     "April",   "May",      "June",
        "July",    "August",   "September", "October", "November", "December"};
    const int month = std::clamp(date.month, 1, 12);
    return std::to_string(date.day) + " " + kMonths[static_cast<std::size_t>(month - 1)] + " " +
           std::to_string(date.year);
}

} // namespace tarvelo
