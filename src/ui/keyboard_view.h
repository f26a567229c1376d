#pragma once

#include "platform/screen_keys.h"
#include "state/palette.h"
#include "ui/colours.h"

#include <QColor>
#include <QWidget>
#include <array>

namespace tarvelo::ui {

// The on-screen keyboard: keys 1..49 in their rows, each with a caption, a
// fill and a border, scaled to the widget. Reports clicks and the key under
// the pointer (0 when none, and when the pointer leaves).
class KeyboardView : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kKeyCount = kScreenKeyCount;

    explicit KeyboardView(QWidget* parent = nullptr);

    void setCaption(int key, const QString& caption);
    QString caption(int key) const;
    void setFill(int key, QColor fill);
    QColor fill(int key) const;
    void setBorder(int key, QColor border);
    QColor border(int key) const;
    // Keys not shown are neither drawn nor clickable.
    void setShown(int key, bool shown);

    QRect keyRect(int key) const;
    int keyAt(QPoint point) const;

    // Choosing a key without the mouse: while the view has the focus, the
    // arrows move a dashed cursor over the shown keys, Enter or Space reports
    // the key as a click does, and Escape reports choiceLeft.
    void setCursorKey(int key);
    int cursorKey() const { return m_cursor; }
    // The shown key nearest `key` in the direction of arrow `qtKey`; `key`
    // itself when there is none.
    int neighbour(int key, int qtKey) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void keyClicked(int key);
    void keyHovered(int key);
    void choiceLeft();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    struct Key
    {
        QString caption;
        QColor fill = FromBgr(palette::kKeyFill);
        QColor border = Qt::black;
        bool shown = true;
        QRectF unitRect; // in key widths
    };
    bool valid(int key) const { return key >= 1 && key <= kKeyCount; }
    // Sets one of the key's looks and repaints the key when it changed.
    template <class Value> void change(int key, Value Key::*look, const Value& value);
    // What painting the key may touch: its border is stroked across the edge
    // of keyRect.
    QRect paintedRect(int key) const;
    double unit() const;
    // Tells assistive tools that the cursor's key has the focus.
    void tellCursor();

    std::array<Key, kKeyCount + 1> m_keys;
    int m_cursor = 1;
};

} // namespace tarvelo::ui
