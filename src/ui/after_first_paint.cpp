#include "ui/after_first_paint.h"

#include <QEvent>
#include <QTimer>

namespace tarvelo::ui {
namespace {

// A child of the window, so it goes with it.
class FirstPaintWatch : public QObject
{
public:
    FirstPaintWatch(QWidget& window, std::function<void()> action)
        : QObject(&window), m_action(std::move(action))
    {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_queued) {
            m_queued = true;
            // Queued behind the paint and the flush of the window's picture.
            QTimer::singleShot(0, this, [this] {
                m_action();
                deleteLater();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_action;
    bool m_queued = false;
};

} // namespace

void AfterFirstPaint(QWidget& window, std::function<void()> action)
{
    new FirstPaintWatch(window, std::move(action));
}

} // namespace tarvelo::ui
