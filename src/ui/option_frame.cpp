#include "ui/option_frame.h"

#include "ui/colours.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>

namespace tarvelo::ui {

OptionFrame::OptionFrame(const QString& caption, QWidget* parent)
    : QFrame(parent), m_label(new QLabel(caption, this))
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 3, 8, 3);
    layout->addWidget(m_label);
    m_label->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_label->setTextFormat(Qt::PlainText); // user names are never markup
    setMouseTracking(true);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    applyStyle();
}

void OptionFrame::setCaption(const QString& caption)
{
    m_label->setText(caption);
}

QString OptionFrame::caption() const
{
    return m_label->text();
}

void OptionFrame::setFill(std::int32_t bgr)
{
    m_fill = bgr;
    applyStyle();
}

void OptionFrame::setBorder(std::int32_t bgr)
{
    m_border = bgr;
    applyStyle();
}

void OptionFrame::setCaptionColour(std::int32_t bgr)
{
    m_captionColour = bgr;
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
