#include "ui/typing_line_view.h"

#include "ui/style.h"

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace tarvelo::ui {

TypingLineView::TypingLineView(const QString& name, QWidget* parent) : QWidget(parent)
{
    setObjectName(name);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_font.setFamilies({"Courier New", "Liberation Mono"});
    m_font.setStyleHint(QFont::TypeWriter);
    m_font.setFixedPitch(true);
    QFont probe = m_font;
    probe.setPixelSize(100);
    m_advancePerPixel = QFontMetricsF(probe).horizontalAdvance(QLatin1Char('M')) / 100.0;
    if (m_advancePerPixel <= 0)
        m_advancePerPixel = 0.6;
    FitFont(760);
}

void TypingLineView::SetGlyphs(std::vector<Glyph> glyphs, const QString& text)
{
    if (glyphs == m_glyphs)
        return;
    m_glyphs = std::move(glyphs);
    setProperty("text", text);
    repaint();
}

void TypingLineView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    FitFont(width());
}

void TypingLineView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setPen(HighContrast() ? QColor(Qt::black) : QColor(0x80, 0x80, 0x80));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.setFont(m_font);
    const QFontMetricsF metrics(m_font);
    const double top = (height() - metrics.height()) / 2;
    const double baseline = top + metrics.ascent();
    const double ruleWidth = std::max(2.0, metrics.lineWidth() * 1.5);
    for (const Glyph& glyph : m_glyphs) {
        const double left = m_margin + glyph.cell * m_cellWidth;
        painter.setPen(glyph.colour);
        painter.drawText(QPointF(left, baseline), QString(glyph.character));
        if (glyph.rule == Rule::None)
            continue;
        const double y = glyph.rule == Rule::Under ? baseline + metrics.underlinePos() + ruleWidth
                                                   : top + ruleWidth / 2;
        painter.fillRect(QRectF(left, y - ruleWidth / 2, m_cellWidth, ruleWidth), glyph.colour);
    }
}

void TypingLineView::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    if (onPressed)
        onPressed();
}

int TypingLineView::PixelSizeFor(int width) const
{
    // Half a cell of margin on either side of the 75 cells.
    const double cells = kCells + 1.0;
    return std::clamp(static_cast<int>(width / (cells * m_advancePerPixel)), 6, 96);
}

void TypingLineView::FitFont(int width)
{
    const int pixelSize = PixelSizeFor(width);
    if (pixelSize == m_font.pixelSize())
        return;
    m_font.setPixelSize(pixelSize);
    m_cellWidth = QFontMetricsF(m_font).horizontalAdvance(QLatin1Char('M'));
    m_margin = m_cellWidth / 2;
    setFixedHeight(static_cast<int>(std::ceil(QFontMetricsF(m_font).height() * 1.5)));
}

} // namespace tarvelo::ui
