#include "session/session_fixture.h"

#include <random>

namespace tarvelo {
namespace {

const std::string kLine = "abcdefghij ";

class DetectionTest : public test::SessionFixture
{
protected:
    void StartDetection(std::deque<std::string> queue = {kLine, "next "}) { Start(queue, true); }

    // Confirmed positions stay as they were and the cursor stays inside the
    // line and past them, unless the key finished the line.
    void TypeChecked(char c)
    {
        const TypingLine& line = engine.Line();
        const int confirmed = line.ConfirmedPosition;
        const std::string before = Typed(confirmed);
        const int handedOut = lines.handedOut;
        Type(std::string(1, c));
        if (lines.handedOut != handedOut)
            return;
        EXPECT_GE(line.ConfirmedPosition, confirmed);
        EXPECT_EQ(Typed(confirmed), before);
        EXPECT_GT(line.SentencePosition, line.ConfirmedPosition);
        EXPECT_LE(line.SentencePosition, line.LineLength);
        EXPECT_GE(line.KeyCount, line.ConfirmedPosition);
    }
};

// One slip of each kind in "abcdefghij ": what the typed line shows, and the
// one error charged to the letter it belongs to when the line is finished.
// Regressions: detection counted the last position twice, and compared Enter
// on the last position as Enter, not as the closing space.
struct SlipCase
{
    const char* name;
    std::string keys;  // the slip and the keys after it (Backspace refused)
    std::string typed; // shown, then marks
    std::string rest;  // the keys that finish the line
    char charged;
};

class DetectionSlips : public DetectionTest, public ::testing::WithParamInterface<SlipCase>
{};

TEST_P(DetectionSlips, ShowTheSlipAndChargeOneError)
{
    const SlipCase& c = GetParam();
    StartDetection();
    Type(c.keys);
    // Compared as whole lines, so a failure prints both sequences.
    EXPECT_EQ(Typed(static_cast<int>(c.typed.find(' '))), c.typed);
    Type(c.rest);
    EXPECT_EQ(Counts(), "'next ' pos 1 keys 0 errors 0/1 at 12 beeps 1") << "each position once";
    EXPECT_EQ(engine.Stats().Panel().lastLineErrors, "1");
    EXPECT_EQ(Errors(c.charged), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, DetectionSlips,
    ::testing::Values(SlipCase{"ExtraLetter", "ab\bxcde", "abcde ..R..", "fghij\r", 'c'},
                      SlipCase{"MissingLetter", "abdefg", "ab|def ..R...", "hij ", 'c'},
                      SlipCase{"SwappedLetters", "bacdef", "bacdef GM....", "ghij ", 'a'},
                      SlipCase{"WrongLetter", "abcdxfgh", "abcdxfgh ....R...", "ij ", 'e'},
                      SlipCase{"UnconfirmedTail", "abcdefghx", "abcdefghx ........R", "j ", 'i'}),
    [](const auto& info) { return std::string(info.param.name); });

// Regression: an unplaced last keystroke moved the cursor below the confirmed
// position, wiped confirmed positions and sent the next search past the line.
TEST_F(DetectionTest, ConfirmedPositionsSurviveAnUnplacedKeystroke)
{
    StartDetection({"Typing is a skill that improves with practice, patience and care. "});
    for (char c : std::string("ing $jpYs2lBn,"))
        TypeChecked(c);
}

TEST_F(DetectionTest, RandomTypingKeepsTheInvariants)
{
    std::mt19937 random(20261206);
    const std::string alphabet = "abcdefghij xyz,.";
    const std::string text = "the quick brown fox jumps over a lazy dog, then rests. ";
    StartDetection({text});
    for (int key = 0; key < 6000 && !HasFailure(); ++key) {
        SCOPED_TRACE(key);
        // Mostly the right letter, sometimes a wrong, extra or missing one.
        const auto at = static_cast<std::size_t>(engine.Line().SentencePosition - 1);
        const bool slip = std::uniform_int_distribution<int>(0, 9)(random) == 0;
        TypeChecked(slip ? alphabet[random() % alphabet.size()]
                         : text[std::min(at, text.size() - 1)]);
    }
    EXPECT_GT(lines.handedOut, 30);
}

} // namespace
} // namespace tarvelo
