#include "ui/background_hover.h"

#include <QEvent>
#include <QWidget>

namespace tarvelo::ui {

void BackgroundHover::watch(QWidget* widget)
{
    widget->setMouseTracking(true);
    widget->installEventFilter(this);
}

bool BackgroundHover::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Enter || event->type() == QEvent::MouseMove)
        m_overBackground();
    return QObject::eventFilter(watched, event);
}

} // namespace tarvelo::ui
