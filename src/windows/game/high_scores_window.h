#pragma once

#include "game/high_scores.h"
#include "ui/background_hover.h"
#include "ui/modal_picture_window.h"

#include <array>

class QGridLayout;

namespace tarvelo {

namespace ui {
class FocusBox;
class OptionFrame;
} // namespace ui

// The high-score window ("highscores"): the ten best games and, in row 0,
// the last game of the run. Closed by "Close", Escape, Enter or the right
// arrow key.
class HighScoresWindow : public ui::ModalPictureWindow
{
    Q_OBJECT

public:
    HighScoresWindow(const std::string& appFolder,
                     const std::array<HighScoreRow, kHighScoreRows>& rows,
                     QWidget* parent = nullptr);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void buildControls(const std::array<HighScoreRow, kHighScoreRows>& rows);
    void addRow(QGridLayout* grid, int line, int row, const HighScoreRow& texts);
    void hoverClose(bool over);

    ui::FocusBox* m_focusBox = nullptr;
    ui::OptionFrame* m_close = nullptr;
    ui::BackgroundHover m_backgroundHover{[this] { hoverClose(false); }};
};

} // namespace tarvelo
