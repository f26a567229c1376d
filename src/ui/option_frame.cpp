#include "ui/option_frame.h"

#include "ui/colours.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <algorithm>

namespace tarvelo::ui {

OptionFrame::OptionFrame(const QString& caption, QWidget* parent)
    : QFrame(parent), m_caption(caption), m_label(new QLabel(caption, this))
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 3, 8, 3);
    layout->addWidget(m_label);
    m_label->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_label->setTextFormat(Qt::PlainText); // user names are never markup
    // The frame sizes itself from the caption; the label takes what it gets.
    m_label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    setMouseTracking(true);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    applyStyle();
}

void OptionFrame::setCaption(const QString& caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    showCaption();
    updateGeometry();
}

QString OptionFrame::shownCaption() const
{
    return m_label->text();
}

QSize OptionFrame::withCaption(QSize hint) const
{
    const QFontMetrics metrics = m_label->fontMetrics();
    const int text = std::min(metrics.horizontalAdvance(m_caption) + 1,
                              metrics.averageCharWidth() * kMaxCaptionChars);
    return {hint.width() + text, hint.height()};
}

QSize OptionFrame::sizeHint() const
{
    return withCaption(QFrame::sizeHint());
}

QSize OptionFrame::minimumSizeHint() const
{
    return withCaption(QFrame::minimumSizeHint());
}

void OptionFrame::showCaption()
{
    const QMargins margins = layout()->contentsMargins();
    const int room = contentsRect().width() - margins.left() - margins.right();
    const QString shown = m_label->fontMetrics().elidedText(m_caption, Qt::ElideRight, room);
    if (m_label->text() != shown)
        m_label->setText(shown);
    setToolTip(shown == m_caption ? QString() : m_caption);
}

void OptionFrame::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    showCaption();
}

// Each setter restyles only on a change, so a window's refresh may apply
// its whole state every time.
void OptionFrame::setFill(std::int32_t bgr)
{
    setColours(bgr, m_border, m_captionColour);
}

void OptionFrame::setBorder(std::int32_t bgr)
{
    setColours(m_fill, bgr, m_captionColour);
}

void OptionFrame::setCaptionColour(std::int32_t bgr)
{
    setColours(m_fill, m_border, bgr);
}

void OptionFrame::setColours(std::int32_t fill, std::int32_t border, std::int32_t captionColour)
{
    if (fill == m_fill && border == m_border && captionColour == m_captionColour)
        return;
    m_fill = fill;
    m_border = border;
    m_captionColour = captionColour;
    applyStyle();
}

void OptionFrame::applyStyle()
{
    setStyleSheet(QString("tarvelo--ui--OptionFrame { background: %1; border: 2px solid %2; }")
                      .arg(FromBgr(m_fill).name(), FromBgr(m_border).name()));
    m_label->setStyleSheet(
        QString("color: %1; background: transparent;").arg(FromBgr(m_captionColour).name()));
}

void OptionFrame::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit pressed();
    event->accept();
}

void OptionFrame::enterEvent(QEnterEvent* event)
{
    QFrame::enterEvent(event);
    emit hovered();
}

void OptionFrame::mouseMoveEvent(QMouseEvent* event)
{
    emit hovered();
    event->accept();
}

} // namespace tarvelo::ui
