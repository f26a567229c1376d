#include "ui/elided_label.h"

#include <algorithm>

namespace tarvelo::ui {

ElidedLabel::ElidedLabel(const QString& text, QWidget* parent) : QLabel(parent), m_full(text)
{
    setTextFormat(Qt::PlainText); // user names are never markup
    elide();
}

void ElidedLabel::setFullText(const QString& text)
{
    if (text == m_full)
        return;
    m_full = text;
    elide();
    updateGeometry();
}

QSize ElidedLabel::sizeHint() const
{
    const QFontMetrics metrics = fontMetrics();
    const int text =
        std::min(metrics.horizontalAdvance(m_full) + 1, metrics.averageCharWidth() * kMaxChars);
    const QMargins margins = contentsMargins();
    return {text + margins.left() + margins.right() + 2 * margin(), QLabel::sizeHint().height()};
}

QSize ElidedLabel::minimumSizeHint() const
{
    return sizeHint();
}

void ElidedLabel::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    elide();
}

void ElidedLabel::elide()
{
    const QString shown =
        fontMetrics().elidedText(m_full, Qt::ElideRight, contentsRect().width() - 2 * margin());
    const QString tip = shown == m_full ? QString() : m_full;
    if (text() == shown && toolTip() == tip)
        return;
    setText(shown);
    setToolTip(tip);
    emit elided();
}

} // namespace tarvelo::ui
