#pragma once

#include <QString>
#include <QWidget>
#include <vector>

namespace tarvelo::ui {

// Small bars of letters' speeds against a target: each letter under a bar as
// tall as its confidence (target time over its average; the line across is
// the target), the marked one in red.
class SpeedBars : public QWidget
{
    Q_OBJECT

public:
    struct Bar
    {
        QString letter;
        double confidence = 0;
        bool marked = false;
    };

    explicit SpeedBars(QWidget* parent = nullptr);
    void setBars(std::vector<Bar> bars);
    const std::vector<Bar>& bars() const { return m_bars; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<Bar> m_bars;
};

} // namespace tarvelo::ui
