#include "windows/game/high_scores_window.h"

#include "state/palette.h"
#include "ui/focus_box.h"
#include "ui/labels.h"
#include "ui/option_frame.h"
#include "ui/text_codec.h"
#include "ui/window_placement.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace tarvelo {
HighScoresWindow::HighScoresWindow(const std::string& appFolder,
                                   const std::array<HighScoreRow, kHighScoreRows>& rows,
                                   QWidget* parent)
    : ui::ModalPictureWindow(appFolder, parent)
{
    setObjectName("highscores");
    setWindowTitle("High Scores for Dalmor's Typing Game");
    setMouseTracking(true);
    buildControls(rows);
    ui::ResizeWithin(*this, sizeHint().expandedTo(QSize(700, 480)));
    m_focusBox->setFocus();
}

void HighScoresWindow::buildControls(const std::array<HighScoreRow, kHighScoreRows>& rows)
{
    m_focusBox = makeClosingFocusBox();

    constexpr ui::LabelFont kHeading{.larger = 2, .bold = true};
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(18);
    grid->setVerticalSpacing(2);
    grid->addWidget(ui::MakeLabel("The High Scores Are:", "Label10", kHeading), 0, 0, 1, 3);
    for (int row = 1; row < kHighScoreRows; ++row)
        addRow(grid, row, row, rows[row]);
    grid->addWidget(ui::MakeLabel("Your Score:", "Label11", kHeading), kHighScoreRows, 0, 1, 3);
    addRow(grid, kHighScoreRows + 1, 0, rows[0]);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(2, 3);

    auto* panel = new QWidget;
    panel->setObjectName("scorePanel");
    panel->setStyleSheet("#scorePanel { background: rgba(255, 255, 255, 215); }");
    panel->setLayout(grid);

    m_close = new ui::OptionFrame("Close");
    m_close->setObjectName("lOption1");
    m_close->setBorder(palette::kBorder);
    connect(m_close, &ui::OptionFrame::pressed, this, &HighScoresWindow::done);
    m_focusBox->setStandIn(m_close);
    connect(m_close, &ui::OptionFrame::hovered, this, [this] { hoverClose(true); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 16);
    layout->addWidget(panel);
    layout->addStretch(1);
    layout->addWidget(m_close, 0, Qt::AlignRight);
}

void HighScoresWindow::addRow(QGridLayout* grid, int line, int row, const HighScoreRow& texts)
{
    auto* scores = ui::MakeLabel(ui::ToQString(texts.scores), QString("lHScores%1").arg(row));
    auto* date = ui::MakeLabel(ui::ToQString(texts.date), QString("lDates%1").arg(row));
    auto* details = ui::MakeLabel(ui::ToQString(texts.details), QString("lHScoresB%1").arg(row));
    grid->addWidget(scores, line, 0);
    grid->addWidget(date, line, 1);
    grid->addWidget(details, line, 2);
    for (QLabel* label : {scores, date, details})
        m_backgroundHover.watch(label);
}

void HighScoresWindow::hoverClose(bool over)
{
    const std::int32_t border = over ? palette::kHoverBorder : palette::kBorder;
    if (m_close->border() != border)
        m_close->setBorder(border);
}

void HighScoresWindow::mouseMoveEvent(QMouseEvent* event)
{
    ui::ModalPictureWindow::mouseMoveEvent(event);
    hoverClose(false);
}

} // namespace tarvelo
