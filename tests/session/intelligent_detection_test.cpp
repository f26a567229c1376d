#include "profile/key_codes.h"
#include "session/session_fixture.h"

#include <random>

namespace tarvelo {
namespace {

const std::string kLine = "abcdefghij ";

class DetectionTest : public test::SessionFixture
{
protected:
    void StartDetection(std::deque<std::string> queue = {kLine, "next "}) { Start(queue, true); }
};

TEST_F(DetectionTest, ErrorFreeLineConfirmsEveryKeyAndCountsEachPositionOnce)
{
    StartDetection();
    Type("abcde");
    EXPECT_EQ(engine.Line().ConfirmedPos, 5);
    EXPECT_EQ(Marks(5), ".....");
    Type("fghij ");
    EXPECT_EQ(engine.ExpectedText(), "next ");
    EXPECT_EQ(beeper.beeps, 0);
    EXPECT_EQ(engine.Stats().SessionErrors, 0);
    // Regression: detection counted the last position twice.
    EXPECT_EQ(engine.Stats().SessionPosition, 12);
    EXPECT_EQ(totals.CompletePosition, 12);
}

// One slip of each kind in "abcdefghij ": what the typed line shows, and the
// one error charged to the letter it belongs to when the line is finished.
struct SlipCase
{
    const char* name;
    std::string keys; // the slip and the keys after it
    std::string shown;
    std::string marks;
    std::string rest; // the keys that finish the line
    char charged;
};

class DetectionSlips : public DetectionTest, public ::testing::WithParamInterface<SlipCase>
{};

TEST_P(DetectionSlips, ShowTheSlipAndChargeOneError)
{
    const SlipCase& c = GetParam();
    StartDetection();
    Type(c.keys);
    const int n = static_cast<int>(c.shown.size());
    // Compared as whole lines, so a failure prints both sequences.
    EXPECT_EQ(Shown(n) + " " + Marks(n), c.shown + " " + c.marks);
    Type(c.rest);
    EXPECT_EQ(engine.ExpectedText(), "next ") << "the line was finished";
    EXPECT_EQ(engine.Stats().Panel().llerrors, "1");
    EXPECT_EQ(Errors(c.charged), 1);
    EXPECT_EQ(beeper.beeps, 1);
    EXPECT_EQ(engine.Stats().SessionPosition, 12) << "each position counted once";
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, DetectionSlips,
    ::testing::Values(SlipCase{"ExtraLetter", "abxcde", "abcde", "..R..", "fghij ", 'c'},
                      SlipCase{"MissingLetter", "abdefg", "ab|def", "..R...", "hij ", 'c'},
                      SlipCase{"SwappedLetters", "bacdef", "bacdef", "GM....", "ghij ", 'a'},
                      SlipCase{"WrongLetter", "abcdxfgh", "abcdxfgh", "....R...", "ij ", 'e'},
                      SlipCase{"UnconfirmedTail", "abcdefghx", "abcdefghx", "........R", "j ",
                               'i'}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DetectionTest, ExtraLetterIsShownUntilTheNextKeysPlaceIt)
{
    StartDetection();
    Type("abx");
    EXPECT_EQ(Shown(3) + " " + Marks(3), "abx ..R");
}

TEST_F(DetectionTest, BackspaceIsRefusedUnderDetection)
{
    StartDetection();
    Type("ab");
    engine.TypeKey(keycode::kBackspace);
    EXPECT_EQ(engine.Line().KeyCount, 2);
    EXPECT_EQ(engine.Line().SentencePosition, 3);
    EXPECT_EQ(engine.RefusalCount(), 1u);
    EXPECT_EQ(engine.LastRefusal(), Refusal::UnderDetection);
}

// Regression: Enter on the last position was compared as Enter, not as the
// closing space.
TEST_F(DetectionTest, EnterOnTheLastPositionCountsAsTheSpace)
{
    StartDetection();
    Type("abcdefghij");
    engine.TypeKey(keycode::kEnter);
    EXPECT_EQ(engine.ExpectedText(), "next ");
    EXPECT_EQ(engine.Stats().Panel().llerrors, "0");
}

// Regression: an unplaced last keystroke moved the cursor below the confirmed
// position, wiped confirmed positions and sent the next search past the line.
TEST_F(DetectionTest, ConfirmedPositionsSurviveAnUnplacedKeystroke)
{
    StartDetection({"Typing is a skill that improves with practice, patience and care. "});
    Type("ing $jpYs2lBn");
    const int confirmed = engine.Line().ConfirmedPos;
    const std::string before = Shown(confirmed) + Marks(confirmed);
    Type(",");
    EXPECT_GE(engine.Line().ConfirmedPos, confirmed);
    EXPECT_EQ(Shown(confirmed) + Marks(confirmed), before);
    EXPECT_GT(engine.Line().SentencePosition, engine.Line().ConfirmedPos);
    EXPECT_LE(engine.Line().SentencePosition, engine.Line().LineLength);
}

// Random typing never breaks the invariants: confirmed positions stay as they
// were, the cursor stays inside the line and above the confirmed position.
TEST_F(DetectionTest, RandomTypingKeepsTheInvariants)
{
    std::mt19937 random(20261206);
    const std::string alphabet = "abcdefghij xyz,.";
    const std::string text = "the quick brown fox jumps over a lazy dog, then rests. ";
    StartDetection({text});
    for (int key = 0; key < 6000; ++key) {
        const TypingLine& line = engine.Line();
        const int confirmed = line.ConfirmedPos;
        const std::string before = Shown(confirmed) + Marks(confirmed);
        const int handedOut = lines.handedOut;
        // Mostly the right letter, sometimes a wrong, extra or missing one.
        const int roll = std::uniform_int_distribution<int>(0, 9)(random);
        int code = text[std::min<std::size_t>(line.SentencePosition - 1, text.size() - 1)];
        if (roll == 0)
            code = alphabet[random() % alphabet.size()];
        engine.TypeKey(code);
        if (lines.handedOut != handedOut)
            continue; // a new line began
        ASSERT_GE(line.ConfirmedPos, confirmed) << "key " << key;
        ASSERT_EQ(Shown(confirmed) + Marks(confirmed), before) << "key " << key;
        ASSERT_GE(line.SentencePosition, 1);
        ASSERT_LE(line.SentencePosition, line.LineLength) << "key " << key;
        ASSERT_GE(line.KeyCount, line.ConfirmedPos);
    }
    EXPECT_GT(lines.handedOut, 30);
}

} // namespace
} // namespace tarvelo
