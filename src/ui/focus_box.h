#pragma once

#include <QPointer>
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

    // The widget assistive tools are told has the focus while this box
    // holds it (the highlighted option, the typing area); told at once when
    // it changes and each time the box gains the focus.
    void setStandIn(QWidget* standIn);
    QWidget* standIn() const { return m_standIn; }
    static bool StandsIn(const QWidget* widget);

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
    void focusInEvent(QFocusEvent* event) override;

private:
    QPointer<QWidget> m_standIn;
};

// The character code a key event types, or 0 when it types none.
int TypedCode(const QKeyEvent& event);

} // namespace tarvelo::ui
