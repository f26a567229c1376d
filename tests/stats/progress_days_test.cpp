#include "stats/progress_days.h"

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>
#include <vector>

namespace tarvelo::test {
namespace {

// Sets the process's time zone; every test names its own.
void SetZone(const char* zone)
{
    setenv("TZ", zone, 1);
    tzset();
}

constexpr std::int64_t kDay = 86400;
constexpr std::int64_t kMarch10 = 1'773'100'800; // 00:00 UTC

RunRecord RunAt(std::int64_t startUtc, std::int32_t characters, std::int32_t wpm,
                std::int32_t accuracy)
{
    RunRecord run;
    run.startUtc = startUtc;
    run.characters = characters;
    run.wpm = wpm;
    run.accuracy = accuracy;
    return run;
}

TEST(ProgressDaysTest, RunsFallOnTheLocalDayTheyStartOn)
{
    const struct
    {
        const char* name;
        const char* zone;
        int firstDay;
        std::size_t days;
    } rows[] = {
        // 23:30 and 00:30 UTC are the 9th and the 10th in London...
        {"London, across midnight", "Europe/London", 9, 2},
        // ...the 10th both in Tokyo (08:30 and 09:30)...
        {"Tokyo, one day", "Asia/Tokyo", 10, 1},
        // ...and the 9th both in New York (18:30 and 19:30).
        {"New York, one day", "America/New_York", 9, 1},
    };
    const RunRecord runs[] = {RunAt(kMarch10 - 1800, 100, 30, 90),
                              RunAt(kMarch10 + 1800, 300, 50, 98),
                              RunAt(kMarch10 + 1800, 0, 99, 0)}; // nothing typed: no weight
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        SetZone(row.zone);
        const Progress progress = SummariseProgress(runs, kMarch10 + kDay);
        ASSERT_EQ(progress.all.size(), row.days);
        EXPECT_EQ(progress.all.front().date.day, row.firstDay);
        const double weighted = (90.0 * 100 + 98.0 * 300) / 400; // by characters
        EXPECT_EQ(std::abs(progress.all[0].accuracy - weighted) < 1e-9, row.days == 1);
    }
}

TEST(ProgressDaysTest, BestDayAndTheLastSevenDaysInWords)
{
    SetZone("UTC");
    const std::int64_t today = kMarch10 + 20 * kDay; // 30 March
    const RunRecord runs[] = {
        RunAt(today - 10 * kDay, 100, 70, 99), // the best day, outside the seven
        RunAt(today - 7 * kDay, 100, 10, 50),  // eight days ago: outside
        RunAt(today - 6 * kDay, 300, 40, 90),
        RunAt(today, 100, 60, 98),
    };
    const Progress progress = SummariseProgress(runs, today + 3600);
    EXPECT_EQ(BestDayText(progress),
              "Best day: 20 March 2026, 70 words per minute at 99% accuracy.");
    EXPECT_EQ(RecentDaysText(progress),
              "Last seven days: 45 words per minute at 92% accuracy on average.");
    EXPECT_FALSE(SummariseProgress({}, today).bestDay);
}

} // namespace
} // namespace tarvelo::test
