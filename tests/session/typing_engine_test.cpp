#include "material/lesson_catalogue.h"
#include "material/practice_text.h"
#include "profile/key_codes.h"
#include "session/material_lines.h"
#include "session/session_fixture.h"

namespace tarvelo {
namespace {

using keycode::kBackspace;
using keycode::kEnter;

class PlainTypingTest : public test::SessionFixture
{};

TEST_F(PlainTypingTest, ErrorFreeLineAdvancesAndLoadsTheNext)
{
    Start({"abcdefghij ", "second "});
    Type("abcde");
    EXPECT_EQ(engine.Line().SentencePosition, 6);
    Type("fghij ");
    EXPECT_EQ(engine.ExpectedText(), "second ");
    EXPECT_EQ(engine.Line().SentencePosition, 1);
    EXPECT_EQ(engine.Stats().Panel().llerrors, "0");
    EXPECT_EQ(engine.Stats().Panel().llpercent, "100");
    EXPECT_EQ(engine.Stats().SessionPosition, 12);
    EXPECT_EQ(engine.ShownSentenceNumber(), 2);
    EXPECT_EQ(beeper.beeps, 0);
    // The totals are saved before the last character is counted.
    EXPECT_EQ(totals.CompletePosition, 12);
    EXPECT_EQ(profile.ReadProfile("user0", "completeposition", ""), "11");
}

TEST_F(PlainTypingTest, EnterCountsOnlyOnTheLastPosition)
{
    Start({"ab ", "next "});
    engine.TypeKey(kEnter);
    EXPECT_EQ(engine.Line().KeyCount, 0) << "Enter mid-line never reaches the comparison";
    Type("ab");
    engine.TypeKey(kEnter);
    EXPECT_EQ(engine.ExpectedText(), "next ");
    EXPECT_EQ(engine.Stats().SessionErrors, 0);
}

TEST_F(PlainTypingTest, WrongSpaceShowsARedUnderscoreAndOnlyTheFirstOfARunIsCharged)
{
    Start({"abcdef "});
    Type("a x");
    EXPECT_EQ(Shown(3), "a|x");
    EXPECT_EQ(Marks(3), ".RR");
    const auto cells = engine.TypedCells();
    ASSERT_EQ(cells.size(), 3u);
    EXPECT_EQ(cells[1].character, '_');
    EXPECT_EQ(cells[1].mark, Mark::Wrong);
    EXPECT_EQ(engine.CaretCell().value_or(3), 3);
    EXPECT_EQ(engine.Stats().SentenceErrors, 2);
    EXPECT_EQ(Errors('b'), 1);
    EXPECT_EQ(Errors('c'), 0);
    EXPECT_EQ(tallies.TypedCount(0, 'C'), 1);
    EXPECT_EQ(beeper.beeps, 2);
}

TEST_F(PlainTypingTest, WrongFirstKeyIsAnErrorChargedToNoLetter)
{
    Start({"abc "});
    Type("x");
    EXPECT_EQ(engine.Stats().SentenceErrors, 1);
    EXPECT_EQ(engine.Stats().SentenceAccuracy, 0);
    EXPECT_EQ(Errors('a'), 0);
    EXPECT_EQ(tallies.TypedCount(0, 'A'), 1);
}

TEST_F(PlainTypingTest, BackspaceTakesBackAnErrorButNotTheTallies)
{
    Start({"abcdef "});
    Type("ax");
    ASSERT_EQ(engine.Stats().SessionErrors, 1);
    engine.TypeKey(kBackspace);
    EXPECT_EQ(engine.Line().SentencePosition, 2);
    EXPECT_EQ(engine.Line().KeyCount, 2) << "the erased key stays counted";
    EXPECT_EQ(engine.Stats().SentenceErrors, 0);
    EXPECT_EQ(engine.Stats().SessionErrors, 0);
    EXPECT_EQ(totals.CompleteErrors, 0);
    EXPECT_EQ(engine.Stats().SentenceAccuracy, 100);
    EXPECT_EQ(Errors('b'), 1);

    Type("b");
    engine.TypeKey(kBackspace); // over a correct position
    EXPECT_EQ(engine.Stats().SessionErrors, 0);
    EXPECT_EQ(engine.Stats().SessionPosition, 2);
}

TEST_F(PlainTypingTest, BackspaceRefusals)
{
    Start({"abc "});
    engine.TypeKey(kBackspace);
    EXPECT_EQ(engine.Line().SentencePosition, 1);
    EXPECT_EQ(engine.Line().KeyCount, 1);
    EXPECT_EQ(engine.RefusalCount(), 0u) << "nothing to take back at the start";

    engine.SetOptions({.backspace = false});
    Type("a");
    engine.TypeKey(kBackspace);
    EXPECT_EQ(engine.Line().SentencePosition, 2);
    EXPECT_EQ(engine.RefusalCount(), 1u);
    EXPECT_EQ(engine.LastRefusal(), Refusal::BackspaceOff);
}

TEST_F(PlainTypingTest, FiveHundredKeystrokesSkipTheLine)
{
    Start({"abc ", "next "});
    for (int i = 0; i < 499; ++i) {
        Type("a");
        engine.TypeKey(kBackspace);
    }
    Type("a");
    ASSERT_EQ(engine.Line().KeyCount, 500);
    const unsigned rows = engine.Stats().Panel().lastRowUpdates;
    Type("b");
    EXPECT_EQ(engine.ExpectedText(), "next ");
    EXPECT_EQ(engine.Line().KeyCount, 0);
    EXPECT_EQ(engine.Stats().Panel().lastRowUpdates, rows + 1);
    EXPECT_EQ(engine.ShownSentenceNumber(), 1) << "a skipped sentence is not counted";
}

TEST_F(PlainTypingTest, StopClearsTheLineAndResetsTheRun)
{
    Start({"abc "});
    Type("ax");
    engine.StopTyping();
    EXPECT_FALSE(engine.Running());
    EXPECT_EQ(lines.rewinds, 1);
    EXPECT_EQ(engine.Stats().SessionErrors, 0);
    EXPECT_EQ(engine.Stats().SessionPosition, 1);
    EXPECT_TRUE(engine.NextKeys().empty());
    EXPECT_TRUE(engine.TypedCells().empty());
    Type("a");
    EXPECT_EQ(engine.Line().KeyCount, 0) << "keys are ignored while stopped";
}

TEST_F(PlainTypingTest, NextKeyLightsItsKeyAndShiftForCapitals)
{
    Start({"aB "});
    EXPECT_EQ(engine.NextKeys(), std::vector<int>{11});
    Type("a");
    EXPECT_EQ(engine.NextKeys(), (std::vector<int>{32, 33, 26}));
}

TEST_F(PlainTypingTest, LessonsLeaveTheCompleteTotalsAlone)
{
    Start({"ab ", "cd "}, false, false);
    Type("ax ");
    EXPECT_EQ(totals.CompletePosition, 1);
    EXPECT_EQ(totals.CompleteErrors, 0);
    EXPECT_EQ(engine.Stats().Panel().llerrors, "1");
    EXPECT_EQ(profile.ReadProfile("user0", "completeposition", "absent"), "absent");
}

TEST_F(PlainTypingTest, EmptyMaterialLeavesNothingToType)
{
    Start({""});
    EXPECT_TRUE(engine.NothingToType());
    Type("abc");
    EXPECT_EQ(engine.Line().KeyCount, 0);
}

TEST_F(PlainTypingTest, StatisticsTimerRunsFromTheFirstKeyUntilTheLineEnds)
{
    Start({"ab "});
    EXPECT_FALSE(engine.StatsTimer().enabled);
    Type("a");
    EXPECT_TRUE(engine.StatsTimer().enabled);
    engine.StatsTick();
    EXPECT_EQ(engine.Stats().SentenceTime, 2.0f);
    EXPECT_EQ(totals.CompleteQSeconds, 2.0);
    Type("b ");
    EXPECT_FALSE(engine.StatsTimer().enabled);
    EXPECT_EQ(engine.Stats().SentenceTime, 1.0f);
}

// A session over the real practice text and lesson catalogue.
class MaterialSessionTest : public ::testing::Test
{
protected:
    void Type(const std::string& keys)
    {
        for (char c : keys)
            engine.TypeKey(static_cast<unsigned char>(c));
    }

    test::TempFolder folder;
    ProfileStore profile{folder.Path()};
    CurrentUser user;
    PracticeText practice;
    test::RecordingGuide guide;
    LessonCatalogue lessons{profile, folder.Path()};
    MaterialLines lines{profile, user, practice, lessons, guide};
    KeyboardLayout layout;
    test::CountingBeeper beeper;
    CompleteTotals totals;
    LetterTallies tallies;
    TypingEngine engine{{profile, user, lines, layout, beeper}, totals, tallies};
};

TEST_F(MaterialSessionTest, StopAndBeginRetypeTheSameSentence)
{
    user.TypeMode = CurrentUser::kPractice;
    practice.LoadFromBytes("header\r\nFirst one. Second one. Third one.\r\n");
    engine.BeginOrNext();
    EXPECT_EQ(engine.ExpectedText(), "First one. ");
    Type("First one. ");
    EXPECT_EQ(engine.ExpectedText(), "Second one. ");
    Type("S");
    engine.StopTyping();
    engine.BeginOrNext();
    EXPECT_EQ(engine.ExpectedText(), "Second one. ");
    engine.BeginOrNext(); // Next
    EXPECT_EQ(engine.ExpectedText(), "Third one. ");
    EXPECT_EQ(profile.ReadProfile("user0", "sentencenumber", ""), "3");
}

TEST_F(MaterialSessionTest, StopAndBeginRetypeTheSameDrillLine)
{
    folder.Write("Tarvelo Lessons.txt", "header\r\nfff jjj\r\nfj fj\r\njf jf\r\n\r\n");
    lessons.LoadLessons(user.UserSection);
    engine.BeginOrNext();
    EXPECT_EQ(engine.ExpectedText(), "fff jjj ");
    EXPECT_EQ(guide.shown, std::vector<int>{1});
    Type("fff jjj ");
    EXPECT_EQ(engine.ExpectedText(), "fj fj ");
    Type("f");
    engine.StopTyping();
    engine.BeginOrNext();
    EXPECT_EQ(engine.ExpectedText(), "fj fj ");
    EXPECT_EQ(guide.shown, std::vector<int>{1}) << "the lesson goes on without a new introduction";
}

} // namespace
} // namespace tarvelo
