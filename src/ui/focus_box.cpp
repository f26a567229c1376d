#include "ui/focus_box.h"

#include "profile/code_page.h"
#include "profile/key_codes.h"

#include <QInputMethodEvent>
#include <QKeyEvent>

namespace tarvelo::ui {
namespace {

// The code of one printable character; 0 for a control character.
int CodeOf(char32_t character)
{
    if (QChar::category(character) == QChar::Other_Control)
        return 0;
    if (!codepage::Fits(character))
        return keycode::kOutsideCodePage;
    return codepage::FromUnicode(character);
}

bool IsDeadKey(int key)
{
    return key >= Qt::Key_Dead_Grave && key <= Qt::Key_Dead_Longsolidusoverlay;
}

} // namespace

FocusBox::FocusBox(QWidget* parent) : QWidget(parent)
{
    setObjectName("ControlBox");
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled, true);
    resize(0, 0);
}

int TypedCode(const QKeyEvent& event)
{
    switch (event.key()) {
    case Qt::Key_Backspace:
        return keycode::kBackspace;
    case Qt::Key_Tab:
        return keycode::kTab;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return keycode::kEnter;
    case Qt::Key_Escape:
        return keycode::kEscape;
    default:
        break;
    }
    // A dead key only prepares the next character; some platforms put its
    // accent in the text all the same.
    const QString text = event.text();
    if (text.isEmpty() || IsDeadKey(event.key()) || event.modifiers().testFlag(Qt::ControlModifier))
        return 0;
    // Other control characters type nothing: Delete carries "\x7f" on X11,
    // and keys of some layouts carry C1 controls.
    return CodeOf(text.toUcs4().front());
}

std::vector<int> CommittedCodes(const QString& commit)
{
    std::vector<int> codes;
    // Composed first: a letter sent with a separate accent is one character.
    for (const char32_t character : commit.normalized(QString::NormalizationForm_C).toUcs4()) {
        if (const int code = CodeOf(character))
            codes.push_back(code);
    }
    return codes;
}

bool FocusBox::event(QEvent* event)
{
    // Tab would move the focus away; it is a key like any other here.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            keyPressEvent(key);
            return true;
        }
    }
    return QWidget::event(event);
}

void FocusBox::keyPressEvent(QKeyEvent* event)
{
    emit keyDown(event->key(), event->modifiers());
    if (const int code = TypedCode(*event))
        emit keyTyped(code);
    event->accept();
}

void FocusBox::keyReleaseEvent(QKeyEvent* event)
{
    emit keyUp(event->key(), event->modifiers());
    event->accept();
}

void FocusBox::inputMethodEvent(QInputMethodEvent* event)
{
    // A pre-edit (an accent waiting for its letter) types nothing; the
    // commit types each of its characters.
    for (const int code : CommittedCodes(event->commitString()))
        emit keyTyped(code);
    event->accept();
}

} // namespace tarvelo::ui
