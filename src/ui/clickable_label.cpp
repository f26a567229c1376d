#include "ui/clickable_label.h"

#include <QMouseEvent>

namespace tarvelo::ui {

ClickableLabel::ClickableLabel(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    setTextFormat(Qt::PlainText);
}

void ClickableLabel::mousePressEvent(QMouseEvent* event)
{
    QLabel::mousePressEvent(event);
    emit pressed();
}

} // namespace tarvelo::ui
