#include "ui/keyboard_view.h"

#include "ui/accessibility.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>

namespace tarvelo::ui {
namespace {

constexpr double kRowsWide = 14.5; // the keyboard's width in key widths
constexpr double kRowsHigh = 5;

struct Row
{
    double start;
    std::initializer_list<int> keys;
};

} // namespace

KeyboardView::KeyboardView(QWidget* parent) : QWidget(parent)
{
    setObjectName("keyboard");
    setMouseTracking(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    InstallAccessibility();

    const Row rows[] = {
        {0, {49, 35, 37, 38, 39, 40, 41, 42, 43, 44, 45, 36, 46}},
        {1.5, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 47, 48}},
        {1.75, {11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21}},
        {0, {32, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 33}},
    };
    double y = 0;
    for (const Row& row : rows) {
        double x = row.start;
        for (int key : row.keys) {
            const double width = key == 32 ? 2.25 : key == 33 ? 2.25 : 1;
            m_keys[key].unitRect = QRectF(x, y, width, 1);
            x += width;
        }
        y += 1;
    }
    m_keys[34].unitRect = QRectF(4, y, 6, 1);
    m_keys[32].caption = m_keys[33].caption = "SHIFT";
    m_keys[34].caption = "SPACEBAR";
}

template <class Value> void KeyboardView::change(int key, Value Key::*look, const Value& value)
{
    if (valid(key) && m_keys[key].*look != value) {
        m_keys[key].*look = value;
        update(paintedRect(key));
    }
}

void KeyboardView::setCaption(int key, const QString& caption)
{
    change(key, &Key::caption, caption);
}

QString KeyboardView::caption(int key) const
{
    return valid(key) ? m_keys[key].caption : QString();
}

void KeyboardView::setFill(int key, QColor fill)
{
    change(key, &Key::fill, fill);
}

QColor KeyboardView::fill(int key) const
{
    return valid(key) ? m_keys[key].fill : QColor();
}

QColor KeyboardView::border(int key) const
{
    return valid(key) ? m_keys[key].border : QColor();
}

void KeyboardView::setBorder(int key, QColor border)
{
    change(key, &Key::border, border);
}

void KeyboardView::setShown(int key, bool shown)
{
    if (valid(key)) {
        m_keys[key].shown = shown;
        update();
    }
}

double KeyboardView::unit() const
{
    return std::min(width() / kRowsWide, height() / kRowsHigh);
}

QRect KeyboardView::keyRect(int key) const
{
    if (!valid(key))
        return {};
    const double u = unit();
    const double left = (width() - kRowsWide * u) / 2;
    const QRectF r = m_keys[key].unitRect;
    return QRectF(left + r.x() * u, r.y() * u, r.width() * u, r.height() * u)
        .adjusted(2, 2, -2, -2)
        .toRect();
}

QRect KeyboardView::paintedRect(int key) const
{
    // Half the 1.5-pixel pen and a pixel of antialiasing, rounded up.
    return keyRect(key).adjusted(-2, -2, 2, 2);
}

int KeyboardView::keyAt(QPoint point) const
{
    for (int key = 1; key <= kKeyCount; ++key) {
        if (m_keys[key].shown && keyRect(key).contains(point))
            return key;
    }
    return 0;
}

QSize KeyboardView::sizeHint() const
{
    return {580, 200};
}

QSize KeyboardView::minimumSizeHint() const
{
    return {435, 150};
}

void KeyboardView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font = this->font();
    font.setBold(true);
    const double u = unit();
    for (int key = 1; key <= kKeyCount; ++key) {
        const Key& k = m_keys[key];
        if (!k.shown)
            continue;
        const QRect r = keyRect(key);
        painter.setPen(QPen(k.border, 1.5));
        painter.setBrush(k.fill);
        painter.drawRoundedRect(r, u * 0.12, u * 0.12);
        font.setPixelSize(std::max(8, static_cast<int>(u * (k.caption.size() > 1 ? 0.22 : 0.4))));
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(r, Qt::AlignCenter, k.caption);
    }
    if (hasFocus() && valid(m_cursor)) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2, Qt::DashLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(keyRect(m_cursor).adjusted(-1, -1, 1, 1));
    }
}

void KeyboardView::setCursorKey(int key)
{
    if (!valid(key) || key == m_cursor)
        return;
    update(paintedRect(m_cursor));
    m_cursor = key;
    update(paintedRect(m_cursor));
    tellCursor();
}

void KeyboardView::tellCursor()
{
    if (!hasFocus() || !AssistiveToolActive())
        return;
    QAccessibleInterface* view = QAccessible::queryAccessibleInterface(this);
    if (QAccessibleInterface* key = view ? view->child(m_cursor - 1) : nullptr) {
        QAccessibleEvent event(key, QAccessible::Focus);
        QAccessible::updateAccessibility(&event);
    }
}

int KeyboardView::neighbour(int key, int qtKey) const
{
    if (!valid(key))
        return key;
    const QPointF from = m_keys[key].unitRect.center();
    const bool across = qtKey == Qt::Key_Left || qtKey == Qt::Key_Right;
    const double sign = qtKey == Qt::Key_Left || qtKey == Qt::Key_Up ? -1 : 1;
    int best = key;
    double bestDistance = 0;
    for (int other = 1; other <= kKeyCount; ++other) {
        if (other == key || !m_keys[other].shown)
            continue;
        const QPointF to = m_keys[other].unitRect.center();
        const double along = (across ? to.x() - from.x() : to.y() - from.y()) * sign;
        const double aside = std::abs(across ? to.y() - from.y() : to.x() - from.x());
        // Across: the same row only. Up and down: the nearest row first.
        if (along <= 0 || (across && aside > 0.5))
            continue;
        const double distance = across ? along : along * 100 + aside;
        if (best == key || distance < bestDistance) {
            best = other;
            bestDistance = distance;
        }
    }
    return best;
}

void KeyboardView::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        setCursorKey(neighbour(m_cursor, event->key()));
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        emit keyClicked(m_cursor);
        return;
    case Qt::Key_Escape:
        emit choiceLeft();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void KeyboardView::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update(paintedRect(m_cursor));
    tellCursor();
}

void KeyboardView::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update(paintedRect(m_cursor));
}

void KeyboardView::mousePressEvent(QMouseEvent* event)
{
    if (const int key = keyAt(event->position().toPoint()))
        emit keyClicked(key);
}

void KeyboardView::mouseMoveEvent(QMouseEvent* event)
{
    emit keyHovered(keyAt(event->position().toPoint()));
}

void KeyboardView::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    // The pointer may leave the window straight from a key.
    emit keyHovered(0);
}

} // namespace tarvelo::ui
