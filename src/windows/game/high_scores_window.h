#pragma once

#include "game/high_scores.h"
#include "ui/modal_picture_window.h"

#include <array>

class QGridLayout;
class QLabel;

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
    ~HighScoresWindow() override;

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls(const std::array<HighScoreRow, kHighScoreRows>& rows);
    void addRow(QGridLayout* grid, int line, int row, const HighScoreRow& texts);
    void hoverClose(bool over);

    ui::FocusBox* m_focusBox = nullptr;
    ui::OptionFrame* m_close = nullptr;
    QList<QLabel*> m_watched;
};

} // namespace tarvelo
