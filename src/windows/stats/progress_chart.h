#pragma once

#include "history/progress_days.h"

#include <QWidget>
#include <cstdint>

namespace tarvelo::ui {

// Words per minute and accuracy by day, practice and lessons as two series
// each, with each kind's best day and last seven days underneath. A user
// with no runs yet sees an invitation instead of empty axes. Painted by hand:
// a chart library would weigh on every start of the program.
class ProgressChart : public QWidget
{
    Q_OBJECT

public:
    explicit ProgressChart(QWidget* parent = nullptr);

    void setProgress(Progress progress);
    const Progress& progress() const { return m_progress; }
    // Says the history is being read until the next setProgress.
    void showLoading();
    bool loading() const { return m_loading; }

    QSize sizeHint() const override { return {560, 360}; }
    QSize minimumSizeHint() const override { return {320, 240}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Progress m_progress;
    bool m_loading = false;
};

} // namespace tarvelo::ui
