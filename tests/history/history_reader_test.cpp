#include "history/history_csv.h"
#include "history/history_reader.h"
#include "history/run_history.h"
#include "profile/data_file.h"
#include "support/stepped_utc_clock.h"
#include "support/temp_folder.h"

#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>

namespace tarvelo::test {
namespace {

constexpr std::int64_t kDay = 86400;
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
    setenv("TZ", "Europe/London", 1);
    tzset();
    TempFolder folder;
    SteppedUtcClock clock;
    RunHistory history(HistoryPath(folder.Path()), clock);
    for (int day = 0; day < 140; ++day)
        for (int hour : {9, 23}) {
            RunRecord run;
            run.userSection = day % 7 == 3 ? "user1" : "user0";
            run.startUtc = kJanuary1 + day * kDay + hour * 3600 + 1200;
            run.endUtc = run.startUtc + 300;
            run.mode = hour == 9 ? RunMode::Lesson : RunMode::Practice;
            run.characters = day % 11 == 5 ? 9 : 100 + day;
            run.ticks = day % 13 == 4 ? 7 : 400;
            run.wpm = 20 + day % 17 + hour;
            run.accuracy = 80 + day % 19;
            ASSERT_TRUE(history.Record(run));
        }
    RunRecord outOfTime;
    outOfTime.userSection = "user0";
    outOfTime.startUtc = 67'768'036'191'676'799;
    outOfTime.characters = 500;
    outOfTime.ticks = 500;
    outOfTime.wpm = 900;
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
