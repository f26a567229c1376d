#include "stats/progress_days.h"

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

    void Add(const RunRecord& run)
    {
        characters += run.characters;
        ++runs;
        wpmWeight += static_cast<double>(run.wpm) * run.characters;
        accuracyWeight += static_cast<double>(run.accuracy) * run.characters;
    }
};

using DayMap = std::map<std::int64_t, DaySums>;

std::vector<DayFigures> Figures(const DayMap& days, std::int64_t firstDay)
{
    std::vector<DayFigures> figures;
    for (auto it = days.lower_bound(firstDay); it != days.end(); ++it) {
        const DaySums& sums = it->second;
        const double weight = static_cast<double>(sums.characters);
        figures.push_back({sums.date, it->first, sums.characters, sums.runs,
                           sums.wpmWeight / weight, sums.accuracyWeight / weight});
    }
    return figures;
}

std::string Rounded(double value)
{
    return std::to_string(static_cast<long long>(std::lround(value)));
}

} // namespace

Progress SummariseProgress(std::span<const RunRecord> runs, std::int64_t nowUtc)
{
    DayMap all;
    DayMap practice;
    DayMap lessons;
    for (const RunRecord& run : runs) {
        if (run.characters <= 0)
            continue;
        const LocalDay day = LocalDayOf(run.startUtc);
        for (DayMap* map : {&all, run.mode == RunMode::Lesson ? &lessons : &practice}) {
            DaySums& sums = (*map)[day.number];
            sums.date = day.date;
            sums.Add(run);
        }
    }

    Progress progress;
    if (all.empty())
        return progress;
    // The first of the last kMaxDays days that have runs.
    auto first = all.end();
    for (int kept = 0; kept < Progress::kMaxDays && first != all.begin(); ++kept)
        --first;
    const std::int64_t firstDay = first->first;
    progress.all = Figures(all, firstDay);
    progress.practice = Figures(practice, firstDay);
    progress.lessons = Figures(lessons, firstDay);

    progress.bestDay =
        *std::max_element(progress.all.begin(), progress.all.end(),
                          [](const DayFigures& a, const DayFigures& b) { return a.wpm < b.wpm; });

    const std::int64_t today = LocalDayOf(nowUtc).number;
    DaySums recent;
    for (auto it = all.lower_bound(today - (Progress::kRecentDays - 1));
         it != all.end() && it->first <= today; ++it) {
        recent.characters += it->second.characters;
        recent.wpmWeight += it->second.wpmWeight;
        recent.accuracyWeight += it->second.accuracyWeight;
    }
    if (recent.characters > 0) {
        const double weight = static_cast<double>(recent.characters);
        progress.recentWpm = recent.wpmWeight / weight;
        progress.recentAccuracy = recent.accuracyWeight / weight;
    }
    return progress;
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

std::string BestDayText(const Progress& progress)
{
    if (!progress.bestDay)
        return "No best day yet: your first run will set one.";
    const DayFigures& best = *progress.bestDay;
    return "Best day: " + DateText(best.date) + ", " + Rounded(best.wpm) + " words per minute at " +
           Rounded(best.accuracy) + "% accuracy.";
}

std::string RecentDaysText(const Progress& progress)
{
    if (!progress.recentWpm)
        return "No runs in the last seven days.";
    return "Last seven days: " + Rounded(*progress.recentWpm) + " words per minute at " +
           Rounded(progress.recentAccuracy.value_or(0)) + "% accuracy on average.";
}

} // namespace tarvelo
