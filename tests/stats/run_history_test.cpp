#include "profile/data_file.h"
#include "state/program_state.h"
#include "stats/history_csv.h"
#include "stats/run_history.h"
#include "stats/shared_history.h"
#include "support/stepped_utc_clock.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace tarvelo::test {
namespace {

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

// A database whose pages are torn (a bare non-database is met in SharedHistoryTest).
TEST_F(RunHistoryTest, DamagedDatabaseIsSetAsideWithTheDateAndANewOneStarted)
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
    RunHistory history(Path(), clock);
    EXPECT_EQ(history.OpenResult().state, HistoryState::DamagedSetAside);
    EXPECT_EQ(history.OpenResult().setAsidePath, Path() + ".damaged-2026-05-28");
    EXPECT_TRUE(FileExists(history.OpenResult().setAsidePath));
    EXPECT_TRUE(history.Runs("user0").empty());
    EXPECT_TRUE(history.Record(SampleRun("user0", 5)));
}

// A newer schema is left alone.
TEST_F(RunHistoryTest, UnusableDatabaseLeavesTheHistoryOffWithAMessage)
{
    {
        RunHistory history(Path(), clock);
        ASSERT_TRUE(history.Record(SampleRun("user0", 5)));
    }
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(Path().c_str(), &db), SQLITE_OK);
    sqlite3_exec(db, "PRAGMA user_version=99", nullptr, nullptr, nullptr);
    sqlite3_close(db);

    RunHistory history(Path(), clock);
    EXPECT_EQ(history.OpenResult().state, HistoryState::Unavailable);
    EXPECT_FALSE(history.OpenResult().message.empty());
    EXPECT_FALSE(history.Record(SampleRun("user0", 5)));
}

TEST(HistoryCsvTest, OneQuotedRowPerRun)
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
}

TEST(SharedHistoryTest, OpensOnFirstUseAndTellsADamagedFileOnce)
{
    TempFolder folder;
    folder.Write(RunHistory::kFileName, "not a database at all");
    ProgramState state(folder.Path());
    RunHistory& history = SharedHistory(state);
    EXPECT_EQ(&SharedHistory(state), &history);
    EXPECT_EQ(history.OpenResult().state, HistoryState::DamagedSetAside);
    EXPECT_NE(TakeHistoryNotice(state), "");
    EXPECT_EQ(TakeHistoryNotice(state), "");

    GameRecord game;
    game.userSection = "user4";
    game.score = 1234;
    RecordGame(state, game);
    ASSERT_EQ(history.Games("user4").size(), 1u);
    EXPECT_GT(history.Games("user4")[0].endUtc, 0) << "stamped with the time";
}

} // namespace
} // namespace tarvelo::test
