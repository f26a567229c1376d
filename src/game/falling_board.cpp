#include "game/falling_board.h"

#include "platform/random_source.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace tarvelo {
namespace {

// ⌊u × n⌋ for a draw u, kept inside 0..n-1 even for a draw outside [0, 1).
int Scale(double u, int n)
{
    const double scaled = std::floor(u * n);
    if (!(scaled >= 0))
        return 0;
    return scaled >= n ? n - 1 : static_cast<int>(scaled);
}

} // namespace

std::int32_t ColourValue(LetterColour colour)
{
    switch (colour) {
    case LetterColour::Falling:
        return 0x0000C0;
    case LetterColour::Overflow:
        return 0xC000C0;
    case LetterColour::Unset:
        break;
    }
    return 0;
}

std::string ColourLiteral(LetterColour colour)
{
    if (colour == LetterColour::Unset)
        return "";
    char text[16];
    std::snprintf(text, sizeof text, "&H%08X", static_cast<unsigned>(ColourValue(colour)));
    return text;
}

void FallingBoard::ResetBoard()
{
    for (int c = 0; c < kColumns; ++c) {
        for (auto& row : m_pileLetters)
            row[c].reset();
        m_pileHeight[c] = 0;
        LetterInstance& slot = m_letters[c];
        slot.color = LetterColour::Falling;
        slot.letter.reset();
        slot.taken = false;
    }
}

void FallingBoard::SpawnLetter(RandomSource& random, const PlayableSet& playable, int playableCount)
{
    if (m_activeLetters >= playableCount)
        return;

    int column = -1;
    for (int draw = 0; draw < kMaxDraws && column < 0; ++draw) {
        const int c = Scale(random.Next(), kColumns);
        if (!m_letters[c].taken)
            column = c;
    }
    if (column < 0)
        return;

    std::optional<unsigned char> chosen;
    for (int draw = 0; draw < kMaxDraws && !chosen; ++draw) {
        const auto code = static_cast<unsigned char>(Scale(random.Next(), 255) + 1);
        const bool onScreen =
            std::any_of(m_letters.begin(), m_letters.end(),
                        [code](const LetterInstance& s) { return s.letter == code; });
        if (!onScreen && playable[code])
            chosen = code;
    }
    if (!chosen)
        return;

    LetterInstance& slot = m_letters[column];
    slot.letter = chosen;
    slot.posY = 0;
    slot.taken = true;
    DrawFalling();
    ++m_activeLetters;
}

Landing FallingBoard::AdvanceColumn(int column)
{
    LetterInstance& slot = m_letters[column];
    if (!slot.taken)
        return Landing::None;
    ++slot.posY;
    if (slot.posY != kLandingRow)
        return Landing::None;
    return AddMistake(column);
}

Landing FallingBoard::AddMistake(int column)
{
    LetterInstance& slot = m_letters[column];
    ++m_pileHeight[column];
    slot.taken = false;
    if (m_pileHeight[column] <= kPileRows) {
        m_pileLetters[m_pileHeight[column] - 1][column] = slot.letter;
        slot.letter.reset();
        slot.posY = 0;
        --m_activeLetters;
        DrawFalling();
        DrawPile();
        return Landing::Piled;
    }
    // Stays in sight on the last row, just above the line.
    slot.posY = kRows - 1;
    slot.color = LetterColour::Overflow;
    DrawFalling();
    return Landing::Overflow;
}

bool FallingBoard::HitLetter(unsigned char character)
{
    for (LetterInstance& slot : m_letters) {
        if (slot.letter != character)
            continue;
        slot.taken = false;
        slot.letter.reset();
        slot.posY = 0;
        --m_activeLetters;
        DrawFalling();
        return true;
    }
    return false;
}

void FallingBoard::DrawFalling()
{
    m_drawnCount = 0;
    for (int c = 0; c < kColumns; ++c) {
        const LetterInstance& slot = m_letters[c];
        if (slot.letter)
            m_drawn[m_drawnCount++] = {c, slot.posY, *slot.letter, slot.color};
    }
}

void FallingBoard::DrawPile()
{
    // The pile grows upward from the bottom row.
    for (int row = 0; row < kPileRows; ++row)
        m_drawnPile[kPileRows - 1 - row] = m_pileLetters[row];
}

void FallingBoard::SetColumn(int column, const LetterInstance& slot,
                             std::span<const unsigned char> pile)
{
    m_letters[column] = slot;
    const std::size_t height = std::min<std::size_t>(pile.size(), kPileRows);
    for (std::size_t row = 0; row < kPileRows; ++row)
        m_pileLetters[row][column] =
            row < height ? std::optional<unsigned char>(pile[row]) : std::nullopt;
    m_pileHeight[column] = static_cast<std::int16_t>(height);
    m_activeLetters = static_cast<std::int16_t>(std::count_if(
        m_letters.begin(), m_letters.end(), [](const LetterInstance& s) { return s.taken; }));
    DrawFalling();
    DrawPile();
}

int FallingBoard::PileTotal() const
{
    int total = 0;
    for (const std::int16_t height : m_pileHeight)
        total += height;
    return total;
}

} // namespace tarvelo
