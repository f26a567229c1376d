#include "session/run_recorder.h"
#include "session/session_options.h"
#include "session_fixture.h"
#include "support/stepped_utc_clock.h"

#include <sstream>

namespace tarvelo::test {
namespace {

std::string Summary(const RunRecord& r)
{
    std::ostringstream out;
    out << r.userSection << ' ' << r.userName << ' '
        << (r.mode == RunMode::Lesson ? "lesson " : "practice ") << r.lessonNumber << ' '
        << r.characters << '/' << r.errors << ' ' << r.accuracy << "% " << r.endUtc - r.startUtc
        << "s detection " << r.detection;
    return out.str();
}

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

// Each way a run ends records exactly one row with what was typed, without detection.
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
        EXPECT_EQ(Summary(runs.back()), "user2 Ana practice 0 4/1 75% 60s detection 0");
        engine.SetOptions({});
    }
}

TEST_F(RunRecorderTest, NextPastALessonsLastLineEndsItsRun)
{
    Start({"ab ", "cd "}, false, false);
    Type("ab ");
    // Kept at the line end; the next line is still lesson 3's.
    ASSERT_EQ(Runs().size(), 1u);
    EXPECT_EQ(Runs()[0].characters, 3);
    Type("c");
    lesson = 4; // "Next" brings the first line of lesson 4
    engine.BeginOrNext();
    Type("cd");
    engine.StopTyping();
    const auto runs = Runs();
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(
        Summary(runs[0]) + ", " + Summary(runs[1]),
        "user2 Ana lesson 3 4/0 100% 0s detection 0, user2 Ana lesson 4 2/0 100% 0s detection 0");
}

// The session panel's figures, whose formulas the typing stats tests pin.
TEST_F(RunRecorderTest, FiguresComeFromTheSessionPanel)
{
    Start({"abcdefghij "});
    engine.Stats().SessionPosition = 8; // three of seven wrong
    engine.Stats().SessionErrors = 3;
    engine.Stats().SessionTime = 10;
    const auto run = recorder.CurrentRun(engine);
    ASSERT_TRUE(run);
    EXPECT_EQ(run->wpm, 24);
    EXPECT_EQ(run->accuracy, 57);
    EXPECT_EQ(run->ticks, 9);
}

} // namespace
TEST_F(RunRecorderTest, NothingTypedRecordsNothing)
{
    Start({"abc "});
    engine.StopTyping();
    Start({"abc "});
    Type("a\b"); // typed, then taken back
    engine.StopTyping();
    EXPECT_TRUE(Runs().empty());
}

} // namespace tarvelo::test
