#pragma once

#include <QLabel>

namespace tarvelo::ui {

// A plain-text label that reports a press of the mouse button on it: the
// title labels and the small heart of the session window.
class ClickableLabel : public QLabel
{
    Q_OBJECT

public:
    explicit ClickableLabel(const QString& text = {}, QWidget* parent = nullptr);

signals:
    void pressed();

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

} // namespace tarvelo::ui
