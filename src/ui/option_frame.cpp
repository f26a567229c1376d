#include "ui/option_frame.h"

#include "ui/colours.h"
#include "ui/style.h"

#include <QHBoxLayout>
#include <QMouseEvent>
#include <algorithm>

namespace tarvelo::ui {

OptionFrame::OptionFrame(const QString& caption, QWidget* parent)
    : QFrame(parent), m_label(new ElidedLabel(caption, this))
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 3, 8, 3);
    layout->addWidget(m_label);
    // The label lets the pointer through, so its tooltip is the frame's.
    m_label->setAttribute(Qt::WA_TransparentForMouseEvents);
    connect(m_label, &ElidedLabel::elided, this, [this] { setToolTip(m_label->toolTip()); });
    setToolTip(m_label->toolTip());
    setMouseTracking(true);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    applyStyle();
}

void OptionFrame::setCaption(const QString& caption)
{
    m_label->setFullText(caption);
}

QString OptionFrame::caption() const
{
    return m_label->fullText();
}

QString OptionFrame::shownCaption() const
{
    return m_label->text();
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
    if (fill == m_fill && border == m_border && captionColour == m_captionColour &&
        m_highContrast == HighContrast())
        return;
    m_fill = fill;
    m_border = border;
    m_captionColour = captionColour;
    applyStyle();
}

void OptionFrame::applyStyle()
{
    namespace hc = palette::high_contrast;
    m_highContrast = HighContrast();
    std::int32_t fill = m_fill;
    std::int32_t border = m_border;
    std::int32_t caption = m_captionColour;
    if (m_highContrast) {
        fill = hc::OptionFill(m_fill);
        border = hc::Border(m_border);
        caption = hc::Text(m_captionColour, fill);
    }
    setStyleSheet(QString("tarvelo--ui--OptionFrame { background: %1; border: %2px solid %3; }")
                      .arg(FromBgr(fill).name())
                      .arg(m_highContrast ? 3 : 2)
                      .arg(FromBgr(border).name()));
    m_label->setStyleSheet(
        QString("color: %1; background: transparent;").arg(FromBgr(caption).name()));
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
