#include "drill/keystroke_log.h"
#include "drill/layout_identity.h"
#include "session/run_recorder.h"
#include "session_fixture.h"
#include "support/fake_platform.h"

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

// Stop, and the detection switch, which stops the run after switching, each
// record one row with what was typed, without detection.
TEST_F(RunRecorderTest, EachEndingRecordsTheRunWhenSomethingWasTyped)
{
    Start({"abc "});
    engine.StopTyping();
    Start({"abc "});
    Type("a\b"); // typed, then taken back
    engine.StopTyping();
    EXPECT_TRUE(Runs().empty());
    for (const bool detection : {false, true}) {
        SCOPED_TRACE(detection ? "switching detection on" : "stop");
        Start({"abcdefghij "});
        clock.now += 60;
        Type("abcx");
        engine.SetOptions({.backspace = true, .detection = detection, .beepOnError = true});
        engine.StopTyping();
        const auto runs = Runs();
        ASSERT_EQ(runs.size(), detection ? 2u : 1u);
        EXPECT_EQ(Summary(runs.back()), "user2 Ana practice 0 4/1 75% 60s detection 0");
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

// Each character timed from its key event, extra keys and errors kept; the
// line goes out with the run at its end, under the layout's identity, and
// is told to whoever folds it.
TEST_F(RunRecorderTest, KeystrokesGoWithTheRunAtEachLineEnd)
{
    recorder.SetLayout(&layout);
    int linesTold = 0;
    recorder.SetLineTyped([&](std::span<const Keystroke>) { ++linesTold; });
    Start({"ab ", "cd "});
    const auto key = [this](std::uint64_t ms, bool extra, const char* typed) {
        recorder.KeyPressed(ms, extra);
        Type(typed);
    };
    key(1000, false, "a");
    key(1100, true, "");   // Shift
    key(1400, false, "X"); // for "b"
    key(1500, true, "");   // Backspace, refused or not, types nothing
    key(1900, false, "");  // an input-method commit comes without an event:
    Type(" ");             // it takes the last event's time
    key(2000, false, "c");
    const auto logs = history.KeystrokeLogs(user.UserSection, LayoutIdentity(layout));
    ASSERT_EQ(logs.size(), 1u) << "the run is written at the first line end";
    std::string strokes;
    ASSERT_TRUE(ForEachLoggedLine(logs[0], [&](std::span<const Keystroke> line) {
        for (const Keystroke& k : line)
            strokes += std::string{k.expected, k.typed} + std::to_string(int(k.intervalMs)) +
                       (k.error ? "E" : "") + "+" + std::to_string(k.extraKeys) + " ";
        strokes += "| ";
    }));
    EXPECT_EQ(strokes, "aa0+0 bX400E+1 "
                       "  500+1 | ");
    EXPECT_EQ(linesTold, 1);
    engine.StopTyping(); // the broken-off line is kept too
    EXPECT_EQ(linesTold, 2);
    EXPECT_EQ(history.KeystrokeLogs(user.UserSection, LayoutIdentity(layout)).size(), 1u);
}

} // namespace
} // namespace tarvelo::test
