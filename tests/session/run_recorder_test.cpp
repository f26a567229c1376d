#include "drill/keystroke_log.h"
#include "drill/layout_identity.h"
#include "drill/text_language.h"
#include "session/drill_lines.h"
#include "session/run_recorder.h"
#include "session_fixture.h"
#include "support/fake_platform.h"

#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

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

constexpr std::string_view kText = "Header\r\nthe cat sat on the mat and ate a rat\r\n";

// One line typing each letter at `ms`, `slow` at `slowMs`.
std::vector<Keystroke> Line(std::string_view letters, char slow, double ms, double slowMs)
{
    std::vector<Keystroke> line{{' ', ' ', 0}}; // a line's first keystroke is not timed
    for (char c : letters)
        line.push_back({c, c, c == slow ? slowMs : ms});
    return line;
}

// The figures come from the stored logs and every line typed since; each
// new line tells how its focus letter changed.
TEST(DrillLinesTest, LinesFollowTheFiguresAfterEachLine)
{
    const std::string letters = TextLanguage::Learn(kText).Letters();
    const char slow = letters[1];
    KeystrokeLog log;
    log.AddLine(Line(letters, slow, 100, 400));

    DrillLines drills(7);
    drills.Load(kText, std::vector{log.Bytes()}, TargetSpeed(35));
    const std::string first = drills.NextLine(false);
    ASSERT_GE(first.size(), 30u);
    EXPECT_NE(first.find(slow), std::string::npos) << first;
    EXPECT_EQ(drills.FocusChange(), "");
    std::string focus;
    for (const DrillLetter& letter : drills.Letters())
        if (letter.focus)
            focus.push_back(letter.letter);
    EXPECT_EQ(focus, std::string(1, slow));

    drills.Rewind(false);
    EXPECT_EQ(drills.NextLine(false), first) << "a stopped line comes again";

    // clang-format off
    const struct { double lineMs; const char* told; } rows[] = {
        {300, ": 10 ms faster"},  // 400 + 0.1 * (300 - 400)
        {390, ": unchanged"},
        {490, ": 10 ms slower"},
    };
    // clang-format on
    for (const auto& row : rows) {
        drills.FoldLine(Line(letters, slow, 100, row.lineMs));
        (void)drills.NextLine(false);
        EXPECT_EQ(drills.FocusChange(), slow + std::string(row.told));
    }
}

TEST(DrillLinesTest, TargetSpeedIsAWholeNumberFrom10To150AndNoLettersGiveNoLine)
{
    // clang-format off
    const struct { const char* typed; std::optional<int> wpm; } rows[] = {
        {"35", 35}, {" 10\t", 10}, {"150", 150},
        {"9", std::nullopt}, {"151", std::nullopt}, {"", std::nullopt}, {"  ", std::nullopt},
        {"40.5", std::nullopt}, {"4O", std::nullopt}, {"-35", std::nullopt},
        {"99999999999", std::nullopt},
    };
    // clang-format on
    for (const auto& row : rows)
        EXPECT_EQ(ParseTargetWpm(row.typed), row.wpm) << '"' << row.typed << '"';
    DrillLines drills(7);
    drills.Load("Header\r\n123 456\r\n", {}, TargetSpeed(35));
    EXPECT_EQ(drills.NextLine(false), "");
    EXPECT_TRUE(drills.Letters().empty());
}

} // namespace
} // namespace tarvelo::test
