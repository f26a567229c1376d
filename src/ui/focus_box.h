#pragma once

#include <QWidget>
#include <vector>

class QInputMethodEvent;
class QKeyEvent;

namespace tarvelo::ui {

// The hidden box that holds the keyboard focus of a window and passes every
// key on, arrows, Tab and Escape included: keyDown for the key itself,
// then keyTyped with the character code when the key types one. Input methods
// are on, so dead keys, compose sequences and input-method commits type their
// composed characters, each through keyTyped; a dead key or a pre-edit types
// nothing.
class FocusBox : public QWidget
{
    Q_OBJECT

public:
    explicit FocusBox(QWidget* parent);

signals:
    void keyDown(int key, Qt::KeyboardModifiers modifiers);
    // A typed character as a code-page byte (8 Backspace, 9 Tab, 13 Enter,
    // 27 Escape; no other control character, Delete included), or
    // keycode::kOutsideCodePage for a character the code page lacks.
    void keyTyped(int code);
    void keyUp(int key, Qt::KeyboardModifiers modifiers);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
};

// The character code a key event types, or 0 when it types none (a dead key
// included).
int TypedCode(const QKeyEvent& event);

// The character codes a committed input-method string types, one for each
// composed character in turn; control characters type nothing.
std::vector<int> CommittedCodes(const QString& commit);

} // namespace tarvelo::ui
