#include "history/history_csv.h"
#include "history/history_reader.h"
#include "history/progress_days.h"
#include "history/run_history.h"
#include "history/shared_history.h"
#include "profile/data_file.h"
#include "state/program_state.h"
#include "support/fake_platform.h"
#include "support/kill_at_random.h"
#include "support/temp_folder.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <span>
#include <sqlite3.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace tarvelo::test {
namespace {

// A keystroke log with zeros in it, as the older histories hold one.
const std::string kLoggedKeys("\x01\x04"
                              "a\x00\x05"
                              "b\x83\x01",
                              8);

RunRecord SampleRun(std::string section, std::int32_t characters,
                    std::int64_t start = 1'780'000'000)
{
    RunRecord run;
    run.userSection = std::move(section);
    run.userName = "Zo\xEB"; // code-page bytes, kept as they are
    run.startUtc = start;
    run.endUtc = start + 90;
    run.characters = characters;
    run.errors = 2;
    run.ticks = 360;
    run.wpm = 31;
    run.accuracy = 94;
    return run;
}

RunRecord SampleLesson(std::int32_t characters, std::int64_t start, int number)
{
    RunRecord run = SampleRun("user1", characters, start);
    run.mode = RunMode::Lesson;
    run.lessonNumber = number;
    run.detection = true;
    return run;
}

// Run `i` with keystrokes of its own, zeros among them.
RunRecord RunWithKeystrokes(std::int32_t i)
{
    RunRecord run = SampleRun("user3", i);
    run.layout = "L";
    for (std::int32_t k = 0; k < 40 + i % 300; ++k)
        run.keystrokes.push_back(static_cast<char>((i * 7 + k) % 256));
    return run;
}

// The first column of the first row `sql` gives on the database at `path`.
int QueryInt(const std::string& path, const char* sql)
{
    sqlite3* db = nullptr;
    sqlite3_stmt* query = nullptr;
    sqlite3_open(path.c_str(), &db);
    sqlite3_prepare_v2(db, sql, -1, &query, nullptr);
    const int value = sqlite3_step(query) == SQLITE_ROW ? sqlite3_column_int(query, 0) : -1;
    sqlite3_finalize(query);
    sqlite3_close(db);
    return value;
}

class RunHistoryTest : public ::testing::Test
{
protected:
    std::string Path() const { return HistoryPath(folder.Path()); }

    TempFolder folder;
    SteppedUtcClock clock;
};

TEST_F(RunHistoryTest, MissingDatabaseIsCreatedAndRunsComeBackWhole)
{
    const RunRecord lesson = SampleLesson(40, 1'780'000'100, 7);
    {
        RunHistory history(Path(), clock);
        EXPECT_EQ(history.OpenResult().state, HistoryState::Created);
        ASSERT_TRUE(history.Record(SampleRun("user1", 25)));
        ASSERT_TRUE(history.Record(lesson));
    }
    RunHistory reopened(Path(), clock);
    EXPECT_EQ(reopened.OpenResult().state, HistoryState::Opened);
    // The CSV export renders every field of both runs.
    EXPECT_EQ(HistoryCsv(reopened.Runs("user1")),
              HistoryCsv(std::vector{SampleRun("user1", 25), lesson}));
}

// A history written by the version before keystrokes were kept (four runs
// of user0, one a lesson, and one of user1) takes keystrokes and drills.
TEST_F(RunHistoryTest, OlderHistoryGainsKeystrokesAndDrillsAndKeepsItsRuns)
{
    std::filesystem::copy_file(TARVELO_TEST_FILES "/history_version1.sqlite", Path());
    RunRecord run = SampleRun("user0", 30, 1'900'000'000);
    run.mode = RunMode::Drill;
    run.layout = "English (US)";
    run.keystrokes = kLoggedKeys;
    {
        RunHistory history(Path(), clock);
        EXPECT_EQ(history.OpenResult().state, HistoryState::Opened);
        const auto runs = history.Runs("user0");
        ASSERT_EQ(runs.size(), 4u);
        EXPECT_EQ(runs[1].mode, RunMode::Lesson);
        EXPECT_EQ(runs[0].layout, "");
        ASSERT_TRUE(history.Record(run));
        ASSERT_TRUE(history.Record(SampleRun("user1", 30)));
    }
    RunHistory history(Path(), clock);
    EXPECT_EQ(HistoryCsv(std::vector{history.Runs("user0").back()}), HistoryCsv(std::vector{run}));
    EXPECT_EQ(history.KeystrokeLogs("user0", run.layout), std::vector{run.keystrokes});
    EXPECT_TRUE(history.KeystrokeLogs("user0", "").empty()); // older runs have none
    ASSERT_TRUE(history.DeleteUser("user0"));
    EXPECT_TRUE(history.KeystrokeLogs("user0", run.layout).empty());
    EXPECT_EQ(history.Runs("user1").size(), 2u);
}

// A history of the version before drills (run 3 of user0 with keystrokes):
// the table is built again, keeping every run, its keystrokes and its index.
TEST_F(RunHistoryTest, VersionTwoHistoryIsRebuiltWhole)
{
    std::filesystem::copy_file(TARVELO_TEST_FILES "/history_version2.sqlite", Path());
    RunHistory history(Path(), clock);
    EXPECT_EQ(history.OpenResult().state, HistoryState::Opened);
    const auto runs = history.Runs("user0");
    ASSERT_EQ(runs.size(), 4u);
    EXPECT_EQ(runs[1].mode, RunMode::Lesson);
    EXPECT_EQ(runs[2].layout, "5e1f03aa");
    EXPECT_EQ(history.KeystrokeLogs("user0", "5e1f03aa"), std::vector{kLoggedKeys});
    EXPECT_EQ(QueryInt(Path(), "PRAGMA user_version"), RunHistory::kSchemaVersion);
    EXPECT_EQ(QueryInt(Path(), "SELECT count(*) FROM sqlite_master WHERE name = 'runs_by_user'"),
              1);
}

// A damaged file is set aside with the date and a new one started; a newer
// schema is left alone.
TEST_F(RunHistoryTest, DamagedDatabaseIsSetAsideANewerOneLeftAlone)
{
    {
        RunHistory history(Path(), clock);
        for (int i = 0; i < 50; ++i)
            ASSERT_TRUE(history.Record(SampleRun("user0", i + 1)));
    }
    std::string bytes = folder.Read(RunHistory::kFileName);
    ASSERT_GT(bytes.size(), 8192u);
    std::fill(bytes.begin() + 4096, bytes.begin() + 8192, '\x5A'); // the second page
    folder.Write(RunHistory::kFileName, bytes);
    clock.now = 1'779'969'600; // noon UTC: 2026-05-28 in every zone within 11 hours
    {
        RunHistory history(Path(), clock);
        EXPECT_EQ(history.OpenResult().state, HistoryState::DamagedSetAside);
        EXPECT_EQ(history.OpenResult().setAsidePath, Path() + ".damaged-2026-05-28");
        EXPECT_TRUE(FileExists(history.OpenResult().setAsidePath));
        EXPECT_TRUE(history.Runs("user0").empty());
        EXPECT_TRUE(history.Record(SampleRun("user0", 5)));
    }
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(Path().c_str(), &db), SQLITE_OK);
    sqlite3_exec(db, "PRAGMA user_version=99", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    RunHistory newer(Path(), clock);
    EXPECT_EQ(newer.OpenResult().state, HistoryState::Unavailable);
    EXPECT_FALSE(newer.OpenResult().message.empty());
    EXPECT_FALSE(newer.Record(SampleRun("user0", 5)));
}

// A process killed while it writes or updates a run leaves every committed
// run readable, in one row.
TEST_F(RunHistoryTest, KillDuringAWriteKeepsEveryCommittedRun)
{
    std::mt19937 random(1);
    const auto reports = KillAtRandom<std::int32_t>(
        [this](int report) {
            RunHistory history(Path(), clock);
            for (std::int32_t i = 1;; ++i) {
                const RunHistory::RunKey key = history.NewRun();
                for (int save = 0; save < 2; ++save) { // its row, then the row's update
                    if (!history.Save(key, RunWithKeystrokes(i)))
                        return;
                    (void)!write(report, &i, sizeof i); // committed
                }
            }
        },
        200, 0, random);
    ASSERT_GE(reports.size(), 200u);
    const std::int32_t committed = reports.back();

    RunHistory history(Path(), clock);
    EXPECT_EQ(history.OpenResult().state, HistoryState::Opened);
    const auto runs = history.Runs("user3");
    ASSERT_GE(runs.size(), static_cast<std::size_t>(committed));
    const auto logs = history.KeystrokeLogs("user3", "L");
    ASSERT_EQ(logs.size(), runs.size());
    for (std::size_t i = 0; i < runs.size(); ++i) {
        ASSERT_EQ(runs[i].characters, static_cast<std::int32_t>(i) + 1) << "row " << i;
        ASSERT_EQ(logs[i], RunWithKeystrokes(runs[i].characters).keystrokes) << "row " << i;
    }
}

// Another program holding the history (a writer, or a lock on the whole
// file) does not stop the opening, nor does a full disk: the runs wait in
// memory, the problem is told once, and they are written at the first write
// after it is gone.
TEST_F(RunHistoryTest, HeldReadOnlyOrFullHistoryIsToldOnceAndItsRunsWait)
{
    const struct
    {
        const char* hold; // SQL a second connection runs, or "" for a full disk
        HistoryState opened;
        const char* told;
    } rows[] = {
        {"BEGIN IMMEDIATE", HistoryState::Opened, "is busy"},
        {"PRAGMA locking_mode=EXCLUSIVE; BEGIN EXCLUSIVE", HistoryState::Busy, "is busy"},
        {"", HistoryState::Opened, "could not be written"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.hold);
        {
            RunHistory created(Path(), clock);
        }
        sqlite3* holder = nullptr;
        ASSERT_EQ(sqlite3_open(Path().c_str(), &holder), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(holder, row.hold, nullptr, nullptr, nullptr), SQLITE_OK);

        RunHistory history(Path(), clock);
        EXPECT_EQ(history.OpenResult().state, row.opened);
        std::optional<FileSizeLimit> diskFull;
        if (*row.hold == 0)
            diskFull.emplace(0);
        EXPECT_FALSE(history.Record(SampleRun("user0", 1)));
        EXPECT_NE(history.TakeNotice().find(row.told), std::string::npos);
        EXPECT_FALSE(history.Record(SampleRun("user0", 2)));
        EXPECT_EQ(history.TakeNotice(), "");

        diskFull.reset();
        sqlite3_exec(holder, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close(holder);
        EXPECT_TRUE(history.Record(SampleRun("user0", 3)));
        ASSERT_EQ(history.Runs("user0").size(), 3u);
        EXPECT_EQ(history.Runs("user0")[1].characters, 2);
        ASSERT_TRUE(history.DeleteUser("user0"));
    }
    {
        RunHistory created(Path(), clock);
        ASSERT_TRUE(created.Record(SampleRun("user0", 1)));
    }
    ASSERT_EQ(::chmod(folder.Path().c_str(), 0777), 0);
    ASSERT_EQ(::chmod(Path().c_str(), 0444), 0);
    EXPECT_TRUE(RunAsUnprivileged([this] {
        RunHistory history(Path(), clock);
        return history.TakeNotice().find("not allowed to write") != std::string::npos &&
               !history.Record(SampleRun("user0", 2)) && history.TakeNotice().empty();
    }));
}

TEST(SharedHistoryTest, CsvHasOneQuotedRowPerRunAndTheHistoryOpensOnFirstUse)
{
    RunRecord practice = SampleRun("user0", 120);
    practice.userName = "O\"Neil, \xC9lise";
    const RunRecord runs[] = {practice, SampleLesson(80, 1'780'003'600, 12)};
    EXPECT_EQ(HistoryCsv(runs),
              "user,name,start_utc,end_utc,mode,lesson,characters,errors,ticks,wpm,accuracy,"
              "detection\r\n"
              "user0,\"O\"\"Neil, \xC3\x89lise\",2026-05-28T20:26:40Z,2026-05-28T20:28:10Z,"
              "practice,,120,2,360,31,94,off\r\n"
              "user1,Zo\xC3\xAB,2026-05-28T21:26:40Z,2026-05-28T21:28:10Z,lesson,12,80,2,360,31,"
              "94,on\r\n");
    TempFolder folder;
    folder.Write(RunHistory::kFileName, "not a database at all");
    ProgramState state(folder.Path());
    RunHistory& history = state.history.Get();
    EXPECT_EQ(&state.history.Get(), &history);
    EXPECT_EQ(history.OpenResult().state, HistoryState::DamagedSetAside);
    EXPECT_NE(state.history.TakeNotice(), "");
    EXPECT_EQ(state.history.TakeNotice(), "");

    GameRecord game;
    game.userSection = "user4";
    game.score = 1234;
    state.history.RecordGame(game);
    ASSERT_EQ(history.Games("user4").size(), 1u);
    EXPECT_GT(history.Games("user4")[0].endUtc, 0) << "stamped with the time";
}

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
TEST(HistoryReaderTest, SumsInTheDatabaseGiveTheFiguresOfTheRunsReadingCreatesNothing)
{
    SetZone("Europe/London");
    TempFolder folder;
    const std::string path = HistoryPath(folder.Path());
    EXPECT_FALSE(LoadProgress(path, "user0", kJanuary1).hasRuns);
    EXPECT_FALSE(ExportUserHistory(path, "user0", folder.File("none.csv")));
    EXPECT_FALSE(FileExists(path)) << "reading never creates a history";
    SteppedUtcClock clock;
    RunHistory history(path, clock);
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
    const LoadedProgress loaded = LoadProgress(path, "user0", now);
    EXPECT_TRUE(loaded.hasRuns);
    EXPECT_EQ(Days(loaded.progress.practice), Days(expected.practice));
    EXPECT_EQ(Days(loaded.progress.lessons), Days(expected.lessons));
    EXPECT_EQ(DateText(loaded.progress.first.date), DateText(expected.first.date));
    EXPECT_NE(DateText(expected.first.date), "1 January 2026") << "older days left out";
    ASSERT_TRUE(loaded.progress.lessons.recent && expected.lessons.recent);
    EXPECT_EQ(loaded.progress.lessons.recent->wpm, expected.lessons.recent->wpm);

    // The export writes what the history holds.
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
