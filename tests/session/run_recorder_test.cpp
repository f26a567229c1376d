#include "session/run_recorder.h"
#include "session/session_options.h"
#include "session_fixture.h"
#include "support/stepped_utc_clock.h"

namespace tarvelo::test {
namespace {

class RunRecorderTest : public SessionFixture
{
protected:
    RunRecorderTest()
    {
        user.UserName = "Ana";
        user.SelectSlot(2);
        engine.SetRunObserver(&recorder);
    }

    std::vector<RunRecord> Runs() const { return history.Runs(user.UserSection); }

    SteppedUtcClock clock;
    RunHistory history{HistoryPath(folder.Path()), clock};
    int lesson = 3;
    RunRecorder recorder{&history, user, clock, [this] { return lesson; }};
};

// Each way a run ends records exactly one row with what was typed.
TEST_F(RunRecorderTest, EachEndingRecordsTheRun)
{
    const struct
    {
        const char* name;
        std::function<void()> end;
    } rows[] = {
        {"stop", [this] { engine.StopTyping(); }},
        {"leaving the window",
         [this] {
             SessionOptions options(profile, user, engine);
             options.StopForExit();
         }},
        {"switching detection on",
         [this] {
             SessionOptions options(profile, user, engine);
             options.Press(SessionOption::Detection);
         }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const auto before = Runs().size();
        Start({"abcdefghij "});
        clock.now += 60;
        Type("abcx");
        row.end();
        const auto runs = Runs();
        ASSERT_EQ(runs.size(), before + 1);
        const RunRecord& run = runs.back();
        EXPECT_EQ(run.characters, 4);
        EXPECT_EQ(run.errors, 1);
        EXPECT_EQ(run.accuracy, 75);
        EXPECT_EQ(run.mode, RunMode::Practice);
        EXPECT_EQ(run.lessonNumber, 0);
        EXPECT_EQ(run.userSection, "user2");
        EXPECT_EQ(run.userName, "Ana");
        EXPECT_EQ(run.endUtc - run.startUtc, 60);
        EXPECT_FALSE(run.detection) << "typed without detection";
        engine.SetOptions({});
    }
}

TEST_F(RunRecorderTest, NextPastALessonsLastLineEndsItsRun)
{
    Start({"ab ", "cd "}, false, false);
    Type("ab ");
    EXPECT_TRUE(Runs().empty()); // the next line is still lesson 3's
    Type("c");
    lesson = 4; // "Next" brings the first line of lesson 4
    engine.BeginOrNext();
    Type("cd");
    engine.StopTyping();

    const auto runs = Runs();
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].lessonNumber, 3);
    EXPECT_EQ(runs[0].characters, 4);
    EXPECT_EQ(runs[1].lessonNumber, 4);
    EXPECT_EQ(runs[1].characters, 2);
    EXPECT_EQ(runs[1].mode, RunMode::Lesson);
}

TEST_F(RunRecorderTest, NothingTypedRecordsNothing)
{
    Start({"abc "});
    engine.StopTyping();
    Start({"abc "});
    Type("a\b"); // typed, then taken back
    engine.StopTyping();
    EXPECT_TRUE(Runs().empty());
}

// The session panel's formulas, with the figures worked out for them.
TEST_F(RunRecorderTest, FiguresFollowThePanelFormulas)
{
    const struct
    {
        const char* name;
        std::int32_t position, errors;
        float time;
        std::int32_t wpm, accuracy;
    } rows[] = {
        {"ten right in 49 ticks", 11, 0, 49, 11, 100},
        {"only wrong keys", 4, 3, 20, 0, 0},
        {"three of seven wrong", 8, 3, 10, 24, 57},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Start({"abcdefghij "});
        engine.Stats().SessionPosition = row.position;
        engine.Stats().SessionErrors = row.errors;
        engine.Stats().SessionTime = row.time;
        const auto run = recorder.CurrentRun(engine);
        ASSERT_TRUE(run);
        EXPECT_EQ(run->wpm, row.wpm);
        EXPECT_EQ(run->accuracy, row.accuracy);
        EXPECT_EQ(run->ticks, row.time - 1);
        engine.StopTyping();
    }
}

} // namespace
} // namespace tarvelo::test
