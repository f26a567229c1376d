#include "history/history_csv.h"
#include "history/history_reader.h"
#include "history/progress_days.h"
#include "history/run_history.h"
#include "profile/data_file.h"
#include "support/fake_platform.h"
#include "support/temp_folder.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>
#include <span>
#include <string>
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
                std::int32_t accuracy, RunMode mode = RunMode::Practice)
{
    RunRecord run;
    run.startUtc = startUtc;
    run.endUtc = startUtc + 600;
    run.mode = mode;
    run.characters = characters;
    run.wpm = wpm;
    run.accuracy = accuracy;
    run.ticks = characters * 48.0 / std::max(wpm, 1); // as fast as the speed says
    return run;
}

std::string Rows(const Progress& progress)
{
    std::string text;
    for (const ProgressRow& row : ProgressRows(progress))
        text += row.kind + " | " + row.bestDay + " | " + row.recent + "\n";
    return text;
}

TEST(ProgressDaysTest, RunsFallOnTheirLocalDayEachKindHasItsOwnFigures)
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
        // ...and the 10th both in Tokyo (08:30 and 09:30).
        {"Tokyo, one day", "Asia/Tokyo", 10, 1},
    };
    const RunRecord nearMidnight[] = {RunAt(kMarch10 - 1800, 100, 30, 90),
                                      RunAt(kMarch10 + 1800, 300, 50, 98),
                                      RunAt(kMarch10 + 1800, 0, 99, 0)}; // nothing typed: no weight
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        SetZone(row.zone);
        const Progress progress = SummariseProgress(nearMidnight, kMarch10 + kDay);
        ASSERT_EQ(progress.practice.days.size(), row.days);
        EXPECT_EQ(progress.first.date.day, row.firstDay);
        const double weighted = (90.0 * 100 + 98.0 * 300) / 400; // by characters
        EXPECT_EQ(std::abs(progress.practice.days[0].accuracy - weighted) < 1e-9, row.days == 1);
    }
    // Practice and lessons each have their own best day and last seven days,
    // and no speed is taken from a run too short to time or from a date no
    // calendar here holds.
    SetZone("UTC");
    const std::int64_t today = kMarch10 + 20 * kDay; // 30 March
    RunRecord tooQuick = RunAt(today, 24, 400, 100, RunMode::Lesson);
    tooQuick.ticks = 3; // under 2 seconds
    RunRecord outOfTime = RunAt(today, 900, 95, 100);
    outOfTime.startUtc = 67'768'036'191'676'799;
    const RunRecord runs[] = {
        RunAt(today - 10 * kDay, 100, 70, 99), // practice's best day, outside the seven
        RunAt(today - 7 * kDay, 100, 10, 50),  // eight days ago: outside
        RunAt(today - 6 * kDay, 300, 40, 90),
        RunAt(today, 100, 60, 98),
        RunAt(today - 6 * kDay, 500, 30, 94, RunMode::Lesson),
        RunAt(today, 9, 200, 100, RunMode::Lesson), // under 10 characters
        tooQuick,
        outOfTime,
    };
    const Progress progress = SummariseProgress(runs, today + 3600);
    EXPECT_EQ(Rows(progress), "Practice | 20 March 2026: 70 wpm, 99% | 45 wpm, 92%\n"
                              "Lessons | 24 March 2026: 30 wpm, 94% | 30 wpm, 94%\n");
    EXPECT_EQ(progress.last.date.day, 30);
    EXPECT_EQ(progress.lessons.days.size(), 1u);

    EXPECT_EQ(Rows(SummariseProgress(runs, today + 20 * kDay)),
              "Practice | 20 March 2026: 70 wpm, 99% | no runs\n"
              "Lessons | 24 March 2026: 30 wpm, 94% | no runs\n");
    EXPECT_TRUE(SummariseProgress(std::span(runs).last(3), today).Empty());
}

constexpr std::int64_t kJanuary1 = 1'767'225'600; // 2026, 00:00 UTC

std::string Days(const KindProgress& kind)
{
    std::string text;
    for (const DayFigures& day : kind.days)
        text += DateText(day.date) + " " + std::to_string(day.runs) + " runs " +
                std::to_string(day.characters) + " chars " + std::to_string(day.wpm) + "\n";
    return text;
}

// The sums the database hands over draw the same chart as the runs read one
// by one: 140 days across a clock change, two kinds, another user, runs too
// short to time and a date no calendar holds.
TEST(HistoryReaderTest, SumsInTheDatabaseGiveTheFiguresOfTheRuns)
{
    SetZone("Europe/London");
    TempFolder folder;
    SteppedUtcClock clock;
    RunHistory history(HistoryPath(folder.Path()), clock);
    for (int day = 0; day < 140; ++day)
        for (int hour : {9, 23}) {
            RunRecord run = RunAt(kJanuary1 + day * kDay + hour * 3600 + 1200,
                                  day % 11 == 5 ? 9 : 100 + day, 20 + day % 17 + hour,
                                  80 + day % 19, hour == 9 ? RunMode::Lesson : RunMode::Practice);
            run.userSection = day % 7 == 3 ? "user1" : "user0";
            run.ticks = day % 13 == 4 ? 7 : 400;
            ASSERT_TRUE(history.Record(run));
        }
    RunRecord outOfTime = RunAt(67'768'036'191'676'799, 500, 900, 100);
    outOfTime.userSection = "user0";
    ASSERT_TRUE(history.Record(outOfTime));

    const std::int64_t now = kJanuary1 + 137 * kDay;
    const Progress expected = SummariseProgress(history.Runs("user0"), now);
    const LoadedProgress loaded = LoadProgress(history.Path(), "user0", now);
    EXPECT_TRUE(loaded.hasRuns);
    EXPECT_EQ(Days(loaded.progress.practice), Days(expected.practice));
    EXPECT_EQ(Days(loaded.progress.lessons), Days(expected.lessons));
    EXPECT_EQ(DateText(loaded.progress.first.date), DateText(expected.first.date));
    EXPECT_NE(DateText(expected.first.date), "1 January 2026") << "older days left out";
    ASSERT_TRUE(loaded.progress.lessons.recent && expected.lessons.recent);
    EXPECT_EQ(loaded.progress.lessons.recent->wpm, expected.lessons.recent->wpm);
}

// Reading never creates a history; the export writes what the history holds.
TEST(HistoryReaderTest, ReadsNothingIntoBeingAndExportsTheUsersRuns)
{
    TempFolder folder;
    const std::string path = HistoryPath(folder.Path());
    EXPECT_FALSE(LoadProgress(path, "user0", kJanuary1).hasRuns);
    EXPECT_FALSE(ExportUserHistory(path, "user0", folder.File("none.csv")));
    EXPECT_FALSE(FileExists(path));

    SteppedUtcClock clock;
    RunHistory history(path, clock);
    RunRecord run;
    run.userSection = "user2";
    run.userName = "Zo\xEB";
    run.characters = 3; // too short for a figure, yet a run
    ASSERT_TRUE(history.Record(run));
    EXPECT_TRUE(LoadProgress(path, "user2", kJanuary1).hasRuns);
    ASSERT_TRUE(ExportUserHistory(path, "user2", folder.File("history.csv")));
    EXPECT_EQ(folder.Read("history.csv"), HistoryCsv(history.Runs("user2")));
}

} // namespace
} // namespace tarvelo::test
