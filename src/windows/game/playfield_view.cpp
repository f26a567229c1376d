#include "windows/game/playfield_view.h"

#include "ui/colours.h"
#include "ui/style.h"
#include "ui/text_codec.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

namespace tarvelo::ui {

PlayfieldView::PlayfieldView(QWidget* parent) : QWidget(parent)
{
    setObjectName("picGame");
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    m_font = font();
    m_font.setBold(true);
}

void PlayfieldView::showBoard(const FallingBoard& board)
{
    Cells next{};
    for (const FallingGlyph& glyph : board.FallingArea()) {
        if (glyph.row >= 0 && glyph.row < FallingBoard::kRows && glyph.column >= 0 &&
            glyph.column < kColumns) {
            next[glyph.row][glyph.column] = {glyph.character, ColourValue(glyph.colour)};
        }
    }
    for (int row = 0; row < FallingBoard::kPileRows; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            if (const auto character = board.PileArea(row, column))
                next[FallingBoard::kRows + row][column] = {*character, kPileLetterColour};
        }
    }
    repaintChanged(next);
}

void PlayfieldView::repaintChanged(const Cells& next)
{
    for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            if (next[row][column] == m_cells[row][column])
                continue;
            m_cells[row][column] = next[row][column];
            // A glyph may reach a pixel past its cell after rounding.
            update(cellRect(column, row).toAlignedRect().adjusted(-1, -1, 1, 1));
        }
    }
}

QRectF PlayfieldView::cellRect(int column, int row) const
{
    const double w = width() / static_cast<double>(kColumns);
    const double h = height() / static_cast<double>(kRows);
    return {column * w, row * h, w, h};
}

void PlayfieldView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const QRectF cell = cellRect(0, 0);
    m_font.setPixelSize(std::max(6, static_cast<int>(std::min(cell.width(), cell.height()) * 0.8)));
}

void PlayfieldView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setClipRegion(event->region());
    const double pileTop = cellRect(0, FallingBoard::kRows).top();
    painter.fillRect(rect(), ShownFill(kPlayfieldFill));

    painter.setFont(m_font);
    const QRect dirty = event->rect();
    for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            const Cell& cell = m_cells[row][column];
            if (cell.character == 0)
                continue;
            const QRectF rect = cellRect(column, row);
            if (!dirty.intersects(rect.toAlignedRect()))
                continue;
            painter.setPen(ShownText(cell.colour));
            painter.drawText(rect, Qt::AlignCenter,
                             ToQString(std::string(1, static_cast<char>(cell.character))));
        }
    }
    painter.setPen(QPen(FromBgr(kPileLineColour), 2));
    painter.drawLine(QPointF(0, pileTop), QPointF(width(), pileTop));
    painter.setPen(QPen(FromBgr(kPlayfieldFrameColour), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(0.5, 0.5, width() - 1, height() - 1));
}

} // namespace tarvelo::ui
