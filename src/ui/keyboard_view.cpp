#include "ui/keyboard_view.h"

#include "ui/accessibility.h"

#include <QMouseEvent>
#include <QPainter>

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

void KeyboardView::setCaption(int key, const QString& caption)
{
    if (valid(key) && m_keys[key].caption != caption) {
        m_keys[key].caption = caption;
        update(paintedRect(key));
    }
}

QString KeyboardView::caption(int key) const
{
    return valid(key) ? m_keys[key].caption : QString();
}

void KeyboardView::setFill(int key, QColor fill)
{
    if (valid(key) && m_keys[key].fill != fill) {
        m_keys[key].fill = fill;
        update(paintedRect(key));
    }
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
    if (valid(key) && m_keys[key].border != border) {
        m_keys[key].border = border;
        update(paintedRect(key));
    }
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
