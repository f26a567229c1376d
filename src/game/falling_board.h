#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace tarvelo {

class RandomSource;

// The drawing colour of a falling character. A slot that no reset has
// reached yet has none.
enum class LetterColour
{
    Unset,
    Falling,  // dark red
    Overflow, // purple: the character that ended the game
};

// The colour as the literal of the stored form ("&H00BBGGRR"), "" for Unset.
std::string ColourLiteral(LetterColour colour);
// The same colour as a 0x00BBGGRR number; black for Unset.
std::int32_t ColourValue(LetterColour colour);

// How the playfield is painted, 0x00BBGGRR: both areas on white, the pile
// in dark blue, the whole in a black frame.
inline constexpr std::int32_t kPlayfieldFill = 0xFFFFFF;
inline constexpr std::int32_t kPileLetterColour = 0xC00000;
inline constexpr std::int32_t kPlayfieldFrameColour = 0x000000;
// The line the piles must not cross.
inline constexpr std::int32_t kPileLineColour = 0x0000FF;

// One column slot of the falling area.
struct LetterInstance
{
    std::optional<unsigned char> letter; // code-page character
    LetterColour color = LetterColour::Unset;
    bool taken = false; // a character is falling here
    std::int16_t posY = 0;
};

// A character as drawn in the falling area (20 x 17 cells, row 0 at the top).
struct FallingGlyph
{
    int column = 0;
    int row = 0;
    unsigned char character = 0;
    LetterColour colour = LetterColour::Falling;
};

// What became of a column in one advance.
enum class Landing
{
    None,
    Piled,    // reached the bottom and fit on the pile
    Overflow, // the fourth character of the column: the game is lost
};

// The twenty columns of falling characters and the three-row pile under them.
// The drawn areas are snapshots taken when the rules draw, so a window paints
// exactly what the game last drew.
class FallingBoard
{
public:
    static constexpr int kColumns = 20;
    static constexpr int kRows = 17; // visible rows 0..16
    static constexpr int kLandingRow = 17;
    static constexpr int kPileRows = 3;
    // Draws after which a selection gives up. Only a scripted source that
    // never offers a usable column or character gets there; a uniform one
    // misses that often with a probability far below 1e-100.
    static constexpr int kMaxDraws = 100000;

    using PlayableSet = std::array<bool, 256>; // by character code; 0 unused

    // Empties every slot and the pile; posY stays.
    void ResetBoard();
    // Places one new character when fewer are on screen than can be played.
    void SpawnLetter(RandomSource& random, const PlayableSet& playable, int playableCount);
    // Moves column c one row down and lands it at the bottom.
    Landing AdvanceColumn(int column);
    // Removes the first falling character equal to `character`, column 0 up.
    bool HitLetter(unsigned char character);

    void DrawFalling();
    void ClearFalling() { m_drawnCount = 0; }
    void DrawPile();

    // Puts a scene on the board directly, for window tests and benchmarks:
    // the slot of `column` and its pile, first landing first. The active
    // count follows the taken slots.
    void SetColumn(int column, const LetterInstance& slot, std::span<const unsigned char> pile);

    void ResetActiveLetters() { m_activeLetters = 0; }
    std::int16_t ActiveLetters() const { return m_activeLetters; }
    const LetterInstance& Slot(int column) const { return m_letters[column]; }
    std::int16_t PileHeight(int column) const { return m_pileHeight[column]; }
    // Row 0 holds the first character that landed in the column.
    std::optional<unsigned char> PileLetter(int row, int column) const
    {
        return m_pileLetters[row][column];
    }
    int PileTotal() const;

    // The areas as last drawn. The pile's rows are screen rows: row 2 is the
    // bottom one.
    std::span<const FallingGlyph> FallingArea() const { return {m_drawn.data(), m_drawnCount}; }
    std::optional<unsigned char> PileArea(int row, int column) const
    {
        return m_drawnPile[row][column];
    }

private:
    Landing AddMistake(int column);

    std::array<LetterInstance, kColumns> m_letters{};
    std::array<std::int16_t, kColumns> m_pileHeight{};
    using PileRows = std::array<std::array<std::optional<unsigned char>, kColumns>, kPileRows>;
    PileRows m_pileLetters{};
    std::int16_t m_activeLetters = 0;

    std::array<FallingGlyph, kColumns> m_drawn{};
    std::size_t m_drawnCount = 0;
    PileRows m_drawnPile{};
};

} // namespace tarvelo
