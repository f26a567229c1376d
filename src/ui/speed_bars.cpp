#include "ui/speed_bars.h"

#include "state/palette.h"
#include "ui/colours.h"
#include "ui/style.h"

#include <QPainter>
#include <algorithm>

namespace tarvelo::ui {
namespace {

// Confidence shown at full height; the target (1) sits at two thirds.
constexpr double kTop = 1.5;
constexpr int kColumn = 14;
constexpr int kBarHeight = 36;

} // namespace

SpeedBars::SpeedBars(QWidget* parent) : QWidget(parent)
{
    setObjectName("drillBars");
}

void SpeedBars::setBars(std::vector<Bar> bars)
{
    const bool same =
        bars.size() == m_bars.size() &&
        std::equal(bars.begin(), bars.end(), m_bars.begin(), [](auto& a, auto& b) {
            return a.letter == b.letter && a.confidence == b.confidence && a.marked == b.marked;
        });
    if (same)
        return;
    const bool grows = bars.size() != m_bars.size();
    m_bars = std::move(bars);
    if (grows)
        updateGeometry();
    update();
}

QSize SpeedBars::sizeHint() const
{
    const int columns = std::max<int>(6, static_cast<int>(m_bars.size()));
    return {columns * kColumn + 4, kBarHeight + fontMetrics().height() + 6};
}

void SpeedBars::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const int letterRow = height() - fontMetrics().height() - 2;
    const int barBottom = letterRow - 2;
    const int barRoom = std::max(4, barBottom - 2);
    for (std::size_t i = 0; i < m_bars.size(); ++i) {
        const Bar& bar = m_bars[i];
        const int x = 2 + static_cast<int>(i) * kColumn;
        const double share = std::clamp(bar.confidence, 0.0, kTop) / kTop;
        const int tall = static_cast<int>(share * barRoom);
        const QColor fill =
            FromBgr(bar.confidence >= 1.0 ? palette::kChart.confident : palette::kChart.notYet);
        painter.fillRect(x + 2, barBottom - tall, kColumn - 4, tall, fill);
        painter.setPen(ShownText(bar.marked ? palette::kChart.focusLetter : palette::kCaption));
        QFont font = painter.font();
        font.setBold(bar.marked);
        painter.setFont(font);
        painter.drawText(QRect(x, letterRow, kColumn, fontMetrics().height()), Qt::AlignCenter,
                         bar.letter);
    }
    // The target line.
    const int target = barBottom - static_cast<int>(barRoom / kTop);
    painter.setPen(QPen(FromBgr(palette::kChart.targetLine), 1, Qt::DashLine));
    painter.drawLine(0, target, width(), target);
}

} // namespace tarvelo::ui
