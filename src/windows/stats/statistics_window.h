#pragma once

#include "stats/speed_report.h"
#include "stats/statistics.h"
#include "ui/activity_window.h"
#include "ui/background_hover.h"
#include "windows/stats/record_sheet_window.h"

#include <array>
#include <functional>
#include <optional>
#include <vector>

class QLabel;
class QPushButton;

namespace tarvelo {

struct ProgramState;

namespace ui {
class ProgressChart;
class FocusBox;
class KeyboardView;
class OptionFrame;
} // namespace ui

// The letter chart "StatBox": each listed letter at its column, its marker
// at 102 - percentage and its label at 106.5, in chart units scaled to the
// widget so it reads at any size.
class LetterChart : public QWidget
{
    Q_OBJECT

public:
    explicit LetterChart(QWidget* parent = nullptr);
    void setStatistics(const Statistics* statistics);
    QSize sizeHint() const override { return {640, 220}; }
    QSize minimumSizeHint() const override { return {240, 120}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const Statistics* m_statistics = nullptr;
};

struct StatisticsServices
{
    RecordSheetServices printing; // empty members: Qt's own
    // Asks where to export the history, offering `suggested`; empty:
    // cancelled. Empty: Qt's save-file question (ui::QtDialogs).
    std::function<QString(const QString& suggested)> chooseCsvFile;
    // The user's keystroke figures (the drills fill it in); empty: the window
    // shows the percentages only.
    std::function<SpeedReport(ProgramState&)> speedReport{};
};

// The statistics window: the user's complete figures, the letter chart, the
// keyboard heat-map of the same letters (or, switched, of each letter's
// speed against the target) with the keystroke figures, and the options
// Print and Close.
class StatisticsWindow : public ui::ActivityWindow
{
    Q_OBJECT

public:
    explicit StatisticsWindow(ProgramState& state, StatisticsServices services = {},
                              QWidget* parent = nullptr);

    const Statistics& statistics() const { return m_statistics; }
    RecordSheet recordSheet() const;

signals:
    // The history has been read and the chart filled in.
    void progressLoaded();
    // An export has been written, or has failed and been told.
    void historyExported();

protected:
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void buildControls();
    QWidget* buildFigures();
    QWidget* buildLetters();
    QWidget* buildSpeedFigures();
    void switchKeyboardView();
    QWidget* buildProgress();
    void loadProgress();
    void exportHistory();
    void act(StatsAction action);
    void hoverOption(std::optional<StatsOption> option);
    void hoverKey(int key);
    void refresh();

    ProgramState& m_state;
    StatisticsServices m_services;
    Statistics m_statistics;

    ui::FocusBox* m_focusBox = nullptr;
    LetterChart* m_chart = nullptr;
    ui::ProgressChart* m_progress = nullptr;
    QPushButton* m_export = nullptr;
    ui::KeyboardView* m_keyboard = nullptr;
    std::optional<SpeedReport> m_speeds;
    bool m_showSpeeds = false;
    QPushButton* m_keyboardSwitch = nullptr;
    QLabel* m_keyboardCaption = nullptr;
    std::array<ui::OptionFrame*, Statistics::kOptionCount> m_options{};
    // Panels are window background.
    ui::BackgroundHover m_backgroundHover{[this] { hoverOption(std::nullopt); }};
};

} // namespace tarvelo
