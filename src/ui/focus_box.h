#pragma once

#include <QWidget>

class QKeyEvent;

namespace tarvelo::ui {

// The hidden box that holds the keyboard focus of a window and passes every
// key on, arrows, Tab and Escape included: keyDown for the key itself,
// then keyTyped with the character code when the key types one.
class FocusBox : public QWidget
{
    Q_OBJECT

public:
    explicit FocusBox(QWidget* parent);

    // The timestamp of the last key press, in milliseconds of the event
    // source's clock: what typing speeds are measured by.
    quint64 lastKeyTime() const { return m_lastKeyTime; }

signals:
    void keyDown(int key, Qt::KeyboardModifiers modifiers);
    // A typed character as a code-page byte (8 Backspace, 9 Tab, 13 Enter,
    // 27 Escape; no other control character, Delete included); characters
    // outside the code page come as '?'.
    void keyTyped(int code);
    void keyUp(int key, Qt::KeyboardModifiers modifiers);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    quint64 m_lastKeyTime = 0;
};

// Whether `key` (a Qt key) is pressed on the way to a character without
// typing one: a modifier, a dead key, Backspace.
bool TypesNoCharacter(int key);

// The character code a key event types, or 0 when it types none.
int TypedCode(const QKeyEvent& event);

} // namespace tarvelo::ui
