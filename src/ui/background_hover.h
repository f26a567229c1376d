#pragma once

#include <QObject>
#include <functional>

class QWidget;

namespace tarvelo::ui {

// Tells a window that the pointer is over its background when it enters or
// moves over a watched widget (a text box's viewport, a panel, a label), so
// the window's hover goes to no option. A window holds it as a member
// declared after its logic: it goes first, and a deleted filter is no
// longer called, so no hover reaches a half-torn window.
class BackgroundHover : public QObject
{
public:
    explicit BackgroundHover(std::function<void()> overBackground)
        : m_overBackground(std::move(overBackground))
    {}

    // Follows the pointer over `widget` (mouse tracking on).
    void watch(QWidget* widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> m_overBackground;
};

} // namespace tarvelo::ui
