#include "game/falling_board.h"
#include "game_fixture.h"

#include <gtest/gtest.h>
#include <string>

namespace tarvelo {
namespace {

using test::ScriptedRandom;

FallingBoard::PlayableSet Playable(std::string_view letters)
{
    FallingBoard::PlayableSet set{};
    for (char c : letters)
        set[static_cast<unsigned char>(c)] = true;
    return set;
}

constexpr auto ColumnDraw = ScriptedRandom::Column;
constexpr auto CodeDraw = ScriptedRandom::Code;

class FallingBoardTest : public ::testing::Test
{
protected:
    FallingBoardTest() { board.ResetBoard(); }
    FallingBoard board;
    ScriptedRandom random;
};

TEST_F(FallingBoardTest, SpawnRedrawsTakenColumnsAndUnusableCharactersHitsMatchExactly)
{
    const auto playable = Playable("AB");
    random.queue = {ColumnDraw(4), CodeDraw('A')};
    board.SpawnLetter(random, playable, 2);
    // Column 4 is taken, "A" is on screen, "x" is not playable.
    random.queue = {ColumnDraw(4), ColumnDraw(9), CodeDraw('A'), CodeDraw('x'), CodeDraw('B')};
    board.SpawnLetter(random, playable, 2);
    EXPECT_TRUE(random.queue.empty());
    EXPECT_TRUE(board.Slot(9).taken);
    ASSERT_EQ(board.FallingArea().size(), 2u);
    EXPECT_EQ(board.FallingArea()[1].column, 9);
    EXPECT_EQ(board.FallingArea()[1].character, 'B');

    EXPECT_FALSE(board.HitLetter('a')) << "case must match";
    EXPECT_TRUE(board.HitLetter('A'));
    EXPECT_FALSE(board.Slot(4).letter.has_value());
    EXPECT_EQ(board.ActiveLetters(), 1);
    EXPECT_FALSE(board.HitLetter('A'));

    const int draws = random.draws;
    board.SpawnLetter(random, Playable(""), 0);
    board.SpawnLetter(random, Playable("B"), 1); // "B" is on screen
    EXPECT_EQ(random.draws, draws) << "nothing playable: no draw";
}

TEST_F(FallingBoardTest, FullBoardNeverPicksATakenColumn)
{
    std::string letters;
    for (int c = 0; c < 17; ++c) {
        letters += static_cast<char>('A' + c);
        random.queue.insert(random.queue.end(), {ColumnDraw(c), CodeDraw('A' + c)});
    }
    letters += "XYZ";
    const auto playable = Playable(letters);
    for (int c = 0; c < 17; ++c)
        board.SpawnLetter(random, playable, 20);
    for (int c = 0; c < 17; ++c)
        random.queue.push_back(ColumnDraw(c));
    random.queue.insert(random.queue.end(), {ColumnDraw(18), CodeDraw('Y')});
    board.SpawnLetter(random, playable, 20);
    EXPECT_EQ(board.Slot(18).letter, 'Y');
    EXPECT_EQ(board.ActiveLetters(), 18);
}

TEST_F(FallingBoardTest, PileFillsBottomUpAndTheFourthLandingOverflows)
{
    const auto playable = Playable("ABCD");
    const std::vector<Landing> expected = {Landing::Piled, Landing::Piled, Landing::Piled,
                                           Landing::Overflow};
    for (int i = 0; i < 4; ++i) {
        random.queue = {ColumnDraw(3), CodeDraw('A' + i)};
        board.SpawnLetter(random, playable, 4);
        Landing landing = Landing::None;
        for (int row = 0; row < FallingBoard::kLandingRow; ++row)
            landing = board.AdvanceColumn(3);
        EXPECT_EQ(landing, expected[i]) << "landing " << i + 1;
    }
    EXPECT_EQ(board.PileLetter(2, 3), 'C');
    EXPECT_EQ(board.PileArea(2, 3), 'A') << "the first lands on the bottom row";
    EXPECT_EQ(board.ActiveLetters(), 1) << "the overflowing letter is not taken off";
    const LetterInstance& slot = board.Slot(3);
    EXPECT_EQ(slot.posY, 16);
    EXPECT_EQ(slot.color, LetterColour::Overflow);
    ASSERT_EQ(board.FallingArea().size(), 1u);
    EXPECT_EQ(board.FallingArea()[0].colour, LetterColour::Overflow);
}

} // namespace
} // namespace tarvelo
