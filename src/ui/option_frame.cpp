#include "ui/option_frame.h"

#include "ui/accessibility.h"
#include "ui/colours.h"
#include "ui/style.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>
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
    InstallAccessibility();
}

void OptionFrame::setTabStop()
{
    setFocusPolicy(Qt::StrongFocus);
}

void OptionFrame::setMnemonic(QChar letter)
{
    const QKeySequence keys(Qt::ALT | Qt::Key(letter.toUpper().unicode()));
    m_mnemonic = keys.toString(QKeySequence::NativeText);
    m_mnemonicLetter = letter;
    auto* shortcut = new QShortcut(keys, this);
    shortcut->setContext(Qt::WindowShortcut);
    connect(shortcut, &QShortcut::activated, this, &OptionFrame::pressed);
}

namespace {

bool IsPressKey(const QKeyEvent& key)
{
    const bool plain = key.modifiers() == Qt::NoModifier || key.modifiers() == Qt::KeypadModifier;
    return plain && (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter ||
                     key.key() == Qt::Key_Space);
}

} // namespace

bool OptionFrame::event(QEvent* event)
{
    // A focused frame takes Enter before any shortcut of its window.
    if (event->type() == QEvent::ShortcutOverride && IsPressKey(*static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return QFrame::event(event);
}

// The fill, the border and the mnemonic's underline, all under the label,
// whose background lets them through.
void OptionFrame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), FromBgr(m_shownFill));
    // The pen straddles its line, so the border is inset by half its width.
    QPen pen(FromBgr(m_shownBorder), m_borderWidth, hasFocus() ? Qt::DashLine : Qt::SolidLine);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    const qreal inset = m_borderWidth / 2.0;
    painter.drawRect(QRectF(rect()).adjusted(inset, inset, -inset, -inset));

    const QString shown = m_label->text();
    const qsizetype at =
        m_mnemonicLetter.isNull() ? -1 : shown.indexOf(m_mnemonicLetter, 0, Qt::CaseInsensitive);
    if (at < 0)
        return;
    const QFontMetrics metrics(m_label->font());
    const QRect text = m_label->contentsRect().adjusted(m_label->margin(), 0, 0, 0);
    const int left = m_label->x() + text.x() + metrics.horizontalAdvance(shown.left(at));
    const int baseline =
        m_label->y() + text.y() + (text.height() - metrics.height()) / 2 + metrics.ascent() + 1;
    painter.setPen(FromBgr(m_captionColour));
    painter.drawLine(left, baseline, left + metrics.horizontalAdvance(shown.at(at)) - 1, baseline);
}

void OptionFrame::keyPressEvent(QKeyEvent* event)
{
    if (IsPressKey(*event)) {
        emit pressed();
        return;
    }
    QFrame::keyPressEvent(event);
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

// Painted rather than styled: a style sheet per frame costs every window's
// start a style-sheet pass per option.
void OptionFrame::applyStyle()
{
    namespace hc = palette::high_contrast;
    m_highContrast = HighContrast();
    m_shownFill = m_fill;
    m_shownBorder = m_border;
    std::int32_t caption = m_captionColour;
    if (m_highContrast) {
        m_shownFill = hc::OptionFill(m_fill);
        m_shownBorder = hc::Border(m_border);
        caption = hc::Text(m_captionColour, m_shownFill);
    }
    m_borderWidth = BorderWidth();
    setContentsMargins(m_borderWidth, m_borderWidth, m_borderWidth, m_borderWidth);
    QPalette colours = m_label->palette();
    colours.setColor(QPalette::WindowText, FromBgr(caption));
    m_label->setPalette(colours);
    update();
}

void OptionFrame::focusInEvent(QFocusEvent* event)
{
    QFrame::focusInEvent(event);
    update();
}

void OptionFrame::focusOutEvent(QFocusEvent* event)
{
    QFrame::focusOutEvent(event);
    update();
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
