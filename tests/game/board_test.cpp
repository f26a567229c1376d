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

double ColumnDraw(int column)
{
    return (column + 0.5) / 20;
}

double CodeDraw(unsigned char code)
{
    return (code - 0.5) / 255;
}

TEST(FallingBoardTest, SpawnRedrawsTakenColumnsAndUnusableCharacters)
{
    FallingBoard board;
    board.ResetBoard();
    ScriptedRandom random;
    const auto playable = Playable("AB");
    random.queue = {ColumnDraw(4), CodeDraw('A')};
    board.SpawnLetter(random, playable, 2);
    // Column 4 is taken, "A" is on screen, "x" is not playable.
    random.queue = {ColumnDraw(4), ColumnDraw(9), CodeDraw('A'), CodeDraw('x'), CodeDraw('B')};
    board.SpawnLetter(random, playable, 2);
    EXPECT_TRUE(random.queue.empty());
    EXPECT_EQ(board.Slot(9).letter, 'B');
    EXPECT_TRUE(board.Slot(9).taken);
    EXPECT_EQ(board.ActiveLetters(), 2);
    ASSERT_EQ(board.FallingArea().size(), 2u);
    EXPECT_EQ(board.FallingArea()[1].column, 9);
}

TEST(FallingBoardTest, SpawnPlacesNothingWhenEveryPlayableCharacterIsOnScreen)
{
    FallingBoard board;
    board.ResetBoard();
    ScriptedRandom random;
    board.SpawnLetter(random, Playable(""), 0);
    EXPECT_EQ(random.draws, 0) << "no playable character";
    random.queue = {ColumnDraw(0), CodeDraw('Q')};
    board.SpawnLetter(random, Playable("Q"), 1);
    board.SpawnLetter(random, Playable("Q"), 1);
    EXPECT_EQ(random.draws, 2);
    EXPECT_EQ(board.ActiveLetters(), 1);
}

TEST(FallingBoardTest, FullBoardNeverPicksATakenColumn)
{
    FallingBoard board;
    board.ResetBoard();
    ScriptedRandom random;
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

TEST(FallingBoardTest, PileFillsBottomUpAndTheFourthLandingOverflows)
{
    FallingBoard board;
    board.ResetBoard();
    ScriptedRandom random;
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
    EXPECT_EQ(board.PileLetter(0, 3), 'A');
    EXPECT_EQ(board.PileLetter(2, 3), 'C');
    EXPECT_EQ(board.PileArea(2, 3), 'A') << "the first lands on the bottom row";
    EXPECT_EQ(board.PileArea(0, 3), 'C');
    EXPECT_EQ(board.PileHeight(3), 4);
    EXPECT_EQ(board.ActiveLetters(), 1) << "the overflowing letter is not taken off";
    const LetterInstance& slot = board.Slot(3);
    EXPECT_EQ(slot.letter, 'D');
    EXPECT_EQ(slot.posY, 16);
    EXPECT_FALSE(slot.taken);
    EXPECT_EQ(ColourLiteral(slot.color), "&H00C000C0");
    ASSERT_EQ(board.FallingArea().size(), 1u);
    EXPECT_EQ(board.FallingArea()[0].colour, LetterColour::Overflow);
}

TEST(FallingBoardTest, HitTakesTheFirstExactMatch)
{
    FallingBoard board;
    board.ResetBoard();
    ScriptedRandom random;
    random.queue = {ColumnDraw(7), CodeDraw('a'), ColumnDraw(2), CodeDraw('b')};
    board.SpawnLetter(random, Playable("ab"), 2);
    board.SpawnLetter(random, Playable("ab"), 2);
    EXPECT_FALSE(board.HitLetter('A')) << "case must match";
    EXPECT_TRUE(board.HitLetter('a'));
    EXPECT_FALSE(board.Slot(7).letter.has_value());
    EXPECT_EQ(board.ActiveLetters(), 1);
    EXPECT_FALSE(board.HitLetter('a'));
}

TEST(FallingBoardTest, SlotsHaveNoColourUntilTheFirstReset)
{
    FallingBoard board;
    EXPECT_EQ(ColourLiteral(board.Slot(0).color), "");
    board.ResetBoard();
    EXPECT_EQ(ColourLiteral(board.Slot(0).color), "&H000000C0");
}

// The painted colour and the stored literal name the same colour.
TEST(FallingBoardTest, ColourValueMatchesItsLiteral)
{
    for (LetterColour colour : {LetterColour::Falling, LetterColour::Overflow}) {
        const std::string_view literal = ColourLiteral(colour);
        ASSERT_EQ(literal.substr(0, 2), "&H");
        EXPECT_EQ(ColourValue(colour), std::stoi(std::string(literal.substr(2)), nullptr, 16));
    }
    EXPECT_EQ(ColourValue(LetterColour::Unset), 0);
}

} // namespace
} // namespace tarvelo
