#pragma once

#include "game/falling_board.h"

#include <QFont>
#include <QWidget>
#include <array>
#include <cstdint>

namespace tarvelo::ui {

// The game's playfield: the falling area (20 x 17 cells) over the pile
// (20 x 3) and the line between them, painted from what the board last drew
// and scaled to the widget. Only cells that changed are repainted.
class PlayfieldView : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kColumns = FallingBoard::kColumns;
    static constexpr int kRows = FallingBoard::kRows + FallingBoard::kPileRows;

    explicit PlayfieldView(QWidget* parent = nullptr);

    void showBoard(const FallingBoard& board);

    // Row 0..16 of the falling area, 17..19 of the pile (19 the bottom).
    QRectF cellRect(int column, int row) const;
    // The character shown in a cell, 0 for none, and its colour.
    unsigned char character(int column, int row) const { return m_cells[row][column].character; }
    std::int32_t colour(int column, int row) const { return m_cells[row][column].colour; }

    QSize sizeHint() const override { return {480, 480}; }
    QSize minimumSizeHint() const override { return {200, 200}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Cell
    {
        unsigned char character = 0;
        std::int32_t colour = 0;
        bool operator==(const Cell&) const = default;
    };
    using Cells = std::array<std::array<Cell, kColumns>, kRows>;

    void repaintChanged(const Cells& next);

    Cells m_cells{};
    QFont m_font;
};

} // namespace tarvelo::ui
