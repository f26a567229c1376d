#include "stats/progress_days.h"

#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace tarvelo::test {
namespace {

// Sets the process's time zone for the test's lifetime.
class ZoneGuard
{
public:
    explicit ZoneGuard(const char* zone)
    {
        if (const char* old = std::getenv("TZ"))
            m_old = old;
        setenv("TZ", zone, 1);
        tzset();
    }
    ~ZoneGuard()
    {
        if (m_old)
            setenv("TZ", m_old->c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

private:
    std::optional<std::string> m_old;
};

constexpr std::int64_t kDay = 86400;
// 2026-03-10 00:00 UTC.
constexpr std::int64_t kMarch10 = 1'773'100'800;

RunRecord RunAt(std::int64_t startUtc, std::int32_t characters, std::int32_t wpm,
                std::int32_t accuracy, RunMode mode = RunMode::Practice)
{
    RunRecord run;
    run.startUtc = startUtc;
    run.endUtc = startUtc + 1800;
    run.characters = characters;
    run.wpm = wpm;
    run.accuracy = accuracy;
    run.mode = mode;
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
                              RunAt(kMarch10 + 1800, 300, 50, 98)};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ZoneGuard zone(row.zone);
        const Progress progress = SummariseProgress(runs, kMarch10 + kDay);
        ASSERT_EQ(progress.all.size(), row.days);
        EXPECT_EQ(progress.all.front().date.day, row.firstDay);
        EXPECT_EQ(progress.all.front().date.month, 3);
        if (row.days == 1) {
            EXPECT_DOUBLE_EQ(progress.all[0].wpm, (30.0 * 100 + 50.0 * 300) / 400);
            EXPECT_DOUBLE_EQ(progress.all[0].accuracy, (90.0 * 100 + 98.0 * 300) / 400);
            EXPECT_EQ(progress.all[0].characters, 400);
        }
    }
}

TEST(ProgressDaysTest, PracticeAndLessonsAreSeparateSeriesOverTheSameDays)
{
    ZoneGuard zone("UTC");
    const RunRecord runs[] = {
        RunAt(kMarch10, 100, 20, 90, RunMode::Lesson), RunAt(kMarch10 + 3600, 100, 40, 100),
        RunAt(kMarch10 + kDay, 50, 60, 100),
        RunAt(kMarch10 + kDay, 0, 99, 0), // nothing typed: no weight
    };
    const Progress progress = SummariseProgress(runs, kMarch10 + kDay);
    ASSERT_EQ(progress.all.size(), 2u);
    EXPECT_DOUBLE_EQ(progress.all[0].wpm, 30);
    ASSERT_EQ(progress.lessons.size(), 1u);
    EXPECT_DOUBLE_EQ(progress.lessons[0].wpm, 20);
    ASSERT_EQ(progress.practice.size(), 2u);
    EXPECT_DOUBLE_EQ(progress.practice[1].wpm, 60);
    EXPECT_EQ(progress.all[1].runs, 1);
}

TEST(ProgressDaysTest, KeepsTheLastNinetyDaysThatHaveRuns)
{
    ZoneGuard zone("UTC");
    std::vector<RunRecord> runs;
    // 120 days with runs, every other calendar day.
    for (int i = 0; i < 120; ++i)
        runs.push_back(RunAt(kMarch10 + 2 * i * kDay, 100, 10 + i, 95));
    const Progress progress = SummariseProgress(runs, kMarch10 + 240 * kDay);
    ASSERT_EQ(progress.all.size(), std::size_t{Progress::kMaxDays});
    EXPECT_DOUBLE_EQ(progress.all.front().wpm, 10 + 30);
    EXPECT_EQ(progress.all.back().dayNumber - progress.all.front().dayNumber, 2 * 89);
    ASSERT_TRUE(progress.bestDay);
    EXPECT_DOUBLE_EQ(progress.bestDay->wpm, 10 + 119);
}

TEST(ProgressDaysTest, BestDayAndTheLastSevenDaysInWords)
{
    ZoneGuard zone("UTC");
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

    const Progress none = SummariseProgress({}, today);
    EXPECT_TRUE(none.Empty());
    EXPECT_FALSE(none.bestDay);
    EXPECT_FALSE(none.recentWpm);
}

} // namespace
} // namespace tarvelo::test
