#pragma once

#include "state/palette.h"
#include "ui/elided_label.h"

#include <QFrame>

namespace tarvelo::ui {

// A caption on a frame shape: the options, user boxes and menu rows of the
// windows. Colours are the windows' 0xBBGGRR numbers. Reports presses and the
// pointer entering it; the window decides what they mean.
class OptionFrame : public QFrame
{
    Q_OBJECT

public:
    explicit OptionFrame(const QString& caption, QWidget* parent = nullptr);

    // A caption wider than the frame is shown elided ("…"), whole in the
    // tooltip, and cannot widen its window (ElidedLabel).
    void setCaption(const QString& caption);
    QString caption() const;
    QString shownCaption() const;

    void setFill(std::int32_t bgr);
    void setBorder(std::int32_t bgr);
    void setCaptionColour(std::int32_t bgr);
    void setColours(std::int32_t fill, std::int32_t border, std::int32_t captionColour);
    std::int32_t fill() const { return m_fill; }
    std::int32_t border() const { return m_border; }
    std::int32_t captionColour() const { return m_captionColour; }

signals:
    void pressed();
    void hovered();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void applyStyle();

    ElidedLabel* m_label;
    std::int32_t m_fill = palette::kOptionFill;
    std::int32_t m_border = 0;
    std::int32_t m_captionColour = 0;
    // The look the style was applied in.
    bool m_highContrast = false;
};

} // namespace tarvelo::ui
