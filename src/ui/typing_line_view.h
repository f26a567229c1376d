#pragma once

#include <QColor>
#include <QFont>
#include <QWidget>
#include <functional>
#include <vector>

namespace tarvelo::ui {

// A line of fixed-pitch character cells, sized so that 75 cells fit its
// width: the expected line or the typed line of the session window.
class TypingLineView : public QWidget
{
public:
    static constexpr int kCells = 75;

    // A line under or over a glyph, so that a mark does not rest on colour
    // alone.
    enum class Rule
    {
        None,
        Under,
        Over,
    };

    struct Glyph
    {
        double cell = 0; // cells from the left; the caret sits between cells
        QChar character;
        QColor colour;
        Rule rule = Rule::None;
        bool operator==(const Glyph&) const = default;
    };

    TypingLineView(const QString& name, QWidget* parent);

    // Repaints at once, so a keystroke reaches the screen without waiting for
    // the next update cycle. `text` is what the line shows, kept in the
    // "text" property for tests and assistive tools.
    void SetGlyphs(std::vector<Glyph> glyphs, const QString& text);

    std::function<void()> onPressed;

    QSize sizeHint() const override { return {760, height()}; }
    QSize minimumSizeHint() const override { return {400, height()}; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    int PixelSizeFor(int width) const;
    // The font follows the width; the height follows the font.
    void FitFont(int width);

    QFont m_font;
    double m_advancePerPixel = 0.6;
    double m_cellWidth = 10;
    double m_margin = 5;
    std::vector<Glyph> m_glyphs;
};

} // namespace tarvelo::ui
