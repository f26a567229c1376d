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

    // To assistive tools a push button, or a list item (the user boxes).
    void setListItem(bool listItem) { m_listItem = listItem; }
    bool isListItem() const { return m_listItem; }
    // A frame of a window without a focus box: Tab reaches it, Enter and
    // Space press it, and the focus shows as a dashed border.
    void setTabStop();
    // Alt+`letter` presses the frame anywhere in its window; the letter's
    // first place in the caption is underlined.
    void setMnemonic(QChar letter);
    QString mnemonicText() const { return m_mnemonic; }

signals:
    void pressed();
    void hovered();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void applyStyle();

    ElidedLabel* m_label;
    std::int32_t m_fill = palette::kOptionFill;
    std::int32_t m_border = 0;
    std::int32_t m_captionColour = 0;
    // What is painted, after the high-contrast mapping, and the look it was
    // mapped in.
    std::int32_t m_shownFill = palette::kOptionFill;
    std::int32_t m_shownBorder = 0;
    int m_borderWidth = 0;
    bool m_highContrast = false;
    bool m_listItem = false;
    QString m_mnemonic;
    QChar m_mnemonicLetter;
};

} // namespace tarvelo::ui
